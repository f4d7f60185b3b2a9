// Sokkia SDR2x recordings: total-station set-ups with their readings, known
// points, and GNSS bases with their vectors, in fixed-column records led by a
// two-character code.
//
//   "02" station:       5-8 name, 39-48 instrument height, 49- note
//   "03" target height: 5- value, kept until the next "03", across stations
//   "09" reading:       9-12 target, 13-22 distance, 23-32 vertical angle,
//                       33-42 horizontal angle, 43- note
//   "10" job:           5-20 job text, the book's note
//   "08", "18" known point: 5-8 name, 9-18 and 19-28 coordinates (written
//                       19-28 first), 29-38 height, 39- note, copied as text
//   "15" GNSS base, "19" base position, "57" antenna height, "16" GNSS
//                       vector (dX, dY, dZ): the columns of the Survey
//                       Controller's older job file (gnss_records.hpp)
//
// A reading belongs to the station opened last and a vector (or position) to
// the base opened last; one that comes before any is skipped. Names of
// stations, bases, readings and vectors are whole numbers: a station or base
// without one stops the conversion, a reading or vector without one is
// "non_valido". Collect-then-write.
#include "book/gnss.hpp"
#include "book/frames.hpp"
#include "common/number.hpp"
#include "common/text.hpp"
#include "importers/gnss/gnss_records.hpp"
#include "importers/sokkia/sdr_common.hpp"

namespace qrb {

namespace {

constexpr sdr::FrameTexts kTexts{
    "Importa file Sokkia SDR2x", "Importazione file Sokkia SDR2x", "Importazione file SDR2x",
    "Il file Sokkia SDR contiene una stazione celerimetrica senza nessuna lettura. Verrà ignorata "
    "nell'importazione",
    "Sokkia SDR2x"};
constexpr const char* kNameTitle = "Importa file SDR2x";
constexpr const char* kEmptyBase =
    "Il file Sokkia SDR contiene una stazione GPS senza nessuna lettura. Verrà ignorata nell'importazione";

constexpr Column kJob{5, 16};
constexpr Column kPointName{5, 4};
constexpr Column kFirstCoordinate{9, 10};
constexpr Column kSecondCoordinate{19, 10};
constexpr Column kPointHeight{29, 10};
constexpr Column kPointNote{39};

// Station and point names: whole numbers of 16 bits.
std::string station_name(Conversion& c, std::string_view line, Column column)
{
    return gnss_records::station_name(c, line, column, gnss_records::NameWidth::Bits16, kNameTitle);
}

std::string point_name(Conversion&, std::string_view line, Column column)
{
    return gnss_records::point_name(line, column, gnss_records::NameWidth::Bits16);
}

constexpr sdr::TotalStationRules kTotalStation{
    {
        .station_name = {5, 4},
        .instrument_height = {39, 10},
        .station_note = {49},
        .target_height = {5},
        .target = {9, 4},
        .distance = {13, 10},
        .vertical = {23, 10},
        .horizontal = {33, 10},
        .reading_note = {43},
    },
    station_name,
    point_name,
};

constexpr gnss_records::Rules kGnss{"15", "19", "57", "16", gnss_records::NameWidth::Bits16, kNameTitle,
                                    gnss_records::VectorForm::Components, kEmptyBase};

struct Sdr2xState {
    float target_height = 0;
    gnss_records::Reader gnss{kGnss};
    std::string job;
};

void read_sdr2x(Conversion& c, Sdr2xState& s)
{
    std::string line;
    while (c.in.next_line(line)) {
        const std::string code = left(line, 2);
        if (sdr::read_total_station_record(c, code, line, kTotalStation, s.target_height)) continue;
        if (code == "10") {
            s.job = column_trimmed(line, kJob);
        } else if (code == "08" || code == "18") {
            c.state.known_points.push_back(
                sdr::known_point_text(line, kPointName, kSecondCoordinate, kFirstCoordinate, kPointHeight, kPointNote));
        } else {
            s.gnss.read(c, code, line);
        }
    }
}

}  // namespace

void imp_sdr2x(ImportContext& ctx, const std::string& input_path)
{
    Sdr2xState s;
    CollectThenWrite frame = sdr::collect_frame(ctx.options, kTexts, s.job);
    frame.book.nothing_found = StationTableOptions::NothingFound::StationsBasesKnownPoints;
    frame.book.write_gnss_bases = gnss_bases_writer(gnss_records::book_options(kGnss));
    frame.run(ctx, input_path, [&s](Conversion& c) { read_sdr2x(c, s); });
}

}  // namespace qrb
