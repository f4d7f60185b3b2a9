#include <filesystem>

#include <gtest/gtest.h>

#include "download/serial_section.hpp"
#include "download_fakes.hpp"
#include "support/harness.hpp"

namespace qrb::test {
namespace {

const std::string kProceedYes = "box|question|Fine ricezione|Procedere con la conversione del file ?|yes";
const std::string kProceedNo = "box|question|Fine ricezione|Procedere con la conversione del file ?|no";
const std::string kNoData =
    "box|excl|Attenzione|E' stato superato il timeout senza ricevere alcun dato. Ricezione dati interrotta!|ok";

class DownloadTest : public SectionFixture {
protected:
    SerialDownload& dl() { return section.download(); }
    void start(int timeout = 15)
    {
        section.params().timeout_seconds = timeout;
        section.start_download();
    }
    void feed(const std::string& bytes)
    {
        port.waiting += bytes;
        dl().data_available();
    }
    void timeout_ticks(int n)
    {
        for (int k = 0; k < n; ++k) dl().timeout_tick();
    }
    void silence_ticks(int n)
    {
        for (int k = 0; k < n; ++k) dl().silence_tick();
    }
    std::filesystem::path datireg() const { return dir / "datireg.dat"; }
    // The port closed, both timers stopped, the main panel back.
    void expect_ended()
    {
        EXPECT_FALSE(dl().running());
        EXPECT_FALSE(port.is_open());
        EXPECT_FALSE(timers.timeout);
        EXPECT_FALSE(timers.silence);
        EXPECT_EQ(window.panel, Panel::Main);
        EXPECT_EQ(window.status, kStatusMain);
        EXPECT_FALSE(section.wizard_active());
    }

};

TEST_F(DownloadTest, EntriesWithoutSerialDownloadAreRefused)
{
    for (const char* entry : {"ARVAtec GPS", "- Altri registratori -"}) {
        ui.boxes.clear();
        window.entry = entry;
        start();
        EXPECT_EQ(ui.box_lines(), (std::vector<std::string>{
                                      "box|excl|Attenzione|Il formato selezionato non consente lo scarico diretto "
                                      "dalla porta seriale. Utilizzare il comando 'Importa da file'|ok"}));
    }
    EXPECT_TRUE(port.opened_with.empty());
    EXPECT_TRUE(window.events.empty());
    EXPECT_FALSE(timers.timeout);
    EXPECT_FALSE(std::filesystem::exists(datireg()));
    EXPECT_TRUE(serial_download_allowed("- Procedura guidata scelta formato -"));
    EXPECT_TRUE(serial_download_allowed("Leica GSI Generico"));
}

TEST_F(DownloadTest, StartOpensThePortAndSendsTheStartSequence)
{
    config.panel.porta = 2;
    config.panel.dtr = 0;
    config.panel.agg_crlf = 1;
    section.params().start_sequence = "GO";
    start();
    ASSERT_EQ(port.opened_with.size(), 1u);
    EXPECT_EQ(port.opened_with[0].comm_port, 3);
    EXPECT_EQ(port.opened_with[0].text(), "9600,N,8,1");
    EXPECT_EQ(port.opened_with[0].handshaking, Handshaking::RtsCts);
    EXPECT_EQ(port.dtr, false);
    EXPECT_EQ(port.sent, "GO\r\n");
    EXPECT_TRUE(dl().receiving());
    EXPECT_EQ(window.panel, Panel::Download);
    EXPECT_EQ(window.status, "Lettura dati da registratore in corso ...");
    EXPECT_EQ(view.progress, "Inizia a trasferire i dati dal registratore...");
    EXPECT_EQ(view.marks, (std::vector<int>{36}));
    EXPECT_EQ(view.command_box_cleared, 1);
    EXPECT_TRUE(timers.timeout);
    EXPECT_FALSE(timers.silence);
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(DownloadTest, StartSequenceWithoutCrLfAndNoneWhenEmpty)
{
    section.params().start_sequence = "GO";
    start();
    EXPECT_EQ(port.sent, "GO");
    EXPECT_EQ(port.dtr, true);
    dl().interrupt();
    port.sent.clear();
    section.params().start_sequence = "";
    config.panel.agg_crlf = 1;
    start();
    EXPECT_EQ(port.sent, "");
}

TEST_F(DownloadTest, NoDataEndsAtTheSixteenthSecondOfFifteen)
{
    window.cli = true;
    start(15);
    timeout_ticks(15);
    EXPECT_TRUE(dl().receiving());
    EXPECT_TRUE(ui.boxes.empty());
    timeout_ticks(1);
    EXPECT_EQ(ui.box_lines(), (std::vector<std::string>{kNoData}));
    expect_ended();
    EXPECT_FALSE(std::filesystem::exists(datireg()));
    EXPECT_TRUE(window.dispatched.empty());
    EXPECT_FALSE(window.closed);  // command-line mode stays open
}

TEST_F(DownloadTest, SilenceOfAThirdOfTheTimeOutEndsTheTransfer)
{
    const std::pair<int, int> cases[] = {{15, 5}, {1, 1}, {2, 1}, {3, 1}, {4, 2}, {6, 2}, {10, 4}};
    for (const auto& [timeout, needed] : cases) {
        ui.boxes.clear();
        ui.answers = {kNo};
        start(timeout);
        silence_ticks(5);  // the silence timer runs only once data has begun
        EXPECT_TRUE(dl().receiving()) << timeout;
        feed("abc");
        EXPECT_TRUE(timers.silence);
        silence_ticks(needed - 1);
        EXPECT_TRUE(dl().receiving()) << timeout;
        silence_ticks(1);
        EXPECT_FALSE(dl().receiving()) << timeout;
        EXPECT_EQ(ui.box_lines(), (std::vector<std::string>{kProceedNo})) << timeout;
    }
}

TEST_F(DownloadTest, EachChunkRestartsBothCounts)
{
    start(15);
    feed("a");
    timeout_ticks(10);
    silence_ticks(4);
    feed("b");
    EXPECT_EQ(dl().timeout_ticks(), 0);
    EXPECT_EQ(dl().silence_ticks(), 0);
    silence_ticks(4);
    EXPECT_TRUE(dl().receiving());
}

TEST_F(DownloadTest, EachChunkStartsBothTimersBeatAnewAndACommandTheTimeOuts)
{
    start(15);
    EXPECT_EQ(timers.timeout_starts, 1);
    EXPECT_EQ(timers.silence_starts, 0);
    feed("a");
    feed("b");
    EXPECT_EQ(timers.timeout_starts, 3);
    EXPECT_EQ(timers.silence_starts, 2);
    dl().send_command("DUMP", true);
    EXPECT_EQ(timers.timeout_starts, 4);
    EXPECT_EQ(timers.silence_starts, 2);
}

TEST_F(DownloadTest, DataWaitingAtATickAreReadFirstAndTheTickDoesNotCount)
{
    ui.answers = {kNo};
    start(3);
    feed("a");
    // Arrived, not yet announced: the tick reads it, and the line was not silent.
    port.waiting = "b";
    silence_ticks(1);
    EXPECT_TRUE(dl().receiving());
    EXPECT_EQ(dl().buffer(), "ab");
    EXPECT_EQ(dl().silence_ticks(), 0);
    port.waiting = "c";
    timeout_ticks(1);
    EXPECT_EQ(dl().buffer(), "abc");
    EXPECT_EQ(dl().timeout_ticks(), 0);
    // Still held by the device: no tick counts until it is read.
    port.held = true;
    silence_ticks(3);
    timeout_ticks(5);
    EXPECT_TRUE(dl().receiving());
    EXPECT_EQ(dl().silence_ticks(), 0);
    EXPECT_EQ(dl().timeout_ticks(), 0);
    port.held = false;
    silence_ticks(1);
    EXPECT_FALSE(dl().receiving());
    EXPECT_EQ(ui.box_lines(), (std::vector<std::string>{kProceedNo}));
}

TEST_F(DownloadTest, DataThatArrivedDuringABoxAreReadBeforeTheEndRules)
{
    // A read error's box is open while the silence timer ticks past a third
    // of the time-out and data arrive; after "Ignora" the data are read
    // before the silence is checked, and the silence counts from them.
    ui.answers = {kIgnore, kNo};
    start(3);
    feed("a");
    port.read_error = kDeviceIO;
    ui.on_box = [&](const std::string&) {
        port.read_error.reset();
        silence_ticks(2);
        port.waiting += "b";
        dl().data_available();
    };
    feed("x");  // lost with the read error
    ui.on_box = nullptr;
    EXPECT_TRUE(dl().receiving());
    EXPECT_EQ(dl().buffer(), "ab");
    EXPECT_EQ(dl().silence_ticks(), 0);
    silence_ticks(1);
    EXPECT_FALSE(dl().receiving());
}

TEST_F(DownloadTest, TimeOutAfterDataCompletesWithoutMessage)
{
    ui.answers = {kNo};
    start(15);
    feed("dati");
    timeout_ticks(16);
    EXPECT_EQ(ui.box_lines(), (std::vector<std::string>{kProceedNo}));
    expect_ended();
}

TEST_F(DownloadTest, EndSequenceWithAddedCrLf)
{
    config.panel.agg_crlf = 1;
    section.params().end_sequence = "END";
    start();
    feed("END\r\n");  // the ending alone is not enough
    EXPECT_TRUE(dl().receiving());
    feed("dati END");
    EXPECT_TRUE(dl().receiving());
    feed("\r");
    EXPECT_TRUE(dl().receiving());
    feed("\n");
    EXPECT_FALSE(dl().receiving());
    EXPECT_EQ(ui.box_lines(), (std::vector<std::string>{kProceedYes}));
    EXPECT_EQ(read_file(datireg()), "END\r\ndati END\r\n\r\n");
}

TEST_F(DownloadTest, EndSequenceIsLookedForAtTheEndOfTheBuffer)
{
    section.params().end_sequence = "END";
    start();
    feed("dati ENDx");  // followed by more in the same chunk: not the end
    EXPECT_TRUE(dl().receiving());
    feed("end");        // case counts
    EXPECT_TRUE(dl().receiving());
    feed("EN");
    EXPECT_TRUE(dl().receiving());
    feed("D");          // split across two chunks
    EXPECT_FALSE(dl().receiving());
}

TEST_F(DownloadTest, ForcedCrLfGoesBeforeEveryChunk)
{
    config.panel.crlf = 1;
    start();
    feed("ab");
    feed("cd");
    EXPECT_EQ(view.echo, "\r\nab\r\ncd");
    EXPECT_EQ(dl().buffer(), "\r\nab\r\ncd");
    silence_ticks(5);
    EXPECT_EQ(read_file(datireg()), "\r\nab\r\ncd\r\n");
    EXPECT_EQ(window.dispatched, (std::vector<std::string>{datireg().string()}));
}

TEST_F(DownloadTest, FirstChunkStartingWithNulCompletesEmpty)
{
    start();
    feed(std::string("\0abc", 4));
    EXPECT_FALSE(dl().receiving());
    EXPECT_EQ(view.echo, "");
    EXPECT_EQ(ui.box_lines(), (std::vector<std::string>{kProceedYes}));
    EXPECT_EQ(read_file(datireg()), "\r\n");
    EXPECT_EQ(window.dispatched.size(), 1u);
}

TEST_F(DownloadTest, ConfirmedDownloadIsSavedThenConvertedThenTheWindowReturns)
{
    window.cli = true;
    start();
    feed("110001+00000001 21.324+12345678\r\n");
    feed("110002+00000002 21.324+22345678\r\n");
    silence_ticks(5);
    EXPECT_EQ(view.progress, "Trasferimento completato.");
    EXPECT_EQ(read_file(datireg()),
              "110001+00000001 21.324+12345678\r\n110002+00000002 21.324+22345678\r\n\r\n");
    EXPECT_EQ(window.events, (std::vector<std::string>{"panel download", "dispatch", "panel main", "close"}));
    EXPECT_EQ(state.msgbox_answer, kYes);
    expect_ended();
    EXPECT_TRUE(dl().buffer().empty());
}

TEST_F(DownloadTest, DeclinedConversionSavesNothingButEndsInCommandLineMode)
{
    window.cli = true;
    ui.answers = {kNo};
    start();
    feed("dati");
    silence_ticks(5);
    EXPECT_FALSE(std::filesystem::exists(datireg()));
    EXPECT_TRUE(window.dispatched.empty());
    EXPECT_TRUE(window.closed);
    EXPECT_EQ(state.msgbox_answer, kNo);
}

TEST_F(DownloadTest, InterruptBeforeDataAsksNothing)
{
    window.cli = true;
    start();
    dl().interrupt();
    EXPECT_TRUE(ui.boxes.empty());
    expect_ended();
    EXPECT_FALSE(window.closed);
    EXPECT_FALSE(std::filesystem::exists(datireg()));
}

TEST_F(DownloadTest, InterruptWithDataAsksWhetherToKeepThem)
{
    const std::string question = "box|question|Interruzione|Importare i dati già scaricati ?|";
    ui.answers = {kYes, kYes};
    start();
    feed("dati");
    dl().interrupt();
    EXPECT_EQ(ui.box_lines(), (std::vector<std::string>{question + "yes", kProceedYes}));
    EXPECT_EQ(read_file(datireg()), "dati\r\n");

    std::filesystem::remove(datireg());
    ui.boxes.clear();
    ui.answers = {kNo};
    window.cli = true;
    start();
    feed("dati");
    dl().interrupt();
    EXPECT_EQ(ui.box_lines(), (std::vector<std::string>{question + "no"}));
    expect_ended();
    EXPECT_FALSE(std::filesystem::exists(datireg()));
    EXPECT_FALSE(window.closed);
}

TEST_F(DownloadTest, EchoKeepsSevenHundredCharactersAndTheNewestChunk)
{
    start();
    std::string all;
    for (int k = 0; k < 200; ++k) {
        const std::string chunk = std::string(9, static_cast<char>('a' + k % 26)) + static_cast<char>('0' + k % 10);
        all += chunk;
        feed(chunk);
    }
    ASSERT_EQ(view.echo.size(), 710u);
    EXPECT_EQ(view.echo, all.substr(all.size() - 710));
    EXPECT_EQ(dl().buffer(), all);
}

TEST_F(DownloadTest, ProgressMarkWalksAndWrapsAround)
{
    start();
    for (int k = 0; k < 51; ++k) feed("x");
    ASSERT_EQ(view.marks.size(), 52u);
    EXPECT_EQ(view.marks[1], 42);
    EXPECT_EQ(view.marks[50], 336);
    EXPECT_EQ(view.marks[51], 36);
    EXPECT_EQ(view.progress, "Lettura dati in corso ...");
}

TEST_F(DownloadTest, CommandMidDownloadEmptiesEchoAndBufferAndRestartsTheTimeOut)
{
    start(15);
    feed("prima");
    timeout_ticks(10);
    silence_ticks(3);
    port.sent.clear();
    dl().send_command("  DUMP  ", true);
    EXPECT_EQ(port.sent, "DUMP\r");
    EXPECT_EQ(view.echo, "");
    EXPECT_EQ(dl().buffer(), "");
    EXPECT_EQ(dl().timeout_ticks(), 0);
    EXPECT_EQ(dl().silence_ticks(), 3);  // the silence keeps counting from the last chunk
    silence_ticks(2);
    EXPECT_FALSE(dl().receiving());
    EXPECT_EQ(read_file(datireg()), "\r\n");
}

TEST_F(DownloadTest, CommandWithoutLineFeedAndInTheWindowsCodePage)
{
    start();
    dl().send_command("CAFÈ", false);
    EXPECT_EQ(port.sent, "CAF\xC8");
    timeout_ticks(15);
    dl().send_command("", false);  // restarts the count as well
    timeout_ticks(15);
    EXPECT_TRUE(dl().receiving());
}

TEST_F(DownloadTest, CommandAfterTheEndIsNotSent)
{
    start();
    dl().interrupt();
    dl().send_command("DUMP", true);
    EXPECT_EQ(port.sent, "");
}

TEST_F(DownloadTest, PortErrorsShowTheirMessageAndEndTheDownload)
{
    const std::pair<int, const char*> cases[] = {
        {kDeviceUnavailable, "Porta COM non disponibile"},
        {kPortInvalid, "Porta COM non disponibile"},
        {kPortAlreadyOpen, "Porta COM già occupata da altro dispositivo"},
        {kPermissionDenied, "Porta COM non accessibile (permesso negato): /dev/ttyS0"},
    };
    for (const auto& [code, text] : cases) {
        ui.boxes.clear();
        window.closed = false;
        window.cli = true;
        port.open_error = code;
        // The port names the device and the cause of a refused permission.
        port.open_error_text = code == kPermissionDenied ? text : "";
        start();
        EXPECT_EQ(ui.box_lines(), (std::vector<std::string>{std::string("box|excl|Attenzione|") + text + "|ok"}));
        expect_ended();
        EXPECT_TRUE(window.closed);
        EXPECT_FALSE(std::filesystem::exists(datireg()));
    }
}

TEST_F(DownloadTest, UnexpectedOpenFailureAndAbortKeepsThePreviousDownload)
{
    write_file(datireg(), "precedente\r\n");
    port.open_error = kInvalidPropertyValue;
    ui.answers = {kAbort};
    start();
    EXPECT_EQ(ui.box_lines(), (std::vector<std::string>{"box|crit|Errore su btn_impreg|Errore codice  380 : Valore "
                                                        "della proprietà non valido|abort"}));
    EXPECT_EQ(state.msgbox_answer, kAbort);
    expect_ended();
    EXPECT_EQ(read_file(datireg()), "precedente\r\n");
}

TEST_F(DownloadTest, IgnoringAnOpenFailureGoesOnWithTheNextStep)
{
    port.open_error = kInvalidPropertyValue;
    section.params().start_sequence = "GO";
    ui.answers = {kIgnore, kRetry};
    start();
    // Sending the start sequence on the port that did not open fails in turn.
    ASSERT_EQ(ui.boxes.size(), 2u);
    EXPECT_EQ(ui.boxes[1].text, "Errore codice  8018 : Operazione valida solo quando la porta è aperta");
    EXPECT_TRUE(dl().receiving());
    timeout_ticks(16);
    EXPECT_EQ(ui.box_lines().back(), kNoData);
    expect_ended();
}

TEST_F(DownloadTest, AbortAfterDataSavesWhatArrived)
{
    window.cli = true;
    start();
    feed("0123456789");
    port.read_error = 999;
    ui.answers = {kAbort};
    feed("x");
    const std::string path = datireg().string();
    EXPECT_EQ(ui.box_lines(),
              (std::vector<std::string>{
                  "box|crit|Errore su btn_impreg|Errore codice  999 : Errore definito dall'applicazione o "
                  "dall'oggetto|abort",
                  "box|info|Informazione|I dati già scaricati sono stati salvati nel file " + path + "|ok"}));
    EXPECT_EQ(read_file(datireg()), "0123456789\r\n");
    EXPECT_TRUE(window.dispatched.empty());
    expect_ended();
    EXPECT_TRUE(window.closed);
}

TEST_F(DownloadTest, AbortWhoseSaveFailsIsReportedAndEndsTheDownload)
{
    state.results_folder = (dir / "manca").string();
    start();
    feed("dati");
    port.read_error = 999;
    ui.answers = {kAbort};
    feed("x");
    ASSERT_EQ(ui.boxes.size(), 2u);
    EXPECT_EQ(box_line(ui.boxes[1]),
              "box|excl|Errore su btn_impreg|Errore codice  76 : Impossibile trovare il percorso (" + (dir / "manca" / "datireg.dat").string() + ")|ok");
    expect_ended();
}

TEST_F(DownloadTest, RetryCutsTheEchoToSeventyCharactersAndGoesOn)
{
    start();
    feed(std::string(100, 'a') + std::string(70, 'b'));
    port.read_error = 999;
    ui.answers = {kRetry};
    feed("x");
    EXPECT_EQ(view.echo, std::string(70, 'b'));
    EXPECT_EQ(view.marks.back(), 48);  // the mark still moves for the failed chunk
    port.read_error.reset();
    feed("c");
    EXPECT_EQ(dl().buffer(), std::string(100, 'a') + std::string(70, 'b') + "c");
    EXPECT_TRUE(dl().receiving());
}

TEST_F(DownloadTest, ASaveThatFailsIsNotConverted)
{
    state.results_folder = (dir / "manca").string();
    ui.answers = {kYes, kIgnore};
    start();
    feed("dati");
    silence_ticks(5);
    ASSERT_EQ(ui.boxes.size(), 2u);
    EXPECT_EQ(ui.boxes[1].title, "Errore su btn_impreg");
    EXPECT_EQ(ui.boxes[1].text, "Errore codice  76 : Impossibile trovare il percorso (" + (dir / "manca" / "datireg.dat").string() + ")");
    EXPECT_TRUE(window.dispatched.empty());
    expect_ended();
}

TEST_F(DownloadTest, EventsDuringABoxWaitForIt)
{
    start();
    feed("dati");
    ui.answers = {kNo};
    int reentered = 0;
    ui.on_box = [&](const std::string&) {
        if (reentered++) return;
        dl().timeout_tick();
        dl().silence_tick();
        port.waiting += "tardi";
        dl().data_available();
        dl().interrupt();
    };
    dl().interrupt();
    EXPECT_EQ(ui.boxes.size(), 1u);  // one question, not one per event
    expect_ended();
}

TEST_F(DownloadTest, BytesArrivingDuringAnErrorBoxAreReadAfterIt)
{
    start();
    port.read_error = 999;
    ui.answers = {kIgnore};
    ui.on_box = [&](const std::string&) {
        port.read_error.reset();
        port.waiting += "dopo";
        dl().data_available();
        EXPECT_EQ(dl().buffer(), "");
    };
    feed("x");
    EXPECT_EQ(dl().buffer(), "dopo");
}

TEST_F(DownloadTest, WizardDownloadShowsItsBoxBeforeOpeningAndEndsTheWizard)
{
    window.entry = "- Procedura guidata scelta formato -";
    section.show_settings_panel();
    bool port_open_at_box = true;
    ui.on_box = [&](const std::string&) { port_open_at_box = port.is_open(); };
    ui.answers = {kOk, kOk, kNo};
    section.format_wizard_step(1);  // two boxes answered OK, panel shown
    ui.boxes.clear();
    ui.answers = {kOk, kOk, kNo};
    section.apply_settings();       // step 2: two boxes, then the download
    ASSERT_GE(ui.boxes.size(), 3u);
    EXPECT_EQ(ui.boxes[2].title, "Procedura guidata - Passo 2");
    EXPECT_EQ(ui.boxes[2].icon, Icon::Information);
    EXPECT_EQ(ui.boxes[2].buttons, Buttons::Ok);
    EXPECT_TRUE(ui.boxes[2].text.starts_with("Ora premi OK e poi inizia a trasmettere dallo strumento."));
    EXPECT_FALSE(port_open_at_box);
    EXPECT_TRUE(dl().receiving());
    EXPECT_TRUE(section.wizard_active());
    feed("campione");
    silence_ticks(5);
    expect_ended();
}

TEST_F(DownloadTest, ShutdownClosesThePort)
{
    start();
    feed("dati");
    dl().shutdown();
    EXPECT_FALSE(port.is_open());
    EXPECT_FALSE(timers.timeout);
    EXPECT_FALSE(timers.silence);
    EXPECT_FALSE(dl().running());
}

}  // namespace
}  // namespace qrb::test
