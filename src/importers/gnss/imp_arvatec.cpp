// Coordinate list of a GPS receiver: one point a line, "name;c1;c2;c3" with
// decimal commas, each written at once as a known point.
#include "book/frames.hpp"
#include "common/routines.hpp"
#include "common/text.hpp"

namespace qrb {

namespace {

constexpr const char* kTitle = "Importa file ARVAtec GPS";

void read_points(Conversion& c)
{
    std::string line;
    while (c.in.next_line(line)) {
        // A blank line holds no point.
        if (trim(line).empty()) continue;
        const std::string record = replace_all(line, ",", ".") + ";";
        const Fields f = split_fields(record, ";");
        RecordLine r;
        r.text(f[1]).text(f[2]).text(f[3]).text(f[4]).literal("nn").literal("NN");
        c.out.tag("#passnoto#");
        c.out.line(r.str());
    }
}

}  // namespace

void imp_arvatec(ImportContext& ctx, const std::string& input_path)
{
    Streaming frame(FailurePolicy::standard("ARVAtec GPS", kTitle).without_subscript());
    frame.header = BookHeader{"Importazione ARVAtec GPS", "Nessuna", "CO",
                              "Importazione coordinate 3D da punti rilevati con GPS (ARVAtec)"};
    frame.run(ctx, input_path, read_points);
}

}  // namespace qrb
