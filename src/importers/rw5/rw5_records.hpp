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

namespace qrb::rw5 {

// Appends "," to the line and cuts it into fields 1..22 (views into `line`).
Fields split_record(std::string& line);

// True when the record code is one of `codes` (case counts).
bool one_of(std::string_view code, std::span<const std::string_view> codes);

// The field with every occurrence of `prefix` deleted (case counts).
std::string less(std::string_view field, std::string_view prefix);

// The same number read after the deletion, as the recorder holds it.
float single_less(std::string_view field, std::string_view prefix);
double double_less(std::string_view field, std::string_view prefix);

// The six terms of a vector's covariance, XX, XY, XZ, YY, YZ, ZZ, joined by
// "," with eight decimals each.
using CovarianceTerms = std::array<float, 6>;
std::string covariance_text(const CovarianceTerms& terms);

}  // namespace qrb::rw5
