// Trimble 3300 and 3600 recordings in the R5 style: "INPUT" lines (column 9)
// set the target and instrument heights, "END" ends the data, every other line
// is a measurement. A measurement opens a station when its station field
// differs from the station opened last, and adds a reading when it names a
// point; the reading's type/value blocks are stored and recomputed for the
// survey type. The book is written at the end.
#include "book/frames.hpp"
#include "common/routines.hpp"
#include "common/text.hpp"
#include "importers/zeiss/station_runs.hpp"
#include "importers/zeiss/type_blocks.hpp"

namespace qrb {

namespace {

constexpr long long kHeightLineColumn = 9;  // "INPUT"
constexpr long long kStationColumn = 14;
constexpr long long kStationLength = 5;
constexpr long long kPointColumn = 20;
constexpr long long kPointLength = 8;
constexpr long long kCodeColumn = 28;
constexpr long long kCodeLength = 4;

constexpr std::array<zeiss::BlockColumns, 3> kBlocks{{{37, 40, 11}, {52, 55, 12}, {68, 71, 0}}};
constexpr zeiss::HeightColumns kHeights[] = {{37, 40, 10}, {52, 55, 12}};

class TrimbleReader {
public:
    explicit TrimbleReader(SurveyType type) : type_(type) {}

    void read(Conversion& c)
    {
        StationTable& stations = c.state.station_table;
        std::string line;
        while (c.in.next_line(line)) {
            if (trim(line) == "END") return;
            // A blank line is no measurement: it would split a station.
            if (trim(line).empty()) continue;
            if (mid(line, kHeightLineColumn, 5) == "INPUT") {
                zeiss::read_heights(line, kHeights, heights_);
                continue;
            }
            StationRecord& station =
                stations_.at(stations, leading_zero_name(mid(line, kStationColumn, kStationLength)), heights_.instrument);
            std::string point = leading_zero_name(trim(mid(line, kPointColumn, kPointLength)));
            if (point.empty()) continue;
            zeiss::add_reading(station, std::move(point), trim(mid(line, kCodeColumn, kCodeLength)),
                               zeiss::read_blocks(line, kBlocks), heights_, type_);
        }
    }

private:
    SurveyType type_;
    zeiss::Heights heights_;
    zeiss::StationRuns stations_;
};

}  // namespace

void imp_r5_3600(ImportContext& ctx, const std::string& input_path)
{
    CollectThenWrite frame = zeiss::fixed_column_frame(ctx.options, "R5", "Importazione file formato R5 (Zeiss elta 50)");
    TrimbleReader reader(chosen_survey_type(ctx.options));
    frame.stations_finished_on_add = true;
    frame.run(ctx, input_path, [&reader](Conversion& c) { reader.read(c); });
}

}  // namespace qrb
