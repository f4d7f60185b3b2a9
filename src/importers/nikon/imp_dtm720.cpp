// Nikon DTM 720 (and Nikon Psion II XP) code-line files: characters 1 and 2
// of a line are a record code (upper case only), the rest of the line its
// value. "ST" opens a station, "PN" a reading of it; the other codes set a
// value of the current station or reading, the last line winning. Numbers
// are read, angles declared centesimal. Collect-then-write.
#include <string_view>

#include "book/frames.hpp"
#include "common/number.hpp"
#include "common/text.hpp"
#include "importers/nikon/codes.hpp"

namespace qrb {

namespace {

using nikon::ItemKind;

constexpr long long kValueColumn = 3;  // a blank after the code is part of the value

constexpr std::string_view kStationNote = "Stazione";      // a station without "IS"
constexpr std::string_view kBlankStationNote = "stazione"; // an "IS" of blanks only
constexpr std::string_view kPointNote = "nn";

// A name: trimmed, upper-cased, less one leading letter of `prefixes`.
std::string name_without(std::string_view value, std::string_view prefixes)
{
    return nikon::without_prefix(ucase(trim(value)), prefixes);
}

void read_dtm720(Conversion& c)
{
    StationTable& stations = c.state.station_table;
    std::string line;
    while (c.in.next_line(line)) {
        // Codes in upper case only; "DT" (a second distance) and "END" are
        // not read.
        const ItemKind kind = nikon::kind_of(nikon::kTwoLetterCodes, left(line, 2));
        if (kind == ItemKind::Other || kind == ItemKind::SecondDist) continue;
        const std::string value = mid(line, kValueColumn);
        if (kind == ItemKind::Station) {
            stations.add(name_without(value, "P"), 0, std::string(kStationNote));
            continue;
        }
        // A line with no station, or no reading, to go to is passed over.
        if (stations.empty()) continue;
        StationRecord& station = stations.back();
        switch (kind) {
        case ItemKind::Height: station.height = single_val(value); break;
        case ItemKind::StationNote: station.note = trim(value).empty() ? std::string(kBlankStationNote) : value; break;
        case ItemKind::Point: {
            Reading& r = station.add_reading();
            r.target = name_without(value, "DP");
            r.code = kPointNote;
            break;
        }
        default: {
            if (station.readings.empty()) break;
            Reading& r = station.readings.back();
            switch (kind) {
            case ItemKind::TargetHeight: r.target_height = single_val(value); break;
            case ItemKind::PointNote: {
                const std::string note = trim(value);
                r.code = note.empty() ? std::string(kPointNote) : note;
                break;
            }
            case ItemKind::Hz: r.hz = single_val(value); break;
            case ItemKind::V: r.v = single_val(value); break;
            case ItemKind::Dist: r.dist = single_val(value); break;
            default: break;
            }
        }
        }
    }
}

}  // namespace

void imp_dtm720(ImportContext& ctx, const std::string& input_path)
{
    FailurePolicy failure = FailurePolicy::standard("SDR", "Importa file Strumentale");
    failure.unexpected_title = "Errore su imp_dtm720";
    CollectThenWrite frame(ctx.options, std::move(failure), "Importazione file Nikon DTM 720",
                           "Nikon DTM 720 - Nikon PSION II (Model XP)");
    frame.spec.nothing_found_title = "Importazione strumentale";
    frame.book.all_left_out_is_nothing_found = true;
    frame.book.empty_station = StationTableOptions::EmptyStation::OwnWarning;
    frame.book.empty_station_text =
        "Il file Nikon DTM 720 contiene una stazione senza nessuna lettura. Verrà ignorata nell'importazione";
    frame.stations_finished_on_add = true;
    frame.run(ctx, input_path, read_dtm720);
}

}  // namespace qrb
