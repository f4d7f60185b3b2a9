#include <gtest/gtest.h>

#include "book/converter.hpp"
#include "book/skeleton.hpp"
#include "book/station_table.hpp"
#include "common/failure.hpp"
#include "common/number.hpp"
#include "common/text.hpp"
#include "support/book_parts.hpp"
#include "support/harness.hpp"

namespace qrb {
namespace {

using test::crlf;
using test::Harness;

// A small collect-then-write format for exercising the skeleton:
//   S name height       a station
//   R target hz v dist th code   a reading of the current station
//   K line              a finished known-point line
//   X                   a malformed line (invalid argument)
//   E                   a record cut short at the end (reads one more line)
//   O                   an overflow
void read_test_format(Conversion& c)
{
    std::string line;
    while (c.in.next_line(line)) {
        const char kind = line.empty() ? ' ' : line[0];
        std::vector<std::string> f;
        std::string cur;
        for (char ch : line.substr(std::min<std::size_t>(2, line.size()))) {
            if (ch == ' ') {
                f.push_back(cur);
                cur.clear();
            } else {
                cur += ch;
            }
        }
        f.push_back(cur);
        if (kind == 'S') {
            c.state.station_table.add(f[0], static_cast<float>(val(f.size() > 1 ? f[1] : "")), "Stazione");
        } else if (kind == 'R') {
            Reading& r = c.state.station_table.back().add_reading();
            r.target = f[0];
            r.hz = static_cast<float>(val(f[1]));
            r.v = static_cast<float>(val(f[2]));
            r.dist = static_cast<float>(val(f[3]));
            r.target_height = static_cast<float>(val(f[4]));
            r.code = f.size() > 5 ? f[5] : "";
        } else if (kind == 'K') {
            c.state.known_points.push_back(f[0]);
        } else if (kind == 'X') {
            mid(line, 0, 1);
        } else if (kind == 'E') {
            c.in.read_line();
        } else if (kind == 'O') {
            to_int16(40000);
        }
    }
}

ConverterSpec test_spec(FailurePolicy policy)
{
    ConverterSpec spec;
    spec.failure = std::move(policy);
    spec.success_title = "Importa file Prova";
    spec.nothing_found_title = "Importazione file Prova";
    return spec;
}

StationTableOptions test_options()
{
    StationTableOptions o;
    o.header = {"Importazione file Prova", "Nessuna", "IZ", "File formato Prova"};
    o.known_points = true;
    o.nothing_found = StationTableOptions::NothingFound::StationsKnownPoints;
    return o;
}

test::ConverterFn converter(FailurePolicy policy, StationTableOptions options = test_options())
{
    return [policy, options](ImportContext& ctx, const std::string& path) {
        run_converter(ctx, path, test_spec(policy), read_test_format,
                      [options](Conversion& c) { return write_station_table(c, options); });
    };
}

const std::string kHeader = crlf({"#titolo#", "Importazione file Prova", "#loc#", "Nessuna", "#tipo#", "IZ",
                                  "#angoli#", "CENT", "#note#", "File formato Prova"});
const std::string kTrailer = test::kTrailerLines;
const std::string kNotice = test::kNoticeBox;
const std::string kSuccess = "box|info|Importa file Prova|File importato con successo.|ok";

const FailurePolicy kStandard = FailurePolicy::standard_naming_station("PROVA", "Importa file Prova");

TEST(StationTable, StationWithoutReadingsInTheMiddle)
{
    Harness h;
    const auto r = h.run(converter(kStandard), crlf({"S 1 1.5", "R 10 123.45678 99.5 0 1.6 casa", "S 2",
                                                     "S 3 0", "R 11 0.5 -0.25 12.345 0 Muro"}));
    EXPECT_EQ(r.book, kHeader + crlf({"#stazione#", "1", "1.5", "Stazione", "10|123.4568|99.5|INT|1.6|casa|CASA|",
                                      "#stazione#", "3", "0", "Stazione", "11|.5|-.25|12.345|0|Muro|MURO|"}) +
                          kTrailer);
    EXPECT_EQ(r.boxes,
              (std::vector<std::string>{kNotice,
                                        "box|excl|Importa file Prova|Il file PROVA contiene una stazione senza "
                                        "nessuna lettura. (Stazione 2) Verrà ignorata nell'importazione|ok",
                                        kSuccess}));
    EXPECT_FALSE(r.busy_after);
}

TEST(StationTable, OpNoteAndPlainStationMessage)
{
    Harness h;
    h.options.op_note = 0;
    h.cli();
    const auto r = h.run(converter(FailurePolicy::standard("PROVA", "T")), crlf({"S 2", "S 1", "R 10 1 2 3 4 casa"}));
    EXPECT_EQ(r.book, kHeader + crlf({"#stazione#", "1", "0", "Stazione", "10|1|2|3|4|casa|NN|"}) + kTrailer);
    EXPECT_EQ(r.boxes, std::vector<std::string>{"box|excl|T|Il file PROVA contiene una stazione senza nessuna "
                                                "lettura. Verrà ignorata nell'importazione|ok"});
}

TEST(StationTable, KnownPointsOnlyAndNothingFound)
{
    Harness h;
    h.cli();
    auto r = h.run(converter(kStandard), crlf({"K P1|1|2|3||NN||", "K P2|4|5|6||NN||"}));
    EXPECT_EQ(r.book, kHeader + crlf({"#passnoto#", "P1|1|2|3||NN||", "#passnoto#", "P2|4|5|6||NN||"}) + kTrailer);
    EXPECT_TRUE(r.boxes.empty());

    r = h.run(converter(kStandard), crlf({"nothing here"}));
    EXPECT_TRUE(r.book_exists);
    EXPECT_EQ(r.book, "");
    EXPECT_EQ(r.boxes,
              std::vector<std::string>{"box|excl|Importazione file Prova|File non valido, importazione fallita.|ok"});
}

TEST(StationTable, NothingFoundVariants)
{
    using NF = StationTableOptions::NothingFound;
    const struct {
        NF test;
        bool elsewhere;
        std::vector<int> filled;  // 0: known point, 2: base, 3: geographic point
        bool found;
    } cases[] = {
        {NF::Stations, false, {0, 2, 3}, false},
        {NF::StationsKnownPoints, false, {0}, true},
        {NF::StationsKnownPoints, false, {2, 3}, false},
        {NF::StationsBasesKnownPoints, false, {2}, true},
        {NF::StationsBasesKnownPoints, false, {3}, false},
        {NF::StationsBasesKnownGeoPoints, false, {3}, true},
        {NF::Stations, true, {}, true},
    };
    for (const auto& c : cases) {
        Harness h;
        h.cli();
        auto options = test_options();
        options.nothing_found = c.test;
        if (c.elsewhere) options.found_elsewhere = [](const WorkState&) { return true; };
        options.known_points = false;
        const auto filled = c.filled;
        const auto fn = [options, filled](ImportContext& ctx, const std::string& path) {
            run_converter(ctx, path, test_spec(kStandard), [filled](Conversion& conv) {
                    for (int f : filled) {
                        if (f == 0) conv.state.known_points.push_back("x");
                        if (f == 2) conv.state.gnss_base_table.add("B");
                        if (f == 3) conv.state.geo_point_table.add({});
                    }
                },
                [options](Conversion& conv) { return write_station_table(conv, options); });
        };
        const auto r = h.run(fn, "");
        // Found or not, a book with no record to write ends as nothing found.
        EXPECT_EQ(r.book, "");
        EXPECT_EQ(r.boxes, std::vector<std::string>{"box|excl|Importazione file Prova|File non valido, importazione fallita.|ok"});
    }
}

TEST(StationTable, ReducedFormsEndOnAStationWithoutReadings)
{
    Harness h;
    h.cli();
    const auto r = h.run(converter(kStandard.without_subscript()), crlf({"S 1", "R 10 1 2 3 4 c", "S 2"}));
    EXPECT_EQ(r.book, kHeader + crlf({"#stazione#", "1", "0", "Stazione", "10|1|2|3|4|c|C|"}));  // no trailer
    EXPECT_EQ(r.boxes, std::vector<std::string>{"box|excl|Errore inaspettato|Errore codice 9 : Indice non "
                                                "compreso nell'intervallo|ok"});
}

TEST(StationTable, OwnWarningAndBareBlock)
{
    Harness h;
    h.cli();
    auto options = test_options();
    options.empty_station = StationTableOptions::EmptyStation::OwnWarning;
    options.empty_station_text = "Stazione vuota";
    auto r = h.run(converter(FailurePolicy::older(), options), crlf({"S 1", "S 2", "R 10 1 2 3 4 c"}));
    EXPECT_EQ(r.boxes, std::vector<std::string>{"box|excl|Attenzione|Stazione vuota|ok"});
    EXPECT_EQ(r.book, kHeader + crlf({"#stazione#", "2", "0", "Stazione", "10|1|2|3|4|c|C|"}) + kTrailer);

    options.empty_station = StationTableOptions::EmptyStation::BareBlock;
    options.leading_blank = true;
    options.upper_case_names = true;
    options.field7 = StationTableOptions::Field7::AlwaysNN;
    const auto bare = [options](ImportContext& ctx, const std::string& path) {
        run_converter(ctx, path, test_spec(FailurePolicy::older()), [](Conversion& c) {
                read_test_format(c);
                c.state.station_table[0].size_readings();
            },
            [options](Conversion& c) { return write_station_table(c, options); });
    };
    r = h.run(bare, crlf({"S a1 1.5", "S b2", "R p1 1 -2 3 .5 c"}));
    EXPECT_TRUE(r.boxes.empty());
    EXPECT_EQ(r.book, kHeader + crlf({"#stazione#", "A1", " 1.5", "Stazione", "#stazione#", "B2", " 0", "Stazione",
                                      "P1| 1|-2| 3| .5|c|NN|"}) +
                          kTrailer);
}

struct FailureCase {
    const char* name;
    FailurePolicy policy;
    bool collect;
    std::string input;
    std::string book;  // what is left in the output file
    std::vector<std::string> boxes;
};

TEST(FailureHandling, EveryCaseOfEveryHandling)
{
    const FailurePolicy standard = FailurePolicy::standard("PROVA", "Importa file Prova");
    const std::string one_station = crlf({"S 1", "R 10 1 2 3 4 c"});
    const std::string streamed = kHeader;  // what the streaming variant writes before reading
    const std::string overflow =
        "box|excl|Errore inaspettato|Errore codice 6 : Overflow|ok";
    const FailureCase cases[] = {
        {"standard, malformed", standard, true, one_station + crlf({"X"}), "",
         {"box|excl|Importa file Prova|Il file PROVA risulta non conforme alle specifiche, l'importazione è "
          "impossibile|ok"}},
        {"standard, overflow", standard, true, one_station + crlf({"O"}), "", {overflow}},
        {"standard, end of input, streaming", standard, false, one_station + crlf({"E"}), streamed,
         {"box|excl|Importa file Prova|Importazione avvenuta con alcuni errori.|ok"}},
        {"reduced without malformed case", standard.end_of_input_only(), true, crlf({"X"}), "",
         {"box|excl|Errore inaspettato|Errore codice 5 : Chiamata di routine o argomento non valido|ok"}},
        {"reduced without end-of-input case, streaming", standard.malformed_only(), false, crlf({"E"}), streamed,
         {"box|excl|Errore inaspettato|Errore codice 62 : Input oltre la fine del file|ok"}},
        {"older", FailurePolicy::older(), true, crlf({"X"}), "",
         {"box|excl|Errore imprevisto|Errore 5 , Chiamata di routine o argomento non valido|ok"}},
        {"short, end of input", FailurePolicy::short_with_end_of_input("Importa file Prova"), false, crlf({"E"}),
         streamed,
         {"box|excl|Importa file Prova|Il file dati contiene degli errori, l'importazione non sarà completa.|ok"}},
        {"short, other", FailurePolicy::short_form(), false, crlf({"O"}), streamed, {overflow}},
    };
    for (const auto& c : cases) {
        Harness h;
        h.cli();
        const bool collect = c.collect;
        auto fn = [&c, collect](ImportContext& ctx, const std::string& path) {
            ConverterSpec spec = test_spec(c.policy);
            spec.collect_then_write = collect;
            run_converter(ctx, path, spec,
                          [collect](Conversion& conv) {
                              if (!collect)
                                  write_header(conv.out, "Importazione file Prova", "Nessuna", "IZ",
                                               "File formato Prova");
                              read_test_format(conv);
                          },
                          [](Conversion& conv) {
                              write_trailer(conv.out);
                              return true;
                          });
        };
        const auto r = h.run(fn, c.input);
        EXPECT_EQ(r.book, c.book) << c.name;
        EXPECT_EQ(r.boxes, c.boxes) << c.name;
        EXPECT_FALSE(r.busy_after) << c.name;
    }
}

TEST(FailureHandling, AnInputThatCannotBeReadIsReportedByEveryHandling)
{
    Harness h;
    h.cli();
    ImportContext ctx{h.state, h.ui, h.options, h.command_line_path};
    const std::string unexpected = "box|excl|Errore inaspettato|Errore codice 57 : Errore di I/O della periferica|ok";
    const std::pair<FailurePolicy, std::string> cases[] = {
        {kStandard, unexpected},
        {FailurePolicy::short_form(), unexpected},
        {FailurePolicy::older(), "box|excl|Errore imprevisto|Errore 57 , Errore di I/O della periferica|ok"},
    };
    for (const auto& [policy, box] : cases) {
        h.ui.boxes.clear();
        // A file that opens, but cannot be read: this process's memory at 0.
        run_converter(ctx, "/proc/self/mem", test_spec(policy), read_test_format,
                      [](Conversion& c) {
                          write_trailer(c.out);
                          return true;
                      });
        EXPECT_EQ(h.ui.box_lines(), std::vector<std::string>{box});
        EXPECT_EQ(test::read_file(h.output_path()), "");
    }
}

TEST(FailureHandling, MissingInput)
{
    Harness h;
    h.cli();
    ImportContext ctx{h.state, h.ui, h.options, h.command_line_path};
    auto run = [&](FailurePolicy p) {
        h.ui.boxes.clear();
        run_converter(ctx, (h.dir / "missing.dat").string(), test_spec(p), read_test_format,
                      [](Conversion&) { return true; });
        return h.ui.box_lines();
    };
    EXPECT_TRUE(run(FailurePolicy::short_form()).empty());
    EXPECT_EQ(run(kStandard), std::vector<std::string>{"box|excl|Errore inaspettato|Errore codice 53 : Impossibile "
                                                        "trovare il file|ok"});
    EXPECT_FALSE(std::filesystem::exists(h.output_path()));
}

TEST(FailureHandling, EndOfInputWritesWhatWasCollected)
{
    Harness h;
    // Any handling: the complete records are written, the record cut short is left out.
    for (const auto& policy : {kStandard, FailurePolicy::older()}) {
        const auto r = h.run(converter(policy), crlf({"S 1", "R 10 1 2 3 4 c", "E"}));
        EXPECT_EQ(r.book, kHeader + crlf({"#stazione#", "1", "0", "Stazione", "10|1|2|3|4|c|C|"}) + kTrailer);
        const std::string title = policy.title.empty() ? "Errore imprevisto" : policy.title;
        EXPECT_EQ(r.boxes, (std::vector<std::string>{kNotice, "box|excl|" + title +
                                                                  "|Importazione avvenuta con alcuni errori.|ok"}));
    }
    // Nothing complete: the nothing-found box and an empty file.
    const auto r = h.run(converter(kStandard), crlf({"E"}));
    EXPECT_EQ(r.book, "");
    EXPECT_EQ(r.boxes, (std::vector<std::string>{
                           kNotice, "box|excl|Importazione file Prova|File non valido, importazione fallita.|ok"}));
}

TEST(FieldSafety, InputTextNeverShiftsFields)
{
    Reading r;
    r.target = "A|B";
    r.dist = 0;
    EXPECT_EQ(reading_line(r, "no|te", "NO|TE"), "A\\B|0|0|INT|0|no\\te|NO\\TE|");
    EXPECT_EQ(known_point_line("P|1", 1.5, -0.25, 100, "n\r\n|"), "P\\1|1.5|-.25|100|n\\|NN||");

    // A value line (a station's name or note) is one field too.
    Harness h;
    h.cli();
    const auto book = h.run(converter(kStandard), crlf({"S A|B 1", "R 1 1 1 1 1 c"}));
    EXPECT_NE(book.book.find("#stazione#\r\nA\\B\r\n1\r\n"), std::string::npos) << book.book;
}

TEST(ChooseOutputFile, CommandLineAndSaveDialog)
{
    Harness h;
    ImportContext ctx{h.state, h.ui, h.options, "  D:\\dati\\out.txt"};
    EXPECT_EQ(choose_output_file(ctx), std::optional<std::string>("  D:\\dati\\out.txt"));
    EXPECT_TRUE(h.ui.boxes.empty());
    EXPECT_TRUE(h.ui.save_requests.empty());

    ImportContext gui{h.state, h.ui, h.options, ""};
    h.state.work_folder = "/lavori";
    const struct {
        std::string typed;
        std::string expected;
    } names[] = {{"rilievo", "rilievo.qrb"},
                 {"rilievo.QRB", "rilievo.QRB"},
                 {"rilievo.Qrb", "rilievo.Qrb"},
                 {"rilievo.qrb.txt", "rilievo.qrb.txt.qrb"}};
    for (const auto& n : names) {
        h.ui.save_result = (h.dir / n.typed).string();
        EXPECT_EQ(choose_output_file(gui), (h.dir / n.expected).string());
    }
    ASSERT_FALSE(h.ui.save_requests.empty());
    const auto& req = h.ui.save_requests.back();
    EXPECT_EQ(req.initial_folder, "/lavori");
    EXPECT_EQ(req.file_name, "*.qrb");
    EXPECT_EQ(req.filter, "Quarel Rilievo (*.qrb)");
    EXPECT_TRUE(req.overwrite_prompt);
    EXPECT_EQ(h.ui.box_lines().front(), kNotice);

    h.ui.save_result.reset();
    EXPECT_FALSE(choose_output_file(gui));

    // The longer name exists: asked again; No cancels.
    test::write_file(h.dir / "esiste.qrb", "x");
    h.ui.save_result = (h.dir / "esiste").string();
    h.ui.answers = {kNo};
    EXPECT_FALSE(choose_output_file(gui));
    h.ui.answers = {kYes};
    EXPECT_EQ(choose_output_file(gui), (h.dir / "esiste.qrb").string());
}

TEST(Skeleton, CancelledSaveLeavesNoFileAndTheInputClosed)
{
    Harness h;
    h.ui.save_result.reset();
    ImportContext ctx{h.state, h.ui, h.options, ""};
    test::write_file(h.input_path(), crlf({"S 1", "R 1 1 1 1 1 c"}));
    run_converter(ctx, h.input_path().string(), test_spec(kStandard), read_test_format,
                  [](Conversion& c) { return write_station_table(c, test_options()); });
    EXPECT_FALSE(std::filesystem::exists(h.output_path()));
    EXPECT_FALSE(h.ui.busy);
    EXPECT_EQ(h.ui.box_lines(), std::vector<std::string>{kNotice});
    // The input can be removed at once: it was closed.
    EXPECT_TRUE(std::filesystem::remove(h.input_path()));
}


TEST(BookWriter, LinesEndWithCrLfAndReachTheFileOnClose)
{
    test::TempDir dir;
    const std::string path = (dir / "book.qrb").string();
    BookWriter out(path);
    const std::string long_line(100000, 'x');  // more than one buffer's worth in all
    for (int k = 0; k < 20; ++k) out.line(long_line);
    out.value("a\r\nb");
    out.close();
    std::string expected;
    for (int k = 0; k < 20; ++k) expected += long_line + "\r\n";
    EXPECT_EQ(test::read_file(path), expected + "ab\r\n");
}

TEST(BookWriter, DiscardEmptiesTheFileAlsoAfterAFlush)
{
    test::TempDir dir;
    const std::string path = (dir / "book.qrb").string();
    BookWriter out(path);
    const std::string long_line(100000, 'x');  // flushed to the file
    out.line(long_line);
    out.line("#titolo#");
    out.discard();
    out.line("a");
    out.close();
    EXPECT_EQ(test::read_file(path), "a\r\n");
}

// Only tag lines open records: a value that looks like a tag is none.
TEST(BookWriter, RecordsAreTagLinesNotValues)
{
    test::TempDir dir;
    BookWriter out((dir / "book.qrb").string());
    write_header(out, "#x#", "Nessuna", "IZ", "#stazione#");
    out.value("#passnoto#");
    EXPECT_FALSE(out.has_records());
    write_trailer(out);
    EXPECT_FALSE(out.has_records());
    out.tag("#stazione#");
    EXPECT_TRUE(out.has_records());
}

TEST(BookWriter, AFullDiskFailsOnClose)
{
    if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    BookWriter out("/dev/full");
    out.line("#titolo#");
    try {
        out.close();
        FAIL() << "no failure";
    } catch (const RunError& e) {
        EXPECT_EQ(e.code(), kDiskFull);
        EXPECT_EQ(e.description(), "Disco pieno (/dev/full)");
    }
}

TEST(BookWriter, FailuresToOpenNameThePath)
{
    test::TempDir dir;
    const struct {
        std::string path;
        int code;
        const char* description;
    } cases[] = {
        {(dir / "manca" / "rilievo.qrb").string(), kPathNotFound, "Impossibile trovare il percorso"},
        {dir.path().string(), kPathFileAccess, "Errore di accesso al percorso/file"},  // a folder
    };
    for (const auto& c : cases) {
        try {
            BookWriter out(c.path);
            FAIL() << c.path;
        } catch (const RunError& e) {
            EXPECT_EQ(e.code(), c.code);
            EXPECT_EQ(e.description(), std::string(c.description) + " (" + c.path + ")");
        }
    }
}

}  // namespace
}  // namespace qrb

namespace qrb {
namespace {

// A book written at close leaves an existing file as it was until then, and
// altogether when the conversion ends without close.
TEST(BookWriter, WrittenAtCloseLeavesTheFileUntilThen)
{
    test::TempDir dir;
    const std::string path = (dir / "book.qrb").string();
    test::write_file(path, "old");
    {
        BookWriter out(path, BookWriter::Open::AtClose);
        out.line("new");
        EXPECT_EQ(test::read_file(path), "old");
    }
    EXPECT_EQ(test::read_file(path), "old");
    BookWriter out(path, BookWriter::Open::AtClose);
    out.line("new");
    out.close();
    EXPECT_EQ(test::read_file(path), "new\r\n");
}

}  // namespace
}  // namespace qrb
