// The serial download end to end over a pseudo-terminal pair: the test plays
// the instrument on the master side, the program opens the slave side as
// COM1 through QUAREL_COM1 and QSerialPort.
#include <poll.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <thread>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QEventLoop>
#include <QPushButton>
#include <QSocketNotifier>
#include <QTimer>
#include <QWidget>

#include "app/dispatch.hpp"
#include "app/handler_error.hpp"
#include "download/download_fakes.hpp"
#include "importers/gsi/gsi_test_lines.hpp"
#include "platform/qt/qt_serial_port.hpp"
#include "pty_pair.hpp"
#include "support/harness.hpp"
#include "ui/config_panel.hpp"
#include "ui/download_panel.hpp"
#include "ui/serial_controller.hpp"

namespace qrb::test {
namespace {

// The window as the download sees it, converting with the real dispatch in
// command-line mode.
class ConvertingWindow : public FakeWindow {
public:
    ConvertingWindow(WorkState& state, Ui& ui, std::string output) : state_(state), ui_(ui), output_(std::move(output))
    {
        cli = true;
    }
    void dispatch_import(const std::string& path) override
    {
        FakeWindow::dispatch_import(path);
        ImportContext ctx{state_, ui_, options_, output_};
        qrb::dispatch_import(ctx, entry, path);
    }

private:
    WorkState& state_;
    Ui& ui_;
    ImportOptions options_;
    std::string output_;
};

// The instrument on a thread of its own: each piece is sent after its pause,
// so that the pauses are real whatever the window's event loop is doing.
class Instrument {
public:
    struct Piece {
        int pause_ms;
        std::string bytes;
    };
    Instrument(const PtyPair& pty, std::vector<Piece> pieces)
        : thread_([this, fd = pty.master(), pieces = std::move(pieces)] {
              for (const Piece& piece : pieces) {
                  std::this_thread::sleep_for(std::chrono::milliseconds(piece.pause_ms));
                  for (std::size_t at = 0; at < piece.bytes.size();) {
                      const ssize_t n = ::write(fd, piece.bytes.data() + at, piece.bytes.size() - at);
                      if (n > 0) {
                          at += static_cast<std::size_t>(n);
                          continue;
                      }
                      // Nobody reads the line any more (the transfer ended): give up.
                      pollfd out{fd, POLLOUT, 0};
                      if (::poll(&out, 1, 2000) <= 0) return;
                  }
                  last_byte_ = std::chrono::steady_clock::now();
              }
          })
    {
    }
    ~Instrument()
    {
        if (thread_.joinable()) thread_.join();
    }
    Instrument(const Instrument&) = delete;
    Instrument& operator=(const Instrument&) = delete;

    // When the last byte was handed to the line; valid once the thread ended.
    std::chrono::steady_clock::time_point last_byte()
    {
        if (thread_.joinable()) thread_.join();
        return last_byte_;
    }

private:
    std::chrono::steady_clock::time_point last_byte_;
    std::thread thread_;
};

// Lines of a recording, `count` of 115 bytes each.
std::string numbered_lines(int from, int count)
{
    std::string out;
    for (int k = from; k < from + count; ++k) {
        std::string line = "110" + std::to_string(100000 + k) + "+00000" + std::to_string(100000 + k);
        line.resize(113, '.');
        out += line + "\r\n";
    }
    return out;
}

class SerialPtyTest : public ::testing::Test {
protected:
    CommPanelValues panel() const
    {
        CommPanelValues v;
        v.porta = 0;  // COM1
        v.rts = 0;
        v.dtr = 1;
        v.agg_crlf = 1;
        return v;
    }

    // Downloads what the instrument sends with the given time-out (no start
    // or end sequence), the conversion question answered Yes; `ended` is how
    // many seconds after the instrument's last byte the transfer ended.
    std::string timed_download(int timeout, std::vector<Instrument::Piece> pieces, double& ended)
    {
        ended = -1;
        PtyPair pty;
        EXPECT_TRUE(pty.ok());
        ScopedEnv com1("QUAREL_COM1", pty.slave_name());
        state.results_folder = dir.path().string();
        FakeWindow window;
        std::optional<std::chrono::steady_clock::time_point> end;
        window.on_dispatch = [&](const std::string&) { end = std::chrono::steady_clock::now(); };
        SerialController controller({state, ui, store, shell, window, dir.path().string()}, &config_host,
                                    &download_host);
        controller.config_panel()->set_values(panel());
        controller.section().params() = {timeout, "", ""};

        QEventLoop loop;
        QTimer watch;
        watch.setInterval(10);
        QObject::connect(&watch, &QTimer::timeout, [&] {
            if (end) loop.quit();
        });
        watch.start();
        QTimer::singleShot(30000, &loop, &QEventLoop::quit);
        controller.btn_impreg_Click();
        EXPECT_TRUE(controller.port().is_open());
        Instrument instrument(pty, std::move(pieces));
        loop.exec();
        const auto last = instrument.last_byte();
        if (end) ended = std::chrono::duration<double>(*end - last).count();
        EXPECT_EQ(ui.box_lines(),
                  (std::vector<std::string>{"box|question|Fine ricezione|Procedere con la conversione del file ?|yes"}));
        return read_file(dir / "datireg.dat");
    }

    TempDir dir;
    WorkState state;
    ScriptedUi ui;
    MemorySettings store;
    RecordingShell shell;
    QWidget config_host;
    QWidget download_host;
};

TEST_F(SerialPtyTest, DownloadsAGsiRecordingAndConvertsIt)
{
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    ScopedEnv com1("QUAREL_COM1", pty.slave_name());
    state.results_folder = dir.path().string();
    ConvertingWindow window(state, ui, (dir / "rilievo.qrb").string());
    SerialController controller({state, ui, store, shell, window, QRB_COMMAND_FILES}, &config_host, &download_host);
    controller.config_panel()->set_values(panel());
    controller.section().params() = {15, "GO", "END"};
    controller.load_commands("gsigen.txt");

    const std::vector<std::string> recording = {
        word8("11", "00000001") + word8("84", "0") + word8("85", "0") + word8("86", "0") + word8("88", "00001550") +
            word8("71", "0000STAZ"),
        word8("11", "00000101") + word8("21", "12345678", '-') + word8("22", "09876543") + word8("31", "00012345") +
            word8("87", "00001600") + word8("71", "000CASA0"),
        word8("11", "00000102") + word8("21", "20000000") + word8("22", "10000000") + word8("71", "00000012"),
    };
    const std::string first = crlf({recording[0], recording[1]}).substr(0, 70);
    const std::string rest = crlf(recording).substr(70) + "END\r\n";

    // The instrument: answers the start sequence with a greeting, and the
    // command with the recording, in two chunks with a pause between them.
    std::string heard;
    int stage = 0;
    QSocketNotifier listener(pty.master(), QSocketNotifier::Read);
    QObject::connect(&listener, &QSocketNotifier::activated, [&] {
        heard += pty.take();
        if (stage == 0 && heard == "GO\r\n") {
            stage = 1;
            pty.send("PRONTO\r\n");
            // The user sends the first command of the list once the greeting is shown.
            QTimer::singleShot(400, [&] {
                DownloadPanel* p = controller.download_panel();
                p->txt_comando->setCurrentIndex(0);
                p->op_linefeed->setChecked(true);
                p->btn_comando->click();
            });
        } else if (stage == 1 && heard == "GO\r\nGET/I/WI11\r") {
            stage = 2;
            pty.send(first);
            QTimer::singleShot(1200, [&] { pty.send(rest); });
        }
    });

    QEventLoop loop;
    QTimer watch;
    watch.setInterval(50);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (window.closed) loop.quit();
    });
    watch.start();
    QTimer::singleShot(20000, &loop, &QEventLoop::quit);
    controller.btn_impreg_Click();
    EXPECT_TRUE(controller.port().is_open());
    loop.exec();

    ASSERT_TRUE(window.closed) << "the download did not end; the instrument heard: " << heard;
    EXPECT_EQ(stage, 2);
    EXPECT_EQ(heard, "GO\r\nGET/I/WI11\r");
    EXPECT_FALSE(controller.port().is_open());
    EXPECT_EQ(ui.box_lines(),
              (std::vector<std::string>{"box|question|Fine ricezione|Procedere con la conversione del file ?|yes"}));
    EXPECT_EQ(read_file(dir / "datireg.dat"), crlf(recording) + "END\r\n\r\n");
    EXPECT_EQ(read_file(dir / "rilievo.qrb"),
              crlf({"#titolo#", "Importazione file Leica GSI", "#loc#", "Nessuna", "#tipo#", "IZ", "#angoli#", "CENT",
                    "#note#", "File formato Leica GSI generico", "#stazione#", "1", "1.55", "STAZ",
                    "101|123.4568|98.76543|12.345|1.6|CASA|CASA|", "102|200|100|INT|0|12|12|", "#origine#",
                    "0|0|0|"}));
    EXPECT_EQ(window.events, (std::vector<std::string>{"panel download", "dispatch", "panel main", "close"}));
}

TEST_F(SerialPtyTest, DataSentSteadilyLongerThanTheTimeOutIsSavedWhole)
{
    // 11.5 KB/s (115200 baud) for 3.5 s with the time-out at 3: the transfer
    // ends a whole second after the last byte, not at the first tick.
    std::vector<Instrument::Piece> pieces;
    std::string sent;
    for (int k = 0; k < 350; ++k) {
        pieces.push_back({k == 0 ? 100 : 10, numbered_lines(k, 1)});
        sent += pieces.back().bytes;
    }
    double ended = 0;
    const std::string saved = timed_download(3, std::move(pieces), ended);
    EXPECT_EQ(saved.size(), sent.size() + 2);
    EXPECT_TRUE(saved == sent + "\r\n");
    EXPECT_GE(ended, 1.0);
    EXPECT_LT(ended, 3.0);  // the silence, not the time-out (4 s)
}

TEST_F(SerialPtyTest, APauseUnderAThirdOfTheTimeOutGoesOnAndASilenceOfAThirdEnds)
{
    // Time-out 6: a pause of 1.8 s goes on; 2 s of silence end the transfer.
    const std::string first = numbered_lines(0, 20);
    const std::string second = numbered_lines(20, 20);
    double ended = 0;
    const std::string saved = timed_download(6, {{100, first}, {1800, second}}, ended);
    EXPECT_TRUE(saved == first + second + "\r\n") << saved.size();
    EXPECT_GE(ended, 2.0);
    EXPECT_LT(ended, 4.0);  // the silence, not the time-out (7 s)
}

TEST_F(SerialPtyTest, MissingAndBusyPorts)
{
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    ScopedEnv com1("QUAREL_COM1", pty.slave_name());
    ScopedEnv com2("QUAREL_COM2", (dir / "nessuna-porta").string());
    FakeWindow window;
    SerialController controller({state, ui, store, shell, window, dir.path().string()}, &config_host, &download_host);

    CommPanelValues v = panel();
    v.porta = 1;  // COM2: no such device
    controller.config_panel()->set_values(v);
    controller.btn_impreg_Click();
    EXPECT_EQ(ui.box_lines(), (std::vector<std::string>{"box|excl|Attenzione|Porta COM non disponibile|ok"}));
    EXPECT_EQ(window.panel, Panel::Main);

    QtSerialPort other;
    PortSettings settings;
    settings.comm_port = 1;
    other.open(settings);
    ui.boxes.clear();
    controller.config_panel()->set_values(panel());
    controller.btn_impreg_Click();
    EXPECT_EQ(ui.box_lines(),
              (std::vector<std::string>{"box|excl|Attenzione|Porta COM già occupata da altro dispositivo|ok"}));
    EXPECT_FALSE(controller.port().is_open());
}

TEST_F(SerialPtyTest, ADeviceTheUserMayNotOpenIsNamedWithTheCause)
{
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    ASSERT_EQ(::chmod(pty.slave_name().c_str(), 0), 0);
    ScopedEnv com1("QUAREL_COM1", pty.slave_name());
    const std::string expected = "Porta COM non accessibile (permesso negato): " + pty.slave_name();
    // In a child without the right to open it (as "nobody" when the tests run as root).
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(100);
        QtSerialPort port;
        PortSettings settings;
        settings.comm_port = 1;
        try {
            port.open(settings);
        } catch (const RunError& e) {
            ::_exit(e.code() == kPermissionDenied && e.description() == expected ? 0 : 1);
        }
        ::_exit(2);
    }
    int status = -1;
    ::waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST_F(SerialPtyTest, SettingsThePlatformCannotApplyOpenNothing)
{
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    ScopedEnv com1("QUAREL_COM1", pty.slave_name());
    struct Case {
        int data_bits;
        const char* stop_bits;
        const char* text;
    };
    for (const Case c : {Case{4, "1", "Errore codice  380 : Impostazione della porta non applicabile su questo sistema "
                                      "(9600,N,4,1): 4 bit dati non supportati"},
                         Case{8, "1.5", "Errore codice  380 : Impostazione della porta non applicabile su questo "
                                        "sistema (9600,N,8,1.5): 1.5 bit di stop non supportati"}}) {
        QtSerialPort port;
        PortSettings settings;
        settings.data_bits = c.data_bits;
        settings.stop_bits = c.stop_bits;
        try {
            port.open(settings);
            FAIL() << c.data_bits;
        } catch (const RunError& e) {
            EXPECT_EQ(handler_error_text(e.code(), e.description()), c.text);
        }
        EXPECT_FALSE(port.is_open());
    }

    // Through the download: the unexpected-error box; Abort ends it.
    FakeWindow window;
    SerialController controller({state, ui, store, shell, window, dir.path().string()}, &config_host, &download_host);
    CommPanelValues v = panel();
    v.bit_dati = 0;  // 4 data bits
    controller.config_panel()->set_values(v);
    ui.answers = {kAbort};
    controller.btn_impreg_Click();
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].title, "Errore su btn_impreg");
    EXPECT_EQ(ui.boxes[0].icon, Icon::Critical);
    EXPECT_EQ(ui.boxes[0].buttons, Buttons::AbortRetryIgnore);
    EXPECT_FALSE(controller.port().is_open());
    EXPECT_FALSE(controller.section().download().running());
    EXPECT_EQ(window.panel, Panel::Main);
}

TEST(SerialDevice, ComPortsAndTheirOverrides)
{
    ::unsetenv("QUAREL_COM3");
    EXPECT_EQ(serial_device(1), "/dev/ttyS0");
    EXPECT_EQ(serial_device(9), "/dev/ttyS8");
    ScopedEnv com3("QUAREL_COM3", "/dev/ttyUSB0");
    EXPECT_EQ(serial_device(3), "/dev/ttyUSB0");
    ScopedEnv com4("QUAREL_COM4", "");
    EXPECT_EQ(serial_device(4), "/dev/ttyS3");
}

}  // namespace
}  // namespace qrb::test
