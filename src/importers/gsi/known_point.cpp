#include "importers/gsi/known_point.hpp"

#include "book/survey_book.hpp"

namespace qrb::gsi {

void KnownPointRecord::start(std::string_view point_name)
{
    name.assign(point_name);
    east = north = height = 0;
}

void KnownPointRecord::collect(WorkState& state) const
{
    if (has_coordinates()) state.known_points.push_back(known_point_line(name, east, north, height, note));
}

}  // namespace qrb::gsi
