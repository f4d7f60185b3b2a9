// Nothing carries over from one conversion to the next: every golden case
// gives its book and boxes also when it runs on the work state that all the
// cases before it (of every converter, forwards and then backwards) have
// used, as the window runs one conversion after another.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "support/golden_case.hpp"

namespace qrb {
namespace {

namespace fs = std::filesystem;

TEST(OneAfterAnother, EveryGoldenCaseHoldsOnAUsedWorkState)
{
    std::vector<fs::path> cases;
    for (const auto& converter : fs::directory_iterator(QRB_GOLDEN_CASES))
        for (const auto& entry : fs::directory_iterator(converter.path())) cases.push_back(entry.path());
    std::sort(cases.begin(), cases.end());
    ASSERT_GT(cases.size(), 200u);

    WorkState state;
    for (const fs::path& dir : cases) EXPECT_EQ(test::check_golden_case(dir, &state), "") << dir;
    for (auto it = cases.rbegin(); it != cases.rend(); ++it) EXPECT_EQ(test::check_golden_case(*it, &state), "") << *it;
}

}  // namespace
}  // namespace qrb
