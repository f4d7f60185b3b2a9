#include "app/import_from_file.hpp"

#include <filesystem>
#include <optional>

#include "app/handler_error.hpp"

namespace qrb {

FileDialogRequest recorder_file_request(const WorkState& state)
{
    const std::string& ext = state.download_extension;
    FileDialogRequest request;
    request.title = "Apri";
    request.initial_folder = state.download_folder;
    request.file_name = "*." + ext;
    request.filter = "File registratore (*." + ext + ")|*." + ext + "|Tutti i file (*.*)|*.*";
    return request;
}

bool is_existing_file(const std::string& path)
{
    std::error_code ec;
    return !path.empty() && std::filesystem::is_regular_file(path, ec);
}

AfterImport import_from_file(ImportContext& ctx, std::string_view entry_text, const DispatchHooks& hooks)
{
    const AfterImport at_exit = ctx.command_line_mode() ? AfterImport::EndProgram : AfterImport::Stay;
    try {
        const std::optional<std::string> chosen = ctx.ui.open_file(recorder_file_request(ctx.state));
        if (!chosen) return at_exit;
        if (!is_existing_file(*chosen)) {
            ctx.ui.message_box("File inesistente", "Operazione non valida", Icon::Exclamation);
            return AfterImport::Stay;
        }
        dispatch_import(ctx, entry_text, *chosen, hooks);
    } catch (...) {
        report_handler_error(ctx.ui, "Command1");
    }
    return at_exit;
}

}  // namespace qrb
