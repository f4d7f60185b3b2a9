// The real window in command-line mode, driven with QTest, and the program
// itself started and closed.
#include <csignal>

#include <QProcess>
#include <QSignalSpy>
#include <QTest>

#include "platform/qt/qt_settings_store.hpp"
#include "window_fixture.hpp"

namespace qrb {
namespace {

using V = std::vector<std::string>;

// GSI-16 words: "*" opens each line.
const std::string kRecording = test::crlf({
    "*11..10+0000000000000001 84..10+0000000000000000 85..10+0000000000000000 86..10+0000000000000000 "
    "88..10+0000000000001550 71..10+000000000000PS.1 ",
    "*11..10+0000000000000101 21..10+0000000012345678 22..10+0000000009876543 31..10+0000000000012345 "
    "87..10+0000000000001600 71..10+000000000000MURO ",
});

const std::string kBook = test::crlf({
    "#titolo#",
    "Importazione file Leica GSI",
    "#loc#",
    "Nessuna",
    "#tipo#",
    "IZ",
    "#angoli#",
    "CENT",
    "#note#",
    "File formato Leica GSI generico",
    "#stazione#",
    "1",
    "1.55",
    "PS.1",
    "101|123.4568|98.76543|12.345|1.6|MURO|MURO|",
    "#origine#",
    "0|0|0|",
});

struct EndToEnd : test::WindowFixture {};

TEST_F(EndToEnd, CommandLineImportWritesTheBookAndEnds)
{
    const std::string out = (dir / "uscita" / "rilievo finale.qrb").string();
    std::filesystem::create_directories(dir / "uscita");
    const auto input = dir / "scarico.gsi";
    test::write_file(input, kRecording);

    MainWindow& w = open(out);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    QSignalSpy ended(&w, &MainWindow::program_ended);

    // Select "Leica GSI Generico" with the mouse.
    const auto items = w.list_reg->findItems(QStringLiteral("Leica GSI Generico"), Qt::MatchExactly);
    ASSERT_EQ(items.size(), 1);
    w.list_reg->scrollToItem(items[0]);
    QTest::mouseClick(w.list_reg->viewport(), Qt::LeftButton, {}, w.list_reg->visualItemRect(items[0]).center());
    ASSERT_EQ(w.list_reg->currentRow(), 48);
    EXPECT_TRUE(w.op_gen->isVisible());

    ui.open_result = input.string();
    QTest::mouseClick(w.Command1, Qt::LeftButton);

    EXPECT_EQ(test::read_file(out), kBook);
    EXPECT_EQ(ui.box_lines(), V{});  // no notice, no Save dialog, no success box
    EXPECT_TRUE(ui.save_requests.empty());
    EXPECT_EQ(ended.count(), 1);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(import_setting("strumento"), " 48");
    EXPECT_EQ(import_setting("tipo_dati"), "IZ");
}

TEST_F(EndToEnd, ErrorEscapingTheImportEndsCommandLineMode)
{
    settings.import("strumento", "71");  // the wizard entry, whose last step fails here
    MainWindow& w = open((dir / "out.qrb").string());
    WindowHooks hooks;
    hooks.wizard_send_sample = [](const std::string&) { throw std::runtime_error("campione non inviato"); };
    w.set_hooks(hooks);
    const auto input = dir / "a.dat";
    test::write_file(input, "x");
    ui.open_result = input.string();
    QTest::mouseClick(w.Command1, Qt::LeftButton);
    EXPECT_EQ(ui.box_lines(), V{"box|excl|Errore su Command1|Errore codice  51 : campione non inviato|ok"});
    EXPECT_TRUE(w.ended());
}

#ifdef QRB_EXECUTABLE
TEST(Executable, StartsAndClosesCleanly)
{
    test::TempDir config;
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), QString::fromStdString(config.path().string()));
    program.setProcessEnvironment(env);
    program.start(QStringLiteral(QRB_EXECUTABLE), {});
    ASSERT_TRUE(program.waitForStarted(10000));
    EXPECT_FALSE(program.waitForFinished(1500));  // still running: the window is open
    ASSERT_EQ(program.state(), QProcess::Running);

    program.terminate();  // closes the window the ordinary way
    ASSERT_TRUE(program.waitForFinished(10000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);

    QtSettingsStore store(config.path().string());
    EXPECT_EQ(store.get("Quarel_3D", "import", "strumento"), " 2");
    EXPECT_EQ(store.get("Quarel_3D", "import", "tipo_dati"), "IZ");
}
#endif

}  // namespace
}  // namespace qrb
