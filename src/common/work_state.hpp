#pragma once
// The work state that the converters and the window's handlers share. One
// instance is owned by the application and passed by reference.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "common/tables.hpp"

namespace qrb {

using ScratchList = std::vector<std::string>;

struct WorkState {
    StationTable station_table;
    GnssBaseTable gnss_base_table;
    GeoPointTable geo_point_table;

    std::string work_line;        // the input line being worked on
    std::string normalized_name;  // the last result of normalize_name
    std::array<std::string, 23> line_fields;  // fields 1..22 of the last split

    std::string work_folder;
    std::string results_folder;
    std::string download_extension = "dat";
    std::string download_folder;

    std::int32_t scratch_long = 0;
    int msgbox_answer = 0;  // last answer to a yes/no question: 6 or 7

    // Scratch lists of the converters; list 0 holds finished known-point lines.
    std::array<ScratchList, 4> lista_pti;
};

}  // namespace qrb
