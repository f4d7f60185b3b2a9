// Zeiss Elta R45 and R55 recordings: fixed-column lines whose kind stands at
// column 37 in any case. "th" lines set the heights; "sd" (slope distance and
// zenith) and "hd" (horizontal distance and height difference, reduced by the
// heights) lines add a reading, opening a station whenever the station name
// changes. The header is written first, the stations at the end.
#include "book/frames.hpp"
#include "common/number.hpp"
#include "common/text.hpp"
#include "importers/zeiss/station_runs.hpp"
#include "importers/zeiss/type_blocks.hpp"

namespace qrb {

namespace {

constexpr const char* kTitle = "Importa file Zeiss Elta";

constexpr Column kKind{37, 2};
constexpr Column kTargetHeight{45, 6};
constexpr Column kInstrumentHeight{61, 6};
constexpr Column kStation{16, 5};
constexpr Column kStationElsewhere{29, 4};  // the station when column 16 has none; else the note
constexpr Column kNoteElsewhere{9, 8};      // the note when the station stands at column 29
constexpr Column kPoint{23, 5};
constexpr Column kDistance{44, 7};
constexpr Column kHz{59, 8};
constexpr Column kVertical{71, 8};

class EltaReader {
public:
    void read(Conversion& c)
    {
        write_header(c.out, "Importazione file Zeiss Elta", "Nessuna", survey_type(c.options), "Zeiss Elta r45 r55");
        std::string line;
        while (c.in.next_line(line)) {
            const std::string kind = lcase(column_view(line, kKind));
            if (kind == "th") {
                heights_.target = column_single(line, kTargetHeight);
                heights_.instrument = column_single(line, kInstrumentHeight);
            } else if (kind == "sd" || kind == "hd") {
                add_reading(c.state.station_table, line, kind == "hd");
            }
        }
    }

private:
    void add_reading(StationTable& stations, const std::string& line, bool height_difference)
    {
        std::string station = column_trimmed(line, kStation);
        const bool station_elsewhere = station.empty();
        if (station_elsewhere) station = column_trimmed(line, kStationElsewhere);
        Reading& r = stations_.at(stations, station, heights_.instrument).add_reading();
        r.target = column_trimmed(line, kPoint);
        r.hz = column_single(line, kHz);
        r.dist = column_single(line, kDistance);
        r.v = column_single(line, kVertical);
        if (height_difference) r.v = zeiss::height_difference(column_value(line, kVertical), heights_);
        r.code = column_trimmed(line, station_elsewhere ? kNoteElsewhere : kStationElsewhere);
        if (r.code.empty()) r.code = "nn";
        r.target_height = heights_.target;
    }

    zeiss::Heights heights_;
    zeiss::StationRuns stations_;
};

}  // namespace

void imp_elta_r45(ImportContext& ctx, const std::string& input_path)
{
    CollectThenWrite frame(ctx.options, FailurePolicy::standard("Zeiss Elta", kTitle).malformed_only(),
                           "Importazione file Zeiss Elta", {});
    frame.spec.keep_header = true;
    EltaReader reader;
    frame.stations_finished_on_add = true;
    frame.run(ctx, input_path, [&reader](Conversion& c) { reader.read(c); });
}

}  // namespace qrb
