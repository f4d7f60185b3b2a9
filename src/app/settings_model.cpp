#include "app/settings_model.hpp"

#include <cstdint>
#include <limits>

#include "app/instrument_list.hpp"
#include "common/failure.hpp"
#include "common/number.hpp"
#include "common/routines.hpp"
#include "common/text.hpp"

namespace qrb {

namespace {

// A numeric setting of section "import": the text used when nothing is
// stored, the accepted range and the value taken outside it.
struct NumberSetting {
    std::string_view key;
    std::string_view default_text;
    int low;
    int high;
    int fallback;
};

// The chosen list position: outside the list it is the first entry.
NumberSetting list_position_setting()
{
    return {"strumento", "2", 0, static_cast<int>(instrument_list().size()) - 1, 0};
}

struct PositionSetting {
    NumberSetting setting;
    int CommSettings::*field;
};

constexpr PositionSetting kPositions[] = {
    {{"porta", "1", 0, 8, 1}, &CommSettings::porta},
    {{"baud", "5", 0, 11, 5}, &CommSettings::baud},
    {{"parita", "2", 0, 4, 2}, &CommSettings::parita},
    {{"bit_dati", "4", 0, 4, 4}, &CommSettings::bit_dati},
    {{"bit_stop", "0", 0, 2, 0}, &CommSettings::bit_stop},
    {{"timeout", "15", 1, 1000, 15}, &CommSettings::timeout_seconds},
};

struct CheckSetting {
    NumberSetting setting;
    bool CommSettings::*field;
};

// An out-of-range rts falls back to clear although its default is ticked.
constexpr CheckSetting kChecks[] = {
    {{"dtr", "1", 0, 1, 1}, &CommSettings::dtr},     {{"rts", "1", 0, 1, 0}, &CommSettings::rts},
    {{"xon", "0", 0, 1, 0}, &CommSettings::xon},     {{"crlf", "0", 0, 1, 0}, &CommSettings::crlf},
    {{"agg_crlf", "0", 0, 1, 0}, &CommSettings::agg_crlf},
};

std::string import_setting(SettingsStore& store, std::string_view key, std::string_view default_text)
{
    return store.get(kAppQuarel3D, kSectionImport, std::string(key), std::string(default_text));
}

int read_number(SettingsStore& store, const NumberSetting& s)
{
    const std::optional<int> n = stored_number(import_setting(store, s.key, s.default_text));
    if (!n || *n < s.low || *n > s.high) return s.fallback;
    return *n;
}

}  // namespace

std::string join_arguments(int argc, const char* const* argv)
{
    std::string line;
    for (int k = 1; k < argc; ++k) {
        if (k > 1) line += ' ';
        line += argv[k];
    }
    return line;
}

std::optional<int> stored_number(std::string_view text)
{
    double value = 0;
    try {
        value = round_half_even(val(text));
    } catch (const RunError&) {
        return std::nullopt;  // an exponent beyond any number
    }
    if (value < std::numeric_limits<std::int16_t>::min() || value > std::numeric_limits<std::int16_t>::max())
        return std::nullopt;
    return static_cast<int>(value);
}

std::string stored_number_text(int value) { return str_double(value); }

StartupSettings load_startup_settings(SettingsStore& store, const StartupEnvironment& env)
{
    StartupSettings s;
    s.work_folder = store.get(kAppQuarel3D, kSectionGenerale, "lavori", env.program_folder);

    int position = read_number(store, list_position_setting());

    const std::string tipo_dati = import_setting(store, "tipo_dati", "IZ");
    s.survey_od = tipo_dati == "OD";

    s.download_extension = import_setting(store, "estensione", "dat");

    for (const auto& p : kPositions) s.comm.*p.field = read_number(store, p.setting);
    for (const auto& c : kChecks) s.comm.*c.field = read_number(store, c.setting) == 1;

    s.comm.start_sequence = trim(import_setting(store, "start_stri", ""));
    s.comm.end_sequence = trim(import_setting(store, "end_stri", ""));

    s.command_line_path = trim(env.command_line);
    if (!s.command_line_path.empty())
        s.results_folder = store.get(kAppQuarelN, kSectionImport, "resdir", env.program_folder);
    else
        s.results_folder = store.get(kAppQuarel3D, kSectionGenerale, "res_dir", env.program_folder);

    s.download_folder = import_setting(store, "cart_scarico", s.results_folder);
    s.appdata_folder =
        path_in(env.common_appdata_folder.empty() ? env.program_folder : env.common_appdata_folder, "QuarelN");

    // A stored 1 selects position 2.
    if (position == 1) position = 2;
    s.list_position = position;
    return s;
}

void save_on_unload(SettingsStore& store, int list_position, const ImportOptions& options)
{
    store.set(kAppQuarel3D, kSectionImport, std::string(list_position_setting().key),
              stored_number_text(list_position));
    if (options.tipo_iz) store.set(kAppQuarel3D, kSectionImport, "tipo_dati", "IZ");
    if (options.tipo_od) store.set(kAppQuarel3D, kSectionImport, "tipo_dati", "OD");
}

}  // namespace qrb
