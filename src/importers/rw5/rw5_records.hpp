#pragma once
// What the comma-separated raw record formats share: a line is one record,
// cut at "," after one "," is appended so that its last field is kept too;
// field 1 is the record code and most values carry a letter prefix that is
// deleted wherever it stands in the field.
#include <array>
#include <span>
#include <string>
#include <string_view>

#include "common/routines.hpp"
#include "common/tables.hpp"

namespace qrb::rw5 {

// Appends "," to the line and cuts it into fields 1..22 (views into `line`).
Fields split_record(std::string& line);

// True when the record code is one of `codes` (case counts).
bool one_of(std::string_view code, std::span<const std::string_view> codes);

// The field with every occurrence of `prefix` deleted (case counts).
std::string less(std::string_view field, std::string_view prefix);

// A field of a record and the prefix its value carries.
struct PrefixedField {
    std::size_t field;
    std::string_view prefix;
};

// The field less its prefix, as text or read as a number in single or
// double precision.
std::string text(const Fields& f, PrefixedField p);
float single(const Fields& f, PrefixedField p);
double dbl(const Fields& f, PrefixedField p);

// The last vector of the last base, if there is one.
GnssVector* last_vector(GnssBaseTable& bases);

// The six terms of a vector's covariance, XX, XY, XZ, YY, YZ, ZZ, joined by
// "," with eight decimals each.
using CovarianceTerms = std::array<float, 6>;
std::string covariance_text(const CovarianceTerms& terms);

}  // namespace qrb::rw5
