#include <gtest/gtest.h>

#include "common/failure.hpp"
#include "common/line_list.hpp"
#include "common/routines.hpp"
#include "platform/shell.hpp"
#include "support/harness.hpp"

namespace qrb {
namespace {

std::vector<std::string> split(const std::string& line, const std::string& sep)
{
    const Fields f = split_fields(line, sep);
    EXPECT_EQ(f[0], "");
    std::vector<std::string> out;
    for (std::size_t k = 1; k <= Fields::kMax; ++k) out.emplace_back(f[k]);
    while (!out.empty() && out.back().empty()) out.pop_back();
    return out;
}

TEST(SplitFields, Cases)
{
    using V = std::vector<std::string>;
    EXPECT_EQ(split("a,b,c", ","), (V{"a", "b"}));  // the last field needs a closing separator
    EXPECT_EQ(split("a,b,c,", ","), (V{"a", "b", "c"}));
    EXPECT_EQ(split("a,,b,", ","), (V{"a", "", "b"}));
    EXPECT_EQ(split("1x2X3x", "x"), (V{"1", "2", "3"}));
    EXPECT_EQ(split("abc", ","), V{});
    EXPECT_EQ(split("ab::cd::", "::"), (V{"ab", ":cd"}));  // one character dropped
    std::string many;
    for (int k = 1; k <= 30; ++k) many += std::to_string(k) + ",";
    const auto fields = split(many, ",");
    ASSERT_EQ(fields.size(), 22u);
    EXPECT_EQ(fields[21], "22");
}

TEST(SplitFields, ViewsIntoTheLineAndIndexLimit)
{
    const std::string line = "ab|cd|";
    const Fields f = split_fields(line, "|");
    EXPECT_EQ(f.count(), 2u);
    EXPECT_EQ(f[2].data(), line.data() + 3);  // no copy
    EXPECT_EQ(f[22], "");
    EXPECT_THROW((void)f[23], RunError);
}

TEST(LineList, KeepsEveryLineInOrder)
{
    LineList list;
    EXPECT_TRUE(list.empty());
    for (const char* line : {"P1|1|2|3|", "", "P3|x|"}) list.push_back(line);
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[1], "");
    EXPECT_EQ(list.back(), "P3|x|");
    std::vector<std::string> seen;
    for (const std::string_view line : list) seen.emplace_back(line);
    EXPECT_EQ(seen, (std::vector<std::string>{"P1|1|2|3|", "", "P3|x|"}));
    list.clear();
    EXPECT_TRUE(list.empty());
}

TEST(NormalizeName, CleansInPlace)
{
    EXPECT_EQ(normalize_name(" P 1,5|A#2 "), "P_1.5\\A*2");
}

TEST(FormatPadded, MaskAndWidth)
{
    EXPECT_EQ(format_padded(12.5, "0.00000000", 0), "12.50000000");
    EXPECT_EQ(format_padded(12.5, "0.00000000", 14), "12.50000000   ");
    EXPECT_EQ(format_padded(12.5, "0.00000000", 5), "12.50000000");
}

TEST(SplitFields, Trimmed)
{
    const std::string line = " a |b| c|";
    const Fields f = split_fields(line, "|").trimmed();
    EXPECT_EQ(f[1], "a");
    EXPECT_EQ(f[3], "c");
}

struct FailingShell : Shell {
    std::vector<std::string> opened;
    bool open(const std::string& target) override
    {
        opened.push_back(target);
        return false;
    }
};

TEST(ShellOpen, IgnoresFailures)
{
    FailingShell shell;
    shell_open(shell, "/no/such/folder");
    EXPECT_EQ(shell.opened, std::vector<std::string>{"/no/such/folder"});
}

}  // namespace
}  // namespace qrb
