#include <gtest/gtest.h>

#include "importers/gsi/gsi_test_lines.hpp"
#include "importers/importers.hpp"
#include "support/harness.hpp"

namespace qrb {
namespace {

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

// The book is as it ends when the last box shows: the header written while
// reading is taken back before the nothing-found box, and the trailer is
// written before the success box.
TEST(Gif10_12, BookIsFinalWhenTheLastBoxShows)
{
    test::TempDir dir;
    const auto input = dir / "in.dat";
    const auto output = dir / "out.qrb";
    WorkState state;
    SnapshotUi ui(output);
    ImportOptions options;
    ImportContext ctx{state, ui, options, ""};
    for (const std::string& recording : {test::crlf({"nothing", test::block("00000000")}),
                                         test::crlf({test::block("00000041", {"00000007", "00001650"})})}) {
        test::write_file(input, recording);
        ui.save_result = output.string();
        ui.at_box.clear();
        imp_gif10_12(ctx, input.string());
        ASSERT_EQ(ui.at_box.size(), 2u);
        EXPECT_EQ(ui.at_box[1], test::read_file(output));
        EXPECT_FALSE(ui.busy);
    }
}

}  // namespace
}  // namespace qrb
