// Rules every converter keeps, checked on every golden case rather than in
// one book each: nothing carries over from one conversion to the next, a
// 0x1A byte ends the recording, the three kinds of line end read alike, and
// no reading stands before the first station block.
#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "common/text.hpp"
#include "importers/registry.hpp"
#include "support/book_checks.hpp"
#include "support/golden_case.hpp"
#include "support/harness.hpp"
#include "support/import_run.hpp"

namespace qrb {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> golden_cases() { return test::golden_cases(QRB_GOLDEN_CASES); }

// The rules below reach every converter only through its golden cases.
TEST(GoldenCases, EveryRegisteredConverterHasSome)
{
    for (const RegisteredConverter& c : registered_converters()) {
        const fs::path folder = fs::path(QRB_GOLDEN_CASES) / std::string(c.name);
        EXPECT_TRUE(fs::is_directory(folder) && !fs::is_empty(folder)) << c.name << ": no golden case in " << folder;
    }
}

// Every case gives its book and boxes also on the work state that all the
// cases before it (of every converter, forwards and then backwards) have used,
// as the window runs one conversion after another.
TEST(OneAfterAnother, EveryGoldenCaseHoldsOnAUsedWorkState)
{
    const std::vector<fs::path> cases = golden_cases();
    ASSERT_GT(cases.size(), 200u);

    WorkState state;
    for (const fs::path& dir : cases) EXPECT_EQ(test::check_golden_case(dir, {&state, {}}), "") << dir;
    for (auto it = cases.rbegin(); it != cases.rend(); ++it) EXPECT_EQ(test::check_golden_case(*it, {&state, {}}), "") << *it;
}

// A 0x1A byte (the DOS end-of-file mark) ends every recording: what follows
// it changes nothing.
TEST(EndOfFileMark, EndsEveryRecording)
{
    for (const fs::path& dir : golden_cases()) {
        const test::GoldenRun run{nullptr, [](const std::string& input) { return input + "\x1A" + "ST,9|9\r\n*11\r\n"; }};
        EXPECT_EQ(test::check_golden_case(dir, run), "") << dir;
    }
}

// Lines end at CR LF, a lone CR or a lone LF alike.
TEST(LineEnds, AnyOfTheThreeGivesTheSameBook)
{
    for (const fs::path& dir : golden_cases()) {
        for (const char* end : {"\n", "\r"}) {
            const test::GoldenRun run{nullptr, [end](const std::string& input) { return replace_all(input, "\r\n", end); }};
            EXPECT_EQ(test::check_golden_case(dir, run), "") << dir << " with " << (end[0] == '\n' ? "LF" : "CR");
        }
    }
}

// A reading belongs to a station: none stands before the first station block,
// neither in an expected book nor in what a fuzz seed's recording gives.
TEST(StationBlocks, NoReadingBeforeTheFirstInAnyExpectedBook)
{
    for (const fs::path& dir : golden_cases()) {
        if (!fs::exists(dir / "expected.qrb")) continue;
        EXPECT_EQ(test::stray_line_before_first_station(test::read_file(dir / "expected.qrb")), "") << dir;
    }
}

TEST(StationBlocks, NoReadingBeforeTheFirstInTheBooksOfTheFuzzSeeds)
{
    std::size_t books = 0;
    for (const auto& converter : fs::directory_iterator(QRB_FUZZ_SEEDS)) {
        for (const auto& seed : fs::directory_iterator(converter.path())) {
            test::TempDir tmp;
            const fs::path book = tmp / "out.qrb";
            test::ImportRequest request = test::parse_import_arguments(
                {"--converter", converter.path().filename().string(), "--cli", "--input", seed.path().string(),
                 "--output", book.string()});
            request.results_folder = tmp.path().string();
            request.clock = [] { return LocalDateTime{2001, 2, 3, 4, 5}; };
            const test::ImportOutcome outcome = test::run_import(request);
            EXPECT_EQ(outcome.escaped, "") << seed.path();
            if (!fs::exists(book)) continue;
            ++books;
            EXPECT_EQ(test::stray_line_before_first_station(test::read_file(book)), "") << seed.path();
        }
    }
    EXPECT_GT(books, 100u);
}

// The check itself: a reading after a known point and before any station is
// found; one inside a station block, or after the first, is not its concern.
TEST(StationBlocks, TheCheckFindsAReadingBeforeTheFirstStation)
{
    const std::string header = "#titolo#\r\nT\r\n#loc#\r\nL\r\n#tipo#\r\nIZ\r\n#angoli#\r\nCENT\r\n#note#\r\n\r\n";
    EXPECT_EQ(test::stray_line_before_first_station(header + "#passnoto#\r\nk|1|2|3|n|NN||\r\np1|10|90|5|0.00|nn|NN|\r\n"),
              "reading before any station: p1|10|90|5|0.00|nn|NN|");
    EXPECT_EQ(test::stray_line_before_first_station(header + "p1|10|90|5|0.00|nn|NN|\r\n"),
              "reading before any station: p1|10|90|5|0.00|nn|NN|");
    EXPECT_EQ(test::stray_line_before_first_station(header + "#allineamento#\r\na\r\nb\r\nc\r\n#stazione#\r\ns\r\n1\r\nn\r\n"
                                                    "p1|10|90|5|0.00|nn|NN|\r\n#origine#\r\n0|0|0|\r\n"),
              "");
    EXPECT_EQ(test::stray_line_before_first_station(header + "#nuovo#\r\nx\r\n"), "unknown tag: #nuovo#");
}

}  // namespace
}  // namespace qrb
