#include "importers/gnss/trimble_dc.hpp"

#include <algorithm>

#include "common/failure.hpp"
#include "common/geodesy.hpp"
#include "common/number.hpp"
#include "common/text.hpp"

namespace qrb::trimble_dc {

namespace {

// The columns of the total-station records.
constexpr Column kAngleUnit{41, 1};          // "00"
constexpr Column kJob{5, 16};                // "95"
constexpr Column kStationName{5, 16};        // "69"
constexpr Column kStationNote{69, 16};
constexpr Column kInstrumentHeight{21, 16};  // "E0"
constexpr Column kTargetHeight{5, 16};       // "77"
constexpr Column kPrismConstant{21, 16};     // millimetres
constexpr Column kTarget{21, 16};            // "D9"
constexpr Column kDistance{37, 16};
constexpr Column kZenith{53, 16};
constexpr Column kHorizontal{69, 16};
constexpr Column kReadingCode{85, 16};

// The digit in column 41 of a "00" record, 2 at most; anything else in that
// column is a type mismatch, as for the run time's text-to-integer
// conversion.
int angle_unit_of(const std::string& line)
{
    const std::string_view c = column_view(line, kAngleUnit);
    if (c.size() != 1 || c[0] < '0' || c[0] > '9') fail(kTypeMismatch);
    return std::min(c[0] - '0', 2);
}

}  // namespace

std::string point_name(std::string_view field)
{
    const std::int32_t n = to_int32(val(field));
    return n != 0 ? std::to_string(n) : ucase(field);
}

void TotalStationRecords::read(Conversion& c, const OtherRecord& other)
{
    std::string line;
    while (c.in.next_line(line)) {
        // The record code: the first two characters, case counting.
        const std::string code = left(line, 2);
        if (!read_record(c.state.station_table, code, line)) other(code, line);
    }
}

bool TotalStationRecords::read_record(StationTable& stations, std::string_view code, const std::string& line)
{
    if (code == "00") {
        angle_unit_ = angle_unit_of(line);
    } else if (code == "95") {
        job_ = column_trimmed(line, kJob);
    } else if (code == "69") {
        read_station(stations, line);
    } else if (code == "E0") {
        if (!stations.empty()) stations.back().height = column_single(line, kInstrumentHeight);
    } else if (code == "77") {
        target_height_ = column_single(line, kTargetHeight);
        prism_constant_ = to_single(column_value(line, kPrismConstant) / 1000.0);
    } else if (code == "D9") {
        read_reading(stations, line);
    } else {
        return false;
    }
    return true;
}

void TotalStationRecords::read_station(StationTable& stations, const std::string& line)
{
    const std::string field = column_trimmed(line, kStationName);
    // A repetition of the current station's record continues that station.
    if (!stations.empty() && field == stations.back().name) return;
    const std::string note = column_text(line, kStationNote);
    StationRecord& station = stations.add(point_name(field), 0, trim(note).empty() ? "stazione" : note);
    station.size_readings();
}

void TotalStationRecords::read_reading(StationTable& stations, const std::string& line)
{
    if (stations.empty()) return;
    Reading& r = stations.back().add_reading();
    r.target = point_name(column_trimmed(line, kTarget));
    // The prism constant corrects a measured distance; a reading without
    // distance stays without one.
    const double distance = column_value(line, kDistance);
    r.dist = distance != 0 ? to_single(distance + prism_constant_) : 0.0f;
    r.v = column_single(line, kZenith);
    convert_angle(r.v, angle_unit_);
    r.hz = column_single(line, kHorizontal);
    convert_angle(r.hz, angle_unit_);
    const std::string code = column_trimmed(line, kReadingCode);
    r.code = code.empty() ? "nn" : code;
    r.target_height = target_height_;
}

CollectThenWrite frame(const ImportOptions& options, FailurePolicy failure, const TotalStationRecords& records)
{
    CollectThenWrite f(options, std::move(failure), "Trimble Survey Controller", "Trimble Survey Controller");
    f.spec.nothing_found_title = "Importazione file Trimble dc";
    f.book.empty_station = StationTableOptions::EmptyStation::OwnWarning;
    f.book.empty_station_text =
        "Il file Trimble contiene una stazione senza nessuna lettura. Verrà ignorata nell'importazione";
    f.before_writing = [&records](StationTableOptions& book) {
        if (!records.job().empty()) book.header.note = records.job();
    };
    return f;
}

}  // namespace qrb::trimble_dc
