#include "download/format_wizard.hpp"

#include <filesystem>
#include <vector>

#include "app/selection.hpp"
#include "book/failure_policy.hpp"
#include "book/survey_book.hpp"
#include "common/failure.hpp"
#include "common/line_reader.hpp"
#include "common/routines.hpp"

namespace qrb {

namespace {

constexpr const char* kStep1Title = "Procedura guidata - Passo 1";
constexpr const char* kStep2Title = "Procedura guidata - Passo 2";
constexpr const char* kStep3Title = "Procedura guidata - Passo 3";

// An OK/Cancel box of the wizard; true on OK.
bool ok_cancel(WorkState& state, Ui& ui, const char* text, const char* title)
{
    state.msgbox_answer = ui.message_box(text, title, Icon::None, Buttons::OkCancel);
    return state.msgbox_answer == kOk;
}

void step1(WorkState& state, Ui& ui, bool& wizard_active, const WizardHooks& hooks)
{
    ui.message_box("Questa procedura vi guiderà passo a passo nella determinazione del formato da utilizzare per "
                   "scaricare i dati dal vostro strumento topografico. Seguire tutte le istruzioni che compariranno "
                   "a video.",
                   "Procedura guidata", Icon::Information);
    wizard_active = true;
    if (!ok_cancel(state, ui,
                   "Per prima cosa bisogna configurare esattamente i parametri di comunicazione in modo che siano "
                   "compatibili con il nostro strumento topografico. Per conoscere i parametri esatti è necessario "
                   "consultare i manuali forniti con lo strumento (tenerli quindi sotto mano). I parametri più "
                   "importanti sono la porta COM, la velocità, i bit dati, i bit stop e la parità, gli altri "
                   "parametri possono in genere essere lasciati sui valori di default.",
                   kStep1Title)) {
        wizard_active = false;
        return;
    }
    if (hooks.show_settings_panel) hooks.show_settings_panel();
    if (!ok_cancel(state, ui, "Ora configura i parametri corretti poi premi il tasto 'Applica i parametri configurati'",
                   kStep1Title))
        wizard_active = false;
}

void step2(WorkState& state, Ui& ui, bool& wizard_active, const WizardHooks& hooks)
{
    if (!ok_cancel(state, ui,
                   "Ora che hai configurato i parametri di comunicazione devi collegare lo strumento alla porta "
                   "seriale (COM) configurata e accenderlo.",
                   kStep2Title) ||
        !ok_cancel(state, ui,
                   "Predisponi ora lo strumento alla trasmissione dei dati (consultare la guida dello strumento) e "
                   "tienti pronto a trasmettere.",
                   kStep2Title)) {
        wizard_active = false;
        return;
    }
    if (hooks.start_download) hooks.start_download();
}

// Copies the sample line by line with CR LF line ends into datireg.dat of
// the results folder, through _tmp.dat; returns the path of datireg.dat.
std::string store_sample(const WorkState& state, const std::string& sample_path)
{
    std::vector<std::string> lines;
    {
        LineReader in(sample_path);
        std::string line;
        while (in.next_line(line)) lines.push_back(line);
    }
    const std::string tmp = path_in(state.results_folder, "_tmp.dat");
    BookWriter out(tmp);
    for (const auto& line : lines) out.line(line);
    out.close();
    const std::string target = path_in(state.results_folder, "datireg.dat");
    std::error_code ec;
    std::filesystem::remove(target, ec);
    std::filesystem::rename(tmp, target, ec);
    if (ec) fail(kPathFileAccess);
    return target;
}

}  // namespace

void format_wizard_step(int step, WorkState& state, Ui& ui, bool& wizard_active, const WizardHooks& hooks)
{
    if (step == 1) step1(state, ui, wizard_active, hooks);
    else if (step == 2) step2(state, ui, wizard_active, hooks);
}

std::string format_request_link(const std::string& attachment_path)
{
    const std::string sep = "%0A%0D";
    return std::string("mailto:") + kSupportAddress +
           "?SUBJECT=Richiesta di verifica formato&BODY=Completare la e-mail con i dati del proprio registratore "
           "e/o strumento topografico" +
           sep + sep + "Marca = " + sep + "Modello = " + sep + "Anno di acquisto = " + sep + sep +
           "Cognome e Nome o Soc.= " + sep + sep + "*** IMPORTANTE ***" + sep + "(Allegare il file " +
           attachment_path + ")";
}

void wizard_send_sample(WorkState& state, Ui& ui, Shell& shell, const std::string& sample_path)
{
    BusyPointer busy(ui);
    std::string target;
    try {
        target = store_sample(state, sample_path);
    } catch (const RunError& e) {
        ui.message_box(unexpected_text(e.code(), e.description()), kUnexpectedTitle, Icon::Exclamation);
        return;
    }
    ui.message_box("Ora dovrai procedere alla spedizione di una e-mail con un file allegato ...", kStep3Title,
                   Icon::Information);
    ui.message_box("Il file\r\n" + target +
                       "\r\nè stato creato con successo. Allegare tale file ad una e-mail e spedirlo all'indirizzo '" +
                       kSupportAddress + "' per ottenere informazioni circa la sua importazione.",
                   kStep3Title, Icon::Information);
    shell_open(shell, format_request_link(target));
}

void edit_download(const WorkState& state, Ui& ui, TextEditor& editor)
{
    const std::string path = path_in(state.results_folder, "datireg.dat");
    std::error_code ec;
    // A folder of that name is no download.
    if (std::filesystem::is_regular_file(path, ec)) editor.edit(path);
    else ui.message_box("Nessun file scaricato!", "Operazione non valida", Icon::Exclamation);
}

}  // namespace qrb
