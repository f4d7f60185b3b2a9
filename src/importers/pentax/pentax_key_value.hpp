#pragma once
// Pentax recordings made of lines of a three-letter key, a colon and a value
// (R100/300 downloaded directly, SQCx files): one body for both, with a
// table of what the two differ in.
#include <string>

#include "book/import_context.hpp"

namespace qrb::pentax {

struct KeyValueVariant {
    // Each line carries a leading line number (4 characters, 5 from the
    // 10 001st line kept on) and one trailing character; lines shorter than
    // 9 characters are noise.
    bool numbered_lines;
    // PPC is a second code key, read as PPT.
    bool knows_ppc;
    // An empty or blank STC value leaves the default station note.
    bool blank_note_keeps_default;
    // PPD also resets the reading's code text to "nn".
    bool ppd_resets_code;
    const char* note;   // the "#note#" line
    const char* title;  // the title of the result boxes (UTF-8)
};

void run_key_value(ImportContext& ctx, const std::string& input_path, const KeyValueVariant& variant);

}  // namespace qrb::pentax
