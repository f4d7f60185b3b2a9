// Leica (Wild) Gif 10: GSI-8 lines read at fixed columns. "41" code blocks
// open a station (block 41) or set the instrument height (60) or the target
// height (61); "11" lines are measurements. Collect-then-write.
#include "book/frames.hpp"
#include "common/failure.hpp"
#include "common/number.hpp"
#include "common/text.hpp"
#include "importers/gsi/gsi_boxes.hpp"
#include "importers/gsi/gsi_words.hpp"

namespace qrb {

namespace {

constexpr const char* kTitle = "Importa file Wild GIF 10";
constexpr const char* kBookTitle = "Importazione file Wild GIF 10";

// Columns of the data fields.
constexpr long long kBlockCodeColumn = 14;  // the last two data characters of word 1
constexpr long long kPointColumn = 8;
constexpr long long kWord2Column = 24;      // station name, height, horizontal angle
constexpr long long kZenithColumn = 40;
constexpr long long kDistanceColumn = 56;

// A name: the field's whole value when it is not 0, else the leading-zero
// rule; empty when nothing is left.
std::string gif_name(std::string_view line, long long column)
{
    return gsi::number_or_name(trim(mid(line, column, 8)));
}

void read_gif10(Conversion& c)
{
    StationTable& stations = c.state.station_table;
    float target_height = 0;  // from the last "61" block, across stations
    std::string line;
    while (c.in.next_line(line)) {
        const std::string kind = left(line, 2);
        if (kind == "41") {
            const std::string block = mid(line, kBlockCodeColumn, 2);
            if (block == "41") {
                stations.add(gsi::station_name_or(c, gif_name(line, kWord2Column), "s_non_valida",
                                                  "Importa file Leica GSI"),
                             0, "stazione");
            } else if (block == "60") {
                // An instrument height needs the station it belongs to.
                if (stations.empty()) fail(kInvalidArgument);
                stations.back().height = gsi::quotient_at(line, kWord2Column, 100);
            } else if (block == "61") {
                target_height = gsi::quotient_at(line, kWord2Column, 100);
            }
        } else if (kind == "11") {
            // A measurement needs the station it belongs to.
            if (stations.empty()) fail(kInvalidArgument);
            Reading& r = stations.back().add_reading();
            r.target = gif_name(line, kPointColumn);
            if (r.target.empty()) r.target = "non_valido";
            r.dist = gsi::quotient_at(line, kDistanceColumn, 1000);
            r.v = gsi::quotient_at(line, kZenithColumn, 100000);
            r.hz = gsi::quotient_at(line, kWord2Column, 100000);
            r.code = "nn";
            r.target_height = target_height;
        }
    }
}

}  // namespace

void imp_gif10(ImportContext& ctx, const std::string& input_path)
{
    CollectThenWrite frame(ctx.options, FailurePolicy::standard_naming_station("GIF", kTitle), kBookTitle,
                           "File formato Leica (Wild) GIF 10");
    frame.stations_finished_on_add = true;
    frame.run(ctx, input_path, read_gif10);
}

}  // namespace qrb
