#include "book/extra_tags.hpp"

#include <filesystem>
#include <system_error>

namespace qrb {

std::string image_folder_of(std::string_view input_path)
{
    if (input_path.size() < 4) return {};
    std::string folder(input_path.substr(0, input_path.size() - 4));
    folder += "_Img";
    return folder;
}

void write_alignments(BookWriter& out, const std::vector<AlignmentBlock>& blocks)
{
    for (const AlignmentBlock& b : blocks) {
        out.tag("#allineamento#");
        out.line(RecordLine().literal("allin").text(b.start).text(b.end).text(b.value).str());
        out.value(b.method);
        out.line(RecordLine().text(b.point).text(b.distance).text(b.offset).text(b.note).text(b.code).str());
    }
}

void write_levels(BookWriter& out, const std::vector<LevelBlock>& blocks)
{
    for (const LevelBlock& b : blocks) {
        out.tag("#livello#");
        out.line(
            RecordLine().text(b.reference).text(b.value).text(b.point).text(b.height_difference).text(b.note).str());
    }
}

void write_reference_points(BookWriter& out, const std::vector<ReferencePoint>& points)
{
    for (const ReferencePoint& p : points) {
        out.tag("#ptorxy#");
        out.line(RecordLine().text(p.name).text(p.east).text(p.north).literal("Rif").str());
        out.tag("#ptorz#");
        out.line(RecordLine().text(p.name).text(p.elevation).literal("Rif").str());
    }
}

void write_image_folder(BookWriter& out, const std::string& folder)
{
    std::error_code ec;
    if (folder.empty() || !std::filesystem::exists(folder, ec)) return;
    out.tag("#dirimg#");
    out.value(folder);
}

}  // namespace qrb
