// qrb-run: one import as the window runs it, for tests and checks. The list
// entry's converter (or a converter by name) reads the input with scripted
// answers; every box shown is printed on standard output as one line
// "box|ICON|TITLE|TEXT|ANSWER".
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "support/import_run.hpp"

int main(int argc, char** argv)
{
    qrb::test::ImportRequest request;
    try {
        request = qrb::test::parse_import_arguments(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const qrb::test::UsageError& e) {
        std::cerr << "qrb-run: " << e.what << "\n" << qrb::test::kImportUsage;
        return 2;
    }
    // The converters' temporary files go beside the book.
    if (request.output) request.results_folder = std::filesystem::path(*request.output).parent_path().string();

    const qrb::test::ImportOutcome outcome = qrb::test::run_import(request);
    if (!outcome.escaped.empty()) std::cerr << "qrb-run: failure escaped the converter: " << outcome.escaped << "\n";
    for (const auto& box : outcome.boxes) std::cout << box << "\n";
    return outcome.escaped.empty() ? 0 : 1;
}
