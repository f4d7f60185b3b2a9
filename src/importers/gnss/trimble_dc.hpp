#pragma once
// What the two record layouts of the Survey Controller job file (.dc) share:
// the total-station records, the name rule and the book they write.
#include <functional>
#include <string>
#include <string_view>

#include "book/frames.hpp"

namespace qrb::trimble_dc {

// Station and target names: the field's value rounded to a whole number
// (halves to even, 32 bits) when that is not 0, else the field upper-cased.
std::string point_name(std::string_view field);

// A record of another code than the total-station ones: its code and line.
using OtherRecord = std::function<void(const std::string& code, const std::string& line)>;

// The records "00", "95", "69", "E0", "77" and "D9", and the settings they
// carry from one record to the next.
class TotalStationRecords {
public:
    // Reads the job file to its end: the total-station records here, every
    // other line through `other`.
    void read(Conversion& c, const OtherRecord& other);
    const std::string& job() const { return job_; }

private:
    // Acts on the line when its code is a total-station one; false otherwise.
    bool read_record(StationTable& stations, std::string_view code, const std::string& line);
    void read_station(StationTable& stations, const std::string& line);
    void read_reading(StationTable& stations, const std::string& line);

    int angle_unit_ = 2;  // 1 degrees; 0 and 2 gon
    float target_height_ = 0;
    float prism_constant_ = 0;  // metres
    std::string job_;
};

inline constexpr const char* kTitle = "Importa file Trimble";

// The frame of both converters under their failure handling: header, station
// blocks and messages as both write them, the note from the job read.
CollectThenWrite frame(const ImportOptions& options, FailurePolicy failure, const TotalStationRecords& records);

}  // namespace qrb::trimble_dc
