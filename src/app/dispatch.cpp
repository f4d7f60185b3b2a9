#include "app/dispatch.hpp"

#include "app/instrument_list.hpp"
#include "importers/registry.hpp"

namespace qrb {

void dispatch_import(ImportContext& ctx, std::string_view entry_text, const std::string& input_path,
                     const DispatchHooks& hooks)
{
    const InstrumentEntry* entry = find_instrument(entry_text);
    if (!entry) return;
    switch (entry->special) {
    case InstrumentEntry::Special::OtherRecorders:
        ctx.ui.message_box("Selezionare un registratore dalla lista", "Quarel - Import", Icon::Information);
        return;
    case InstrumentEntry::Special::Wizard:
        if (hooks.wizard_send_sample) hooks.wizard_send_sample(input_path);
        return;
    default:
        break;
    }
    if (Converter converter = find_converter(entry->converter)) converter(ctx, input_path);
}

}  // namespace qrb
