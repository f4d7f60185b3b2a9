#include <gtest/gtest.h>

#include <stdexcept>

#include "app/handler_error.hpp"
#include "app/import_from_file.hpp"
#include "common/failure.hpp"
#include "support/harness.hpp"

namespace qrb {
namespace {

using V = std::vector<std::string>;

TEST(RecorderFileRequest, FolderNameAndFilter)
{
    WorkState state;
    state.download_folder = "/dati/scarico";
    state.download_extension = "DAT";
    FileDialogRequest r = recorder_file_request(state);
    EXPECT_EQ(r.initial_folder, "/dati/scarico");
    EXPECT_EQ(r.file_name, "*.DAT");
    EXPECT_EQ(r.filter, "File registratore (*.DAT)|*.DAT|Tutti i file (*.*)|*.*");

    state.download_extension = "";
    r = recorder_file_request(state);
    EXPECT_EQ(r.file_name, "*.");
    EXPECT_EQ(r.filter, "File registratore (*.)|*.|Tutti i file (*.*)|*.*");
}

struct ImportRoad : ::testing::Test {
    test::Harness h;
    V wizard_samples;
    DispatchHooks hooks{[this](const std::string& path) { wizard_samples.push_back(path); }};

    AfterImport run(std::string_view entry)
    {
        ImportContext ctx{h.state, h.ui, h.options, h.command_line_path};
        return import_from_file(ctx, entry, hooks);
    }
    std::string existing(const std::string& name)
    {
        const auto path = h.dir / name;
        test::write_file(path, "x\r\n");
        return path.string();
    }
};

TEST_F(ImportRoad, CancelledOpenDialog)
{
    h.ui.open_result.reset();
    EXPECT_EQ(run("Leica GSI Generico"), AfterImport::Stay);
    EXPECT_TRUE(h.ui.boxes.empty());
    h.cli();
    EXPECT_EQ(run("Leica GSI Generico"), AfterImport::EndProgram);
    EXPECT_TRUE(h.ui.boxes.empty());
    EXPECT_EQ(h.ui.open_requests.size(), 2u);
}

TEST_F(ImportRoad, MissingFileKeepsTheProgramOpen)
{
    const std::string missing = "box|excl|Operazione non valida|File inesistente|ok";
    h.cli();
    h.ui.open_result = (h.dir / "manca.dat").string();
    EXPECT_EQ(run("- Altri registratori -"), AfterImport::Stay);
    h.ui.open_result = h.dir.path().string();  // a folder is no file
    EXPECT_EQ(run("- Altri registratori -"), AfterImport::Stay);
    EXPECT_EQ(h.ui.box_lines(), (V{missing, missing}));
}

TEST_F(ImportRoad, HiddenFileIsAnExistingFile)
{
    h.ui.open_result = existing(".nascosto.dat");
    EXPECT_EQ(run("- Procedura guidata scelta formato -"), AfterImport::Stay);
    EXPECT_EQ(wizard_samples, V{*h.ui.open_result});
    EXPECT_TRUE(h.ui.boxes.empty());
}

TEST_F(ImportRoad, SpecialEntries)
{
    h.ui.open_result = existing("rilievo.dat");
    EXPECT_EQ(run("- Altri registratori -"), AfterImport::Stay);
    EXPECT_EQ(h.ui.box_lines(), V{"box|info|Quarel - Import|Selezionare un registratore dalla lista|ok"});
    h.ui.boxes.clear();
    h.cli();
    EXPECT_EQ(run("Leica Geo Office (Istruzioni)"), AfterImport::EndProgram);
    EXPECT_TRUE(h.ui.boxes.empty());
    EXPECT_FALSE(std::filesystem::exists(h.output_path()));
}

TEST_F(ImportRoad, EscapingErrorIsReportedAndEndsCommandLineMode)
{
    h.ui.open_result = existing("rilievo.dat");
    hooks.wizard_send_sample = [](const std::string&) { fail(kPastEndOfInput); };
    EXPECT_EQ(run("- Procedura guidata scelta formato -"), AfterImport::Stay);
    h.cli();
    hooks.wizard_send_sample = [](const std::string&) { throw std::runtime_error("disco rimosso"); };
    EXPECT_EQ(run("- Procedura guidata scelta formato -"), AfterImport::EndProgram);
    EXPECT_EQ(h.ui.box_lines(), (V{"box|excl|Errore su Command1|Errore codice  62 : Input oltre la fine del file|ok",
                                   "box|excl|Errore su Command1|Errore codice  51 : disco rimosso|ok"}));
}

TEST_F(ImportRoad, ConvertsToTheCommandLinePath)
{
    h.cli();
    h.ui.open_result = existing("rilievo.gsi");
    test::write_file(*h.ui.open_result,
                     test::crlf({"11..10+00000001 84..10+00000000 85..10+00000000 86..10+00000000 88..10+00001550 ",
                                 "11..10+00000101 21..10+20000000 22..10+10000000 "}));
    EXPECT_EQ(run("Leica GSI Generico"), AfterImport::EndProgram);
    const std::string book = test::read_file(h.output_path());
    EXPECT_NE(book.find("#stazione#\r\n1\r\n1.55\r\n"), std::string::npos) << book;
    EXPECT_NE(book.find("#origine#"), std::string::npos);
    EXPECT_EQ(h.ui.box_lines(), V{});  // no notice, no Save dialog, no success box
    EXPECT_TRUE(h.ui.save_requests.empty());
}

TEST(HandlerError, Text)
{
    EXPECT_EQ(handler_error_text(6, "Overflow"), "Errore codice  6 : Overflow");
    EXPECT_EQ(handler_error_text(32755, "x"), "Errore codice  32755 : x");
}

}  // namespace
}  // namespace qrb
