#pragma once
// Label lines: a label number, "=" and a value, one item a line, as the AGA,
// Geotronics, Trimble and Geodat recorders write them. Labels are compared
// as whole texts, never as numbers ("02" is not label 2).
#include <string>
#include <string_view>

namespace qrb::label {

struct LabelLine {
    std::string label;
    std::string value;
};

// The trimmed cut: at the first "=", label and value, both trimmed and lower-
// cased ("5 = P 1=X" gives "5" and "p 1=x"). A line without "=" has no label:
// both are empty.
LabelLine trimmed_cut(std::string_view line);

// The raw cut: the text before the first "=" and the text between the first
// and a second "=", as they stand. A line without "=" is a label with an
// empty value.
LabelLine raw_cut(std::string_view line);

}  // namespace qrb::label
