#include <gtest/gtest.h>

#include <functional>

#include <sys/stat.h>

#include "common/failure.hpp"
#include "common/line_reader.hpp"
#include "support/harness.hpp"

namespace qrb {
namespace {

std::vector<std::string> lines_of(const std::string& bytes)
{
    test::TempDir dir;
    test::write_file(dir / "in.txt", bytes);
    LineReader in((dir / "in.txt").string());
    std::vector<std::string> out;
    while (!in.at_end()) out.push_back(in.read_line());
    return out;
}

TEST(LineReader, EveryLineEndEndsALine)
{
    using V = std::vector<std::string>;
    const struct {
        const char* name;
        std::string bytes;
        V lines;
    } cases[] = {
        {"crlf", "a\r\nb\r\n", V{"a", "b"}},
        {"cr", "a\rb\r", V{"a", "b"}},
        {"lf", "a\nb\n", V{"a", "b"}},
        {"no end on last", "a\r\nb", V{"a", "b"}},
        {"empty lines", "a\r\n\r\n\nb", V{"a", "", "", "b"}},
        {"cr cr lf", "a\r\r\nb", V{"a", "", "b"}},
        {"lf cr is two ends", "a\n\rb", V{"a", "", "b"}},
        {"empty file", "", V{}},
        {"only an end", "\r\n", V{""}},
        {"bytes kept", std::string("\xE0\x00z\r\n", 5), V{std::string("\xE0\x00z", 3)}},
        {"ends far apart", std::string(300, 'x') + "\n" + std::string(255, 'y') + "\r" + std::string(256, 'z') + "\r\nw",
         V{std::string(300, 'x'), std::string(255, 'y'), std::string(256, 'z'), "w"}},
        {"lf before a distant cr", "a\nb" + std::string(400, 'c') + "\r", V{"a", "b" + std::string(400, 'c')}},
        {"ctrl-z at the end", "a\r\nb\r\n\x1A", V{"a", "b"}},
        {"ctrl-z ends a line", "a\r\nb\x1A" "c\r\nd\r\n", V{"a", "b"}},
        {"ctrl-z first", "\x1A" "a\r\n", V{}},
        {"ctrl-z after a cr", "a\r\x1A\nb", V{"a"}},
        {"ctrl-z past the buffer", std::string(70000, 'x') + "\r\n\x1A" "y", V{std::string(70000, 'x')}},
    };
    for (const auto& c : cases) EXPECT_EQ(lines_of(c.bytes), c.lines) << c.name;
}

// Line ends at every offset of the buffer's edge, CR LF split across two
// reads included; lines as views and as copies agree.
TEST(LineReader, LineEndsAcrossTheBufferEdge)
{
    std::string bytes;
    std::vector<std::string> expected;
    for (int k = 0; k < 40000; ++k) {
        expected.push_back(std::string(static_cast<std::size_t>(k % 7 + 1), static_cast<char>('a' + k % 26)));
        bytes += expected.back() + (k % 3 == 0 ? "\r\n" : k % 3 == 1 ? "\r" : "\n");
    }
    EXPECT_EQ(lines_of(bytes), expected);
    test::TempDir dir;
    test::write_file(dir / "in.txt", bytes);
    LineReader in((dir / "in.txt").string());
    std::string_view view;
    std::size_t k = 0;
    while (in.next_line(view)) {
        ASSERT_LT(k, expected.size());
        EXPECT_EQ(view, expected[k]);
        ++k;
    }
    EXPECT_EQ(k, expected.size());
}

TEST(LineReader, LongLinesAcrossTheBuffer)
{
    const std::string big(3 << 20, 'x');
    const auto lines = lines_of(big + "\r\n" + big);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], big);
    EXPECT_EQ(lines[1], big);
}

TEST(LineReader, ReadingPastTheEndAndMissingFile)
{
    test::TempDir dir;
    test::write_file(dir / "in.txt", "a\r\n");
    LineReader in((dir / "in.txt").string());
    EXPECT_EQ(in.read_line(), "a");
    EXPECT_EQ(test::failure_code([&] { in.read_line(); }), 62);
    EXPECT_EQ(test::failure_code([&] { LineReader missing((dir / "none.txt").string()); }), 53);
}

int failure_code(const std::function<void()>& f)
{
    try {
        f();
    } catch (const RunError& e) {
        return e.code();
    }
    return 0;
}

TEST(LineReader, AReadErrorIsNoEnd)
{
    // A regular file whose first read fails: this process's memory at
    // address 0.
    LineReader in("/proc/self/mem");
    EXPECT_EQ(failure_code([&] { in.at_end(); }), kDeviceIO);
    LineReader lines("/proc/self/mem");
    std::string line;
    EXPECT_EQ(failure_code([&] { lines.next_line(line); }), kDeviceIO);
}

TEST(LineReader, OnlyARegularFileOpens)
{
    // A folder, a FIFO without a writer and a device fail at once, before
    // anything is read: a FIFO never blocks the conversion.
    test::TempDir dir;
    const std::string fifo = (dir / "fifo").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& path : {dir.path().string(), fifo, std::string("/dev/null")})
        EXPECT_EQ(failure_code([&] { LineReader in(path); }), kPathFileAccess) << path;
}

}  // namespace
}  // namespace qrb
