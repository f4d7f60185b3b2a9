// Nikon DTM 720 (and Nikon Psion II XP) code-line files: characters 1 and 2
// of a line are a record code (upper case only), the rest of the line its
// value. "ST" opens a station, "PN" a reading of it; the other codes set a
// value of the current station or reading, the last line winning. Numbers
// are read, angles declared centesimal. Collect-then-write.
#include <array>
#include <string_view>

#include "book/station_table.hpp"
#include "common/number.hpp"
#include "common/text.hpp"
#include "importers/importers.hpp"

namespace qrb {

namespace {

enum class Code { Station, Height, StationNote, Point, TargetHeight, PointNote, Hz, V, Dist };

struct CodeName {
    std::string_view code;
    Code meaning;
};

// "DT" (a second distance) and the closing "END" line are not read.
constexpr std::array<CodeName, 10> kCodes{{
    {"ST", Code::Station},
    {"HS", Code::Height},
    {"IS", Code::StationNote},
    {"PN", Code::Point},
    {"HP", Code::TargetHeight},
    {"IP", Code::PointNote},
    {"AZ", Code::Hz},
    {"ZN", Code::V},
    {"ZH", Code::V},
    {"DO", Code::Dist},
}};

constexpr long long kValueColumn = 3;  // a blank after the code is part of the value

constexpr std::string_view kStationNote = "Stazione";      // a station without "IS"
constexpr std::string_view kBlankStationNote = "stazione"; // an "IS" of blanks only
constexpr std::string_view kPointNote = "nn";

const CodeName* find_code(std::string_view code)
{
    for (const CodeName& c : kCodes)
        if (c.code == code) return &c;
    return nullptr;
}

// A name: trimmed, upper-cased, less one leading letter of `prefixes`.
std::string name_without(std::string_view value, std::string_view prefixes)
{
    std::string name = ucase(trim(value));
    if (!name.empty() && prefixes.find(name.front()) != std::string_view::npos) name.erase(0, 1);
    return name;
}

float number(std::string_view value) { return to_single(val(value)); }

void read_dtm720(Conversion& c)
{
    StationTable& stations = c.state.station_table;
    std::string line;
    while (c.in.next_line(line)) {
        const CodeName* code = find_code(left(line, 2));
        if (!code) continue;
        const std::string value = mid(line, kValueColumn);
        if (code->meaning == Code::Station) {
            stations.add(name_without(value, "P"), 0, std::string(kStationNote));
            continue;
        }
        // A line with no station, or no reading, to go to is passed over.
        if (stations.empty()) continue;
        StationRecord& station = stations.back();
        switch (code->meaning) {
        case Code::Height: station.height = number(value); break;
        case Code::StationNote: station.note = trim(value).empty() ? std::string(kBlankStationNote) : value; break;
        case Code::Point: {
            Reading& r = station.add_reading();
            r.target = name_without(value, "DP");
            r.code = kPointNote;
            break;
        }
        default: {
            if (station.readings.empty()) break;
            Reading& r = station.readings.back();
            switch (code->meaning) {
            case Code::TargetHeight: r.target_height = number(value); break;
            case Code::PointNote: {
                const std::string note = trim(value);
                r.code = note.empty() ? std::string(kPointNote) : note;
                break;
            }
            case Code::Hz: r.hz = number(value); break;
            case Code::V: r.v = number(value); break;
            case Code::Dist: r.dist = number(value); break;
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
    frame.book.nothing_found_title = "Importazione strumentale";
    frame.book.empty_station = StationTableOptions::EmptyStation::OwnWarning;
    frame.book.empty_station_text =
        "Il file Nikon DTM 720 contiene una stazione senza nessuna lettura. Verrà ignorata nell'importazione";
    frame.run(ctx, input_path, read_dtm720);
}

}  // namespace qrb
