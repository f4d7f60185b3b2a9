#pragma once
// The two frames of a converter. A converter's entry function makes one,
// sets what its format needs and runs its read step in it; the frame owns
// the header, the end of the book (trailer, nothing-found box, success box)
// and the failure handling. The read step chooses another ending only
// through its Conversion (end_cut_short, end_with_success_text, stop).
#include <functional>
#include <optional>
#include <string>

#include "book/converter.hpp"
#include "book/station_table.hpp"

namespace qrb {

// The frame of a converter that writes the book as it reads: the header
// (when given here; otherwise the read step writes it), the read step, the
// trailer at the normal end of a book with records (unless `trailer` is
// off), then the success box. What was written before a failure stays in
// the output. Given: the failure handling, whose title is also the title of
// the success and the nothing-found boxes (both in `spec`, to be changed
// before run()).
struct Streaming {
    explicit Streaming(FailurePolicy failure);
    void run(ImportContext& ctx, const std::string& input_path, const ReadPhase& read,
             const OpenPhase& on_input_open = {}) const;

    ConverterSpec spec;
    std::optional<BookHeader> header;
    bool trailer = true;
};

// The frame of a collect-then-write converter: the read step fills the
// tables, then the book is written by write_station_table. Given: the
// failure handling, whose title is also the success title; the book's title,
// also the title of the nothing-found box; the survey type of the window's
// options; the note. The rest of `spec` and `book` can be changed before
// run().
struct CollectThenWrite {
    CollectThenWrite(const ImportOptions& options, FailurePolicy failure, std::string book_title, std::string note);
    void run(ImportContext& ctx, const std::string& input_path, const ReadPhase& read,
             const OpenPhase& on_input_open = {}) const;

    ConverterSpec spec;
    StationTableOptions book;
    // Header values learnt while reading (a job name, for example): called
    // with a copy of `book` right before it is written.
    std::function<void(StationTableOptions&)> before_writing;
    // A station is never touched once the next one is added: it is held as
    // its book text from then on (see finish_stations_on_add).
    bool stations_finished_on_add = false;
};

}  // namespace qrb
