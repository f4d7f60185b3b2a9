#pragma once
// Stations that follow each other as the station name of the lines changes:
// a name other than the last one opens a station (the first one also when it
// is empty); the same name again adds to that station. Names are never looked
// up: a name that comes back after another opens a further station.
#include <optional>
#include <string>

#include "common/tables.hpp"

namespace qrb::zeiss {

class StationRuns {
public:
    // The station of a line named `name`; a new station gets the height and
    // the note "stazione".
    StationRecord& at(StationTable& stations, const std::string& name, float height)
    {
        if (name != last_) {
            stations.add(name, height, "stazione");
            last_ = name;
        }
        return stations.back();
    }

private:
    std::optional<std::string> last_;
};

}  // namespace qrb::zeiss
