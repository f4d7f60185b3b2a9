// GPS kit export (.PGP).
#include <gtest/gtest.h>

#include "importers/gnss/gnss_test_support.hpp"
#include "importers/importers.hpp"
#include "support/harness.hpp"

namespace qrb {
namespace {

using namespace test;

const std::string kSection = "\xA7";        // "§" in Windows-1252
const std::string kUtf8Section = "\xC2\xA7";  // "§" in UTF-8, read as "Â§"

const std::string kTitleBox = "Importa file PFCAD GPS Kit";

// A data line: the "|" fields, then the "§" fields from field 2 on.
std::string data_line(const std::string& type, const std::string& name, const std::string& h,
                      const std::string& antenna, const std::string& note, const std::string& lat,
                      const std::string& lon, const std::string& pdop = "", const std::string& covariance = "",
                      const std::string& section = kSection)
{
    std::string line = type + "|" + name + "|x|y|" + h + "|" + antenna + "|" + note + "|";
    line += section + "Lat:" + lat + section + "Lon:" + lon + section;
    if (!pdop.empty() || !covariance.empty()) {
        for (int k = 4; k <= 9; ++k) line += "f" + std::to_string(k) + section;
        line += "PDOP:" + pdop + section;
        for (int k = 11; k <= 19; ++k) line += "f" + std::to_string(k) + section;
        line += "MATRIXCOV:" + covariance + section;
    }
    return line;
}

Lines header(const std::string& type = "IZ")
{
    return {"#titolo#", "Importazione PFCAD GPS Kit", "#loc#", "Nessuna", "#tipo#", type, "#angoli#", "CENT",
            "#note#",   ""};
}

Lines block(const std::string& name, const Lines& xyz, const std::string& antenna, const std::string& note,
            const std::string& date, const std::string& time)
{
    return Lines{"#stazione_gps#", name} + xyz + Lines{antenna, note} + test::block_tail(date, time);
}

const Lines kB1{" 4419964.44024058", " 719836.919438742", " 4526540.53086991"};

TEST(ImpPgp, BasesAndBaselines)
{
    Harness h;
    h.options.tipo_od = true;
    h.options.op_note = 0;  // plays no part
    h.clock = [] { return LocalDateTime{2024, 3, 5, 9, 7}; };
    const auto r = h.run(
        imp_pgp,
        crlf({
            "[#<POINT]",
            data_line("2", "P0", "1", "1", "", "45", "9"),  // before any base: ignored
            data_line("1", "B0", "5", "0", "", "45", "9"),  // no point follows: reported
            data_line("1", "B1", "100", "1.6", "base nord", "45.5", "9.25"),
            data_line("2", "P1", "101.5", "2", "palo", "45.5001", "9.2502", "1.8", "1,2,3,4,5,6"),
            data_line("2", "P2", "100", "0", "", "45.5", "9.25"),
            data_line("2", "P3", "101.5", "2", "palo", "45.5001", "9.2502", "1.8", "1,2,3,4,5,6", kUtf8Section),
            "[#POINT>]",
            "",
            "3|altro tipo|",
            "nessun separatore",
        }));
    EXPECT_EQ(r.book, crlf(header("OD") + block("B1", kB1, " 1.6", "base nord", "05/03/2024", "09:07") +
                           Lines{"P1|-9.29926094226539|14.3233013004065|8.86000710632652|2|palo|PALO|1,2,3,4,5,6|1.8|",
                                 "P2|0|0|0|0|Nessuna|NESSUNA||0|",
                                 "P3|-9.29926094226539|14.3233013004065|8.86000710632652|2|palo|PALO|1,2,3,4,5,6|1.8|"} +
                           kTrailer));
    EXPECT_EQ(r.boxes, (Lines{test::kNoticeBox,
                              "box|excl|Attenzione|Il file PFCAD GPS Kit contiene una base GPS senza nessuna "
                              "lettura. Verrà ignorata nell'importazione|ok",
                              "box|info|" + kTitleBox + "|File importato con successo.|ok"}));
}

TEST(ImpPgp, BlocksKeepTheLeadingBlankAndEachBaseItsOwnPoints)
{
    Harness h;
    h.cli();
    h.clock = [] { return LocalDateTime{1999, 12, 31, 23, 59}; };
    const auto r = h.run(imp_pgp, crlf({data_line("1", "SUD", "-12", "-0.25", "", "-33.9", "-70.6"),
                                        data_line("2", "Q", "-12", "0.5", "ab", "-33.9", "-70.6", "", "c"),
                                        data_line("1", "B1", "100", "1.6", "base nord", "45.5", "9.25"),
                                        data_line("2", "P2", "100", "0", "", "45.5", "9.25")}));
    EXPECT_EQ(r.book,
              crlf(header() +
                   block("SUD", {" 1760268.98442275", "-4998554.70980048", "-3537238.65496392"}, "-.25", "Nessuna",
                         "31/12/1999", "23:59") +
                   Lines{"Q|0|0|0|.5|ab|AB|c|0|"} +
                   block("B1", kB1, " 1.6", "base nord", "31/12/1999", "23:59") +
                   Lines{"P2|0|0|0|0|Nessuna|NESSUNA||0|"} + kTrailer));
    EXPECT_TRUE(r.boxes.empty());
}

TEST(ImpPgp, NothingFound)
{
    Harness h;
    h.cli();
    const auto r =
        h.run(imp_pgp, crlf({"[#<POINT]", "", data_line("2", "P0", "1", "1", "", "45", "9"), "9|x|", "[#POINT>]"}));
    EXPECT_TRUE(r.book_exists);
    EXPECT_EQ(r.book, "");
    EXPECT_EQ(r.boxes,
              Lines{"box|excl|Importazione PFCAD GPS Kit|File non valido, importazione fallita.|ok"});
}

TEST(ImpPgp, DateAndTimeOfTheConversionFromTheSystemClock)
{
    Harness h;
    h.cli();
    const auto r = h.run(imp_pgp, crlf({data_line("1", "B", "0", "0", "", "0", "0"),
                                        data_line("2", "P", "0", "0", "", "0", "0")}));
    // Lines 11 to 14 of the block: dd/mm/yyyy, HH:mm, dd/mm/yyyy, HH:mm.
    const auto lines = [&r] {
        Lines out;
        std::size_t start = 0;
        for (std::size_t end; (end = r.book.find("\r\n", start)) != std::string::npos; start = end + 2)
            out.push_back(r.book.substr(start, end - start));
        return out;
    }();
    ASSERT_EQ(lines.size(), 28u);
    const std::string& date = lines[21];
    const std::string& time = lines[22];
    EXPECT_EQ(date.size(), 10u);
    EXPECT_EQ(date[2], '/');
    EXPECT_EQ(date[5], '/');
    EXPECT_EQ(time.size(), 5u);
    EXPECT_EQ(time[2], ':');
    EXPECT_EQ(lines[23], date);
    EXPECT_EQ(lines[24], time);
}

TEST(ImpPgp, PositionsBeyondTheDoubleRangeFailWhileReading)
{
    Harness h;
    h.cli();
    const struct {
        std::string base;
        std::string point;
    } cases[] = {
        // Latitude times pi overflows.
        {data_line("1", "B", "0", "0", "", "1E308", "0"), data_line("2", "P", "0", "0", "", "0", "0")},
        // Each position is finite, their difference is not.
        {data_line("1", "B", "1E308", "0", "", "0", "180"), data_line("2", "P", "1E308", "0", "", "0", "0")},
    };
    for (const auto& c : cases) {
        const auto r = h.run(imp_pgp, crlf({c.base, c.point}));
        EXPECT_TRUE(r.book_exists);
        EXPECT_EQ(r.book, "") << c.base;
        EXPECT_EQ(r.boxes, Lines{"box|excl|Errore inaspettato|Errore codice 6 : Overflow|ok"}) << c.base;
    }
}

}  // namespace
}  // namespace qrb
