// The end step of a streaming converter: a complete book, a book whose end
// was warned about, and a book without data; the header held back until the
// first data.
#include <gtest/gtest.h>

#include "book/converter.hpp"
#include "support/harness.hpp"

namespace qrb {
namespace {

using test::crlf;
using test::Harness;

const std::vector<std::string> kHeader = {"#titolo#", "T", "#loc#", "Nessuna", "#tipo#", "IZ", "#angoli#", "CENT",
                                          "#note#",   "N"};
const std::string kSuccess = "box|info|Titolo|File importato con successo.|ok";
const std::string kNothingFound = "box|excl|Titolo|File non valido, importazione fallita.|ok";
const std::string kWarning = "box|excl|Avviso|attenzione|ok";

// Every line "D" is data, written after the held header; "W" asks for a
// warned end.
test::ConverterFn converter()
{
    return [](ImportContext& ctx, const std::string& path) {
        Streaming frame(FailurePolicy::standard("PROVA", "Titolo"));
        HeldHeader header({"T", "Nessuna", "IZ", "N"});
        bool warn = false;
        frame.at_end = [&](Conversion& c) {
            if (!header.written()) return StreamEnd::NothingFound;
            if (!warn) return StreamEnd::Complete;
            c.box("attenzione", "Avviso", Icon::Exclamation);
            return StreamEnd::Warned;
        };
        frame.run(ctx, path, [&](Conversion& c) {
            std::string line;
            while (c.in.next_line(line)) {
                if (line == "W") warn = true;
                if (line != "D") continue;
                header.write(c.out);
                header.write(c.out);  // once only
                c.out.line("dato");
            }
        });
    };
}

TEST(StreamingEnd, CompleteBookThenSuccess)
{
    Harness h;
    const auto r = h.run(converter(), crlf({"D", "D"}));
    std::vector<std::string> lines = kHeader;
    for (const char* l : {"dato", "dato", "#origine#", "0|0|0|"}) lines.emplace_back(l);
    EXPECT_EQ(r.book, crlf(lines));
    ASSERT_FALSE(r.boxes.empty());
    EXPECT_EQ(r.boxes.back(), kSuccess);
}

TEST(StreamingEnd, WarnedEndHasTheTrailerButNoSuccessBox)
{
    Harness h;
    const auto r = h.run(converter(), crlf({"D", "W"}));
    std::vector<std::string> lines = kHeader;
    for (const char* l : {"dato", "#origine#", "0|0|0|"}) lines.emplace_back(l);
    EXPECT_EQ(r.book, crlf(lines));
    ASSERT_FALSE(r.boxes.empty());
    EXPECT_EQ(r.boxes.back(), kWarning);
}

TEST(StreamingEnd, WithoutDataTheNothingFoundBoxAndAnEmptyBook)
{
    Harness h;
    h.cli();
    for (const std::string& input : {std::string(), crlf({"x", "W"})}) {
        const auto r = h.run(converter(), input);
        EXPECT_TRUE(r.book_exists);
        EXPECT_EQ(r.book, "");
        EXPECT_EQ(r.boxes, std::vector<std::string>{kNothingFound});
        EXPECT_FALSE(r.busy_after);
    }
}

}  // namespace
}  // namespace qrb
