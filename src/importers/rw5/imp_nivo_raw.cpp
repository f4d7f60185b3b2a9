// Raw data file of the Nikon Nivo series and of Pentax total stations:
// comma-separated records led by a two-letter code (trimmed, upper case
// only), whose values carry a two-letter prefix, deleted wherever it stands
// in upper and then in lower case. Stations with their readings are
// collected and written at the end.
//
//   OC,OP<station>,,,,<note>
//   LS,HI<instrument height>,HR<target height>
//   SS|OB,OP<station>,FP<target>,AR<Hz>,ZE<V>,SD<distance>,--<note>
//
// Readings belong to the last station opened; the target height of the last
// "LS" holds across stations. Values are taken as the file gives them.
#include "book/frames.hpp"
#include "common/number.hpp"
#include "common/text.hpp"
#include "importers/rw5/rw5_records.hpp"

namespace qrb {

namespace {

constexpr const char* kTitle = "Importa file Nikon/Pentax RAW format";
constexpr const char* kFormatName = "Nikon/Pentax RAW format";
constexpr const char* kBookTitle = "File Nikon/Pentax raw format";
constexpr const char* kBookNote = "Importazione file formato Nikon/Pentax RAW data format";
constexpr const char* kNothingFoundTitle = "Importazione file Nikon RAW format";
constexpr const char* kStationNote = "stazione";
constexpr const char* kNoNote = "nn";

constexpr std::string_view kStationCode = "OC";
constexpr std::string_view kHeightsCode = "LS";
constexpr std::string_view kReadingCodes[] = {"SS", "OB"};
constexpr std::string_view kNotePrefix = "--";

using rw5::PrefixedField;

constexpr PrefixedField kStationName{2, "OP"};
constexpr std::size_t kStationNoteField = 6;
constexpr PrefixedField kInstrumentHeight{2, "HI"};
constexpr PrefixedField kTargetHeight{3, "HR"};
constexpr PrefixedField kTarget{3, "FP"};
constexpr PrefixedField kHz{4, "AR"};
constexpr PrefixedField kV{5, "ZE"};
constexpr PrefixedField kDistance{6, "SD"};
constexpr std::size_t kReadingNote = 7;

// The field less its prefix in upper case, then in lower case.
std::string value(const Fields& f, PrefixedField p)
{
    return rw5::less(rw5::text(f, p), lcase(p.prefix));
}

float number(const Fields& f, PrefixedField p) { return single_val(value(f, p)); }

void read_nivo_raw(Conversion& c)
{
    StationTable& stations = c.state.station_table;
    float target_height = 0;
    std::string line;
    while (c.in.next_line(line)) {
        const Fields f = rw5::split_record(line);
        const std::string code = trim(f[1]);
        if (code == kStationCode) {
            const std::string_view note = f[kStationNoteField];
            stations.add(value(f, kStationName), 0, note.empty() ? std::string(kStationNote) : std::string(note));
        } else if (code == kHeightsCode) {
            // An instrument height needs its station; a target height holds
            // for the readings that follow, whatever the station.
            if (!stations.empty()) stations.back().height = number(f, kInstrumentHeight);
            target_height = number(f, kTargetHeight);
        } else if (rw5::one_of(code, kReadingCodes)) {
            if (stations.empty()) continue;
            Reading& r = stations.back().add_reading();
            r.target = value(f, kTarget);
            r.hz = number(f, kHz);
            r.v = number(f, kV);
            r.dist = number(f, kDistance);
            r.target_height = target_height;
            const std::string_view note = f[kReadingNote];
            r.code = rw5::less(note.empty() ? std::string_view(kNoNote) : note, kNotePrefix);
        }
    }
}

}  // namespace

void imp_nivo_raw(ImportContext& ctx, const std::string& input_path)
{
    CollectThenWrite frame(ctx.options, FailurePolicy::standard(kFormatName, kTitle), kBookTitle, kBookNote);
    frame.spec.nothing_found_title = kNothingFoundTitle;
    frame.stations_finished_on_add = true;
    frame.run(ctx, input_path, read_nivo_raw);
}

}  // namespace qrb
