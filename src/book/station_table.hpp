#pragma once
// Writing a collect-then-write conversion: header, GNSS bases, stations with
// their readings, alignments, known points, levels, geographic points,
// reference points, image folder, trailer (the extra tags when set).
#include <functional>
#include <string>

#include "book/converter.hpp"

namespace qrb {

struct ExtraTags;

struct StationTableOptions {
    BookHeader header;  // survey-book text

    // What counts as nothing found.
    enum class NothingFound {
        Stations,                      // no station
        StationsKnownPoints,           // no station and no known point
        StationsBasesKnownPoints,      // ... and no GNSS base
        StationsBasesKnownGeoPoints,   // ... and no geographic point
    };
    NothingFound nothing_found = NothingFound::Stations;
    // What else a converter counts as found (its own lists, for example).
    std::function<bool(const WorkState&)> found_elsewhere;

    // Field 6 of a reading line from the reading's code or its note; field 7
    // by op_note, always the upper-cased field 6, always "NN", or the code as
    // stored.
    enum class Field6 { Code, Note };
    enum class Field7 { ByOpNote, AlwaysUpper, AlwaysNN, Code };
    Field6 field6 = Field6::Code;
    Field7 field7 = Field7::ByOpNote;

    bool upper_case_names = false;  // station and target names upper-cased on writing
    bool leading_blank = false;     // numbers keep the blank before a non-negative value

    // A station without readings: the converter's error handling reports it
    // (plain or named by its policy), the converter's own box titled
    // "Attenzione" reports it, or it is written as a bare block.
    enum class EmptyStation { PolicyMessage, OwnWarning, BareBlock };
    EmptyStation empty_station = EmptyStation::PolicyMessage;
    std::string empty_station_text;  // for OwnWarning (UTF-8)
    // A book whose stations are all left out, with nothing else to write,
    // holds no data: after the stations' own messages, the nothing-found box
    // follows instead of the book (no success box).
    bool all_left_out_is_nothing_found = false;

    bool known_points = false;  // write state.known_points as "#passnoto#" items
    // The line after "#origine#", when it is not "0|0|0|" (a converter that
    // writes its base coordinates there).
    std::string origin_line;

    // The GNSS sections, written by their own routines (book/gnss.hpp:
    // gnss_bases_writer and write_geo_points).
    std::function<void(Conversion&)> write_gnss_bases;   // after the header
    std::function<void(Conversion&)> write_geo_points;   // after the known points

    // Alignments, levels, reference points and the image folder
    // (book/extra_tags.hpp), each written at its place; none when not set.
    const ExtraTags* extra_tags = nullptr;
};

// Writes the book; returns false when nothing was found (no trailer is
// written: the frame ends with the nothing-found box).
bool write_station_table(Conversion& conv, const StationTableOptions& options);

// Adds a reading to the station as its book line, for a converter that never
// changes a reading once its line is read: the book is the same, the station
// far smaller.
void finish_reading(StationRecord& station, const ReadingView& reading, const StationTableOptions& options,
                    int op_note);

// Turns the station's readings into its finished lines, for a converter
// that changes none of them any more.
void finish_readings(StationRecord& station, const StationTableOptions& options, int op_note);

// Adds a reading to the station, for a converter that may change a
// station's last reading from a later line but never one before it: that
// one is made its book line first, so a station holds one Reading at most.
Reading& add_reading_finishing_last(StationRecord& station, const StationTableOptions& options, int op_note);

// From now on the table holds every station complete before the next one as
// its block's text, written by `options` (which must outlive the table's
// next clear()): the book is the same, the table far smaller.
void finish_stations_on_add(StationTable& table, const StationTableOptions& options, int op_note);

}  // namespace qrb
