// Sokkia SetC recordings: one record a line, fields separated by ",",
// compared whole, letter case included, without trimming:
//   field 1 "M"          a station: name in field 3, instrument height in 5
//   field 1 "A"          skipped
//   field 2 "Ea" / "Ei"  a reading of the current station: target in field 1,
//                        point text in 4, target height in 5, distance and
//                        angles where the layout puts them
// Every other line is skipped, and so is a reading before the first station.
// Collect-then-write.
#include "book/frames.hpp"
#include "common/number.hpp"
#include "common/routines.hpp"
#include "common/text.hpp"

namespace qrb {

namespace {

constexpr const char* kTitle = "Importa file Sokkia SetC";

// Fields of a reading that depend on its layout marker.
struct SetcLayout {
    std::string_view marker;
    std::size_t distance;
    std::size_t v;
    std::size_t hz;
};

constexpr SetcLayout kLayouts[] = {
    {"Ea", 7, 8, 9},
    {"Ei", 9, 10, 11},
};

constexpr std::size_t kStationName = 3;
constexpr std::size_t kInstrumentHeight = 5;
constexpr std::size_t kTarget = 1;
constexpr std::size_t kPointText = 4;
constexpr std::size_t kTargetHeight = 5;

const SetcLayout* reading_layout(std::string_view marker)
{
    for (const SetcLayout& layout : kLayouts)
        if (layout.marker == marker) return &layout;
    return nullptr;
}

void read_setc(Conversion& c)
{
    StationTable& stations = c.state.station_table;
    std::string line;
    while (c.in.next_line(line)) {
        line += ',';  // so that the last field is stored too
        const Fields f = split_fields(line, ",");
        if (f[1] == "M") {
            stations.add(ucase(trim(f[kStationName])), single_val(f[kInstrumentHeight]), "stazione");
            continue;
        }
        if (f[1] == "A") continue;
        const SetcLayout* layout = reading_layout(f[2]);
        // A reading before the first station has no block to go to.
        if (!layout || stations.empty()) continue;
        Reading& r = stations.back().add_reading();
        r.target = ucase(trim(f[kTarget]));
        r.code = std::string(f[kPointText]);
        r.target_height = single_val(f[kTargetHeight]);
        r.dist = single_val(f[layout->distance]);
        r.v = single_val(f[layout->v]);
        r.hz = single_val(f[layout->hz]);
    }
}

}  // namespace

void imp_setc(ImportContext& ctx, const std::string& input_path)
{
    CollectThenWrite frame(ctx.options, FailurePolicy::standard("Sokkia SetC", kTitle), "Importazione file Sokkia SetC",
                           "File formato Sokkia SetC");
    // With both survey types chosen, "IZ" wins.
    frame.book.header.survey_type = ctx.options.tipo_iz ? "IZ" : ctx.options.tipo_od ? "OD" : "";
    frame.book.all_left_out_is_nothing_found = true;
    frame.stations_finished_on_add = true;
    frame.run(ctx, input_path, read_setc);
}

}  // namespace qrb
