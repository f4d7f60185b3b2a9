// Nikon RAW data file: comma-separated records led by a two-letter code
// (trimmed, upper case only). Stations with their readings and known points
// are collected and written at the end.
//
//   ST,<station>,,,,<instrument height>,...
//   SS|F1|SO,<target>,<target height>,<distance>,<Hz>,<V>,<time>,<note>
//   UP|MP|CC|RE,<point>,,<north>,<east>,<height>,<note>
//
// Values are taken as the file gives them: no unit is converted. Known
// points are copied as text, east before north.
#include "book/frames.hpp"
#include "common/number.hpp"
#include "common/text.hpp"
#include "importers/rw5/rw5_records.hpp"

namespace qrb {

namespace {

constexpr const char* kTitle = "Importa file Nikon RAW format";
constexpr const char* kFormatName = "Nikon RAW format";
constexpr const char* kBookTitle = "Importazione file Nikon RAW format";
constexpr const char* kBookNote = "File formato Nikon RAW data format";
constexpr const char* kStationNote = "stazione";
constexpr const char* kNoNote = "nn";

constexpr std::string_view kStationCode = "ST";
constexpr std::string_view kReadingCodes[] = {"SS", "F1", "SO"};
constexpr std::string_view kKnownPointCodes[] = {"UP", "MP", "CC", "RE"};

// Fields of a station record.
constexpr std::size_t kStationName = 2;
constexpr std::size_t kInstrumentHeight = 6;

// Fields of a reading.
struct ReadingFields {
    std::size_t target, target_height, distance, hz, v, note;
};
constexpr ReadingFields kReading{2, 3, 4, 5, 6, 8};

// Fields of a known point.
struct KnownPointFields {
    std::size_t name, north, east, height, note;
};
constexpr KnownPointFields kKnownPoint{2, 4, 5, 6, 7};

void read_nikon_raw(Conversion& c)
{
    StationTable& stations = c.state.station_table;
    std::string line;
    while (c.in.next_line(line)) {
        const Fields f = rw5::split_record(line);
        const std::string code = trim(f[1]);
        if (code == kStationCode) {
            stations.add(std::string(f[kStationName]), single_val(f[kInstrumentHeight]), kStationNote);
        } else if (rw5::one_of(code, kReadingCodes)) {
            // A reading belongs to a station.
            if (stations.empty()) continue;
            Reading& r = stations.back().add_reading();
            r.target = f[kReading.target];
            r.target_height = single_val(f[kReading.target_height]);
            r.dist = single_val(f[kReading.distance]);
            r.hz = single_val(f[kReading.hz]);
            r.v = single_val(f[kReading.v]);
            r.code = f[kReading.note].empty() ? std::string(kNoNote) : std::string(f[kReading.note]);
        } else if (rw5::one_of(code, kKnownPointCodes)) {
            const std::string_view note = f[kKnownPoint.note];
            RecordLine item;
            item.text(f[kKnownPoint.name])
                .text(f[kKnownPoint.east])
                .text(f[kKnownPoint.north])
                .text(f[kKnownPoint.height])
                .text(note)
                .text(ucase(note))
                .empty();
            c.state.known_points.push_back(item.str());
        }
    }
}

}  // namespace

void imp_nikon_raw(ImportContext& ctx, const std::string& input_path)
{
    CollectThenWrite frame(ctx.options, FailurePolicy::standard(kFormatName, kTitle), kBookTitle, kBookNote);
    frame.book.nothing_found = StationTableOptions::NothingFound::StationsKnownPoints;
    frame.book.known_points = true;
    frame.stations_finished_on_add = true;
    frame.run(ctx, input_path, read_nikon_raw);
}

}  // namespace qrb
