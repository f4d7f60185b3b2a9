#pragma once
// The AGA 540/640 and GEO recordings: label lines written as they are read.
// A station line (label 2) writes its block at once, taking its height and
// note from the lines right after it; a point line opens a point block of a
// few lines, written when the block ends: a measured point (label 7) as a
// reading line, a known point (label 37) as "#passnoto#". Values are written
// as they stand in the input.
#include <span>
#include <string>
#include <string_view>

#include "book/import_context.hpp"

namespace qrb::label {

// What tells the two formats apart.
struct StreamFormat {
    const char* default_title;  // "#titolo#" when the first line has no label 50
    const char* note;           // "#note#"
    const char* title;          // the title of every box
    int block_lines;            // lines read after a point line
    std::span<const std::string_view> point_labels;
    std::span<const std::string_view> vertical_labels;
    // Both lines after a station line may give its height (3) or note (4);
    // otherwise the first gives the height and the second the note.
    bool station_lines_either_way;
    // The last field of a point: the upper-cased code when "Note <-> Codici
    // punto" is ticked, else "NN"; otherwise always the upper-cased code.
    bool code_by_op_note;
    const char* some_errors_text;  // the input ended inside a block
    bool book_at_end;              // the chosen book is written only at the end
};

void run_label_stream(ImportContext& ctx, const std::string& input_path, const StreamFormat& format);

}  // namespace qrb::label
