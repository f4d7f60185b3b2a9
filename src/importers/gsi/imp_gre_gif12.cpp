// Leica (Wild) Gre(3), Gre(4) and Gif 12: GSI-8 lines read at fixed columns.
// "41" code blocks carry a code number in word 1 that says what the line
// holds (a station, a sighted vertex, a target height); "11" lines are
// measurements. Collect-then-write, with the header written before reading.
#include "book/frames.hpp"
#include "common/failure.hpp"
#include "common/number.hpp"
#include "common/text.hpp"
#include "importers/gsi/gsi_words.hpp"

namespace qrb {

namespace {

constexpr const char* kTitle = "Importazione file Wild Gif 12";

// Columns of the data fields.
constexpr long long kWord1Column = 8;   // code number, point name
constexpr long long kWord2Column = 24;  // height in millimetres, horizontal angle
constexpr long long kWord3Column = 40;  // station or vertex name, zenith angle
constexpr long long kWord4Column = 56;  // slope distance
constexpr long long kNoteColumn = 152;  // word 10 of a measurement, to the end of the line

// Code numbers of the "41" blocks.
constexpr double kStation = 200;
constexpr double kVertex1 = 199;
constexpr double kVertex2 = 201;
constexpr double kTargetHeight1 = 413;
constexpr double kTargetHeight2 = 500;

double field_value(std::string_view line, long long column) { return val(mid(line, column, 8)); }

// A name: the field's value when it is not 0; otherwise the field with its
// zeros turned into blanks, trimmed.
std::string gre_name(std::string_view line, long long column)
{
    const std::string field = mid(line, column, 8);
    const double value = val(field);
    if (value != 0) return num_double(value);
    return trim(replace_all(field, "0", " "));
}

float metres(std::string_view line, long long column) { return gsi::quotient_at(line, column, 1000); }

// A vertex sighted by a 199 or 201 block, for the next measurement only.
struct PendingVertex {
    bool set = false;
    std::string name;
    float target_height = 0;
};

void read_gre_gif12(Conversion& c)
{
    write_header(c.out, "Importazione file", "Nessuna", survey_type(c.options),
                 "Importazione file Wild Gre(3) Gre(4) Gif 12");
    StationTable& stations = c.state.station_table;
    float target_height = 0;  // from the last 413 or 500 block, across stations
    PendingVertex vertex;
    std::string line;
    while (c.in.next_line(line)) {
        const std::string kind = left(line, 2);
        if (kind == "41") {
            const double code = field_value(line, kWord1Column);
            if (code == kStation) {
                stations.add("V" + gre_name(line, kWord3Column), metres(line, kWord2Column), "ST");
            } else if (code == kVertex1 || code == kVertex2) {
                vertex = {true, gre_name(line, kWord3Column), metres(line, kWord2Column)};
            } else if (code == kTargetHeight1 || code == kTargetHeight2) {
                target_height = metres(line, kWord2Column);
            }
        } else if (kind == "11") {
            // No station to hold the reading: an index out of range.
            if (stations.empty()) fail(kSubscript);
            Reading& r = stations.back().add_reading();
            const std::string own_name = gre_name(line, kWord1Column);
            r.target = vertex.set ? "V" + (vertex.name.empty() ? own_name : vertex.name) : own_name;
            r.hz = gsi::quotient_at(line, kWord2Column, 100000);
            r.v = gsi::quotient_at(line, kWord3Column, 100000);
            r.dist = metres(line, kWord4Column);
            r.note = num_double(val(mid(line, kNoteColumn)));
            r.code = r.note;
            r.target_height = vertex.set ? vertex.target_height : target_height;
            vertex = {};
        }
    }
}

}  // namespace

void imp_gre_gif12(ImportContext& ctx, const std::string& input_path)
{
    CollectThenWrite frame(ctx.options,
                           FailurePolicy::standard("Wild Gif 12", "Importa file Wild Gif 12").end_of_input_only(),
                           kTitle, {});
    frame.spec.success_title = kTitle;
    frame.spec.keep_header = true;
    frame.book.field6 = StationTableOptions::Field6::Note;
    frame.book.empty_station = StationTableOptions::EmptyStation::OwnWarning;
    frame.book.empty_station_text =
        "Il file Wild Gif 12 contiene una stazione senza nessuna lettura. Verrà ignorata nell'importazione";
    frame.stations_finished_on_add = true;
    frame.run(ctx, input_path, read_gre_gif12);
}

}  // namespace qrb
