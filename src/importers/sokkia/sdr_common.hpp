#pragma once
// What the Sokkia SDR converters share: known points
// copied as text, and the collect-then-write frame.
#include <string>
#include <string_view>

#include "book/frames.hpp"
#include "book/survey_book.hpp"
#include "common/text.hpp"

namespace qrb::sdr {

// A field's text unchanged, or `fallback` when it is blank or absent.
inline std::string note_or(std::string_view line, Column c, std::string_view fallback)
{
    std::string note = column_text(line, c);
    return trim(note).empty() ? std::string(fallback) : note;
}

// A known point whose texts are copied from the record, trimmed: name, east,
// north, height, note, "NN" and an empty seventh field.
inline std::string known_point_text(std::string_view line, Column name, Column east, Column north, Column height,
                                    Column note)
{
    RecordLine r;
    r.text(column_trimmed(line, name))
        .text(column_trimmed(line, east))
        .text(column_trimmed(line, north))
        .text(column_trimmed(line, height))
        .text(column_trimmed(line, note))
        .literal("NN")
        .empty();
    return r.str();
}

// The total-station records both layouts share: "02" opens a station, "03"
// sets the target height of the following readings (across stations), "09"
// adds a reading to the station opened last (skipped before any station).
struct TotalStationLayout {
    Column station_name, instrument_height, station_note;
    Column target_height;
    Column target, distance, vertical, horizontal, reading_note;
};
// A station's or target's name from its field (it may stop the conversion).
using NameRule = std::string (*)(Conversion& c, std::string_view line, Column column);
struct TotalStationRules {
    TotalStationLayout columns;
    NameRule station_name;
    NameRule target_name;
};

// Reads a "02", "03" or "09" record; false for any other code.
bool read_total_station_record(Conversion& c, std::string_view code, std::string_view line,
                               const TotalStationRules& rules, float& target_height);

// The texts of one SDR converter's boxes and book.
struct FrameTexts {
    const char* title;                // failure and success boxes
    const char* book_title;           // "#titolo#"
    const char* nothing_found_title;  // the nothing-found box
    const char* empty_station;        // the warning for a station without readings
    const char* default_note;         // "#note#" when the job text is empty
};

// The "SDR" failure handling, the converter's own nothing-found title and
// warning for a station without readings, known points, and the job text
// (read into `job`, which must outlive the frame's run) as the note.
inline CollectThenWrite collect_frame(const ImportOptions& options, const FrameTexts& t, const std::string& job)
{
    CollectThenWrite frame(options, FailurePolicy::standard("SDR", t.title), t.book_title, "");
    frame.spec.nothing_found_title = t.nothing_found_title;
    frame.book.empty_station = StationTableOptions::EmptyStation::OwnWarning;
    frame.book.empty_station_text = t.empty_station;
    frame.book.known_points = true;
    frame.before_writing = [&job, note = t.default_note](StationTableOptions& book) {
        book.header.note = job.empty() ? std::string(note) : job;
    };
    return frame;
}

}  // namespace qrb::sdr
