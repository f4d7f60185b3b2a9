#pragma once
// The work state that the converters and the window's handlers share. One
// instance is owned by the application and passed by reference.
#include <cstdint>
#include <string>
#include <vector>

#include "common/line_list.hpp"
#include "common/tables.hpp"

namespace qrb {

struct WorkState {
    StationTable station_table;
    GnssBaseTable gnss_base_table;
    GeoPointTable geo_point_table;

    std::string work_folder;
    std::string results_folder;
    std::string download_extension = "dat";
    std::string download_folder;

    int msgbox_answer = 0;  // last answer to a yes/no question: 6 or 7

    // The finished "#passnoto#" lines of the converters with known points.
    // A converter's other lists are its own.
    LineList known_points;

    // Empties what one conversion collects, at the start of the next.
    void clear_tables()
    {
        station_table.clear();
        gnss_base_table.clear();
        geo_point_table.clear();
        known_points.clear();
    }
};

}  // namespace qrb
