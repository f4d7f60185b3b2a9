#pragma once
// What the streaming Sokkia converters share: the header held back until the
// first data.
#include <string>
#include <utility>

#include "book/converter.hpp"

namespace qrb::sokkia {

// The header of a streaming book held back until its first data, so that a
// recording without data leaves an empty book.
class HeldHeader {
public:
    explicit HeldHeader(BookHeader header) : header_(std::move(header)) {}

    // Writes the header unless it stands in the output already.
    void write(BookWriter& out)
    {
        if (written_) return;
        write_header(out, header_.title, header_.locality, header_.survey_type, header_.note);
        written_ = true;
    }
    bool written() const { return written_; }

private:
    BookHeader header_;
    bool written_ = false;
};

// Ends a conversion that wrote no data: the nothing-found box, titled as the
// converter's success box, over an empty book.
[[noreturn]] inline void nothing_found(Conversion& c)
{
    c.box(kNothingFound, c.spec.success_title, Icon::Exclamation);
    throw StopConversion{};
}

}  // namespace qrb::sokkia
