#pragma once
// Numbers as the recorder files and the survey book write them.
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

#include "common/failure.hpp"
#include "common/text.hpp"

namespace qrb {

// Reads a number from text: blanks, tabs and line feeds are skipped wherever
// they stand; an optional sign; digits with one "."; an exponent after "E" or
// "D" (either case) with an optional sign. Reading stops at the first
// character that cannot continue the number; no number gives 0. An exponent
// too large for a double fails with overflow (6).
double val(std::string_view text);

// Writes a value held in single precision: at most 7 significant digits, "."
// as the decimal point, no trailing zeros, no "0" before the point, exponent
// form ("1E-05", "1.234568E+07") when the decimal exponent is below -4 or
// reaches 7. The "str" form puts one blank before a value that is not
// negative; the "num" form has no blank.
std::string str_single(float value);
std::string num_single(float value);

// The same, appended to `out` without a text of its own.
void append_single(std::string& out, float value, bool leading_blank);
// The same, written at `out` (room for 48 characters); returns its length.
std::size_t write_single(char* out, float value, bool leading_blank);

// The same for double precision, with at most 15 significant digits.
std::string str_double(double value);
std::string num_double(double value);
void append_double(std::string& out, double value, bool leading_blank);

// A value stored in a single-precision variable: the nearest float; beyond
// the single-precision range it fails with overflow (6).
inline float to_single(double value)
{
    if (!(std::fabs(value) <= static_cast<double>(std::numeric_limits<float>::max()))) fail(kOverflow);
    return static_cast<float>(value);
}
// The number of a text stored in a single-precision variable: val, then
// to_single.
inline float single_val(std::string_view text) { return to_single(val(text)); }
// The number of a text divided in double precision; only the quotient is
// stored in a single-precision variable.
inline float quotient_value(std::string_view text, double divisor) { return to_single(val(text) / divisor); }
// The number of a field at fixed columns, read as val reads it; stored in a
// single-precision variable.
inline double column_value(std::string_view line, Column c) { return val(column_view(line, c)); }
inline float column_single(std::string_view line, Column c) { return to_single(column_value(line, c)); }
// A value stored in a double-precision variable: a result that left the
// double range (infinite or not a number) fails with overflow (6).
double to_double(double value);

// The nearest whole number, halves to the even neighbour.
double round_half_even(double value);

// Rounds to the nearest whole number, halves to the even neighbour, and
// fails with overflow (6) when the result leaves the 16-bit or 32-bit range.
std::int16_t to_int16(double value);
std::int32_t to_int32(double value);

// Formats a value with a digit mask such as "0.00000000" or "#0.000": the
// mask's decimals, at least as many integer digits as the mask has "0"
// before its point, halves away from zero (from the exact binary value), "."
// as the decimal point. Masks of up to 80 decimals.
std::string format_with_mask(double value, std::string_view mask);

}  // namespace qrb
