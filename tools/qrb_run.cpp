// qrb-run: one import as the window runs it, for tests and checks. The list
// entry's converter reads the input with scripted answers; every box shown
// is printed on standard output as one line "box|ICON|TITLE|TEXT|ANSWER".
#include <algorithm>
#include <deque>
#include <exception>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

#include "app/dispatch.hpp"
#include "book/import_context.hpp"
#include "common/failure.hpp"
#include "common/work_state.hpp"
#include "support/scripted_ui.hpp"

namespace {

constexpr std::string_view kUsage =
    "usage: qrb-run --entry TEXT --input FILE --output FILE [--type IZ|OD] [--note 0|1] [--gen 0|1]\n"
    "               [--cli] [--cancel-save] [--answers a,b,...]\n"
    "  --entry        the instrument list text whose converter runs\n"
    "  --output       the path the Save dialog returns once (with --cli: the command-line path)\n"
    "  --type         survey type, IZ by default\n"
    "  --note         \"Note <-> Codici punto\", 1 by default\n"
    "  --gen          \"GSI doppia precisione\", 0 by default\n"
    "  --cli          command-line mode: no Save dialog, no success box\n"
    "  --cancel-save  the Save dialog is cancelled\n"
    "  --answers      answers to questions in order: yes, no, ok, cancel, abort, retry, ignore\n";

struct Arguments {
    std::string entry;
    std::string input;
    std::optional<std::string> output;
    qrb::ImportOptions options;
    bool cli = false;
    bool cancel_save = false;
    std::deque<int> answers;
};

struct UsageError {
    std::string what;
};

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
        const int code = qrb::test::answer_code(name);
        if (code == 0) throw UsageError{"unknown answer \"" + name + "\""};
        answers.push_back(code);
        start = comma + 1;
    }
    return answers;
}

Arguments parse(int argc, char** argv)
{
    Arguments a;
    bool have_entry = false;
    bool have_input = false;
    for (int k = 1; k < argc; ++k) {
        const std::string_view arg = argv[k];
        if (arg == "--cli") {
            a.cli = true;
            continue;
        }
        if (arg == "--cancel-save") {
            a.cancel_save = true;
            continue;
        }
        if (k + 1 >= argc) throw UsageError{"missing value after " + std::string(arg)};
        const std::string_view value = argv[++k];
        if (arg == "--entry") {
            a.entry = value;
            have_entry = true;
        } else if (arg == "--input") {
            a.input = value;
            have_input = true;
        } else if (arg == "--output") {
            a.output = std::string(value);
        } else if (arg == "--type") {
            if (value != "IZ" && value != "OD") throw UsageError{"--type takes IZ or OD"};
            a.options.tipo_iz = value == "IZ";
            a.options.tipo_od = value == "OD";
        } else if (arg == "--note") {
            a.options.op_note = parse_flag(value, arg) ? 1 : 0;
        } else if (arg == "--gen") {
            a.options.op_gen = parse_flag(value, arg) ? 1 : 0;
        } else if (arg == "--answers") {
            a.answers = parse_answers(value);
        } else {
            throw UsageError{"unknown option " + std::string(arg)};
        }
    }
    if (!have_entry) throw UsageError{"--entry is required"};
    if (!have_input) throw UsageError{"--input is required"};
    if ((!a.output || a.output->empty()) && (a.cli || !a.cancel_save)) throw UsageError{"--output is required"};
    return a;
}

}  // namespace

int main(int argc, char** argv)
{
    Arguments args;
    try {
        args = parse(argc, argv);
    } catch (const UsageError& e) {
        std::cerr << "qrb-run: " << e.what << "\n" << kUsage;
        return 2;
    }

    qrb::WorkState state;
    qrb::test::ScriptedUi ui;
    ui.answers = args.answers;
    // The Save dialog returns --output once; shown again (after a refused
    // name), it is cancelled.
    if (!args.cli && !args.cancel_save) ui.save_results = {args.output};
    qrb::ImportContext ctx{state, ui, args.options, args.cli ? *args.output : std::string()};

    int status = 0;
    try {
        qrb::dispatch_import(ctx, args.entry, args.input);
    } catch (const qrb::RunError& e) {
        std::cerr << "qrb-run: failure escaped the converter: " << e.code() << " " << e.description() << "\n";
        status = 1;
    } catch (const std::exception& e) {
        std::cerr << "qrb-run: failure escaped the converter: " << e.what() << "\n";
        status = 1;
    }
    for (const auto& box : ui.boxes) std::cout << qrb::test::box_line(box) << "\n";
    return status;
}
