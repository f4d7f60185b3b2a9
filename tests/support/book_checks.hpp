#pragma once
// Checks of a survey book's shape that hold for every converter.
#include <string>

namespace qrb::test {

// The first line after the header and before the first station block (a
// "#stazione#" or "#stazione_gps#" tag) that belongs to no item: a reading
// written outside any station. Empty when there is none; a tag this check
// does not know is named as well.
std::string stray_line_before_first_station(const std::string& book);

// Whether a book holds a record: any tag line but those of the header and
// the trailer.
bool has_record(const std::string& book);

}  // namespace qrb::test
