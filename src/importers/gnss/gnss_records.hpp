#pragma once
// The GNSS records that the Survey Controller's older job file and the SDR2x
// recordings write alike, at the same columns, each under its own code:
//   base:           5-8 name, 68-77 antenna height, 79- note ("stazione_gps"
//                   when blank)
//   base position:  6-21 latitude, 22-37 longitude (decimal degrees), 38-47
//                   ellipsoidal height; the base's WGS84 geocentric X, Y, Z
//   antenna height: 5- value, the default of the vectors that follow
//   vector:         9-12 point, 13-22, 23-32 and 33-42 its three numbers,
//                   43-52 antenna height (0: the default), 53- code ("nn"
//                   when blank)
// A position or a vector belongs to the base read last; one read before any
// base is skipped.
#include <string>
#include <string_view>

#include "book/converter.hpp"
#include "book/gnss.hpp"
#include "common/text.hpp"

namespace qrb::gnss_records {

// Names of bases and points are whole numbers, integers of the recorder's
// width: beyond it they fail with overflow.
enum class NameWidth { Bits16, Bits32 };

// The whole number a name field holds, as text; empty for 0 (no name).
std::string whole_name(std::string_view line, Column column, NameWidth width);
// The same for a station or a base: 0 stops the conversion with "Nome
// stazione non valido." under `title`.
std::string station_name(Conversion& c, std::string_view line, Column column, NameWidth width, const char* title);
// The same for a point: 0 gives "non_valido".
std::string point_name(std::string_view line, Column column, NameWidth width);

// What the three numbers of a vector record are.
enum class VectorForm {
    Components,  // dX, dY, dZ
    Polar,       // slope length, zenith angle and azimuth in gon
};

// One recorder's codes and rules for these records.
struct Rules {
    std::string_view base_code, position_code, antenna_code, vector_code;
    NameWidth name_width;
    const char* invalid_name_title;  // the box of a base without name
    VectorForm vector_form;
    const char* empty_base_text;  // the warning for a base without vectors (UTF-8)
};

// How the bases of these records are written: shape A, tail 3-2, the
// recorder's warning for a base without vectors.
GnssBookOptions book_options(const Rules& rules);

// Reads the records; keeps the default antenna height between them. A vector
// is complete with its record, so each one before a base's last becomes its
// book line at once.
class Reader {
public:
    explicit Reader(const Rules& rules) : rules_(rules), book_(book_options(rules)) {}
    // Acts on a record of one of the four codes; false for any other.
    bool read(Conversion& c, std::string_view code, std::string_view line);

private:
    const Rules& rules_;
    GnssBookOptions book_;
    float default_antenna_height_ = 0;
};

}  // namespace qrb::gnss_records
