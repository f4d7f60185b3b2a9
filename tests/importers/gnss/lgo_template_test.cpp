// GNSS office export through the Quarel template: what is not one book.
#include <gtest/gtest.h>

#include "importers/importers.hpp"
#include "support/book_parts.hpp"
#include "support/harness.hpp"

namespace qrb {
namespace {

using namespace test;

// Without a "[JOB]" section the book has no header: the sections are copied
// as they are read.
TEST(ImpLgoTemplate, SectionsWithoutJobGiveNoHeader)
{
    Harness h;
    h.cli();
    const auto r = h.run(imp_lgo_template, crlf({"[TPS]", "S1", "1.55", "stazione", "1|2|3|4|5|n|N|"}));
    EXPECT_EQ(r.book, crlf({"#stazione#", "S1", "1.55", "stazione", "1|2|3|4|5|n|N|"}) + kTrailerLines);
    EXPECT_TRUE(r.boxes.empty());
}

TEST(ImpLgoTemplate, MissingInputEndsSilently)
{
    Harness h;
    ImportContext ctx{h.state, h.ui, h.options, h.command_line_path};
    imp_lgo_template(ctx, (h.dir / "assente.cst").string());
    EXPECT_TRUE(h.ui.boxes.empty());
    EXPECT_FALSE(std::filesystem::exists(h.output_path()));
}

}  // namespace
}  // namespace qrb
