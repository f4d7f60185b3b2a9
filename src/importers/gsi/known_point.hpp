#pragma once
// The known point whose "#passnoto#" line a GSI converter is building.
#include <string>
#include <string_view>

#include "common/work_state.hpp"

namespace qrb::gsi {

struct KnownPointRecord {
    std::string name;
    double east = 0;
    double north = 0;
    double height = 0;
    std::string note;  // the most recent remark word of the conversion

    bool has_coordinates() const { return east != 0 || north != 0 || height != 0; }
    // Starts the record of a new point: its name, coordinates at 0; the note stays.
    void start(std::string_view point_name);
    // Appends the record's known-point line to scratch list 0 when it has coordinates.
    void collect(WorkState& state) const;
};

}  // namespace qrb::gsi
