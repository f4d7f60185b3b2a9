// Coordinate list of a GPS receiver: one point a line, "name;c1;c2;c3" with
// decimal commas, each written at once as a known point.
#include "book/converter.hpp"
#include "common/routines.hpp"
#include "common/text.hpp"
#include "importers/importers.hpp"

namespace qrb {

namespace {

constexpr const char* kTitle = "Importa file ARVAtec GPS";

void read_points(Conversion& c)
{
    write_header(c.out, "Importazione ARVAtec GPS", "Nessuna", "CO",
                 "Importazione coordinate 3D da punti rilevati con GPS (ARVAtec)");
    std::string line;
    while (c.in.next_line(line)) {
        // A blank line holds no point.
        if (trim(line).empty()) continue;
        c.state.work_line = replace_all(line, ",", ".") + ";";
        split_fields(c.state, ";");
        const auto& f = c.state.line_fields;
        RecordLine r;
        r.text(f[1]).text(f[2]).text(f[3]).text(f[4]).literal("nn").literal("NN");
        c.out.tag("#passnoto#");
        c.out.line(r.str());
    }
    write_trailer(c.out);
}

}  // namespace

void imp_arvatec(ImportContext& ctx, const std::string& input_path)
{
    ConverterSpec spec;
    spec.failure = FailurePolicy::standard("ARVAtec GPS", kTitle).without_subscript();
    spec.collect_then_write = false;
    spec.clear_stations = false;
    spec.scratch_lists = {};
    spec.success_title = kTitle;
    run_converter(ctx, input_path, spec, read_points, [](Conversion&) { return true; });
}

}  // namespace qrb
