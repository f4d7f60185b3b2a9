#include <QSignalSpy>
#include <QTest>

#include "app/instrument_list.hpp"
#include "common/failure.hpp"
#include "window_fixture.hpp"

namespace qrb {
namespace {

using test::text_of;
using V = std::vector<std::string>;

using MainWindowTest = test::WindowFixture;

TEST_F(MainWindowTest, StartsWithNoSettings)
{
    MainWindow& w = open();
    EXPECT_EQ(text_of(w.windowTitle()), "Quarel - Import");
    EXPECT_EQ(text_of(w.lbl_info->text()), "Importa le misure o configura i parametri di comunicazione");
    EXPECT_EQ(w.panels->currentWidget(), w.pan_princ);
    EXPECT_EQ(text_of(w.pan_config->title()), "Configurazione parametri di comunicazione :");
    EXPECT_EQ(text_of(w.frame_lett->title()), "Lettura da registratore :");

    ASSERT_EQ(w.list_reg->count(), static_cast<int>(instrument_list().size()));
    EXPECT_EQ(text_of(w.list_reg->item(0)->text()), "Foif RTS/OTS (prima serie)");
    EXPECT_EQ(text_of(w.list_reg->item(78)->text()), "PFCAD GPS Kit (file .PGP)");
    EXPECT_EQ(w.list_reg->currentRow(), 2);
    EXPECT_EQ(text_of(w.tipo->text()), "Foif FieldGenius Controller (.raw)");
    EXPECT_EQ(text_of(w.lab_num->text()), "3");
    EXPECT_EQ(commands_loaded, V{"foifraw.txt"});

    EXPECT_TRUE(w.tipo_iz->isChecked());
    EXPECT_FALSE(w.tipo_od->isChecked());
    EXPECT_TRUE(w.op_note->isChecked());
    EXPECT_FALSE(w.op_gen->isVisible());

    const CommSettings& c = w.comm();
    EXPECT_EQ(kPortItems[static_cast<std::size_t>(c.porta)], "COM2");
    EXPECT_EQ(kBaudItems[static_cast<std::size_t>(c.baud)], "9600");
    EXPECT_EQ(kParityItems[static_cast<std::size_t>(c.parita)], "N");
    EXPECT_EQ(kDataBitsItems[static_cast<std::size_t>(c.bit_dati)], "8");
    EXPECT_EQ(kStopBitsItems[static_cast<std::size_t>(c.bit_stop)], "1");
    EXPECT_EQ(c.timeout_seconds, 15);
    EXPECT_TRUE(c.dtr && c.rts);
    EXPECT_FALSE(c.xon || c.crlf || c.agg_crlf);
    EXPECT_EQ(c.start_sequence + c.end_sequence, "");

    EXPECT_EQ(w.state().download_extension, "dat");
    EXPECT_EQ(w.state().work_folder, program_folder());
    EXPECT_EQ(w.state().results_folder, program_folder());
    EXPECT_EQ(w.state().download_folder, program_folder());
    EXPECT_EQ(w.appdata_folder(), shared_folder() + "/QuarelN");
    EXPECT_EQ(w.command_line_path(), "");
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(MainWindowTest, ButtonsAndFrames)
{
    MainWindow& w = open();
    const struct {
        QPushButton* button;
        const char* caption;
    } buttons[] = {{w.btn_config, "C&onfigura parametri"}, {w.Command1, "&Importa da file"},
                   {w.btn_impreg, "&Leggi da strumento"},  {w.btn_edit, "&Edita formato"},
                   {w.Command5, "I&nfo"},                  {w.Command2, "&Chiudi"}};
    for (const auto& b : buttons) {
        EXPECT_EQ(text_of(b.button->text()), b.caption);
        EXPECT_TRUE(b.button->isVisible()) << b.caption;
    }
    // The accelerator of "&Importa da file" is Alt+I.
    EXPECT_EQ(w.Command1->shortcut(), QKeySequence(QKeySequence::mnemonic(w.Command1->text())));
    EXPECT_EQ(w.Command1->shortcut().toString(), QStringLiteral("Alt+I"));

    auto* frame0 = w.findChild<QGroupBox*>(QStringLiteral("Frame_0"));
    auto* frame1 = w.findChild<QGroupBox*>(QStringLiteral("Frame_1"));
    ASSERT_TRUE(frame0 && frame1);
    EXPECT_EQ(text_of(frame0->title()), "Lista degli strumenti e formato dati :");
    EXPECT_EQ(text_of(frame1->title()), "Opzioni generali :");
    EXPECT_EQ(text_of(w.findChild<QLabel*>(QStringLiteral("Label"))->text()), "Seleziona lo strumento o formato dati");
    EXPECT_EQ(text_of(w.tipo_iz->text()), "Distanza Inclinata / Zenit");
    EXPECT_EQ(text_of(w.tipo_od->text()), "Distanza Ridotta / Dislivello");
    EXPECT_EQ(text_of(w.op_note->text()), "Note <-> Codici punto");

    w.show_panel(MainWindow::Panel::Config);
    EXPECT_EQ(w.panels->currentWidget(), w.pan_config);
    EXPECT_FALSE(w.Command1->isVisible());
    w.show_panel(MainWindow::Panel::Main);
    EXPECT_TRUE(w.Command1->isVisible());
}

TEST_F(MainWindowTest, StoredValues)
{
    settings.import("strumento", "1");
    settings.import("tipo_dati", "OD");
    settings.import("rts", "2");
    settings.import("dtr", "2");
    settings.import("timeout", "1001");
    MainWindow& w = open();
    EXPECT_EQ(w.list_reg->currentRow(), 2);
    EXPECT_TRUE(w.tipo_od->isChecked());
    EXPECT_FALSE(w.tipo_iz->isChecked());
    EXPECT_FALSE(w.comm().rts);
    EXPECT_TRUE(w.comm().dtr);
    EXPECT_EQ(w.comm().timeout_seconds, 15);
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(MainWindowTest, NumberBeyondSixteenBitsDoesNotStopStartUp)
{
    settings.import("porta", "40000");
    settings.import("strumento", "48");
    settings.set("QuarelN", "import", "resdir", "/dati/quareln");
    MainWindow& w = open("  /tmp/out.qrb ");
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_EQ(w.comm().porta, 1);
    EXPECT_EQ(w.list_reg->currentRow(), 48);
    EXPECT_EQ(w.command_line_path(), "/tmp/out.qrb");
    EXPECT_EQ(w.state().results_folder, "/dati/quareln");
    EXPECT_EQ(w.state().download_folder, "/dati/quareln");
}

TEST_F(MainWindowTest, StoredSpecialEntryActsAsTheWindowOpens)
{
    settings.import("strumento", "70");
    open();
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].title, "Registratori dati");

    settings.import("strumento", "71");
    open();
    EXPECT_EQ(wizard_started, 1);

    ui.boxes.clear();
    ui.answers = {kNo};
    settings.import("strumento", "52");
    open();
    EXPECT_EQ(ui.box_lines(),
              V{"box|question|Importazione file strumentale|Aprire la cartella delle istruzioni?|no"});
    EXPECT_TRUE(shell.opened.empty());
}

TEST_F(MainWindowTest, FailureWhileLoadingIsReported)
{
    window = std::make_unique<MainWindow>(ui, shell, settings, StartupEnvironment{program_folder(), "", ""});
    WindowHooks hooks;
    hooks.load_commands = [](const std::string&) { fail(kOverflow); };
    window->set_hooks(hooks);
    window->show();
    window->form_load();
    EXPECT_EQ(ui.box_lines(), V{"box|excl|Errore su load form|Errore codice  6 : Overflow|ok"});
    EXPECT_EQ(window->list_reg->count(), static_cast<int>(instrument_list().size()));

    ui.boxes.clear();
    window = std::make_unique<MainWindow>(ui, shell, settings, StartupEnvironment{program_folder(), "", ""});
    hooks.load_commands = [](const std::string&) { fail(kPathFileAccess); };
    window->set_hooks(hooks);
    window->show();
    window->form_load();
    EXPECT_TRUE(ui.boxes.empty());  // passed over
    EXPECT_EQ(window->list_reg->currentRow(), 2);

    // Later, a failure of the selection is reported and the window goes on.
    window->set_hooks({[](const std::string&) { fail(kInvalidArgument); }, {}, {}, {}, {}});
    window->list_reg->setCurrentRow(9);
    EXPECT_EQ(ui.box_lines(),
              V{"box|excl|Errore su list_reg|Errore codice  5 : Chiamata di routine o argomento non valido|ok"});
    EXPECT_EQ(text_of(window->lab_num->text()), "10");
}

TEST_F(MainWindowTest, ArrowKeysAcrossSpecialEntries)
{
    settings.import("strumento", "69");
    MainWindow& w = open();
    w.list_reg->setFocus();
    QTest::keyClick(w.list_reg, Qt::Key_Down);
    EXPECT_EQ(text_of(w.tipo->text()), "- Altri registratori -");
    EXPECT_EQ(text_of(w.lab_num->text()), "71");
    EXPECT_EQ(ui.boxes.size(), 1u);
    QTest::keyClick(w.list_reg, Qt::Key_Down);
    EXPECT_EQ(wizard_started, 1);
    QTest::keyClick(w.list_reg, Qt::Key_Up);
    EXPECT_EQ(ui.boxes.size(), 2u);
}

TEST_F(MainWindowTest, GsiOptionShownOnlyForGenericGsi)
{
    MainWindow& w = open();
    w.list_reg->setCurrentRow(48);
    EXPECT_TRUE(w.op_gen->isVisible());
    EXPECT_EQ(text_of(w.op_gen->text()), "GSI doppia precisione");
    EXPECT_EQ(text_of(w.lab_num->text()), "49");
    w.op_gen->setChecked(true);
    w.list_reg->setCurrentRow(5);  // "Geomax serie ZTS600": same converter
    EXPECT_FALSE(w.op_gen->isVisible());
    EXPECT_EQ(w.import_options().op_gen, 1);  // the tick stays in force
    EXPECT_EQ(commands_loaded, (V{"foifraw.txt", "gsigen.txt", "gmxzts.txt"}));
}

TEST_F(MainWindowTest, TheSelectedEntryStaysInView)
{
    const auto settle = [] {
        for (int k = 0; k < 5; ++k) QApplication::processEvents();
    };
    const auto in_view = [](const MainWindow& w) {
        const QRect item = w.list_reg->visualItemRect(w.list_reg->currentItem());
        return !item.isEmpty() && w.list_reg->viewport()->rect().contains(item);
    };
    for (const char* stored : {"78", "40", "0"}) {
        settings.import("strumento", stored);
        MainWindow& w = open();
        settle();
        EXPECT_TRUE(in_view(w)) << "at start-up, entry " << stored;
    }

    // The GSI option shows and the list shrinks under an entry at its bottom edge.
    MainWindow& w = open();
    settle();
    w.list_reg->setCurrentRow(30);
    settle();
    w.list_reg->setCurrentRow(48);
    settle();
    EXPECT_TRUE(w.op_gen->isVisible());
    EXPECT_TRUE(in_view(w));
}

TEST_F(MainWindowTest, InstructionsFolderOpensOnYes)
{
    MainWindow& w = open();
    ui.answers = {kYes};
    w.list_reg->setCurrentRow(53);
    EXPECT_EQ(shell.opened, V{shared_folder() + "/QuarelN/Strumenti/Leica/Viva"});
}

TEST_F(MainWindowTest, UnloadWritesPositionAndSurveyType)
{
    MainWindow& w = open();
    QSignalSpy ended(&w, &MainWindow::program_ended);
    w.list_reg->setCurrentRow(48);
    w.tipo_od->setChecked(true);
    QTest::mouseClick(w.Command2, Qt::LeftButton);
    EXPECT_EQ(ended.count(), 1);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(import_setting("strumento"), " 48");
    EXPECT_EQ(import_setting("tipo_dati"), "OD");
    EXPECT_EQ(port_closed, 1);
    // The settings written are those the next start reads.
    settings.values.erase({"Quarel_3D", "import", "rts"});
    MainWindow& again = open();
    EXPECT_EQ(again.list_reg->currentRow(), 48);
    EXPECT_TRUE(again.tipo_od->isChecked());
}

TEST_F(MainWindowTest, AboutBox)
{
    MainWindow& w = open();
    QTest::mouseClick(w.Command5, Qt::LeftButton);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].icon, Icon::Information);
    EXPECT_EQ(ui.boxes[0].buttons, Buttons::Ok);
    EXPECT_EQ(ui.boxes[0].title, "Informazioni su Quarel - Import");
    EXPECT_NE(ui.boxes[0].text.find("Quarel - Import\nVersione 1.0.0"), std::string::npos) << ui.boxes[0].text;
    EXPECT_TRUE(w.isVisible());
}

TEST_F(MainWindowTest, OpenDialogRequest)
{
    settings.import("estensione", "DAT");
    settings.import("cart_scarico", "/dati/scarico");
    MainWindow& w = open();
    ui.open_result.reset();
    QTest::mouseClick(w.Command1, Qt::LeftButton);
    ASSERT_EQ(ui.open_requests.size(), 1u);
    EXPECT_EQ(ui.open_requests[0].initial_folder, "/dati/scarico");
    EXPECT_EQ(ui.open_requests[0].file_name, "*.DAT");
    EXPECT_EQ(ui.open_requests[0].filter, "File registratore (*.DAT)|*.DAT|Tutti i file (*.*)|*.*");
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_TRUE(w.isVisible());  // a cancel without a command line changes nothing
}

TEST_F(MainWindowTest, MissingFileKeepsCommandLineModeOpen)
{
    MainWindow& w = open((dir / "out.qrb").string());
    ui.open_result = (dir / "manca.dat").string();
    QTest::mouseClick(w.Command1, Qt::LeftButton);
    EXPECT_EQ(ui.box_lines(), V{"box|excl|Operazione non valida|File inesistente|ok"});
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(w.ended());
    EXPECT_EQ(import_setting("strumento"), "<none>");

    ui.open_result.reset();  // a cancel in command-line mode ends the program
    QTest::mouseClick(w.Command1, Qt::LeftButton);
    EXPECT_TRUE(w.ended());
    EXPECT_EQ(import_setting("strumento"), " 2");
}

// A small GSI-8 recording: one station and one reading.
const std::string kGsi =
    test::crlf({"11..10+00000001 84..10+00000000 85..10+00000000 86..10+00000000 88..10+00001550 71..10+0000STAZ ",
                "11..10+00000101 21..10+20000000 22..10+10000000 31..10+00012345 71..10+000CASA0 "});
const std::string kGsiBook =
    test::crlf({"#titolo#", "Importazione file Leica GSI", "#loc#", "Nessuna", "#tipo#", "OD", "#angoli#", "CENT",
                "#note#", "File formato Leica GSI generico", "#stazione#", "1", "1.55", "STAZ",
                "101|200|100|12.345|0|CASA|CASA|", "#origine#", "0|0|0|"});

TEST_F(MainWindowTest, SaveDialogAppendsTheExtensionAndCancelWritesNothing)
{
    settings.set("Quarel_3D", "generale", "lavori", "/dati/lavori");
    MainWindow& w = open();
    w.list_reg->setCurrentRow(48);
    w.tipo_od->setChecked(true);
    const auto input = dir / "rilievo.gsi";
    test::write_file(input, kGsi);
    ui.open_result = input.string();

    ui.save_result.reset();
    QTest::mouseClick(w.Command1, Qt::LeftButton);
    EXPECT_TRUE(ui.boxes.size() == 1 && ui.boxes[0].title == "Importazione file strumentale");
    EXPECT_FALSE(std::filesystem::exists(dir / "rilievo"));
    EXPECT_FALSE(std::filesystem::exists(dir / "rilievo.qrb"));
    EXPECT_FALSE(ui.busy);

    ui.boxes.clear();
    ui.save_result = (dir / "rilievo").string();
    QTest::mouseClick(w.Command1, Qt::LeftButton);
    ASSERT_EQ(ui.save_requests.size(), 2u);
    EXPECT_EQ(ui.save_requests[1].initial_folder, "/dati/lavori");
    EXPECT_EQ(test::read_file(dir / "rilievo.qrb"), kGsiBook);
    EXPECT_EQ(ui.boxes.back().text, "File importato con successo.");
    EXPECT_GE(ui.busy_shown, 2);
    EXPECT_FALSE(ui.busy);
    EXPECT_TRUE(w.isVisible());
}

}  // namespace
}  // namespace qrb
