#include "book/converter.hpp"

#include "book/skeleton.hpp"

#include <optional>

#include "common/failure.hpp"

namespace qrb {

int Conversion::box(const std::string& text, const std::string& title, Icon icon, Buttons buttons)
{
    const int answer = ui.message_box(text, title, icon, buttons);
    if (answer == kYes || answer == kNo) state.msgbox_answer = answer;
    return answer;
}

void Conversion::stop() { throw StopConversion{}; }

namespace {

// Shows the box of a failure by the converter's policy.
void report(Ui& ui, const FailurePolicy& policy, const RunError& e)
{
    using Style = FailurePolicy::Style;
    switch (policy.style) {
    case Style::Older:
        ui.message_box(older_text(e.code(), e.description()), kOlderTitle, Icon::Exclamation);
        return;
    case Style::Short:
        if (e.code() == kFileNotFound) return;
        if (e.code() == kPastEndOfInput && policy.end_of_input) {
            ui.message_box(kDataErrors, policy.title, Icon::Exclamation);
            return;
        }
        break;
    case Style::Standard:
        if (e.code() == kPastEndOfInput && policy.end_of_input) {
            ui.message_box(kSomeErrors, policy.title, Icon::Exclamation);
            return;
        }
        if (e.code() == kInvalidArgument && policy.malformed) {
            ui.message_box(malformed_text(policy), policy.title, Icon::Exclamation);
            return;
        }
        break;
    }
    ui.message_box(unexpected_text(e.code(), e.description()),
                   policy.unexpected_title.empty() ? kUnexpectedTitle : policy.unexpected_title, Icon::Exclamation);
}

}  // namespace

void run_converter(ImportContext& ctx, const std::string& input_path, const ConverterSpec& spec,
                   const ReadPhase& read, const FinishPhase& finish, const OpenPhase& on_input_open)
{
    std::optional<LineReader> in;
    std::optional<BookWriter> out;
    std::optional<BusyPointer> busy;
    std::optional<Conversion> conv;
    try {
        in.emplace(input_path);
        if (on_input_open) on_input_open(ctx, *in);
        busy.emplace(ctx.ui);
        // Nothing carries over from an earlier conversion.
        ctx.state.clear_tables();

        const std::string& title = !spec.failure.title.empty() ? spec.failure.title : spec.success_title;
        const std::optional<std::string> output = choose_output_file(ctx, input_path, title);
        if (!output) return;
        out.emplace(*output, spec.book_at_end ? BookWriter::Open::AtClose : BookWriter::Open::AtStart);
        conv.emplace(ctx, *in, *out, spec);

        try {
            read(*conv);
        } catch (const RunError& e) {
            if (e.code() != kPastEndOfInput || !spec.collect_then_write) throw;
            conv->end_cut_short(kSomeErrors);  // write what was collected completely
        }
        // A book that holds nothing but its header and trailer is no success:
        // it is emptied (or keeps the header written before reading).
        const bool found = finish(*conv) && out->has_records();
        if (!found && !spec.keep_header) out->discard();
        out->close();
        if (!found) {
            conv->box(kNothingFound, spec.nothing_found_title, Icon::Exclamation);
            return;
        }
        if (const std::optional<std::string>& warning = conv->cut_short_text()) {
            ctx.ui.message_box(*warning, spec.failure.title.empty() ? kOlderTitle : spec.failure.title,
                               Icon::Exclamation);
        } else if (!ctx.command_line_mode()) {
            ctx.ui.message_box(conv->success_text(), spec.success_title, Icon::Information);
        }
    } catch (const StopConversion&) {
    } catch (const RunError& e) {
        report(ctx.ui, spec.failure, e);
    } catch (const std::bad_alloc&) {
        report(ctx.ui, spec.failure, RunError(kOutOfMemory));
    }
}

}  // namespace qrb
