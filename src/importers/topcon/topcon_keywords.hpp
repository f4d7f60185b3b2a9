#pragma once
// Keyword records of Topcon GTS and Foif RTS/OTS total stations: one line per
// record, a keyword and a data part of values separated by ",".
//
//   JOB          the job text, written as the book's note
//   STN          station name, instrument height, station note: a new station
//   SS, FS, BS   target name, target height, code: a new reading
//   SD           horizontal angle, zenith angle, slope distance
//   HD           horizontal angle, horizontal distance, height difference
//   HV           horizontal angle, zenith angle (no distance)
//
// A measurement line fills the last reading of the current station; a
// further one for the same reading overwrites the values it sets. The
// recorders differ only in the details the dialect below lists.
#include <string>

#include "book/import_context.hpp"

namespace qrb::topcon {

struct KeywordDialect {
    enum class KeywordAt {
        FirstSpace,    // the keyword ends at the first space; the data part starts there
        Columns1To8,   // the keyword fills characters 1 to 8; the data part starts at 9
    };
    KeywordAt keyword_at;
    bool trim_name_lines;      // the data part of STN and target lines is trimmed before splitting
    bool blank_name_is_empty;  // a station or target name of blanks only counts as empty
    const char* job_default;   // the note when the file has no JOB line
    double angle_divisor;      // horizontal and zenith angles are divided by it
    double height_difference_divisor;  // the HD height difference is divided by it

    // Texts (UTF-8).
    const char* book_title;           // "#titolo#"
    const char* box_title;            // the converter's boxes and its success box
    const char* nothing_found_title;  // "File non valido, importazione fallita."
    const char* format_word;          // "Il file <word> ..."
    const char* malformed_word;       // the word in the malformed-line text
    const char* empty_station_title;  // the station-without-readings box
};

// Converts one keyword file into a book, collecting first, writing at the end.
void convert_keyword_records(ImportContext& ctx, const std::string& input_path, const KeywordDialect& dialect);

}  // namespace qrb::topcon
