// Zeiss R5 recordings: fixed-column lines told apart by the two characters at
// column 17. "TR" lines set the target and instrument heights. A "KR" line
// opens a station when column 20 holds a marker (not blank, not "0") and the
// line has a first block; unless the marker is "S" it also adds a reading,
// whose type/value blocks are stored and recomputed for the survey type. The
// book is written at the end.
#include "book/frames.hpp"
#include "common/routines.hpp"
#include "common/text.hpp"
#include "importers/zeiss/type_blocks.hpp"

namespace qrb {

namespace {

constexpr long long kKindColumn = 17;
constexpr long long kMarkerColumn = 20;  // one character; also the start of the 3-character code
constexpr long long kCodeLength = 3;
constexpr long long kNumberColumn = 23;  // 4 characters: station or target
constexpr long long kNumberLength = 4;

constexpr std::array<zeiss::BlockColumns, 3> kBlocks{{{28, 32, 10}, {48, 52, 10}, {68, 72, 10}}};
constexpr zeiss::HeightColumns kHeights[] = {{28, 32, 10}, {48, 52, 10}};

class R5Reader {
public:
    explicit R5Reader(SurveyType type) : type_(type) {}

    void read(Conversion& c)
    {
        std::string line;
        while (c.in.next_line(line)) {
            const std::string kind = mid(line, kKindColumn, 2);
            if (kind == "TR")
                zeiss::read_heights(line, kHeights, heights_);
            else if (kind == "KR")
                read_measurement(c.state.station_table, line);
        }
    }

private:
    void read_measurement(StationTable& stations, const std::string& line)
    {
        const std::string marker = mid(line, kMarkerColumn, 1);
        const zeiss::LineBlocks blocks = zeiss::read_blocks(line, kBlocks);
        // Every opening line opens a new station, also of a name seen before.
        if (!trim(marker).empty() && marker != "0" && !blocks[0].type.empty())
            stations.add(leading_zero_name(mid(line, kNumberColumn, kNumberLength)), heights_.instrument, "stazione");
        if (marker == "S" || stations.empty()) return;

        StationRecord& station = stations.back();
        const std::string code = trim(mid(line, kMarkerColumn, kCodeLength));
        std::string target = leading_zero_name(trim(mid(line, kNumberColumn, kNumberLength)));
        // A line that names its own station carries its target in the code.
        if (target == station.name) target = leading_zero_name(code);
        if (target.empty()) return;
        zeiss::add_reading(station, std::move(target), code, blocks, heights_, type_);
    }

    SurveyType type_;
    zeiss::Heights heights_;
};

}  // namespace

void imp_r5(ImportContext& ctx, const std::string& input_path)
{
    CollectThenWrite frame = zeiss::fixed_column_frame(ctx.options, "R5", "Importazione file formato R5 (Zeiss elta 50)");
    R5Reader reader(chosen_survey_type(ctx.options));
    frame.stations_finished_on_add = true;
    frame.run(ctx, input_path, [&reader](Conversion& c) { reader.read(c); });
}

}  // namespace qrb
