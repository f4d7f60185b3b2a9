#include "book/extra_tags.hpp"

#include <filesystem>
#include <system_error>

#include "common/text.hpp"

namespace qrb {

std::string image_folder_of(std::string_view input_path)
{
    if (input_path.size() < 4) return {};
    std::string folder(input_path.substr(0, input_path.size() - 4));
    folder += "_Img";
    return folder;
}

namespace {

void append_line(std::string& out, std::string_view line)
{
    out += line;
    out += "\r\n";
}

// Each block of `blocks` after its tag.
void write_blocks(BookWriter& out, std::string_view tag, const PackedTexts& blocks)
{
    blocks.for_each([&out, tag](std::span<const std::string_view> texts) {
        out.tag(tag);
        out.lines(texts[0]);
    });
}

}  // namespace

void ExtraTags::add(const AlignmentBlock& b)
{
    std::string text = RecordLine().literal("allin").text(b.start).text(b.end).text(b.value).str();
    text += "\r\n";
    append_field_text(text, b.method);
    text += "\r\n";
    append_line(text, RecordLine().text(b.point).text(b.distance).text(b.offset).text(b.note).text(b.code).str());
    alignments.push_back({text});
}

void ExtraTags::add(const LevelBlock& b)
{
    std::string text;
    append_line(text, RecordLine()
                          .text(b.reference)
                          .text(b.value)
                          .text(b.point)
                          .text(b.height_difference)
                          .text(b.note)
                          .str());
    levels.push_back({text});
}

void ExtraTags::add(const ReferencePoint& p)
{
    std::string text;
    append_line(text, RecordLine().text(p.name).text(p.east).text(p.north).literal("Rif").str());
    append_line(text, "#ptorz#");
    append_line(text, RecordLine().text(p.name).text(p.elevation).literal("Rif").str());
    reference_points.push_back({text});
}

void write_alignments(BookWriter& out, const PackedTexts& blocks) { write_blocks(out, "#allineamento#", blocks); }

void write_levels(BookWriter& out, const PackedTexts& blocks) { write_blocks(out, "#livello#", blocks); }

void write_reference_points(BookWriter& out, const PackedTexts& points) { write_blocks(out, "#ptorxy#", points); }

void write_image_folder(BookWriter& out, const std::string& folder)
{
    std::error_code ec;
    if (folder.empty() || !std::filesystem::exists(folder, ec)) return;
    out.tag("#dirimg#");
    out.value(folder);
}

}  // namespace qrb
