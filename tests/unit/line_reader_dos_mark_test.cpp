#include <gtest/gtest.h>

#include "common/line_reader.hpp"
#include "support/harness.hpp"

namespace qrb {
namespace {

// The lines of `bytes`, read with the DOS end-of-file mark ending the input
// (or not), and the bytes that follow them.
std::vector<std::string> lines_of(const std::string& bytes, bool mark_ends)
{
    test::TempDir dir;
    test::write_file(dir / "in.txt", bytes);
    LineReader in((dir / "in.txt").string());
    if (mark_ends) in.end_at_dos_mark();
    std::vector<std::string> out;
    std::string line;
    while (in.next_line(line)) out.push_back(line);
    EXPECT_TRUE(in.at_end());
    EXPECT_EQ(in.read_byte(), -1);
    return out;
}

TEST(LineReaderDosMark, TheMarkEndsTheInput)
{
    using V = std::vector<std::string>;
    EXPECT_EQ(lines_of("a\r\nb\x1A" "c\r\nd\r\n", true), (V{"a", "b"}));
    EXPECT_EQ(lines_of("a\r\n\x1A\r\nb", true), (V{"a"}));
    EXPECT_EQ(lines_of("\x1A" "a", true), V{});
    EXPECT_EQ(lines_of("a\r\x1A", true), (V{"a"}));
    // A mark beyond the first buffer of the reader.
    const std::string long_line(70000, 'x');
    EXPECT_EQ(lines_of(long_line + "\r\n" + long_line + "\x1A" "tail", true), (V{long_line, long_line}));
}

TEST(LineReaderDosMark, WithoutTheOptionTheMarkIsAByte)
{
    EXPECT_EQ(lines_of("a\x1A" "b\r\n", false), std::vector<std::string>{"a\x1A" "b"});
}

}  // namespace
}  // namespace qrb
