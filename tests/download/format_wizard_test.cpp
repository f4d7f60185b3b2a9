#include <filesystem>

#include <gtest/gtest.h>

#include "download/format_wizard.hpp"
#include "download/serial_section.hpp"
#include "download_fakes.hpp"
#include "support/harness.hpp"

namespace qrb::test {
namespace {

const std::string kStep1Intro =
    "box|info|Procedura guidata|Questa procedura vi guiderà passo a passo nella determinazione del formato da "
    "utilizzare per scaricare i dati dal vostro strumento topografico. Seguire tutte le istruzioni che compariranno "
    "a video.|ok";
const std::string kStep1Params =
    "box|none|Procedura guidata - Passo 1|Per prima cosa bisogna configurare esattamente i parametri di "
    "comunicazione in modo che siano compatibili con il nostro strumento topografico. Per conoscere i parametri "
    "esatti è necessario consultare i manuali forniti con lo strumento (tenerli quindi sotto mano). I parametri più "
    "importanti sono la porta COM, la velocità, i bit dati, i bit stop e la parità, gli altri parametri possono in "
    "genere essere lasciati sui valori di default.|";
const std::string kStep1Apply =
    "box|none|Procedura guidata - Passo 1|Ora configura i parametri corretti poi premi il tasto 'Applica i "
    "parametri configurati'|";
const std::string kStep2Connect =
    "box|none|Procedura guidata - Passo 2|Ora che hai configurato i parametri di comunicazione devi collegare lo "
    "strumento alla porta seriale (COM) configurata e accenderlo.|";
const std::string kStep2Ready =
    "box|none|Procedura guidata - Passo 2|Predisponi ora lo strumento alla trasmissione dei dati (consultare la "
    "guida dello strumento) e tienti pronto a trasmettere.|";

class WizardTest : public SectionFixture {
protected:
    WizardTest() { window.entry = "- Procedura guidata scelta formato -"; }
};

TEST_F(WizardTest, CancelInTheFirstQuestionChangesNothing)
{
    ui.answers = {kCancel};
    section.format_wizard_step(1);
    EXPECT_EQ(ui.box_lines(), (std::vector<std::string>{kStep1Intro, kStep1Params + "cancel"}));
    EXPECT_FALSE(section.wizard_active());
    EXPECT_TRUE(window.events.empty());
    EXPECT_EQ(state.msgbox_answer, kCancel);
}

TEST_F(WizardTest, CancelAfterThePanelLeavesItShownAndApplyOnlyReturns)
{
    ui.answers = {kOk, kCancel};
    section.format_wizard_step(1);
    EXPECT_EQ(ui.box_lines(), (std::vector<std::string>{kStep1Intro, kStep1Params + "ok", kStep1Apply + "cancel"}));
    EXPECT_FALSE(section.wizard_active());
    EXPECT_EQ(window.panel, Panel::Config);
    EXPECT_EQ(window.status, "Configura i parametri di comunicazione della porta seriale (COM)");
    ui.boxes.clear();
    section.apply_settings();
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_EQ(window.panel, Panel::Main);
    EXPECT_EQ(window.status, "Importa le misure o configura i parametri di comunicazione");
    EXPECT_TRUE(port.opened_with.empty());
}

TEST_F(WizardTest, ApplyGoesOnToStepTwoWithTheMainPanelShown)
{
    ui.answers = {kOk, kOk};
    section.format_wizard_step(1);
    EXPECT_TRUE(section.wizard_active());
    ui.boxes.clear();
    std::vector<Panel> panels_at_boxes;
    ui.on_box = [&](const std::string&) { panels_at_boxes.push_back(window.panel); };
    ui.answers = {kOk, kCancel};
    section.apply_settings();
    EXPECT_EQ(panels_at_boxes, (std::vector<Panel>{Panel::Main, Panel::Main}));
    EXPECT_EQ(ui.box_lines(), (std::vector<std::string>{kStep2Connect + "ok", kStep2Ready + "cancel"}));
    EXPECT_EQ(window.events, (std::vector<std::string>{"panel config", "panel main"}));
    EXPECT_FALSE(section.wizard_active());
    EXPECT_TRUE(port.opened_with.empty());
    EXPECT_EQ(store.writes.size(), 15u);
}

TEST_F(WizardTest, CancelInTheFirstBoxOfStepTwo)
{
    ui.answers = {kCancel};
    section.format_wizard_step(2);
    EXPECT_EQ(ui.box_lines(), (std::vector<std::string>{kStep2Connect + "cancel"}));
    EXPECT_TRUE(port.opened_with.empty());
    section.format_wizard_step(3);
    section.format_wizard_step(0);
    EXPECT_EQ(ui.boxes.size(), 1u);
}

TEST_F(WizardTest, WholeRoadFromTheFirstStepToTheMail)
{
    window.on_dispatch = [&](const std::string& path) { section.wizard_send_sample(path); };
    ui.answers = {kOk, kOk};
    section.format_wizard_step(1);
    ui.answers = {kOk, kOk, kYes};
    section.apply_settings();
    port.waiting = "riga 1\rriga 2\n";
    section.download().data_available();
    for (int k = 0; k < 5; ++k) section.download().silence_tick();
    EXPECT_FALSE(section.wizard_active());
    EXPECT_EQ(read_file(dir / "datireg.dat"), "riga 1\r\nriga 2\r\n\r\n");
    EXPECT_FALSE(std::filesystem::exists(dir / "_tmp.dat"));
    ASSERT_EQ(shell.opened.size(), 1u);
    EXPECT_EQ(shell.opened[0], format_request_link((dir / "datireg.dat").string()));
}

TEST_F(WizardTest, SendSampleCopiesWithCrLfAndPreparesTheMail)
{
    const auto sample = dir / "campione.txt";
    write_file(sample, "a\rb\nc\r\nd");
    write_file(dir / "datireg.dat", "vecchio");
    section.wizard_send_sample(sample.string());
    EXPECT_EQ(read_file(sample), "a\rb\nc\r\nd");
    EXPECT_EQ(read_file(dir / "datireg.dat"), "a\r\nb\r\nc\r\nd\r\n");
    EXPECT_FALSE(std::filesystem::exists(dir / "_tmp.dat"));
    const std::string target = (dir / "datireg.dat").string();
    EXPECT_EQ(ui.box_lines(),
              (std::vector<std::string>{
                  "box|info|Procedura guidata - Passo 3|Ora dovrai procedere alla spedizione di una e-mail con un "
                  "file allegato ...|ok",
                  "box|info|Procedura guidata - Passo 3|Il file\\n" + target +
                      "\\nè stato creato con successo. Allegare tale file ad una e-mail e spedirlo all'indirizzo "
                      "'supporto@example.com' per ottenere informazioni circa la sua importazione.|ok"}));
    EXPECT_EQ(ui.boxes[1].text.substr(0, 9), "Il file\r\n");
    EXPECT_EQ(shell.opened, (std::vector<std::string>{format_request_link(target)}));
    EXPECT_FALSE(ui.busy);
    EXPECT_EQ(ui.busy_shown, 1);
}

TEST_F(WizardTest, SampleThatIsTheDownloadItselfIsRewritten)
{
    write_file(dir / "datireg.dat", "x\ry\r");
    section.wizard_send_sample((dir / "datireg.dat").string());
    EXPECT_EQ(read_file(dir / "datireg.dat"), "x\r\ny\r\n");
}

TEST_F(WizardTest, SampleNamedLikeTheTemporaryCopyIsNotLost)
{
    write_file(dir / "_tmp.dat", "campione\n");
    section.wizard_send_sample((dir / "_tmp.dat").string());
    EXPECT_EQ(read_file(dir / "datireg.dat"), "campione\r\n");
    EXPECT_EQ(shell.opened.size(), 1u);
}

TEST_F(WizardTest, MailLinkText)
{
    EXPECT_EQ(format_request_link("/home/rilievi/datireg.dat"),
              "mailto:supporto@example.com?SUBJECT=Richiesta di verifica formato&BODY=Completare la e-mail con i dati "
              "del proprio registratore e/o strumento topografico%0A%0D%0A%0DMarca = %0A%0DModello = %0A%0DAnno di "
              "acquisto = %0A%0D%0A%0DCognome e Nome o Soc.= %0A%0D%0A%0D*** IMPORTANTE ***%0A%0D(Allegare il file "
              "/home/rilievi/datireg.dat)");
}

TEST_F(WizardTest, SendSampleFailuresOpenNoLink)
{
    section.wizard_send_sample((dir / "manca.txt").string());
    EXPECT_EQ(ui.box_lines(), (std::vector<std::string>{
                                  "box|excl|Errore inaspettato|Errore codice 53 : Impossibile trovare il file|ok"}));
    EXPECT_TRUE(shell.opened.empty());
    EXPECT_FALSE(ui.busy);

    ui.boxes.clear();
    write_file(dir / "campione.txt", "a\r\n");
    state.results_folder = (dir / "manca").string();
    section.wizard_send_sample((dir / "campione.txt").string());
    EXPECT_EQ(ui.box_lines(), (std::vector<std::string>{
                                  "box|excl|Errore inaspettato|Errore codice 76 : Impossibile trovare il percorso (" + (dir / "manca" / "_tmp.dat").string() + ")|ok"}));
    EXPECT_TRUE(shell.opened.empty());
}

TEST_F(WizardTest, EditFormatOpensTheLastDownloadOrSaysThereIsNone)
{
    section.edit_download();
    EXPECT_EQ(ui.box_lines(),
              (std::vector<std::string>{"box|excl|Operazione non valida|Nessun file scaricato!|ok"}));
    EXPECT_TRUE(editor.edited.empty());
    write_file(dir / "datireg.dat", "dati\r\n");
    section.edit_download();
    EXPECT_EQ(editor.edited, (std::vector<std::string>{(dir / "datireg.dat").string()}));
    EXPECT_EQ(ui.boxes.size(), 1u);
}

TEST_F(WizardTest, EditFormatWithAFolderNamedLikeTheDownloadSaysThereIsNone)
{
    std::filesystem::create_directory(dir / "datireg.dat");
    section.edit_download();
    EXPECT_EQ(ui.box_lines(),
              (std::vector<std::string>{"box|excl|Operazione non valida|Nessun file scaricato!|ok"}));
    EXPECT_TRUE(editor.edited.empty());
}

}  // namespace
}  // namespace qrb::test
