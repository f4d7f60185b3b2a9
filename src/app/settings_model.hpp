#pragma once
// The window's stored settings: what start-up reads (with defaults, accepted
// ranges and fallbacks) and what closing the window writes back.
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "book/import_context.hpp"
#include "platform/settings_store.hpp"

namespace qrb {

inline constexpr const char* kAppQuarel3D = "Quarel_3D";
inline constexpr const char* kAppQuarelN = "QuarelN";
inline constexpr const char* kSectionGenerale = "generale";
inline constexpr const char* kSectionImport = "import";

// The serial-port lists, in the order their positions are stored.
inline constexpr std::array<std::string_view, 9> kPortItems{"COM1", "COM2", "COM3", "COM4", "COM5",
                                                            "COM6", "COM7", "COM8", "COM9"};
inline constexpr std::array<std::string_view, 12> kBaudItems{"300",   "600",   "1200",  "2400",  "4800",   "9600",
                                                             "14400", "19200", "38400", "56000", "128000", "256000"};
inline constexpr std::array<std::string_view, 5> kDataBitsItems{"4", "5", "6", "7", "8"};
inline constexpr std::array<std::string_view, 3> kStopBitsItems{"1", "1.5", "2"};
inline constexpr std::array<std::string_view, 5> kParityItems{"E", "M", "N", "O", "S"};

// The communication settings as start-up reads them; list positions count
// from 0.
struct CommSettings {
    int porta = 1;     // "COM2"
    int baud = 5;      // "9600"
    int parita = 2;    // "N"
    int bit_dati = 4;  // "8"
    int bit_stop = 0;  // "1"
    int timeout_seconds = 15;
    bool dtr = true;
    bool rts = true;
    bool xon = false;
    bool crlf = false;
    bool agg_crlf = false;
    std::string start_sequence;
    std::string end_sequence;
};

// What start-up needs from the system.
struct StartupEnvironment {
    std::string program_folder;         // the folder of the running program
    std::string common_appdata_folder;  // the system's shared data folder
    std::string command_line;           // the program's arguments joined by one blank
};

struct StartupSettings {
    std::string work_folder;
    int list_position = 2;     // the entry of list_reg to select
    bool survey_od = false;    // a stored "OD": tipo_od instead of tipo_iz
    std::string download_extension;
    CommSettings comm;
    std::string command_line_path;  // not empty: command-line mode
    std::string results_folder;
    std::string download_folder;
    std::string appdata_folder;  // the program's folder under the shared data folder
};

// The command line: the program's arguments (not its name) joined by one blank.
std::string join_arguments(int argc, const char* const* argv);

// A stored number as the window reads it: the number at the start of the
// text, to the nearest whole number (halves to the even neighbour). Nothing
// when it does not fit in 16 bits, which makes it out of range.
std::optional<int> stored_number(std::string_view text);

// A number as the settings store it: a blank before values of 0 and above (" 48").
std::string stored_number_text(int value);

// Reads every setting in start-up order. A stored number outside its accepted
// range takes its fallback.
StartupSettings load_startup_settings(SettingsStore& store, const StartupEnvironment& env);

// Closing the window: the selected position and the survey type.
void save_on_unload(SettingsStore& store, int list_position, const ImportOptions& options);

}  // namespace qrb
