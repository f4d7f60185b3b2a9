#include "support/import_run.hpp"

#include <algorithm>
#include <exception>
#include <string_view>

#include "app/dispatch.hpp"
#include "app/instrument_list.hpp"
#include "common/failure.hpp"
#include "common/work_state.hpp"
#include "importers/registry.hpp"
#include "support/scripted_ui.hpp"

namespace qrb::test {

const char* const kImportUsage =
    "usage: qrb-run (--entry TEXT | --converter NAME) --input FILE --output FILE [--type IZ|OD|none]\n"
    "               [--note 0|1] [--gen 0|1] [--cli] [--cancel-save] [--answers a,b,...]\n"
    "  --entry        the instrument list text whose converter runs (as the list shows it)\n"
    "  --converter    a converter by its name (also one without a list entry)\n"
    "  --output       the path the Save dialog returns once (with --cli: the command-line path)\n"
    "  --type         survey type, IZ by default; none chooses neither\n"
    "  --note         \"Note <-> Codici punto\", 1 by default\n"
    "  --gen          \"GSI doppia precisione\", 0 by default\n"
    "  --cli          command-line mode: no Save dialog, no success box\n"
    "  --cancel-save  the Save dialog is cancelled\n"
    "  --answers      answers to questions in order: yes, no, ok, cancel, abort, retry, ignore\n";

namespace {

bool parse_flag(std::string_view value, std::string_view name)
{
    if (value == "0") return false;
    if (value == "1") return true;
    throw UsageError{std::string(name) + " takes 0 or 1"};
}

std::deque<int> parse_answers(std::string_view list)
{
    std::deque<int> answers;
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t comma = std::min(list.find(',', start), list.size());
        const std::string name(list.substr(start, comma - start));
        const int code = answer_code(name);
        if (code == 0) throw UsageError{"unknown answer \"" + name + "\""};
        answers.push_back(code);
        start = comma + 1;
    }
    return answers;
}

}  // namespace

std::vector<std::string> split_options(const std::string& line)
{
    std::vector<std::string> args;
    std::string cur;
    bool quoted = false;
    bool have = false;
    for (const char c : line) {
        if (c == '"') {
            quoted = !quoted;
            have = true;
        } else if (!quoted && (c == ' ' || c == '\t' || c == '\r' || c == '\n')) {
            if (have) args.push_back(cur);
            cur.clear();
            have = false;
        } else {
            cur += c;
            have = true;
        }
    }
    if (have) args.push_back(cur);
    return args;
}

ImportRequest parse_import_arguments(const std::vector<std::string>& args)
{
    ImportRequest r;
    bool have_input = false;
    for (std::size_t k = 0; k < args.size(); ++k) {
        const std::string_view arg = args[k];
        if (arg == "--cli") {
            r.cli = true;
            continue;
        }
        if (arg == "--cancel-save") {
            r.cancel_save = true;
            continue;
        }
        if (k + 1 >= args.size()) throw UsageError{"missing value after " + std::string(arg)};
        const std::string_view value = args[++k];
        if (arg == "--entry") {
            r.entry = value;
        } else if (arg == "--converter") {
            r.converter = value;
        } else if (arg == "--input") {
            r.input = value;
            have_input = true;
        } else if (arg == "--output") {
            r.output = std::string(value);
        } else if (arg == "--type") {
            if (value != "IZ" && value != "OD" && value != "none") throw UsageError{"--type takes IZ, OD or none"};
            r.options.tipo_iz = value == "IZ";
            r.options.tipo_od = value == "OD";
        } else if (arg == "--note") {
            r.options.op_note = parse_flag(value, arg) ? 1 : 0;
        } else if (arg == "--gen") {
            r.options.op_gen = parse_flag(value, arg) ? 1 : 0;
        } else if (arg == "--answers") {
            r.answers = parse_answers(value);
        } else {
            throw UsageError{"unknown option " + std::string(arg)};
        }
    }
    if (r.entry.empty() == r.converter.empty()) throw UsageError{"one of --entry and --converter is required"};
    if (!r.converter.empty() && !find_converter(r.converter))
        throw UsageError{"no converter named " + r.converter};
    if (!r.entry.empty() && !find_instrument(r.entry)) throw UsageError{"no list entry \"" + r.entry + "\""};
    if (!have_input) throw UsageError{"--input is required"};
    if ((!r.output || r.output->empty()) && (r.cli || !r.cancel_save)) throw UsageError{"--output is required"};
    return r;
}

ImportOutcome run_import(const ImportRequest& request)
{
    WorkState state;
    return run_import(request, state);
}

ImportOutcome run_import(const ImportRequest& request, WorkState& state)
{
    state.results_folder = request.results_folder;
    ScriptedUi ui;
    ui.answers = request.answers;
    // The Save dialog returns the output once; shown again (after a refused
    // name), it is cancelled.
    if (!request.cli && !request.cancel_save) ui.save_results = {request.output};
    ImportContext ctx{state, ui, request.options, request.cli ? *request.output : std::string(), request.clock};

    ImportOutcome outcome;
    try {
        if (!request.converter.empty())
            find_converter(request.converter)(ctx, request.input);
        else
            dispatch_import(ctx, request.entry, request.input);
    } catch (const RunError& e) {
        outcome.escaped = std::to_string(e.code()) + " " + e.description();
    } catch (const std::exception& e) {
        outcome.escaped = e.what();
    }
    outcome.boxes = ui.box_lines();
    outcome.busy_after = ui.busy;
    return outcome;
}

}  // namespace qrb::test
