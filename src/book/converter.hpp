#pragma once
// The skeleton every converter follows: open the input, busy pointer, empty
// the tables, choose the output, read, write the end, success box, and one
// exit that closes both files and restores the pointer. Failures are handled
// by the converter's FailurePolicy.
#include <functional>
#include <string>
#include <vector>

#include "book/failure_policy.hpp"
#include "book/import_context.hpp"
#include "book/survey_book.hpp"
#include "common/line_reader.hpp"

namespace qrb {

struct ConverterSpec {
    FailurePolicy failure;
    // Collect-then-write converters write nothing while reading; reading past
    // the end then writes what was collected completely.
    bool collect_then_write = true;
    bool clear_stations = true;
    bool clear_gnss = false;  // the GNSS base table and the geographic points
    std::vector<int> scratch_lists{0};  // the scratch lists emptied at the start
    std::string success_text = kImportedOk;
    std::string success_title;
};

// A converter that writes the book as it reads: it uses no tables, and
// what it wrote before a failure stays in the output.
ConverterSpec streaming_spec(FailurePolicy failure, std::string success_title);

// One running conversion, handed to the converter's phases.
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
// Writes the end of the book; returns false when nothing was written (the
// nothing-found box was shown), so that no success box follows.
using FinishPhase = std::function<bool(Conversion&)>;
// The end of a streaming converter's book: the trailer.
bool finish_with_trailer(Conversion& conv);
// Runs right after the input is opened, before the busy pointer and the
// output choice (there is no output yet).
using OpenPhase = std::function<void(ImportContext&, LineReader&)>;

void run_converter(ImportContext& ctx, const std::string& input_path, const ConverterSpec& spec,
                   const ReadPhase& read, const FinishPhase& finish, const OpenPhase& on_input_open = {});

// Ends a conversion at once from inside a phase, after the converter showed
// its own message: both files are closed, nothing more is written or shown.
struct StopConversion {};

}  // namespace qrb
