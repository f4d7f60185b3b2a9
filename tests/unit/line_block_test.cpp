#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "book/station_table.hpp"
#include "book/survey_book.hpp"
#include "common/line_block.hpp"
#include "common/tables.hpp"

namespace qrb {
namespace {

TEST(LineBlock, NeverUsedIsEmpty)
{
    LineBlock block;
    EXPECT_TRUE(block.empty());
    EXPECT_EQ(block.size(), 0u);
    EXPECT_EQ(block.room(), 0u);
    EXPECT_EQ(block.view(), "");
    block.append("");
    EXPECT_TRUE(block.empty());
    block.clear();
    EXPECT_TRUE(block.empty());
}

TEST(LineBlock, HoldsEveryAppendInOrderAsItGrows)
{
    LineBlock block;
    std::string expected;
    // Pieces of every length up to a few hundred characters, past the short
    // texts and through many growths of a longer one.
    for (int i = 0; expected.size() < 200000; ++i) {
        const std::string piece(static_cast<std::size_t>(i % 300 + 1), static_cast<char>('a' + i % 26));
        block.append(piece);
        expected += piece;
        ASSERT_EQ(block.size(), expected.size());
        ASSERT_GE(block.room(), block.size());
    }
    EXPECT_EQ(block.view(), expected);
}

TEST(LineBlock, ShortTextIsHeldExactlyLongerOneWithAnEighthOrSoMore)
{
    LineBlock block;
    block.append(std::string(40, 'x'));
    EXPECT_EQ(block.room(), 40u);
    block.append(std::string(23, 'y'));
    EXPECT_EQ(block.room(), 63u);
    // 64 characters: rounded up in the top four bits (1000000 -> 1001000).
    block.append("z");
    EXPECT_EQ(block.room(), 72u);
    // 1000 characters (1111101000): the room is 1024 (10000000000).
    block.append(std::string(936, 'w'));
    EXPECT_EQ(block.size(), 1000u);
    EXPECT_EQ(block.room(), 1024u);
    // Text that fits in the room keeps it.
    block.append(std::string(24, 'v'));
    EXPECT_EQ(block.room(), 1024u);
    EXPECT_EQ(block.view(), std::string(40, 'x') + std::string(23, 'y') + "z" + std::string(936, 'w') +
                                std::string(24, 'v'));
}

TEST(LineBlock, ClearedKeepsItsRoomAndHoldsOnlyTheNextText)
{
    LineBlock block;
    block.append(std::string(5000, 'a'));
    const std::size_t room = block.room();
    block.clear();
    EXPECT_TRUE(block.empty());
    EXPECT_EQ(block.view(), "");
    EXPECT_EQ(block.room(), room);
    block.append("b\r\n");
    EXPECT_EQ(block.view(), "b\r\n");
    EXPECT_EQ(block.room(), room);
    block.append(std::string(room, 'c'));
    EXPECT_EQ(block.view(), "b\r\n" + std::string(room, 'c'));
    EXPECT_GT(block.room(), room);
}

TEST(LineBlock, MovedBlockTakesTheTextAndTheRoom)
{
    LineBlock block;
    block.append("first\r\n");
    LineBlock other(std::move(block));
    EXPECT_EQ(other.view(), "first\r\n");
    LineBlock third;
    third.append("third");
    third = std::move(other);
    EXPECT_EQ(third.view(), "first\r\n");
    third.append("second\r\n");
    EXPECT_EQ(third.view(), "first\r\nsecond\r\n");
}

ReadingView reading(std::string_view target, float hz, float v, float dist, float target_height,
                    std::string_view code)
{
    return {target, hz, v, dist, target_height, code, {}};
}

TEST(LineBlock, ReadingLineAsTheStringFormWritesIt)
{
    LineBlock block;
    append_reading_line(block, reading("P|1", 100.25f, -99.5f, 0, 1.5f, "c\r\nd"), "c\r\nd", "NN", false, true);
    EXPECT_EQ(block.view(), "P\\1|100.25|-99.5|INT|1.5|cd|NN|\r\n");
    // With the blank before a value that is not negative, without line end.
    append_reading_line(block, reading("Q", 0.5f, 2, 12.75f, 0, ""), "", "", true, false);
    EXPECT_EQ(block.view(), "P\\1|100.25|-99.5|INT|1.5|cd|NN|\r\nQ| .5| 2| 12.75| 0|||");
}

TEST(LineBlock, LongReadingLineIsWholeInTheBlock)
{
    // Texts too long for the line built in one piece.
    const std::string target(600, 'T');
    const std::string note(300, 'n');
    LineBlock block;
    block.append("before\r\n");
    append_reading_line(block, reading(target, 1, 2, 3, 4, note), note, "X|Y", false, true);
    EXPECT_EQ(block.view(), "before\r\n" + target + "|1|2|3|4|" + note + "|X\\Y|\r\n");
}

// A table that finishes each station on adding the next: every station's
// block holds its own lines only, although its finished lines and readings
// reuse the room of the station before it.
TEST(StationTableFinishedOnAdd, EachStationHoldsItsOwnLinesOnly)
{
    StationTableOptions options;
    StationTable table;
    finish_stations_on_add(table, options, 0);

    StationRecord& a = table.add("A", 1.5f, "na");
    for (int i = 0; i < 300; ++i) finish_reading(a, reading("PA", 1, 2, 3, 4, "ca"), options, 0);
    Reading& open_a = a.add_reading();
    open_a.target = "OA";
    open_a.hz = 5;
    const std::size_t room_a = a.finished_lines.room();

    StationRecord& b = table.add("B");
    EXPECT_TRUE(b.finished_lines.empty());
    EXPECT_GE(b.finished_lines.room(), room_a);  // the room of A's lines, reused
    EXPECT_TRUE(b.readings.empty());
    EXPECT_EQ(b.reading_count(), 0u);
    EXPECT_FALSE(b.readings_sized);

    StationRecord& c = table.add("C", 0, "nc");
    finish_reading(c, reading("PC", 0.5f, 0, 0, 0, ""), options, 0);
    c.add_reading().target = "OC";
    EXPECT_EQ(c.reading_count(), 2u);

    StationRecord& d = table.add("D");
    d.add_reading().target = "OD";
    EXPECT_EQ(d.readings.size(), 1u);
    EXPECT_EQ(d.reading_count(), 1u);

    std::string a_lines;
    for (int i = 0; i < 300; ++i) a_lines += "PA|1|2|3|4|ca|NN|\r\n";
    const std::vector<std::string> expected_texts{
        "A\r\n1.5\r\nna\r\n" + a_lines + "OA|5|0|INT|0||NN|\r\n",
        "B\r\n0\r\n\r\n",
        "C\r\n0\r\nnc\r\nPC|.5|0|INT|0||NN|\r\nOC|0|0|INT|0||NN|\r\n",
    };
    const std::vector<std::size_t> expected_counts{301, 0, 2};
    std::vector<std::string> texts;
    std::vector<std::size_t> counts;
    std::vector<std::string> names;
    table.finished().for_each([&](const FinishedStation& station) {
        texts.emplace_back(station.text);
        counts.push_back(station.reading_count);
        names.emplace_back(station.name);
    });
    EXPECT_EQ(texts, expected_texts);
    EXPECT_EQ(counts, expected_counts);
    // Only the station without readings keeps its name.
    EXPECT_EQ(names, (std::vector<std::string>{"", "B", ""}));
    ASSERT_EQ(table.size(), 4u);
    EXPECT_EQ(table.back().name, "D");
}

}  // namespace
}  // namespace qrb
