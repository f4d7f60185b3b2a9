#pragma once
// "&Importa da file": the Open dialog on the download folder, the existence
// test, the dispatch to the selected entry's converter, and whether the
// program then ends (command-line mode).
#include <string>
#include <string_view>

#include "app/dispatch.hpp"
#include "book/import_context.hpp"

namespace qrb {

enum class AfterImport { Stay, EndProgram };

// The Open dialog: the download folder, "*.<ext>" as the name, the recorder
// files and all files as the two filters.
FileDialogRequest recorder_file_request(const WorkState& state);

// An existing ordinary file (hidden files included); folders are not.
bool is_existing_file(const std::string& path);

// Runs the road from the Open dialog to the converter. A missing file shows
// "File inesistente" and keeps the program open; in command-line mode every
// other way out (a dispatched import, a cancelled dialog, an unexpected
// error, shown as "Errore su Command1") ends the program.
AfterImport import_from_file(ImportContext& ctx, std::string_view entry_text, const DispatchHooks& hooks = {});

}  // namespace qrb
