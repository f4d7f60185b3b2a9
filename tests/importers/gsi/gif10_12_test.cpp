#include <gtest/gtest.h>

#include "importers/gsi/gsi_test_lines.hpp"
#include "importers/importers.hpp"
#include "support/harness.hpp"

namespace qrb {
namespace {

using test::block;
using test::crlf;
using test::Harness;
using test::measurement;

std::string header(const std::string& type = "IZ")
{
    return test::book_header("Importazione file", "Importazione file Wild Gif 10-12", type);
}

TEST(Gif10_12, DigitsCopiedAsTheyStand)
{
    Harness h;
    h.cli();
    const std::string input = crlf({
        measurement("00000001", "10000000", "10000000", "00001000"),  // before any station: left out
        block("00000041", {"00000007", "00001650"}),
        measurement("00000012", "10000000", "09876543", "00000005"),
        measurement("0000A001", "00000000", "00000000", "00000000"),
        block("00000000", {"00000099", "00001000"}),  // block value 0: nothing
        block("00000002", {"10000000", "00000000"}),
        block("00000099", {"00000008", "00012345"}),
        measurement("0000012A", "39999999", "00012345", "12345678"),
        "110001+00000009 21.102+10000000 22.102+10000000 31..00+0001204",  // cut inside the distance
        "110001+00000010 21.102+10000000 22.102+10000000 31..00+00012",
        "110001+00000011 21.102+10000000",
    });
    const auto r = h.run(imp_gif10_12, input);
    EXPECT_EQ(r.book, header() + crlf({
                                     "#stazione#", "7", "1.650", "041",
                                     "12|100.00000|98.76543|0.005|0.00|nn|NN|",
                                     "0|0.00000|0.00000|INT|0.00|nn|NN|",
                                     "#stazione#", "10000000", "0.000", "002",
                                     "#stazione#", "8", "12.345", "099",
                                     "12|399.99999|0.12345|12345.678|0.00|nn|NN|",
                                     "9|100.00000|100.00000|12.04|0.00|nn|NN|",
                                     "10|100.00000|100.00000|12|0.00|nn|NN|",
                                     "11|100.00000|0|INT|0.00|nn|NN|",
                                 }) + test::kTrailerLines);
    EXPECT_TRUE(r.boxes.empty());
}

// Records the output file as it stands whenever a box shows.
class SnapshotUi : public test::ScriptedUi {
public:
    explicit SnapshotUi(std::filesystem::path output) : output_(std::move(output)) {}
    int message_box(const std::string& text, const std::string& title, Icon icon, Buttons buttons) override
    {
        at_box.push_back(test::read_file(output_));
        return ScriptedUi::message_box(text, title, icon, buttons);
    }
    std::vector<std::string> at_box;

private:
    std::filesystem::path output_;
};

TEST(Gif10_12, NoStationIsNothingFound)
{
    // The header was written while reading; the nothing-found end empties
    // the book before its box shows.
    test::TempDir dir;
    const auto input = dir / "in.dat";
    const auto output = dir / "out.qrb";
    test::write_file(input, crlf({"nothing", block("00000000")}));
    WorkState state;
    SnapshotUi ui(output);
    ui.save_result = output.string();
    ImportOptions options;
    ImportContext ctx{state, ui, options, ""};
    imp_gif10_12(ctx, input.string());

    EXPECT_EQ(test::read_file(output), "");
    EXPECT_EQ(ui.box_lines(), (std::vector<std::string>{
                                  test::kNoticeBox,
                                  "box|excl|Importa file Wild Gif 10-12|File non valido, importazione fallita.|ok",
                              }));
    ASSERT_EQ(ui.at_box.size(), 2u);
    EXPECT_EQ(ui.at_box[1], "");
    EXPECT_FALSE(ui.busy);

    // With a station, the book is complete when the success box shows.
    test::write_file(input, crlf({block("00000041", {"00000007", "00001650"})}));
    ui.boxes.clear();
    ui.at_box.clear();
    imp_gif10_12(ctx, input.string());
    const std::string book = header() + crlf({"#stazione#", "7", "1.650", "041"}) + test::kTrailerLines;
    EXPECT_EQ(test::read_file(output), book);
    ASSERT_EQ(ui.at_box.size(), 2u);
    EXPECT_EQ(ui.at_box[1], book);
    EXPECT_EQ(ui.box_lines()[1], "box|info|Importa file Wild Gif 10-12|File importato con successo.|ok");
}

TEST(Gif10_12, NamesAreNumbersWithAllTheirDigitsInLowerCase)
{
    Harness h;
    h.cli();
    const auto r = h.run(imp_gif10_12, crlf({block("00000041", {"00001E20", "00000000"}),
                                             measurement("00002E10", "00000000", "00000000", "00000000"),
                                             measurement("12345678", "00000000", "00000000", "00000000")}));
    EXPECT_EQ(r.book, header() + crlf({"#stazione#", "1e+20", "0.000", "041",
                                       "20000000000|0.00000|0.00000|INT|0.00|nn|NN|",
                                       "12345678|0.00000|0.00000|INT|0.00|nn|NN|"}) +
                          test::kTrailerLines);
    EXPECT_TRUE(r.boxes.empty());
}

}  // namespace
}  // namespace qrb
