// Zeiss Salmoiraghi Psion HC-100 files, one value per line: each reading is a
// group of a station line ("S" or "s" and the name) and seven value lines
// (instrument height, target height, point, distance, horizontal angle,
// vertical angle, note). Groups of the same station in a row make one
// station. The header is written first, the stations at the end; a group cut
// short by the end of the input is dropped.
#include <array>

#include "book/frames.hpp"
#include "common/number.hpp"
#include "common/text.hpp"
#include "importers/zeiss/station_runs.hpp"

namespace qrb {

namespace {

constexpr const char* kTitle = "Importa file Zeiss Psion HC 100";

// The text after a first "S" or "s", trimmed and upper-cased; for a point
// without one, the whole line.
std::string after_s(const std::string& line, bool required)
{
    const bool has_s = !line.empty() && (line[0] == 'S' || line[0] == 's');
    if (required && !has_s) return line;
    return ucase(trim(has_s ? std::string_view(line).substr(1) : std::string_view(line)));
}

class Hc100Reader {
public:
    void read(Conversion& c)
    {
        write_header(c.out, "Importazione file Zeiss Psion HC100", "Nessuna", survey_type(c.options),
                     "Zeiss Salmoiraghi Psion HC100");
        StationTable& stations = c.state.station_table;
        std::string line;
        while (c.in.next_line(line)) {
            if (line.empty() || (line[0] != 'S' && line[0] != 's')) continue;
            const std::string station = after_s(line, true);
            // The whole group is read before any of it is kept.
            std::array<std::string, 7> group;
            for (std::string& value : group) value = c.in.read_line();
            // The instrument height counts for the group that opens a station.
            Reading& r = stations_.at(stations, station, single_val(group[0])).add_reading();
            r.target_height = single_val(group[1]);
            r.target = after_s(group[2], false);
            r.dist = single_val(group[3]);
            r.hz = single_val(group[4]);
            r.v = single_val(group[5]);
            r.code = trim(group[6]);
            if (r.code.empty()) r.code = "nn";
        }
    }

private:
    zeiss::StationRuns stations_;
};

}  // namespace

void imp_hc100(ImportContext& ctx, const std::string& input_path)
{
    CollectThenWrite frame(ctx.options,
                           FailurePolicy::standard("Zeiss Psion HC 100", "Importa file strumentale").malformed_only(),
                           "Importazione file Zeiss Elta", {});
    frame.spec.success_title = kTitle;
    frame.spec.keep_header = true;
    Hc100Reader reader;
    frame.stations_finished_on_add = true;
    frame.run(ctx, input_path, [&reader](Conversion& c) { reader.read(c); });
}

}  // namespace qrb
