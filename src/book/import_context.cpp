#include "book/import_context.hpp"

#include <ctime>
#include <filesystem>

#include "book/failure_policy.hpp"
#include "common/text.hpp"

namespace qrb {

LocalDateTime ImportContext::now() const
{
    if (clock) return clock();
    const std::time_t t = std::time(nullptr);
    std::tm local{};
    localtime_r(&t, &local);
    return LocalDateTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min};
}

SurveyType chosen_survey_type(const ImportOptions& options)
{
    if (options.tipo_od) return SurveyType::ReducedHeight;
    if (options.tipo_iz) return SurveyType::SlopeZenith;
    return SurveyType::Neither;
}

SurveyType survey_type_iz_else_od(const ImportOptions& options)
{
    return options.tipo_iz ? SurveyType::SlopeZenith : SurveyType::ReducedHeight;
}

std::string_view survey_type_text(SurveyType type)
{
    switch (type) {
    case SurveyType::SlopeZenith: return "IZ";
    case SurveyType::ReducedHeight: return "OD";
    case SurveyType::Neither: break;
    }
    return {};
}

std::string survey_type(const ImportOptions& options)
{
    return std::string(survey_type_text(chosen_survey_type(options)));
}

namespace {

// True when both paths name one file: the same file through a link, "./",
// ".." or another spelling.
bool same_file(const std::string& a, const std::string& b)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    if (fs::equivalent(a, b, ec)) return true;
    const fs::path ca = fs::weakly_canonical(a, ec);
    if (ec) return false;
    const fs::path cb = fs::weakly_canonical(b, ec);
    return !ec && ca == cb;
}

}  // namespace

std::optional<std::string> choose_output_file(ImportContext& ctx, const std::string& input_path,
                                              const std::string& title)
{
    // The recording is never emptied to make room for its own book.
    auto names_input = [&](const std::string& path) {
        if (input_path.empty() || !same_file(path, input_path)) return false;
        ctx.ui.message_box(kBookOverRecording, title, Icon::Exclamation);
        return true;
    };

    if (ctx.command_line_mode()) {
        if (names_input(ctx.command_line_path)) return std::nullopt;
        return ctx.command_line_path;
    }

    ctx.ui.message_box("Il file dello strumento verrà salvato in un file dati in formato Quarel (libretto QRB)",
                       "Importazione file strumentale", Icon::Information);
    FileDialogRequest request;
    request.initial_folder = ctx.state.work_folder;
    request.file_name = "*.qrb";
    request.filter = "Quarel Rilievo (*.qrb)";
    request.overwrite_prompt = true;
    for (;;) {
        std::optional<std::string> chosen = ctx.ui.save_file(request);
        if (!chosen || chosen->empty()) return std::nullopt;

        std::string path = *chosen;
        const bool appended = lcase(right(path, 4)) != ".qrb";
        if (appended) path += ".qrb";
        if (names_input(path)) continue;
        // The dialog asked about the name as typed; ask again for the longer
        // name when a file of that name exists.
        std::error_code ec;
        if (appended && std::filesystem::exists(path, ec)) {
            const std::string shown = std::filesystem::path(path).filename().string();
            const int answer = ctx.ui.message_box(shown + " esiste già.\nSostituirlo?", "Salva con nome",
                                                  Icon::Exclamation, Buttons::YesNo);
            if (answer != kYes) return std::nullopt;
        }
        return path;
    }
}

}  // namespace qrb
