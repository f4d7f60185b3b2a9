#pragma once
// The instrument list: its entries in a fixed order, never sorted; the setting
// of the chosen entry stores its position. An entry's text is the key of
// everything that depends on the user's choice.
#include <span>
#include <string_view>

namespace qrb {

struct InstrumentEntry {
    enum class Special { None, GsiGeneric, InstructionsLgo, InstructionsViva, OtherRecorders, Wizard };

    std::string_view text;
    std::string_view converter;     // name of the converter dispatch_import calls; empty: none
    std::string_view command_file;  // loaded on selection; empty: the previous commands stay
    bool serial_download;           // whether "Leggi da strumento" may download for it
    Special special;
};

// The entries, position 0 first.
std::span<const InstrumentEntry> instrument_list();

// The entry of that exact text, or nothing.
const InstrumentEntry* find_instrument(std::string_view text);

}  // namespace qrb
