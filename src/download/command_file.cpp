#include "download/command_file.hpp"

#include <filesystem>

#include "app/handler_error.hpp"
#include "common/failure.hpp"
#include "common/line_reader.hpp"
#include "common/routines.hpp"

namespace qrb {

std::optional<std::string> CommandTable::description_at(int position) const
{
    if (position < 0 || static_cast<std::size_t>(position) >= commands.size()) return std::nullopt;
    return commands[static_cast<std::size_t>(position)].description;
}

namespace {

std::vector<CommandEntry> read_command_file(const std::string& path)
{
    std::vector<CommandEntry> read;
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) fail(kFileNotFound);
    // The name is there: a folder, or a file that cannot be opened, is an
    // access error rather than a missing file.
    if (!std::filesystem::is_regular_file(path, ec)) fail(kPathFileAccess);
    std::optional<LineReader> in;
    try {
        in.emplace(path);
    } catch (const RunError&) {
        fail(kPathFileAccess);
    }
    (void)in->read_line();  // the two header lines
    (void)in->read_line();
    while (read.size() < kMaxCommands && !in->at_end()) {
        const std::string line = in->read_line() + ",";
        const Fields f = split_fields(line, ",");
        if (f[1].empty()) break;
        read.push_back({std::string(f[1]), std::string(f[2])});
    }
    return read;
}

}  // namespace

void leggi_comandi(Ui& ui, const std::string& program_folder, const std::string& name,
                   CommandTable& table)
{
    table.commands.clear();
    try {
        table.commands = read_command_file(path_in(program_folder, name));
    } catch (const RunError& e) {
        if (e.code() == kFileNotFound || e.code() == kPastEndOfInput) return;
        ui.message_box(handler_error_text(e.code(), e.description()), "Errore su leggi_comandi", Icon::Exclamation);
    }
}

}  // namespace qrb
