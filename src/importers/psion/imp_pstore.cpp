// Psion PStore field-book files, in two column layouts: one record a line,
// read at fixed columns that count from the first non-blank character, which
// gives the record kind:
//   "2"  a station: name, note, instrument height
//   "3"  a reading: point, code, horizontal and vertical angle, distance; its
//        target height is the last one a "4" line gave, anywhere before it
//   "4"  a reading that also sets the current target height
// Any other line is skipped. Values are stored as the file gives them.
// Collect-then-write, with the header written before the input is read.
#include "book/frames.hpp"
#include "common/number.hpp"
#include "common/text.hpp"

namespace qrb {

namespace {

// Columns count from the record kind at 1.
struct PstoreLayout {
    // Station lines.
    Column station_name;
    Column station_note;
    Column instrument_height;
    // Reading lines.
    Column point;
    Column code;
    Column hz;
    Column v;
    Column distance;
    Column target_height;  // "4" lines only
    // Texts.
    const char* note;
    const char* nothing_found_title;
    const char* empty_station_warning;
    const char* success_title;
};

constexpr const char* kBookTitle = "Sokkia Psion PStore";
constexpr const char* kLocality = "Località sconosciuta";

constexpr PstoreLayout kSokkiaPstore{
    {2, 4}, {7, 8}, {17, 5},
    {2, 7}, {10, 3}, {14, 8}, {23, 8}, {32, 8}, {41, 5},
    "Importazione file formato Sokkisha Psion PStore modificato",
    "Importazione Sokkia Psion PStore",
    "Il file Sokkia Psion contiene una stazione senza nessuna lettura. Verrà ignorata nell'importazione",
    "Importazione file Sokkia Psion PStore",
};

// Character 7 of a station line belongs to both the name and the note.
constexpr PstoreLayout kPstoreAbc{
    {3, 5}, {7, 6}, {16, 5},
    {3, 5}, {9, 6}, {16, 8}, {25, 8}, {34, 8}, {43, 5},
    "Importazione file formato Psion PStore ABC",
    "Importazione Psion PStore ABC",
    "Il file Psion Pstore contiene una stazione senza nessuna lettura. Verrà ignorata nell'importazione",
    "Importazione file Psion PStore ABC",
};

void read_pstore(Conversion& c, const PstoreLayout& layout)
{
    // The survey type is "IZ" or, whatever else is chosen, "OD".
    write_header(c.out, kBookTitle, book_text(kLocality), c.options.tipo_iz ? "IZ" : "OD", layout.note);
    StationTable& stations = c.state.station_table;
    float target_height = 0;  // from the last "4" line, across stations
    std::string raw;
    while (c.in.next_line(raw)) {
        const std::string line = ltrim(raw);
        const char kind = line.empty() ? '\0' : line[0];
        if (kind == '2') {
            stations.add(column_trimmed(line, layout.station_name), column_single(line, layout.instrument_height),
                         column_trimmed(line, layout.station_note));
        } else if (kind == '3' || kind == '4') {
            if (kind == '4') target_height = column_single(line, layout.target_height);
            // A reading before the first station has no block to go to.
            if (stations.empty()) continue;
            Reading& r = stations.back().add_reading();
            r.target = column_trimmed(line, layout.point);
            r.code = column_trimmed(line, layout.code);
            r.hz = column_single(line, layout.hz);
            r.v = column_single(line, layout.v);
            r.dist = column_single(line, layout.distance);
            r.target_height = target_height;
        }
    }
}

void run_pstore(ImportContext& ctx, const std::string& input_path, const PstoreLayout& layout)
{
    CollectThenWrite frame(ctx.options, FailurePolicy::older(), kBookTitle, layout.note);
    frame.spec.success_title = layout.success_title;
    frame.spec.keep_header = true;
    frame.spec.nothing_found_title = layout.nothing_found_title;
    frame.book.empty_station = StationTableOptions::EmptyStation::OwnWarning;
    frame.book.empty_station_text = layout.empty_station_warning;
    frame.book.all_left_out_is_nothing_found = true;
    frame.stations_finished_on_add = true;
    frame.run(ctx, input_path, [&layout](Conversion& c) { read_pstore(c, layout); });
}

}  // namespace

void imp_sokkia_pstore(ImportContext& ctx, const std::string& input_path)
{
    run_pstore(ctx, input_path, kSokkiaPstore);
}

void imp_pstore_abc(ImportContext& ctx, const std::string& input_path) { run_pstore(ctx, input_path, kPstoreAbc); }

}  // namespace qrb
