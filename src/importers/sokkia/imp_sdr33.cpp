// Sokkia SDR33 data collector: fixed-column records, most fields 16
// characters wide, the record code in characters 1 and 2 (characters 3 and 4
// are not read).
//
//   "02" station:      5-20 name, 69-83 instrument height, 85- note
//   "03" target height: 5- value, kept until the next "03", across stations
//   "09" observation:  21-36 target, 37-52 distance, 53-68 vertical angle,
//                      69-84 horizontal angle, 85- note; it belongs to the
//                      station opened last (its own from-station, 5-20, is
//                      not read); one before any station is dropped
//   "08" known point:  5-20 name, 21-36 north, 37-52 east, 53-68 height,
//                      69- code, copied as text, east before north
//   "10" job:          5-20 job name, the book's note
//
// Station and target names that hold a whole number other than 0 are written
// as that number ("0012" gives "12"); any other name is written upper-cased.
// Known-point names keep their text. Collect-then-write.
#include "book/station_table.hpp"
#include "common/number.hpp"
#include "common/text.hpp"
#include "importers/importers.hpp"
#include "importers/sokkia/sdr_columns.hpp"

namespace qrb {

namespace {

using sdr::Column;
using sdr::field;
using sdr::trimmed;

constexpr const char* kTitle = "Importa file Sokkia SDR33";
constexpr const char* kBookTitle = "Importazione file Sokkia SDR33";
constexpr const char* kNothingFoundTitle = "Importazione file SDR33";
constexpr const char* kDefaultNote = "Sokkia SDR33";
constexpr const char* kEmptyStation =
    "Il file Sokkia SDR contiene una stazione senza nessuna lettura. Verrà ignorata nell'importazione";

constexpr Column kStationName{5, 16};
constexpr Column kInstrumentHeight{69, 15};
constexpr Column kStationNote{85, 0};
constexpr Column kTargetHeight{5, 0};
constexpr Column kTarget{21, 16};
constexpr Column kDistance{37, 16};
constexpr Column kVertical{53, 16};
constexpr Column kHorizontal{69, 16};
constexpr Column kReadingNote{85, 0};
constexpr Column kPointName{5, 16};
constexpr Column kNorth{21, 16};
constexpr Column kEast{37, 16};
constexpr Column kHeight{53, 16};
constexpr Column kPointCode{69, 0};
constexpr Column kJob{5, 16};

float number(std::string_view line, Column c) { return to_single(val(field(line, c))); }

// A name holding a whole number other than 0 is that number; any other name
// is its text upper-cased. A number beyond 32 bits fails with overflow.
std::string sdr33_name(std::string_view line, Column c)
{
    const std::string text = trimmed(line, c);
    const std::int32_t whole = to_int32(val(text));
    return whole != 0 ? std::to_string(whole) : ucase(text);
}

struct Sdr33State {
    float target_height = 0;
    std::string job;
};

void read_sdr33(Conversion& c, Sdr33State& s)
{
    StationTable& stations = c.state.station_table;
    std::string line;
    while (c.in.next_line(line)) {
        const std::string code = left(line, 2);
        if (code == "02") {
            std::string note = field(line, kStationNote);
            if (trim(note).empty()) note = "stazione";
            const std::string name = sdr33_name(line, kStationName);
            stations.add(name, number(line, kInstrumentHeight), note);
        } else if (code == "03") {
            s.target_height = to_single(val(trimmed(line, kTargetHeight)));
        } else if (code == "09") {
            if (stations.empty()) continue;  // no station to belong to
            Reading r;
            r.target = sdr33_name(line, kTarget);
            r.dist = number(line, kDistance);
            r.v = number(line, kVertical);
            r.hz = number(line, kHorizontal);
            r.code = trimmed(line, kReadingNote);
            if (r.code.empty()) r.code = "nn";
            r.target_height = s.target_height;
            stations.back().add_reading() = std::move(r);
        } else if (code == "08") {
            c.state.known_points.push_back(
                sdr::known_point_text(line, kPointName, kEast, kNorth, kHeight, kPointCode));
        } else if (code == "10") {
            s.job = trimmed(line, kJob);
        }
    }
}

}  // namespace

void imp_sdr33(ImportContext& ctx, const std::string& input_path)
{
    CollectThenWrite frame(ctx.options, FailurePolicy::standard("SDR", kTitle), kBookTitle, "");
    frame.book.nothing_found = StationTableOptions::NothingFound::StationsKnownPoints;
    frame.book.nothing_found_title = kNothingFoundTitle;
    frame.book.empty_station = StationTableOptions::EmptyStation::OwnWarning;
    frame.book.empty_station_text = kEmptyStation;
    frame.book.known_points = true;
    Sdr33State s;
    frame.before_writing = [&s](StationTableOptions& book) { book.note = s.job.empty() ? kDefaultNote : s.job; };
    frame.run(ctx, input_path, [&s](Conversion& c) { read_sdr33(c, s); });
}

}  // namespace qrb
