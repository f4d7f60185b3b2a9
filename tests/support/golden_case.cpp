#include "support/golden_case.hpp"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "common/text.hpp"
#include "support/harness.hpp"
#include "support/import_run.hpp"

namespace qrb::test {

namespace {

namespace fs = std::filesystem;

std::vector<std::string> lines_of(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) lines.push_back(line);
    }
    return lines;
}

// A book's bytes cut after each LF, shown readably: Windows-1252 as UTF-8,
// CR and LF and other control bytes as escapes.
std::vector<std::string> readable_book_lines(const std::string& book)
{
    std::vector<std::string> out;
    std::string raw;
    auto flush = [&] {
        std::string shown;
        for (const char ch : raw) {
            const auto u = static_cast<unsigned char>(ch);
            if (ch == '\r') shown += "\\r";
            else if (ch == '\n') shown += "\\n";
            else if (u < 0x20 || u == 0x7F) {
                char hex[8];
                std::snprintf(hex, sizeof hex, "\\x%02X", u);
                shown += hex;
            } else
                shown += cp1252_to_utf8(std::string_view(&ch, 1));
        }
        out.push_back(shown);
        raw.clear();
    };
    for (const char ch : book) {
        raw += ch;
        if (ch == '\n') flush();
    }
    if (!raw.empty()) flush();
    return out;
}

// The first difference of two line lists, with a line of context.
void print_diff(std::ostream& out, const std::string& what, const std::vector<std::string>& expected,
                const std::vector<std::string>& actual)
{
    std::size_t k = 0;
    while (k < expected.size() && k < actual.size() && expected[k] == actual[k]) ++k;
    out << what << " differs at line " << (k + 1) << " (expected " << expected.size() << " lines, got "
              << actual.size() << "):\n";
    const std::size_t from = k > 0 ? k - 1 : 0;
    for (std::size_t j = from; j < std::min(expected.size(), k + 3); ++j)
        out << (j == k ? "  - " : "    ") << (j + 1) << ": " << expected[j] << "\n";
    for (std::size_t j = from; j < std::min(actual.size(), k + 3); ++j)
        out << (j == k ? "  + " : "    ") << (j + 1) << ": " << actual[j] << "\n";
}

}  // namespace

std::vector<std::filesystem::path> golden_cases(const std::filesystem::path& root)
{
    std::vector<fs::path> cases;
    for (const auto& converter : fs::directory_iterator(root))
        for (const auto& entry : fs::directory_iterator(converter.path()))
            if (fs::is_regular_file(entry.path() / "input")) cases.push_back(entry.path());
    std::sort(cases.begin(), cases.end());
    return cases;
}

std::string check_golden_case(const std::filesystem::path& dir, const GoldenRun& run)
{
    std::ostringstream out;
    for (const char* required : {"input", "options", "expected.boxes", "why"})
        if (!fs::exists(dir / required)) {
            out << dir.string() << ": " << required << " is missing\n";
            return out.str();
        }
    const bool expect_none = fs::exists(dir / "expected.none");
    if (expect_none == fs::exists(dir / "expected.qrb")) {
        out << dir.string() << ": exactly one of expected.qrb and expected.none is needed\n";
        return out.str();
    }

    TempDir tmp;
    const fs::path input = tmp / "input.dat";
    const fs::path output = tmp / "out.qrb";
    if (fs::is_directory(dir / "input"))
        fs::create_directory(input);
    else if (run.recording)
        write_file(input, run.recording(read_file(dir / "input")));
    else
        fs::copy_file(dir / "input", input);
    if (fs::exists(dir / "book.before")) fs::copy_file(dir / "book.before", output);
    const bool has_beside = fs::exists(dir / "beside");
    if (has_beside)
        for (const std::string& name : lines_of(read_file(dir / "beside"))) fs::create_directory(tmp / name);

    std::vector<std::string> args = split_options(read_file(dir / "options"));
    args.insert(args.end(), {"--input", input.string(), "--output", output.string()});
    ImportRequest request;
    try {
        request = parse_import_arguments(args);
    } catch (const UsageError& e) {
        out << dir.string() << ": options: " << e.what << "\n";
        return out.str();
    }
    request.results_folder = tmp.path().string();
    request.clock = [] { return LocalDateTime{2001, 2, 3, 4, 5}; };

    const ImportOutcome outcome = run.state ? run_import(request, *run.state) : run_import(request);
    bool ok = true;
    if (!outcome.escaped.empty()) {
        out << "a failure escaped the converter: " << outcome.escaped << "\n";
        ok = false;
    }
    if (outcome.busy_after) {
        out << "the busy pointer is still shown\n";
        ok = false;
    }
    const std::vector<std::string> expected_boxes = lines_of(read_file(dir / "expected.boxes"));
    if (expected_boxes != outcome.boxes) {
        print_diff(out, "boxes", expected_boxes, outcome.boxes);
        ok = false;
    }
    const bool book_exists = fs::exists(output);
    if (expect_none) {
        if (book_exists) {
            out << "a book was written; expected none\n";
            ok = false;
        }
    } else if (!book_exists) {
        out << "no book was written\n";
        ok = false;
    } else {
        std::string expected = read_file(dir / "expected.qrb");
        if (has_beside) expected = replace_all(expected, "{tmp}", tmp.path().string());
        const std::string actual = read_file(output);
        if (expected != actual) {
            print_diff(out, "book", readable_book_lines(expected), readable_book_lines(actual));
            ok = false;
        }
    }
    if (!ok) out << "case: " << read_file(dir / "why");
    return out.str();
}

}  // namespace qrb::test
