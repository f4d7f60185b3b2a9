#include "app/selection.hpp"

#include "common/routines.hpp"

namespace qrb {

SelectionView selection_view(int position)
{
    const auto list = instrument_list();
    SelectionView view;
    if (position < 0 || position >= static_cast<int>(list.size())) return view;
    const InstrumentEntry& entry = list[static_cast<std::size_t>(position)];
    view.tipo = std::string(entry.text);
    view.lab_num = std::to_string(position + 1);
    view.show_op_gen = entry.special == InstrumentEntry::Special::GsiGeneric;
    return view;
}

std::string other_recorders_text()
{
    return "Se il vostro registratore non è espressamente riportato nella lista è probabile che il formato dati "
           "scaricato dallo stesso possa essere importato con uno degli altri registratori (formati) presenti nella "
           "lista. Per sapere con precisione se il formato del proprio strumento è supportato da Quarel, bisogna "
           "inviare all'indirizzo e-mail '" +
           std::string(kSupportAddress) +
           "' un tracciato di esempio dello stesso. Per ottenere un tracciato d'esempio basta premere il pulsante "
           "'Edita formato' dopo aver scaricato dallo srtumento o seguire la 'Procedura guidata scelta formato'. "
           "Per maggiori informazioni consultare la guida in linea.";
}

namespace {

void offer_instructions(SelectionServices& services, const char* subfolder)
{
    const int answer = services.ui.message_box("Aprire la cartella delle istruzioni?", "Importazione file strumentale",
                                               Icon::Question, Buttons::YesNo);
    if (answer != kYes) return;
    shell_open(services.shell, path_in(path_in(path_in(services.appdata_folder, "Strumenti"), "Leica"), subfolder));
}

}  // namespace

void selection_action(const InstrumentEntry& entry, SelectionServices& services)
{
    using Special = InstrumentEntry::Special;
    if (!entry.command_file.empty() && services.load_commands)
        services.load_commands(std::string(entry.command_file));
    switch (entry.special) {
    case Special::InstructionsLgo: offer_instructions(services, "LGO"); break;
    case Special::InstructionsViva: offer_instructions(services, "Viva"); break;
    case Special::OtherRecorders:
        services.ui.message_box(other_recorders_text(), "Registratori dati", Icon::Information);
        break;
    case Special::Wizard:
        if (services.wizard_first_step) services.wizard_first_step();
        break;
    case Special::GsiGeneric:  // its option is shown by the view; the command file is loaded above
    case Special::None: break;
    }
}

}  // namespace qrb
