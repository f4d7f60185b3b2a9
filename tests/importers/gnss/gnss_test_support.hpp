#pragma once
// Helpers for the GNSS converters' tests.
#include <string>
#include <vector>

#include "support/book_parts.hpp"

namespace qrb::test {

// The fixed value lines 7 to 14 of a "#stazione_gps#" block.
inline Lines block_tail(const std::string& date, const std::string& time)
{
    return {"RTK", "L2", "PDOP", "3", date, time, date, time};
}

inline Lines operator+(Lines a, const Lines& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

}  // namespace qrb::test
