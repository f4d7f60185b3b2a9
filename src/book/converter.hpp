#pragma once
// What a converter's read step is given. The two frames that run a read step
// (Streaming, CollectThenWrite) are in book/frames.hpp.
//
// Both frames follow one skeleton (book/skeleton.hpp): open the input, busy
// pointer, empty every table, choose the output, read, write the end, the
// nothing-found or success box, and one exit that closes both files and
// restores the pointer. Failures are handled by the converter's
// FailurePolicy.
#include <functional>
#include <optional>
#include <string>
#include <utility>

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
    // A book that ends without any record gives "File non valido,
    // importazione fallita." under this title, and no success box.
    std::string nothing_found_title;
    // A header written before any record (by the read step, or by the
    // streaming frame) stays in a book that ends without records; a
    // collect-then-write frame then writes no header of its own.
    bool keep_header = false;
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

    // The two other endings a read step may choose before it returns; the
    // frame still ends the book as usual (trailer, nothing-found box).
    // - The input ended inside a record: `text` is shown under the failure
    //   title in place of the success box, on the command line too.
    void end_cut_short(std::string text) { cut_short_text_ = std::move(text); }
    // - The success box shows `text` in place of the converter's success text.
    void end_with_success_text(std::string text) { success_text_ = std::move(text); }

    // Ends the conversion at once, after the converter showed its own
    // message: both files are closed, nothing more is written or shown.
    [[noreturn]] void stop();

    const std::optional<std::string>& cut_short_text() const { return cut_short_text_; }
    const std::string& success_text() const { return success_text_ ? *success_text_ : spec.success_text; }

private:
    std::optional<std::string> cut_short_text_;
    std::optional<std::string> success_text_;
};

// Reads the input (and, in streaming converters, writes as it goes).
using ReadPhase = std::function<void(Conversion&)>;
// Runs right after the input is opened, before the busy pointer and the
// output choice (there is no output yet).
using OpenPhase = std::function<void(ImportContext&, LineReader&)>;

}  // namespace qrb
