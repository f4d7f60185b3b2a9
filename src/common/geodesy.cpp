#include "common/geodesy.hpp"

#include <cmath>

#include "common/number.hpp"

namespace qrb {

namespace {

struct Ellipsoid {
    double a;
    double e2;
    double k;
};

const Ellipsoid* ellipsoid_of(int code)
{
    static constexpr Ellipsoid kHayford{6378388.0, 0.00672267006219, 0.99327732993781};
    static constexpr Ellipsoid kWgs84{6378137.0, 0.00669437999015, 0.99330562000985};
    if (code == 1 || code == 2) return &kHayford;
    if (code == 3) return &kWgs84;
    return nullptr;
}

// Pi as the converters write it.
constexpr double kPi = 3.14159265358979;

double truncate_rounded(double value) { return std::trunc(std::round(value * 1e9) / 1e9); }

}  // namespace

void convert_angle(float& angle, int mode)
{
    const double a = angle;
    if (mode == kDegreesToGon)
        angle = to_single(a * 200.0 / 180.0);
    else if (mode == kGonToRadians)
        angle = to_single(gon_to_radians(a));
}

double dms_to_radians(std::string_view text)
{
    double v = val(text);
    const bool negative = v < 0;
    if (negative) v = -v;
    const double degrees = truncate_rounded(v);
    const double t = std::round((v - degrees) * 100.0 * 1e9) / 1e9;
    const double minutes = std::trunc(t);
    const double seconds = std::round((t - minutes) * 100.0 * 1e9) / 1e9;
    double result = (degrees + minutes / 60.0 + seconds / 3600.0) / (360.0 / 6.28318530717958);
    return negative ? -result : result;
}

double prime_vertical_radius(double latitude, int ellipsoid)
{
    const Ellipsoid* e = ellipsoid_of(ellipsoid);
    if (!e) return 0;
    const double s = std::sin(latitude);
    return e->a / std::sqrt(1.0 - e->e2 * s * s);
}

void geodetic_to_ecef(double n, double h, int ellipsoid, double latitude, double longitude, double& x, double& y,
                      double& z)
{
    x = (n + h) * std::cos(latitude) * std::cos(longitude);
    y = (n + h) * std::cos(latitude) * std::sin(longitude);
    if (const Ellipsoid* e = ellipsoid_of(ellipsoid)) z = (n * e->k + h) * std::sin(latitude);
}

// The product overflows for a value near the double limit, as the run
// time's multiplication does.
double degrees_to_radians(double degrees) { return to_double(degrees * kPi / 180.0); }
double gon_to_radians(double gon) { return to_double(gon * kPi / 200.0); }

Ecef wgs84_to_ecef(double latitude, double longitude, double h)
{
    Ecef out;
    const double n = prime_vertical_radius(latitude, 3);
    geodetic_to_ecef(n, h, 3, latitude, longitude, out.x, out.y, out.z);
    return out;
}

Ecef find_point_ecef(const std::string& name, const GeoPointTable& table)
{
    if (const GeoPointRecord* p = table.find(name)) return wgs84_to_ecef(p->lat, p->lon, p->h);
    return {};
}

}  // namespace qrb
