// Leica (Wild) TCA 1100, and its variant that also reads the TC 1000 block
// codes: GSI-8 lines read at fixed columns and written as they are read.
// "41" code blocks give a station, a target height or a note; "11" lines are
// measurements. The digits of each field are copied and the decimal point is
// put at the field's fixed place.
#include <algorithm>

#include "book/frames.hpp"
#include "common/number.hpp"
#include "common/text.hpp"
#include "importers/gsi/gsi_words.hpp"

namespace qrb {

namespace {

// What the two variants differ in.
struct TcaVariant {
    std::string_view target_height_codes;  // block codes that set the target height
    std::string_view note_codes;           // block codes that set the note
    bool station_sets_target_height;       // a station block carries a target height in word 4
    bool code_by_op_note;                  // the code field from op_note, else always "NN"
    const char* success_title;
};

constexpr TcaVariant kTca1100{"2", "5", true, false, "Importa file Wild Leica TCA 1100"};
constexpr TcaVariant kTca1100Tc1000{"24", "53", false, true, "Importa file Wild Leica TCA 1100 TC 1000"};

// Columns of the fields.
constexpr long long kBlockCodeColumn = 15;  // the last data character of word 1
constexpr long long kPointColumn = 8;
constexpr long long kWord2Column = 24;       // station name, target height, note
constexpr long long kWord3Column = 40;       // instrument height
constexpr long long kWord4Column = 56;       // target height of a station, slope distance
constexpr long long kHzColumn = 23;          // angles with their sign character
constexpr long long kZenithColumn = 39;

// Names and notes: the field without its leading zeros.
std::string tca_name(std::string_view line, long long column)
{
    const std::string field = mid(line, column, 8);
    return field.substr(std::min(field.find_first_not_of('0'), field.size()));
}

// Angles: the sign character and 3 whole digits, 5 decimals.
std::string angle(std::string_view line, long long column) { return gsi::copied_decimal(line, column, 4, 5, true); }
// Lengths: 5 whole digits, 3 decimals.
std::string length(std::string_view line, long long column) { return gsi::copied_decimal(line, column, 5, 3, true); }

void read_tca(Conversion& c, const TcaVariant& variant)
{
    write_header(c.out, "Importazione file", "Nessuna", survey_type(c.options),
                 "Importazione file Wild Leica TCA 1100");
    const bool code_by_op_note = variant.code_by_op_note && c.options.op_note == 1;  // read once
    std::string target_height;
    std::string note;
    bool in_station = false;
    std::string line;
    while (c.in.next_line(line)) {
        const std::string kind = left(line, 2);
        if (kind == "41") {
            const std::string block = mid(line, kBlockCodeColumn, 1);
            if (block.empty()) continue;
            if (block == "1") {
                const std::string name = lcase(tca_name(line, kWord2Column));
                const std::string height = length(line, kWord3Column);
                if (variant.station_sets_target_height) target_height = length(line, kWord4Column);
                c.out.tag("#stazione#");
                c.out.value(name);
                c.out.value(height);
                c.out.value(note);
                in_station = true;
            } else if (variant.target_height_codes.find(block) != std::string_view::npos) {
                target_height = length(line, kWord2Column);
            } else if (variant.note_codes.find(block) != std::string_view::npos) {
                note = tca_name(line, kWord2Column);
            }
        } else if (kind == "11") {
            // A reading line belongs inside a station block.
            if (!in_station) continue;
            const std::string distance = length(line, kWord4Column);
            RecordLine r;
            r.text(lcase(tca_name(line, kPointColumn)))
                .text(angle(line, kHzColumn))
                .text(angle(line, kZenithColumn))
                .text(val(distance) == 0 ? std::string("INT") : distance)
                .text(target_height)
                .text(note)
                .text(code_by_op_note ? ucase(note) : std::string("NN"));
            c.out.line(r.str());
        }
    }
}

void run_tca(ImportContext& ctx, const std::string& input_path, const TcaVariant& variant)
{
    Streaming frame(FailurePolicy::standard("GIF", "Importa file Wild Gif Leica TCA 1100").end_of_input_only());
    frame.spec.success_title = variant.success_title;
    frame.spec.nothing_found_title = variant.success_title;
    frame.run(ctx, input_path, [&variant](Conversion& c) { read_tca(c, variant); });
}

}  // namespace

void imp_tca1100(ImportContext& ctx, const std::string& input_path) { run_tca(ctx, input_path, kTca1100); }

void imp_tca1100_tc1000(ImportContext& ctx, const std::string& input_path)
{
    run_tca(ctx, input_path, kTca1100Tc1000);
}

}  // namespace qrb
