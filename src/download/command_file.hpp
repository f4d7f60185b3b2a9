#pragma once
// The commands an instrument understands, read from the command file of the
// selected list entry and offered in the download panel's command box.
#include <optional>
#include <string>
#include <vector>

#include "common/work_state.hpp"
#include "platform/ui.hpp"

namespace qrb {

// Texts as the file holds them (Windows-1252 bytes).
struct CommandEntry {
    std::string command;
    std::string description;
};

inline constexpr std::size_t kMaxCommands = 10;
// What the description label shows for a command typed by the user.
inline constexpr const char* kCustomCommand = "Comando personalizzato";

struct CommandTable {
    // In file order; list position p of the command box is commands[p].
    std::vector<CommandEntry> commands;

    // The description of the command at list position p, or nothing when no
    // command stands there.
    std::optional<std::string> description_at(int position) const;
};

// Reads the command file `name` from the program's folder into `table`:
// two header lines, then up to 10 lines of a command, a comma and its
// description (text after a second comma is ignored). Reading stops at the
// first line whose command is empty. A missing file, or one that ends
// within its header, gives an empty table without a message; any other
// failure shows "Errore su leggi_comandi" and leaves the table empty.
void leggi_comandi(Ui& ui, const std::string& program_folder, const std::string& name,
                   CommandTable& table);

}  // namespace qrb
