#pragma once
// Fixed-column fields of the Sokkia SDR recordings.
#include <string>
#include <string_view>

#include "book/survey_book.hpp"
#include "common/text.hpp"

namespace qrb::sdr {

// A field at 1-based characters; a length of 0 runs to the end of the line.
// A field partly beyond the end of a line gives what is there.
struct Column {
    long long start;
    long long length = 0;
};

inline std::string field(std::string_view line, Column c)
{
    return c.length == 0 ? mid(line, c.start) : mid(line, c.start, c.length);
}

inline std::string trimmed(std::string_view line, Column c) { return trim(field(line, c)); }

// A known point whose texts are copied from the record, trimmed: name, east,
// north, height, note, "NN" and an empty seventh field.
inline std::string known_point_text(std::string_view line, Column name, Column east, Column north, Column height,
                                    Column note)
{
    RecordLine r;
    r.text(trimmed(line, name))
        .text(trimmed(line, east))
        .text(trimmed(line, north))
        .text(trimmed(line, height))
        .text(trimmed(line, note))
        .literal("NN")
        .empty();
    return r.str();
}

}  // namespace qrb::sdr
