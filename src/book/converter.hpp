#pragma once
// What a converter's read step is given, and the frame of a converter that
// writes the book as it reads. The frame of a converter that collects first
// and writes at the end is CollectThenWrite (book/station_table.hpp).
//
// Both frames follow one skeleton (book/skeleton.hpp): open the input, busy
// pointer, empty every table, choose the output, read, write the end, the
// success box, and one exit that closes both files and restores the
// pointer. Failures are handled by the converter's FailurePolicy.
#include <functional>
#include <optional>
#include <string>

#include "book/failure_policy.hpp"
#include "book/import_context.hpp"
#include "book/survey_book.hpp"
#include "common/line_reader.hpp"

namespace qrb {

// What a frame hands to the skeleton.
struct ConverterSpec {
    FailurePolicy failure;
    // Collect-then-write converters write nothing while reading; reading past
    // the end then writes what was collected completely.
    bool collect_then_write = true;
    std::string success_text = kImportedOk;
    std::string success_title;
    // The chosen book is written only when the conversion ends: a failure
    // before then leaves an existing file as it was.
    bool book_at_end = false;
};

// One running conversion, handed to the converter's steps.
class Conversion {
public:
    Conversion(ImportContext& context, LineReader& input, BookWriter& output, const ConverterSpec& converter_spec)
        : ctx(context), state(context.state), ui(context.ui), options(context.options), in(input), out(output),
          spec(converter_spec)
    {
    }

    ImportContext& ctx;
    WorkState& state;
    Ui& ui;
    const ImportOptions& options;
    LineReader& in;
    BookWriter& out;
    const ConverterSpec& spec;

    // Shows a box; a Yes/No answer is kept in state.msgbox_answer.
    int box(const std::string& text, const std::string& title, Icon icon, Buttons buttons = Buttons::Ok);
};

// The nothing-found end of a book that holds no record: the book emptied (or
// left with the header a converter wrote before reading, when
// `keep_header`), then "File non valido, importazione fallita." under
// `title`. The skeleton does this after any end that wrote no record.
void end_without_records(Conversion& conv, const std::string& title, bool keep_header = false);

// Reads the input (and, in streaming converters, writes as it goes).
using ReadPhase = std::function<void(Conversion&)>;
// Runs right after the input is opened, before the busy pointer and the
// output choice (there is no output yet).
using OpenPhase = std::function<void(ImportContext&, LineReader&)>;

// The five header lines of a book.
struct BookHeader {
    std::string title;
    std::string locality = "Nessuna";
    std::string survey_type;
    std::string note;
};

// The frame of a converter that writes the book as it reads: the header
// (when given here; otherwise the read step writes it), the read step, the
// trailer at the normal end (unless `trailer` is off), then the success box.
// What was written before a failure stays in the output.
struct Streaming {
    // The failure handling; its title is also the success box's title.
    explicit Streaming(FailurePolicy failure);
    void run(ImportContext& ctx, const std::string& input_path, const ReadPhase& read,
             const OpenPhase& on_input_open = {}) const;

    ConverterSpec spec;
    std::optional<BookHeader> header;
    bool trailer = true;
};

// Ends a conversion at once from inside a step, after the converter showed
// its own message: both files are closed, nothing more is written or shown.
struct StopConversion {};

}  // namespace qrb
