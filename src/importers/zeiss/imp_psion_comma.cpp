// Psion field-book files with one reading per comma-separated line: the
// station name beside each reading, so a station is a run of lines with the
// same station name. "Zeiss Psion HC-100 (dati separati)" and "Zeiss Elta
// Psion" differ in the order of the fields, the cleaning of names and their
// texts. The header is written first, the stations at the end.
#include "book/frames.hpp"
#include "common/number.hpp"
#include "common/routines.hpp"
#include "common/text.hpp"
#include "importers/zeiss/station_runs.hpp"

namespace qrb {

namespace {

struct CommaFormat {
    // Field numbers (1-based) of each value.
    std::size_t station, instrument_height, target_height, point, distance, hz, vertical, note, second_note;
    bool station_drops_c;  // a leading "C" of the station name goes, before a leading "S"
    bool trim_point;
    const char* format_name;  // in the malformed-file message
    const char* book_title;
    const char* book_note;
    const char* success_title;
};

constexpr CommaFormat kHc100Separate{1,    2,     3,
                                     4,    5,     6,
                                     7,    8,     9,
                                     true, false, "Zeiss Psion HC 100",
                                     "Zeiss Psion HC100 (dati separati)",
                                     "File formato Zeiss Salmoiraghi Psion HC100",
                                     "Importa file Zeiss Psion HC 100 (dati separati)"};
constexpr CommaFormat kEltaPsion{1,    6,    7,
                                 2,    5,    3,
                                 4,    8,    9,
                                 false, true, "Zeiss Elta Psion",
                                 "Importazione file Zeiss Elta Psion (dati separati)",
                                 "Zeiss Elta Psion",
                                 "Importa file Zeiss Elta Psion (dati separati)"};

std::string without_leading(std::string text, char c)
{
    if (!text.empty() && text.front() == c) text.erase(0, 1);
    return text;
}

// The note: field 8, or field 9 when field 8 is empty or "nn", or "nn".
std::string note_of(std::string_view note, std::string_view second)
{
    std::string n = trim(note);
    if (n.empty()) n = "nn";
    const std::string s = trim(second);
    return !s.empty() && n == "nn" ? s : n;
}

class CommaReader {
public:
    explicit CommaReader(const CommaFormat& f) : f_(f) {}

    void read(Conversion& c)
    {
        write_header(c.out, f_.book_title, "Nessuna", survey_type(c.options), f_.book_note);
        StationTable& stations = c.state.station_table;
        std::string raw;
        while (c.in.next_line(raw)) {
            if (trim(raw).empty()) continue;
            const std::string line = raw + ",";
            const Fields f = split_fields(line, ",");
            std::string station = ucase(trim(f[f_.station]));
            if (f_.station_drops_c) station = without_leading(station, 'C');
            station = without_leading(station, 'S');
            Reading& r = stations_.at(stations, station, single_val(f[f_.instrument_height])).add_reading();
            r.target_height = single_val(f[f_.target_height]);
            r.target = without_leading(f_.trim_point ? ucase(trim(f[f_.point])) : ucase(f[f_.point]), 'S');
            r.dist = single_val(f[f_.distance]);
            r.hz = single_val(f[f_.hz]);
            r.v = single_val(f[f_.vertical]);
            r.code = note_of(f[f_.note], f[f_.second_note]);
        }
    }

private:
    const CommaFormat& f_;
    zeiss::StationRuns stations_;
};

void run_comma(ImportContext& ctx, const std::string& input_path, const CommaFormat& format)
{
    CollectThenWrite frame(ctx.options,
                           FailurePolicy::standard(format.format_name, "Importa file strumentale").malformed_only(),
                           "Importazione file Zeiss Elta", {});
    frame.spec.success_title = format.success_title;
    frame.spec.keep_header = true;
    frame.stations_finished_on_add = true;
    CommaReader reader(format);
    frame.run(ctx, input_path, [&reader](Conversion& c) { reader.read(c); });
}

}  // namespace

void imp_hc100_separate(ImportContext& ctx, const std::string& input_path)
{
    run_comma(ctx, input_path, kHc100Separate);
}

void imp_elta_psion(ImportContext& ctx, const std::string& input_path) { run_comma(ctx, input_path, kEltaPsion); }

}  // namespace qrb
