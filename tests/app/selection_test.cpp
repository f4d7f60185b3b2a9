#include <gtest/gtest.h>

#include "app/selection.hpp"
#include "support/fakes.hpp"
#include "support/scripted_ui.hpp"

namespace qrb {
namespace {

using V = std::vector<std::string>;

TEST(SelectionView, LabelsAndGsiOption)
{
    SelectionView v = selection_view(48);
    EXPECT_EQ(v.tipo, "Leica GSI Generico");
    EXPECT_EQ(v.lab_num, "49");
    EXPECT_TRUE(v.show_op_gen);

    v = selection_view(0);
    EXPECT_EQ(v.tipo, "Foif RTS/OTS (prima serie)");
    EXPECT_EQ(v.lab_num, "1");
    EXPECT_FALSE(v.show_op_gen);

    v = selection_view(78);
    EXPECT_EQ(v.lab_num, "79");
    EXPECT_FALSE(selection_view(5).show_op_gen);  // same converter, no option shown
    EXPECT_EQ(selection_view(-1).tipo, "");
    EXPECT_EQ(selection_view(static_cast<int>(instrument_list().size())).tipo, "");
}

struct SelectionFixture : ::testing::Test {
    test::ScriptedUi ui;
    test::RecordingShell shell;
    V loaded;
    int wizard_started = 0;
    SelectionServices services{ui, shell, "/usr/share/QuarelN",
                               [this](const std::string& file) { loaded.push_back(file); },
                               [this] { ++wizard_started; }};

    void select(std::string_view text)
    {
        const InstrumentEntry* entry = find_instrument(text);
        ASSERT_NE(entry, nullptr) << text;
        selection_action(*entry, services);
    }
};

TEST_F(SelectionFixture, CommandFiles)
{
    select("Topcon GTS 212");
    select("Topcon GTS 3B");  // none: the GTS 212 commands stay
    select("Leica GSI Generico");
    select("Geotronics GEO");
    EXPECT_EQ(loaded, (V{"cmgts212.txt", "gsigen.txt", "cmgeotr.txt"}));
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_EQ(wizard_started, 0);
}

TEST_F(SelectionFixture, InstructionFolders)
{
    ui.answers = {kYes, kNo, kYes};
    select("Leica Geo Office (Istruzioni)");
    select("Leica Geo Office (Istruzioni)");
    select("Leica serie Viva (Istruzioni)");
    const std::string question =
        "box|question|Importazione file strumentale|Aprire la cartella delle istruzioni?|";
    EXPECT_EQ(ui.box_lines(), (V{question + "yes", question + "no", question + "yes"}));
    EXPECT_EQ(shell.opened,
              (V{"/usr/share/QuarelN/Strumenti/Leica/LGO", "/usr/share/QuarelN/Strumenti/Leica/Viva"}));
    EXPECT_EQ(ui.boxes[0].buttons, Buttons::YesNo);
    EXPECT_TRUE(loaded.empty());
}

TEST_F(SelectionFixture, OtherRecordersBox)
{
    select("- Altri registratori -");
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.box_lines()[0],
              "box|info|Registratori dati|Se il vostro registratore non è espressamente riportato nella lista è "
              "probabile che il formato dati scaricato dallo stesso possa essere importato con uno degli altri "
              "registratori (formati) presenti nella lista. Per sapere con precisione se il formato del proprio "
              "strumento è supportato da Quarel, bisogna inviare all'indirizzo e-mail 'supporto@example.com' un "
              "tracciato di esempio dello stesso. Per ottenere un tracciato d'esempio basta premere il pulsante "
              "'Edita formato' dopo aver scaricato dallo srtumento o seguire la 'Procedura guidata scelta "
              "formato'. Per maggiori informazioni consultare la guida in linea.|ok");
    EXPECT_EQ(ui.boxes[0].buttons, Buttons::Ok);
}

TEST_F(SelectionFixture, WizardEntry)
{
    select("- Procedura guidata scelta formato -");
    EXPECT_EQ(wizard_started, 1);
    EXPECT_TRUE(ui.boxes.empty());
    // Without a wizard the entry does nothing.
    services.wizard_first_step = nullptr;
    select("- Procedura guidata scelta formato -");
    EXPECT_EQ(wizard_started, 1);
}

}  // namespace
}  // namespace qrb
