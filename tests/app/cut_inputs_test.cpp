// Every golden case's recording cut short, at line ends and inside lines, run
// through its converter with the case's options: the rules that hold for
// every converter whatever the input, rather than one book each.
//  - nothing escapes the converter and the recording is left as it was;
//  - no success (an information box) follows an error box;
//  - any book written, whole or cut short by a failure, is made of whole
//    lines: the header first, then only records opened by their tags (no
//    reading outside a station block), every line ended by CR LF, and
//    "#origine#", where it stands, only as the line before the last;
//  - a success box closes a book with data.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "support/book_checks.hpp"
#include "support/harness.hpp"
#include "support/golden_case.hpp"
#include "support/import_run.hpp"

namespace qrb {
namespace {

namespace fs = std::filesystem;

// Where the recording is cut: nowhere, after every line end and three
// characters before it (at most about 40 of each), and at the last byte.
std::vector<std::size_t> cut_points(const std::string& input)
{
    std::vector<std::size_t> ends;
    for (std::size_t k = 0; k < input.size(); ++k)
        if (input[k] == '\n' || (input[k] == '\r' && (k + 1 == input.size() || input[k + 1] != '\n')))
            ends.push_back(k + 1);
    const std::size_t step = std::max<std::size_t>(1, ends.size() / 40);
    std::set<std::size_t> cuts{0};
    if (!input.empty()) cuts.insert(input.size() - 1);
    for (std::size_t k = 0; k < ends.size(); k += step) {
        cuts.insert(ends[k]);
        if (ends[k] > 3) cuts.insert(ends[k] - 3);
    }
    cuts.erase(input.size());  // the whole recording is the golden case itself
    return {cuts.begin(), cuts.end()};
}

std::string icon_of(const std::string& box) { return box.substr(4, box.find('|', 4) - 4); }

// What is wrong with the lines of a book; empty when nothing is.
std::string book_fault(const std::string& book)
{
    if (!book.starts_with("#titolo#\r\n")) return "it does not open with the header";
    for (std::size_t k = 0; k < book.size(); ++k) {
        if (book[k] == '\r' && (k + 1 == book.size() || book[k + 1] != '\n')) return "a CR without LF";
        if (book[k] == '\n' && (k == 0 || book[k - 1] != '\r')) return "an LF without CR";
    }
    if (!book.ends_with("\r\n")) return "its last line has no line end";
    // Every record opens with its tag: no reading stands outside a station
    // block.
    if (std::string stray = test::stray_line_before_first_station(book); !stray.empty()) return stray;
    const std::size_t trailer = book.find("\r\n#origine#\r\n");
    if (trailer != std::string::npos && book.find("\r\n", trailer + 13) != book.size() - 2)
        return "\"#origine#\" is not the line before the last";
    return {};
}

TEST(CutInputs, EveryConverterStaysSoundOnARecordingCutShort)
{
    std::size_t runs = 0;
    for (const fs::path& dir : test::golden_cases(QRB_GOLDEN_CASES)) {
        if (fs::exists(dir / "beside")) continue;  // folders beside the input: their own cases
        const std::string input = test::read_file(dir / "input");
        const std::vector<std::string> args = test::split_options(test::read_file(dir / "options"));
        for (const std::size_t cut : cut_points(input)) {
            const std::string where = dir.parent_path().filename().string() + "/" +
                                      dir.filename().string() + " cut at " + std::to_string(cut);
            test::TempDir tmp;
            const fs::path recording = tmp / "input.dat";
            const fs::path book = tmp / "out.qrb";
            const std::string kept = input.substr(0, cut);
            test::write_file(recording, kept);
            std::vector<std::string> all = args;
            all.insert(all.end(), {"--input", recording.string(), "--output", book.string()});
            test::ImportRequest request = test::parse_import_arguments(all);
            request.results_folder = tmp.path().string();
            request.clock = [] { return LocalDateTime{2001, 2, 3, 4, 5}; };
            const test::ImportOutcome outcome = test::run_import(request);
            ++runs;

            EXPECT_EQ(outcome.escaped, "") << where;
            EXPECT_EQ(test::read_file(recording), kept) << where;
            bool error = false;
            bool success_after_error = false;
            for (const std::string& box : outcome.boxes) {
                const std::string icon = icon_of(box);
                if (icon == "crit") error = true;
                if (icon == "info" && error) success_after_error = true;
            }
            EXPECT_FALSE(success_after_error) << where;

            if (fs::exists(book)) {
                const std::string text = test::read_file(book);
                EXPECT_TRUE(text.empty() || book_fault(text).empty()) << where << ": " << book_fault(text);
                // A success closes a book with data.
                const bool success = !outcome.boxes.empty() && icon_of(outcome.boxes.back()) == "info";
                EXPECT_TRUE(!success || test::has_record(text)) << where << ": success over a book without data";
            }
        }
    }
    EXPECT_GT(runs, 1000u);
}

}  // namespace
}  // namespace qrb
