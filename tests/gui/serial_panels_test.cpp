#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QWidget>

#include "download/download_fakes.hpp"
#include "support/harness.hpp"
#include "ui/config_panel.hpp"
#include "ui/download_panel.hpp"
#include "ui/serial_controller.hpp"

namespace qrb::test {
namespace {

std::string s(const QString& text) { return text.toStdString(); }

std::vector<std::string> items(const QComboBox* box)
{
    std::vector<std::string> out;
    for (int k = 0; k < box->count(); ++k) out.push_back(s(box->itemText(k)));
    return out;
}

std::vector<std::string> label_texts(const QWidget* w)
{
    std::vector<std::string> out;
    for (const auto* label : w->findChildren<QLabel*>()) out.push_back(s(label->text()));
    return out;
}

bool has_label(const QWidget* w, const std::string& text)
{
    const auto all = label_texts(w);
    return std::find(all.begin(), all.end(), text) != all.end();
}

class PanelsTest : public ::testing::Test {
protected:
    TempDir dir;
    WorkState state;
    ScriptedUi ui;
    MemorySettings store;
    RecordingShell shell;
    FakeWindow window;
    QWidget config_host;
    QWidget download_host;
};

TEST_F(PanelsTest, SettingsPanelControlsAndCaptions)
{
    ConfigPanel panel;
    EXPECT_EQ(items(panel.porta), (std::vector<std::string>{"COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7",
                                                            "COM8", "COM9"}));
    EXPECT_EQ(items(panel.baud), (std::vector<std::string>{"300", "600", "1200", "2400", "4800", "9600", "14400",
                                                           "19200", "38400", "56000", "128000", "256000"}));
    EXPECT_EQ(items(panel.bit_dati), (std::vector<std::string>{"4", "5", "6", "7", "8"}));
    EXPECT_EQ(items(panel.parita), (std::vector<std::string>{"E", "M", "N", "O", "S"}));
    EXPECT_EQ(items(panel.bit_stop), (std::vector<std::string>{"1", "1.5", "2"}));
    for (const char* text : {"Porta :", "Baud :", "Bit dati :", "Parità :", "Bit stop :", "Timeout :", "secondi",
                             "Opzioni avanzate :", "Controllo flusso :", "Sequenze ASCII (caratteri di testo) :",
                             "Iniziale :", "Finale :", "Altre opzioni :", "Cartella di scarico dati :",
                             "Estensione dei file scaricati :"})
        EXPECT_TRUE(has_label(&panel, text)) << text;
    EXPECT_EQ(s(panel.op_dtr->text()), "DTR/DSR");
    EXPECT_EQ(s(panel.op_rts->text()), "RTS/CTS");
    EXPECT_EQ(s(panel.op_xon->text()), "Xon/Xoff");
    EXPECT_EQ(s(panel.op_crlf->text()), "Forza CRLF");
    EXPECT_EQ(s(panel.op_agg_crlf->text()), "Aggiungi CRLF a sequenze ASCII");
    EXPECT_EQ(s(panel.Command4->text()), "Appli&ca i parametri configurati");
    for (const char* name : {"porta", "baud", "bit_dati", "parita", "bit_stop", "txt_timeout", "op_dtr", "op_rts",
                             "op_xon", "txt_seqi", "txt_seqf", "op_crlf", "op_agg_crlf", "dir_scarico", "Command7",
                             "txt_est", "Command4"})
        EXPECT_NE(panel.findChild<QWidget*>(QString::fromLatin1(name)), nullptr) << name;
}

TEST_F(PanelsTest, SettingsPanelValuesGoInAndOut)
{
    ConfigPanel panel;
    const CommPanelValues v{.porta = 2, .baud = 7, .parita = 3, .bit_dati = 3, .bit_stop = 2, .dtr = 0, .rts = 1,
                            .xon = 1, .crlf = 1, .agg_crlf = 1, .timeout_text = "20", .start_text = "GO",
                            .end_text = "FINE", .folder_text = "/dati/città", .extension_text = "gsi"};
    panel.set_values(v);
    EXPECT_TRUE(panel.values() == v);
}

TEST_F(PanelsTest, FolderChooserFillsTheFieldOnlyWithAFolder)
{
    ConfigPanel panel;
    panel.dir_scarico->setText(QStringLiteral("/prima"));
    std::string asked;
    std::optional<std::string> answer;
    panel.set_folder_chooser([&](QWidget*, const std::string& title) {
        asked = title;
        return answer;
    });
    panel.Command7->click();
    EXPECT_EQ(asked, "Seleziona la cartella di scarico dati");
    EXPECT_EQ(s(panel.dir_scarico->text()), "/prima");
    answer = "/dati/scarico";
    panel.Command7->click();
    EXPECT_EQ(s(panel.dir_scarico->text()), "/dati/scarico");
}

TEST_F(PanelsTest, DownloadPanelControls)
{
    DownloadPanel panel;
    EXPECT_EQ(s(panel.btn_comando->text()), "<- I&nvia comando");
    EXPECT_EQ(s(panel.op_linefeed->text()), "+ &LineFeed");
    EXPECT_EQ(s(panel.btn_interr->text()), "&Interrompi");
    EXPECT_TRUE(panel.txt_dati->styleSheet().contains(QStringLiteral("background-color: black")));
    EXPECT_TRUE(panel.txt_comando->isEditable());

    panel.set_echo("riga 1\r\nriga 2\rcaff\xE8");
    EXPECT_EQ(s(panel.txt_dati->toPlainText()), "riga 1\nriga 2\ncaffè");
    EXPECT_TRUE(panel.txt_dati->textCursor().atEnd());
    panel.set_progress_mark(42);
    EXPECT_EQ(panel.Shape->x(), 42);
    panel.set_progress_text("Lettura dati in corso ...");
    EXPECT_EQ(s(panel.info->text()), "Lettura dati in corso ...");
}

TEST_F(PanelsTest, CommandBoxAndItsDescription)
{
    write_file(dir / "cmprova.txt", crlf({"h1", "h2", "A,prima", "B,seconda", "C,terza"}));
    SerialController controller({state, ui, store, shell, window, dir.path().string()}, &config_host, &download_host);
    controller.load_commands("cmprova.txt");
    DownloadPanel* panel = controller.download_panel();
    EXPECT_EQ(items(panel->txt_comando), (std::vector<std::string>{"A", "B", "C"}));

    panel->txt_comando->setFocus();
    QTest::keyClicks(panel->txt_comando, "XY");
    EXPECT_EQ(s(panel->desc_comm->text()), "Comando personalizzato");
    panel->txt_comando->setCurrentIndex(2);
    emit panel->txt_comando->activated(2);
    EXPECT_EQ(s(panel->desc_comm->text()), "terza");
    EXPECT_EQ(s(panel->txt_comando->currentText()), "C");

    QSignalSpy sent(panel, &DownloadPanel::command_requested);
    panel->op_linefeed->setChecked(true);
    panel->btn_comando->click();
    ASSERT_EQ(sent.count(), 1);

    panel->clear_command_box();
    EXPECT_EQ(s(panel->txt_comando->currentText()), "");
    EXPECT_EQ(s(panel->desc_comm->text()), "");
    EXPECT_EQ(panel->txt_comando->count(), 3);  // the list stays

    controller.load_commands("nessuno.txt");
    EXPECT_EQ(panel->txt_comando->count(), 0);
}

}  // namespace
}  // namespace qrb::test
