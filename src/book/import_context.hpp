#pragma once
// What a converter is given: the shared work state, the user interface, the
// window's options and the command-line output path.
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "common/work_state.hpp"
#include "platform/ui.hpp"

namespace qrb {

// The window's controls that the converters read.
struct ImportOptions {
    bool tipo_iz = true;   // "Distanza Inclinata / Zenit"
    bool tipo_od = false;  // "Distanza Ridotta / Dislivello"
    int op_note = 1;       // "Note <-> Codici punto", ticked at start
    int op_gen = 0;        // "GSI doppia precisione"
};

// A local date and time, to the minute.
struct LocalDateTime {
    int year = 0;
    int month = 0;  // 1..12
    int day = 0;    // 1..31
    int hour = 0;   // 0..23
    int minute = 0;
};

// Where a converter that writes the date of the conversion takes it from.
using Clock = std::function<LocalDateTime()>;

struct ImportContext {
    WorkState& state;
    Ui& ui;
    const ImportOptions& options;
    std::string command_line_path;  // not empty: command-line mode
    Clock clock = {};               // empty: the system's local time

    bool command_line_mode() const { return !command_line_path.empty(); }
    LocalDateTime now() const;
};

// The survey type the window's options choose: slope distance and zenith
// ("IZ"), reduced distance and height difference ("OD"), or neither (the
// window always chooses one; a converter's caller may choose none).
enum class SurveyType { SlopeZenith, ReducedHeight, Neither };

// ReducedHeight when tipo_od is chosen, else SlopeZenith when tipo_iz is,
// else Neither.
SurveyType chosen_survey_type(const ImportOptions& options);
// The rule of the converters that look at tipo_iz alone: SlopeZenith when it
// is chosen, else ReducedHeight (never Neither).
SurveyType survey_type_iz_else_od(const ImportOptions& options);
// The "#tipo#" value: "IZ", "OD" or empty.
std::string_view survey_type_text(SurveyType type);
// The "#tipo#" value of the options: "OD", "IZ" or empty.
std::string survey_type(const ImportOptions& options);

// The survey-book path: the command-line path unchanged, or the notice box
// and the Save dialog, with ".qrb" appended unless the name ends in it (any
// case). Nothing when the user cancels.
// A path that names the input file itself (also through a link or another
// spelling) is refused with a box under `title`, before anything is opened
// for writing: the Save dialog is shown again; in command-line mode nothing
// is returned.
std::optional<std::string> choose_output_file(ImportContext& ctx, const std::string& input_path = {},
                                              const std::string& title = {});

}  // namespace qrb
