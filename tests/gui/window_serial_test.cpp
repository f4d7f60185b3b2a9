// The serial section inside the main window: its panels in the window's
// places, the buttons, the command files on selection, the wizard's entry,
// and a download from the window in command-line mode.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QEventLoop>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSocketNotifier>
#include <QStackedWidget>
#include <QTimer>

#include "download/download_fakes.hpp"
#include "pty_pair.hpp"
#include "support/fakes.hpp"
#include "support/harness.hpp"
#include "ui/config_panel.hpp"
#include "ui/download_panel.hpp"
#include "ui/main_window.hpp"
#include "ui/window_serial.hpp"

namespace qrb::test {
namespace {

std::string s(const QString& text) { return text.toStdString(); }

class WindowSerialTest : public ::testing::Test {
protected:
    MainWindow& open(const std::string& command_line = "")
    {
        window = std::make_unique<MainWindow>(
            ui, shell, settings, StartupEnvironment{dir.path().string(), dir.path().string(), command_line});
        serial = new WindowSerial(*window, ui, shell, settings, QRB_COMMAND_FILES);
        window->show();
        window->form_load();
        return *window;
    }
    ConfigPanel& config() { return *serial->controller().config_panel(); }
    DownloadPanel& download() { return *serial->controller().download_panel(); }
    void select(const std::string& entry)
    {
        const auto found = window->list_reg->findItems(QString::fromStdString(entry), Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1);
        window->list_reg->setCurrentItem(found.front());
    }
    std::vector<std::string> commands()
    {
        std::vector<std::string> out;
        for (int k = 0; k < download().txt_comando->count(); ++k) out.push_back(s(download().txt_comando->itemText(k)));
        return out;
    }

    TempDir dir;
    ScriptedUi ui;
    RecordingShell shell;
    MemorySettings settings;
    std::unique_ptr<MainWindow> window;
    WindowSerial* serial = nullptr;  // owned by the window
};

TEST_F(WindowSerialTest, PanelsSitInTheWindowsPlacesAndShowTheStoredSettings)
{
    settings.import("porta", " 3");
    settings.import("timeout", "20");
    settings.import("start_stri", " GO ");
    settings.import("agg_crlf", "1");
    settings.import("estensione", "gsi");
    settings.import("cart_scarico", "/dati/scarico");
    MainWindow& w = open();
    EXPECT_TRUE(w.pan_config->isAncestorOf(&config()));
    EXPECT_TRUE(w.frame_lett->isAncestorOf(&download()));
    EXPECT_EQ(s(config().porta->currentText()), "COM4");
    EXPECT_EQ(s(config().txt_timeout->text()), "20");
    EXPECT_EQ(s(config().txt_seqi->text()), "GO");
    EXPECT_TRUE(config().op_agg_crlf->isChecked());
    EXPECT_EQ(s(config().txt_est->text()), "gsi");
    EXPECT_EQ(s(config().dir_scarico->text()), "/dati/scarico");
    EXPECT_EQ(serial->controller().section().params().timeout_seconds, 20);
    EXPECT_EQ(serial->controller().section().params().start_sequence, "GO");
}

TEST_F(WindowSerialTest, ConfigureAndApply)
{
    MainWindow& w = open();
    w.btn_config->click();
    EXPECT_EQ(w.panels->currentWidget(), w.pan_config);
    EXPECT_EQ(s(w.lbl_info->text()), "Configura i parametri di comunicazione della porta seriale (COM)");
    config().txt_est->setText(QStringLiteral(" raw "));
    config().Command4->click();
    EXPECT_EQ(w.panels->currentWidget(), w.pan_princ);
    EXPECT_EQ(s(w.lbl_info->text()), "Importa le misure o configura i parametri di comunicazione");
    EXPECT_EQ(settings.get("Quarel_3D", "import", "estensione"), "RAW");
    EXPECT_EQ(w.state().download_extension, "RAW");
}

TEST_F(WindowSerialTest, SelectionLoadsTheEntrysCommands)
{
    open();
    select("Leica GSI Generico");
    EXPECT_EQ(commands(), (std::vector<std::string>{"GET/I/WI11", "GET/I/WI21", "GET/I/WI22", "GET/M/WI31"}));
    select("Leica Geo Office baseline (.cst)");  // no command file: the commands stay
    EXPECT_EQ(commands().size(), 4u);
    select("Topcon GTS 212");  // a file of its header only
    EXPECT_TRUE(commands().empty());
}

TEST_F(WindowSerialTest, StoredWizardEntryStartsTheWizardWithTheSettingsInPlace)
{
    settings.import("strumento", " 71");
    settings.import("porta", " 4");
    ui.answers = {kOk, kOk};
    MainWindow& w = open();
    ASSERT_EQ(ui.boxes.size(), 3u);
    EXPECT_EQ(ui.boxes[0].title, "Procedura guidata");
    EXPECT_EQ(w.panels->currentWidget(), w.pan_config);
    EXPECT_EQ(s(config().porta->currentText()), "COM5");
    EXPECT_TRUE(serial->controller().section().wizard_active());
}

TEST_F(WindowSerialTest, EditFormatAndRefusedDownload)
{
    MainWindow& w = open();
    w.btn_edit->click();
    EXPECT_EQ(ui.box_lines().back(), "box|excl|Operazione non valida|Nessun file scaricato!|ok");
    select("ARVAtec GPS");
    w.btn_impreg->click();
    EXPECT_EQ(ui.boxes.back().text, "Il formato selezionato non consente lo scarico diretto dalla porta seriale. "
                                    "Utilizzare il comando 'Importa da file'");
    EXPECT_EQ(w.panels->currentWidget(), w.pan_princ);
}

TEST_F(WindowSerialTest, DownloadInCommandLineModeConvertsAndEnds)
{
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    ScopedEnv com1("QUAREL_COM1", pty.slave_name());
    const std::string book = (dir / "rilievo.qrb").string();
    settings.set("QuarelN", "import", "resdir", dir.path().string());
    settings.import("porta", " 0");
    settings.import("rts", "0");
    settings.import("timeout", "3");  // ends after one silent second
    MainWindow& w = open(book);
    select("Leica GSI Generico");
    w.btn_impreg->click();
    EXPECT_EQ(w.panels->currentWidget(), w.frame_lett);
    EXPECT_EQ(s(w.lbl_info->text()), "Lettura dati da registratore in corso ...");
    pty.send("110001+00000001 84..10+00000000 \r\n");

    QEventLoop loop;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (w.ended()) loop.quit();
    });
    watch.start(50);
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    loop.exec();

    ASSERT_TRUE(w.ended());
    EXPECT_EQ(read_file(dir / "datireg.dat"), "110001+00000001 84..10+00000000 \r\n\r\n");
    EXPECT_TRUE(std::filesystem::exists(book));
    EXPECT_EQ(ui.boxes.front().text, "Procedere con la conversione del file ?");
}

}  // namespace
}  // namespace qrb::test
