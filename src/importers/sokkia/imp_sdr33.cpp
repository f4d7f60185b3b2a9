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
#include "book/frames.hpp"
#include "common/number.hpp"
#include "common/text.hpp"
#include "importers/sokkia/sdr_common.hpp"

namespace qrb {

namespace {

constexpr sdr::FrameTexts kTexts{
    "Importa file Sokkia SDR33", "Importazione file Sokkia SDR33", "Importazione file SDR33",
    "Il file Sokkia SDR contiene una stazione senza nessuna lettura. Verrà ignorata nell'importazione",
    "Sokkia SDR33"};

// Names of stations and targets: a whole number other than 0 is that number;
// any other name is its text upper-cased. A number beyond 32 bits fails
// with overflow.
std::string sdr33_name(Conversion&, std::string_view line, Column c)
{
    const std::string text = column_trimmed(line, c);
    const std::int32_t whole = to_int32(val(text));
    return whole != 0 ? std::to_string(whole) : ucase(text);
}

constexpr sdr::TotalStationRules kTotalStation{
    {
        .station_name = {5, 16},
        .instrument_height = {69, 15},
        .station_note = {85},
        .target_height = {5},
        .target = {21, 16},
        .distance = {37, 16},
        .vertical = {53, 16},
        .horizontal = {69, 16},
        .reading_note = {85},
    },
    sdr33_name,
    sdr33_name,
};
constexpr Column kPointName{5, 16};
constexpr Column kNorth{21, 16};
constexpr Column kEast{37, 16};
constexpr Column kHeight{53, 16};
constexpr Column kPointCode{69};
constexpr Column kJob{5, 16};

struct Sdr33State {
    float target_height = 0;
    std::string job;
};

void read_sdr33(Conversion& c, Sdr33State& s)
{
    std::string line;
    while (c.in.next_line(line)) {
        const std::string code = left(line, 2);
        if (sdr::read_total_station_record(c, code, line, kTotalStation, s.target_height)) continue;
        if (code == "08") {
            c.state.known_points.push_back(
                sdr::known_point_text(line, kPointName, kEast, kNorth, kHeight, kPointCode));
        } else if (code == "10") {
            s.job = column_trimmed(line, kJob);
        }
    }
}

}  // namespace

void imp_sdr33(ImportContext& ctx, const std::string& input_path)
{
    Sdr33State s;
    CollectThenWrite frame = sdr::collect_frame(ctx.options, kTexts, s.job);
    frame.book.nothing_found = StationTableOptions::NothingFound::StationsKnownPoints;
    frame.run(ctx, input_path, [&s](Conversion& c) { read_sdr33(c, s); });
}

}  // namespace qrb
