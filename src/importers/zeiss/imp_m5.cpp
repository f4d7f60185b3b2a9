// M5 recordings (Trimble, Zeiss): each line is trimmed, then read at fixed
// columns; its kind stands at column 18. "TI" and "TG" lines set the heights
// (markers th/hp for the target, ih/hs for the instrument). A "PI" line with a
// station is a reading of that station (a new station when it differs from
// the station opened last), its type/value blocks stored and recomputed for
// the survey type; a "PI" line without a station whose third block is "Z" is
// a known point, its three values copied as written. The book is written at
// the end, known points after the stations.
#include "book/frames.hpp"
#include "common/routines.hpp"
#include "common/text.hpp"
#include "importers/zeiss/station_runs.hpp"
#include "importers/zeiss/type_blocks.hpp"

namespace qrb {

namespace {

constexpr long long kKindColumn = 18;
constexpr long long kStationColumn = 22;
constexpr long long kStationLength = 5;
constexpr long long kPointColumn = 28;
constexpr long long kPointLength = 5;
constexpr long long kTextColumn = 34;
constexpr long long kTextLength = 15;

constexpr std::array<zeiss::BlockColumns, 3> kBlocks{{{50, 54, 12}, {73, 77, 12}, {96, 100, 12}}};
constexpr zeiss::HeightColumns kHeights[] = {{73, 77, 12, true}, {96, 100, 12, true}};

class M5Reader {
public:
    explicit M5Reader(SurveyType type) : type_(type) {}

    void read(Conversion& c)
    {
        std::string line;
        while (c.in.next_line(line)) {
            line = trim(line);
            const std::string kind = mid(line, kKindColumn, 2);
            if (kind == "TI" || kind == "TG")
                zeiss::read_heights(line, kHeights, heights_);
            else if (kind == "PI")
                read_point_line(c.state, line);
        }
    }

private:
    void read_point_line(WorkState& state, const std::string& line)
    {
        const std::string station = leading_zero_name(trim(mid(line, kStationColumn, kStationLength)));
        const zeiss::LineBlocks blocks = zeiss::read_blocks(line, kBlocks);
        const std::string text = trim(mid(line, kTextColumn, kTextLength));
        if (station.empty()) {
            if (blocks[2].type != "Z") return;
            // A known point keeps its name and values as written.
            const std::string point = trim(mid(line, kPointColumn, kPointLength));
            if (point.empty()) return;
            RecordLine r;
            r.text(point).text(blocks[0].value).text(blocks[1].value).text(blocks[2].value);
            r.text(text.empty() ? std::string("nn") : text).literal("NN").empty();
            state.known_points.push_back(r.str());
            return;
        }
        StationRecord& opened = stations_.at(state.station_table, station, heights_.instrument);
        std::string point = leading_zero_name(trim(mid(line, kPointColumn, kPointLength)));
        if (point.empty()) return;
        zeiss::add_reading(opened, std::move(point), text, blocks, heights_, type_);
    }

    SurveyType type_;
    zeiss::Heights heights_;
    zeiss::StationRuns stations_;
};

}  // namespace

void imp_m5(ImportContext& ctx, const std::string& input_path)
{
    CollectThenWrite frame = zeiss::fixed_column_frame(ctx.options, "M5", "Importazione file formato M5 (Trimble, Zeiss)");
    frame.book.nothing_found = StationTableOptions::NothingFound::StationsKnownPoints;
    frame.book.known_points = true;
    M5Reader reader(chosen_survey_type(ctx.options));
    frame.run(ctx, input_path, [&reader](Conversion& c) { reader.read(c); });
}

}  // namespace qrb
