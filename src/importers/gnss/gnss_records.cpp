#include "importers/gnss/gnss_records.hpp"

#include <cmath>

#include "common/geodesy.hpp"
#include "common/number.hpp"

namespace qrb::gnss_records {

namespace {

constexpr Column kBaseName{5, 4};
constexpr Column kBaseAntenna{68, 10};
constexpr Column kBaseNote{79};
constexpr Column kLatitude{6, 16};
constexpr Column kLongitude{22, 16};
constexpr Column kEllipsoidalHeight{38, 10};
constexpr Column kDefaultAntenna{5};
constexpr Column kVectorPoint{9, 4};
constexpr Column kVectorNumbers[] = {{13, 10}, {23, 10}, {33, 10}};
constexpr Column kVectorAntenna{43, 10};
constexpr Column kVectorCode{53};

void read_base(Conversion& c, std::string_view line, const Rules& rules)
{
    GnssBaseRecord& base = c.state.gnss_base_table.add(
        station_name(c, line, kBaseName, rules.name_width, rules.invalid_name_title));
    base.antenna_height = column_single(line, kBaseAntenna);
    const std::string_view note = column_view(line, kBaseNote);
    base.note = trim_view(note).empty() ? "stazione_gps" : std::string(note);
}

void read_position(GnssBaseRecord& base, std::string_view line)
{
    const double lat = degrees_to_radians(column_value(line, kLatitude));
    const double lon = degrees_to_radians(column_value(line, kLongitude));
    const Ecef xyz = wgs84_to_ecef(lat, lon, column_value(line, kEllipsoidalHeight));
    base.x = xyz.x;
    base.y = xyz.y;
    base.z = xyz.z;
}

}  // namespace

std::string whole_name(std::string_view line, Column column, NameWidth width)
{
    const double value = column_value(line, column);
    const std::int32_t number = width == NameWidth::Bits16 ? to_int16(value) : to_int32(value);
    return number != 0 ? std::to_string(number) : std::string();
}

std::string station_name(Conversion& c, std::string_view line, Column column, NameWidth width, const char* title)
{
    std::string name = whole_name(line, column, width);
    if (name.empty()) {
        c.box("Nome stazione non valido.", title, Icon::Exclamation);
        c.stop();
    }
    return name;
}

std::string point_name(std::string_view line, Column column, NameWidth width)
{
    std::string name = whole_name(line, column, width);
    return name.empty() ? "non_valido" : name;
}

GnssBookOptions book_options(const Rules& rules)
{
    GnssBookOptions book;
    book.shape = VectorShape::A;
    book.tail = VectorTail::ThreeTwo;
    book.empty_base_text = rules.empty_base_text;
    return book;
}

bool Reader::read(Conversion& c, std::string_view code, std::string_view line)
{
    GnssBaseTable& bases = c.state.gnss_base_table;
    if (code == rules_.base_code) {
        read_base(c, line, rules_);
    } else if (code == rules_.position_code) {
        if (!bases.empty()) read_position(bases[bases.size() - 1], line);
    } else if (code == rules_.antenna_code) {
        default_antenna_height_ = column_single(line, kDefaultAntenna);
    } else if (code == rules_.vector_code) {
        if (bases.empty()) return true;  // no base to belong to
        GnssVector v;
        v.point = point_name(line, kVectorPoint, rules_.name_width);
        const double a = column_value(line, kVectorNumbers[0]);
        const double b = column_value(line, kVectorNumbers[1]);
        const double d = column_value(line, kVectorNumbers[2]);
        if (rules_.vector_form == VectorForm::Polar) {
            const double zenith = gon_to_radians(b);
            const double azimuth = gon_to_radians(d);
            v.dx = a * std::sin(zenith) * std::sin(azimuth);
            v.dy = a * std::sin(zenith) * std::cos(azimuth);
            v.dz = a * std::cos(zenith);
        } else {
            v.dx = a;
            v.dy = b;
            v.dz = d;
        }
        v.antenna_height = column_single(line, kVectorAntenna);
        if (v.antenna_height == 0) v.antenna_height = default_antenna_height_;
        v.code = column_trimmed(line, kVectorCode);
        if (v.code.empty()) v.code = "nn";
        add_vector_finishing_last(bases[bases.size() - 1], book_, c.options.op_note) = std::move(v);
    } else {
        return false;
    }
    return true;
}

}  // namespace qrb::gnss_records
