// Tabula ASCII keyword files: blocks of "key,value" lines, of which only the
// value counts. A line whose first two characters are "st" (any case) opens
// a station block of three lines, "pt" a point block of six; the lines of a
// block are taken in order whatever their keys. Lines outside blocks are
// ignored, and so is a point block before the first station (its six lines
// are still consumed). A block cut short by the end of the file is dropped.
// Collect-then-write; the numbers of the book keep the blank before a value
// that is not negative.
#include <utility>

#include "book/frames.hpp"
#include "common/number.hpp"
#include "common/routines.hpp"
#include "common/text.hpp"

namespace qrb {

namespace {

constexpr const char* kTitle = "Importa file Tabula t";
constexpr const char* kBookTitle = "Importazione file Tabula t";

// Replacements of an empty station note (blanks only counting as empty) and
// of an empty point code (not trimmed).
constexpr const char* kDefaultStationNote = "stazione";
constexpr const char* kDefaultCode = "nn";

// The value of a "key,value" line: its second field.
std::string value_of(const std::string& line)
{
    const std::string record = line + ",";
    return std::string(split_fields(record, ",")[2]);
}

float number_of(const std::string& line) { return single_val(value_of(line)); }

// The station block: name, instrument height, note.
void read_station(Conversion& c, const std::string& first_line)
{
    std::string name = value_of(first_line);
    const float height = number_of(c.in.read_line());
    std::string note = value_of(c.in.read_line());
    if (trim(note).empty()) note = kDefaultStationNote;
    c.state.station_table.add(std::move(name), height, std::move(note));
}

// The point block: target, target height, horizontal angle, vertical angle,
// distance, code. A reading never changes after its block: it is made its
// book line at once.
void read_point(Conversion& c, const StationTableOptions& book, const std::string& first_line)
{
    Reading r;
    r.target = value_of(first_line);
    r.target_height = number_of(c.in.read_line());
    r.hz = number_of(c.in.read_line());
    r.v = number_of(c.in.read_line());
    r.dist = number_of(c.in.read_line());
    r.code = value_of(c.in.read_line());
    if (r.code.empty()) r.code = kDefaultCode;
    StationTable& stations = c.state.station_table;
    // A point before the first station has no block to go to.
    if (stations.empty()) return;
    finish_reading(stations.back(), r.view(), book, c.options.op_note);
}

void read_tabula(Conversion& c, const StationTableOptions& book)
{
    std::string line;
    while (c.in.next_line(line)) {
        const std::string keyword = lcase(left(line, 2));
        if (keyword == "st")
            read_station(c, line);
        else if (keyword == "pt")
            read_point(c, book, line);
    }
}

}  // namespace

void imp_tabula(ImportContext& ctx, const std::string& input_path)
{
    CollectThenWrite frame(ctx.options, FailurePolicy::standard("Tabula t", kTitle), kBookTitle,
                           "File ASCII generato da Tabula t");
    // With both survey types chosen, "IZ" wins.
    frame.book.header.survey_type = ctx.options.tipo_iz ? "IZ" : ctx.options.tipo_od ? "OD" : "";
    frame.book.leading_blank = true;
    frame.book.all_left_out_is_nothing_found = true;
    frame.stations_finished_on_add = true;
    const StationTableOptions& book = frame.book;
    frame.run(ctx, input_path, [&book](Conversion& c) { read_tabula(c, book); });
}

}  // namespace qrb
