#pragma once
// Angle units, sexagesimal angles and geocentric coordinates.
#include <string_view>

#include "common/tables.hpp"

namespace qrb {

enum AngleMode { kDegreesToGon = 1, kAlreadyGon = 2, kGonToRadians = 3 };

// Converts in place: mode 1 degrees to gon, mode 3 gon to radians; any other
// mode leaves the angle unchanged. Computed in double, stored as single.
void convert_angle(float& angle, int mode);

// A sexagesimal angle written d.mmss, in radians; "45.30" is 45 degrees
// 30 minutes (the products are rounded to 1e-9 before truncating).
double dms_to_radians(std::string_view text);

// Ellipsoid codes: 1 and 2 the International 1924 ellipsoid, 3 WGS84.
// Radius of curvature in the prime vertical; 0 for any other code.
double prime_vertical_radius(double latitude, int ellipsoid);

// Geocentric coordinates; for an unknown code z keeps what it held.
void geodetic_to_ecef(double n, double h, int ellipsoid, double latitude, double longitude, double& x, double& y,
                      double& z);

// Degrees and gon to radians, computed as x * 3.14159265358979 / 180 (200);
// a product beyond the double range fails with overflow (6).
double degrees_to_radians(double degrees);
double gon_to_radians(double gon);

// Geocentric coordinates on WGS84 of a latitude and longitude (radians) and
// an ellipsoidal height.
Ecef wgs84_to_ecef(double latitude, double longitude, double h);

// The geocentric WGS84 coordinates of the first point of the table whose
// name equals `name` without regard to case; 0, 0, 0 when there is none.
Ecef find_point_ecef(const std::string& name, const GeoPointTable& table);

}  // namespace qrb
