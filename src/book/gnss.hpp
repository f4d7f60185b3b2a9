#pragma once
// The GNSS part of the survey book: "#stazione_gps#" blocks with their
// vector lines, written from the GNSS base table right after the header, and
// "#passll#" items, written from the geographic point table before the
// trailer. Both plug into write_station_table.
#include <functional>
#include <string>
#include <vector>

#include "book/station_table.hpp"
#include "common/tables.hpp"

namespace qrb {

// Fields 6 and 7 of a vector line.
enum class VectorShape {
    // Shape A: the code as stored, then its upper-cased form when
    // "Note <-> Codici punto" is ticked (read for each line), else "NN".
    A,
    // Shape B: the vector's note, then its code, both as stored.
    B,
};

// The fields after the covariance text.
enum class VectorTail {
    ThreeTwo,    // "3" and "2":       ...|3|2|
    ThreeEmpty,  // "3" and empty:     ...|3||
    PdopEmpty,   // PDOP and empty:    ...|1.5||
    Pdop,        // PDOP only:         ...|1.5|
    PdopTwo,     // PDOP and "2":      ...|1.5|2|
};

// Date and time lines of a "#stazione_gps#" block.
struct GnssDateTime {
    std::string date;  // dd/mm/yyyy
    std::string time;  // HH:mm
};

GnssDateTime gnss_date_time(const LocalDateTime& when);

struct GnssBookOptions {
    VectorShape shape = VectorShape::A;
    VectorTail tail = VectorTail::ThreeTwo;
    // The warning for a base without vectors, titled "Attenzione" (UTF-8).
    std::string empty_base_text;
    // Lines 11 to 14: this fixed date and time, or the date and time of the
    // conversion, taken when each block is written.
    GnssDateTime date_time{"11/10/2009", "13:13"};
    bool current_date_time = false;
    // A vector whose dX, dY and dZ are all 0 is left out (its base's block
    // is still written).
    bool skip_null_vectors = false;
};

// The tag line and the 14 value lines of one base; the coordinates and the
// antenna height keep the blank before a value that is not negative.
void write_gnss_base_block(BookWriter& out, const GnssBaseRecord& base, const GnssDateTime& when);

// One vector line: point, dX, dY, dZ, antenna height, fields 6 and 7 by the
// shape, covariance text, then the tail.
std::string vector_line(const GnssVector& vector, VectorShape shape, VectorTail tail, int op_note);

// Adds a vector to the base, for a converter that may change a base's last
// vector from a later line but never one before it: that one is made its
// book line first.
GnssVector& add_vector_finishing_last(GnssBaseRecord& base, const GnssBookOptions& options, int op_note);

// Every base that has vectors as a block with its vector lines, in table
// order; a base without vectors is reported and left out.
void write_gnss_bases(Conversion& conv, const GnssBookOptions& options);

// The same as a write_gnss_bases step of write_station_table.
std::function<void(Conversion&)> gnss_bases_writer(GnssBookOptions options);

// One "#passll#" record line: name, latitude, longitude (radians), height,
// antenna height, note, code.
std::string geo_point_line(const GeoPointRecord& point);

// Every geographic point as a "#passll#" item, in table order.
void write_geo_points(Conversion& conv);

// Finished geographic point lines, each as a "#passll#" item, in order.
void write_geo_point_lines(Conversion& conv, const std::vector<std::string>& lines);

}  // namespace qrb
