#pragma once
// One import as the window runs it, with scripted answers: the road shared by
// the conversion driver (qrb-run) and the golden-case runner.
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "book/import_context.hpp"

namespace qrb::test {

struct ImportRequest {
    std::string entry;      // the list entry whose converter runs, or
    std::string converter;  // a converter by its name
    std::string input;
    std::optional<std::string> output;  // the Save dialog's answer, or the command-line path
    ImportOptions options;
    bool cli = false;
    bool cancel_save = false;
    std::deque<int> answers;
    std::string results_folder;  // for the converters' own temporary files
    Clock clock;                 // empty: the system's local time
};

struct UsageError {
    std::string what;
};

extern const char* const kImportUsage;

// A line of qrb-run options cut into arguments: blanks separate, double
// quotes group.
std::vector<std::string> split_options(const std::string& line);

// The options of qrb-run (without the program name); throws UsageError.
ImportRequest parse_import_arguments(const std::vector<std::string>& args);

struct ImportOutcome {
    std::vector<std::string> boxes;  // "box|ICON|TITLE|TEXT|ANSWER"
    std::string escaped;             // a failure that escaped the converter, if any
    bool busy_after = false;         // the busy pointer still shown at the end
};

ImportOutcome run_import(const ImportRequest& request);
// The same on a work state kept from earlier conversions.
ImportOutcome run_import(const ImportRequest& request, WorkState& state);

}  // namespace qrb::test
