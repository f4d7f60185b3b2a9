#include "importers/sokkia/sdr_common.hpp"

#include "common/number.hpp"

namespace qrb::sdr {

bool read_total_station_record(Conversion& c, std::string_view code, std::string_view line,
                               const TotalStationRules& rules, float& target_height)
{
    const TotalStationLayout& k = rules.columns;
    StationTable& stations = c.state.station_table;
    if (code == "02") {
        const std::string name = rules.station_name(c, line, k.station_name);
        stations.add(name, column_single(line, k.instrument_height), note_or(line, k.station_note, "stazione"));
    } else if (code == "03") {
        target_height = column_single(line, k.target_height);
    } else if (code == "09") {
        if (stations.empty()) return true;  // no station to belong to
        Reading r;
        r.target = rules.target_name(c, line, k.target);
        r.dist = column_single(line, k.distance);
        r.v = column_single(line, k.vertical);
        r.hz = column_single(line, k.horizontal);
        r.code = column_trimmed(line, k.reading_note);
        if (r.code.empty()) r.code = "nn";
        r.target_height = target_height;
        stations.back().add_reading() = std::move(r);
    } else {
        return false;
    }
    return true;
}

}  // namespace qrb::sdr
