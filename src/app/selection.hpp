#pragma once
// What selecting an entry of the instrument list does: the labels and the
// GSI option it shows, then the entry's own action (its command file, the
// instructions folder, the box about other recorders, the format wizard).
#include <functional>
#include <string>

#include "app/instrument_list.hpp"
#include "platform/shell.hpp"
#include "platform/ui.hpp"

namespace qrb {

inline constexpr const char* kGsiDoublePrecision = "GSI doppia precisione";
// Where a recorder's sample can be sent to have its format examined.
inline constexpr const char* kSupportAddress = "supporto@example.com";

struct SelectionView {
    std::string tipo;        // the entry's text
    std::string lab_num;     // its 1-based position
    bool show_op_gen = false;  // only for "Leica GSI Generico", captioned "GSI doppia precisione"
};

// The labels of the entry at `position` (0-based).
SelectionView selection_view(int position);

struct SelectionServices {
    Ui& ui;
    Shell& shell;
    std::string appdata_folder;
    // Loads a recorder's command file into the download panel; entries
    // without one leave the previous commands in place.
    std::function<void(const std::string& command_file)> load_commands;
    // The format wizard's first step.
    std::function<void()> wizard_first_step;
};

// The entry's action, run after its labels are shown.
void selection_action(const InstrumentEntry& entry, SelectionServices& services);

// The text of the "- Altri registratori -" box.
std::string other_recorders_text();

}  // namespace qrb
