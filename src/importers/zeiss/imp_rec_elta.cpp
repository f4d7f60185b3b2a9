// Zeiss Rec Elta printouts: fixed-column text in English, Italian or German,
// read upper-cased. A heights line ("INPUT VALUES", "INPUT VALORI" or
// "EINGABEWERTE" with TH and IH) sets the heights and the layout (the German
// one swaps the station and point columns); a measurement line (HZ with V1 or
// a label beginning with H) adds a reading, opening a station whenever the
// station column changes. The header is written first, the stations at the
// end.
#include "book/frames.hpp"
#include "common/number.hpp"
#include "common/text.hpp"
#include "importers/zeiss/station_runs.hpp"

namespace qrb {

namespace {

constexpr const char* kTitle = "Importa file Zeiss Rec Elta";

constexpr const char* kKeywords[] = {"INPUT VALUES", "INPUT VALORI", "EINGABEWERTE"};
constexpr const char* kGermanKeyword = "EINGABEWERTE";

constexpr Column kKeyword{9, 12};
constexpr Column kNameColumns[] = {{9, 5}, {15, 5}};  // station and point, swapped in the German layout
constexpr Column kNote{21, 15};
constexpr Column kDistance{40, 11};
constexpr Column kLabel1{52, 2};
constexpr Column kValue1{55, 12};
constexpr Column kLabel2{68, 2};
constexpr Column kValue2{71, 8};

class RecEltaReader {
public:
    void read(Conversion& c)
    {
        write_header(c.out, "Importazione file Zeiss Rec Elta", "Nessuna", survey_type(c.options), "Zeiss Rec Elta");
        std::string raw;
        while (c.in.next_line(raw)) {
            if (trim(raw).empty()) continue;
            const std::string line = ucase(raw);
            if (is_heights_line(line)) {
                target_height_ = column_single(line, kValue1);
                instrument_height_ = column_single(line, kValue2);
                german_ = column_view(line, kKeyword) == kGermanKeyword;
            } else if (is_measurement(line)) {
                add_reading(c.state.station_table, line);
            }
        }
    }

private:
    static bool is_heights_line(const std::string& line)
    {
        const std::string keyword = column_text(line, kKeyword);
        bool known = false;
        for (const char* k : kKeywords) known = known || keyword == k;
        return known && mid(line, kLabel1.start, 2) == "TH" && mid(line, kLabel2.start, 2) == "IH";
    }

    static bool is_measurement(const std::string& line)
    {
        return mid(line, kLabel1.start, 2) == "HZ" &&
               (mid(line, kLabel2.start, 2) == "V1" || mid(line, kLabel2.start, 1) == "H");
    }

    void add_reading(StationTable& stations, const std::string& line)
    {
        const std::string station = column_trimmed(line, kNameColumns[german_ ? 1 : 0]);
        Reading& r = stations_.at(stations, station, instrument_height_).add_reading();
        r.target = column_trimmed(line, kNameColumns[german_ ? 0 : 1]);
        if (r.target.empty()) r.target = "NON_VALIDO";
        r.code = column_trimmed(line, kNote);
        if (r.code.empty()) r.code = "NN";
        r.dist = column_single(line, kDistance);
        r.hz = column_single(line, kValue1);
        r.v = column_single(line, kValue2);
        r.target_height = target_height_;
    }

    float target_height_ = 0;
    float instrument_height_ = 0;
    bool german_ = false;
    zeiss::StationRuns stations_;
};

}  // namespace

void imp_rec_elta(ImportContext& ctx, const std::string& input_path)
{
    CollectThenWrite frame(ctx.options, FailurePolicy::standard("Zeiss Elta", "Importa file strumentale").malformed_only(),
                           "Importazione file Zeiss Elta", {});
    frame.spec.success_title = kTitle;
    frame.spec.keep_header = true;
    RecEltaReader reader;
    frame.stations_finished_on_add = true;
    frame.run(ctx, input_path, [&reader](Conversion& c) { reader.read(c); });
}

}  // namespace qrb
