// Rules every converter keeps, checked on every golden case rather than in
// one book each: nothing carries over from one conversion to the next, a
// 0x1A byte ends the recording, and the three kinds of line end read alike.
#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "common/text.hpp"
#include "importers/registry.hpp"
#include "support/golden_case.hpp"

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

}  // namespace
}  // namespace qrb
