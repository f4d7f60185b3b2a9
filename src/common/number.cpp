#include "common/number.hpp"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <optional>

#include "common/failure.hpp"

namespace qrb {

namespace {

bool skipped(char c) { return c == ' ' || c == '\t' || c == '\n'; }
bool is_digit(char c) { return c >= '0' && c <= '9'; }

// The significant digits of a positive value rounded to a number of digits,
// and the decimal exponent of the first digit.
struct Digits {
    char digit[24];
    std::size_t count = 0;
    int exponent = 0;
};

// Rounds on the exact binary value, halves to even.
void exact_digits(double value, int digits, Digits& d)
{
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, digits - 1);
    // buf holds d[.ddd]e±XX
    d.count = 0;
    const char* p = buf;
    for (; *p != 'e'; ++p)
        if (*p != '.') d.digit[d.count++] = *p;
    ++p;
    if (*p == '+') ++p;
    std::from_chars(p, res.ptr, d.exponent);
}

// The same by scaling with a power of ten, several times faster. Scaling
// errs by a few units in the last binary place, far below the rounding
// step for up to 7 digits: a result is taken only when the scaled value is
// clearly away from a halfway point; otherwise the caller uses exact_digits.
constexpr int kMaxScaledDigits = 7;

bool scaled_digits(double value, int digits, Digits& d)
{
    constexpr double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                 1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    auto scale = [&](double v, int power) {  // v * 10^power, exact powers only
        while (power > 22) {
            v *= kPow10[22];
            power -= 22;
        }
        while (power < -22) {
            v /= kPow10[22];
            power += 22;
        }
        return power >= 0 ? v * kPow10[power] : v / kPow10[-power];
    };
    d.exponent = static_cast<int>(std::floor(std::log10(value)));
    const double low = kPow10[digits - 1];
    const double high = kPow10[digits];
    double scaled = scale(value, digits - 1 - d.exponent);
    if (scaled < low) {  // log10 rounded up near a power of ten
        --d.exponent;
        scaled = scale(value, digits - 1 - d.exponent);
    } else if (scaled >= high) {
        ++d.exponent;
        scaled = scale(value, digits - 1 - d.exponent);
    }
    if (!(scaled >= low && scaled < high)) return false;
    const double whole = std::floor(scaled);
    const double fraction = scaled - whole;
    if (std::fabs(fraction - 0.5) < 1e-6) return false;  // too near a halfway point to tell
    auto rounded = static_cast<std::uint64_t>(whole) + (fraction > 0.5 ? 1 : 0);
    if (rounded == static_cast<std::uint64_t>(high)) {
        rounded /= 10;
        ++d.exponent;
    }
    d.count = static_cast<std::size_t>(std::to_chars(d.digit, d.digit + sizeof d.digit, rounded).ptr - d.digit);
    return true;
}

// The text of a value in the run time's general form, with `digits`
// significant digits at most.
std::string general_form(double value, int digits, bool leading_blank)
{
    if (!std::isfinite(value)) fail(kOverflow);
    char out[64];
    std::size_t n = 0;
    if (value < 0) {
        out[n++] = '-';
        value = -value;
    } else if (leading_blank) {
        out[n++] = ' ';
    }
    if (value == 0) {
        out[n++] = '0';
        return std::string(out, n);
    }

    Digits d;
    if (digits > kMaxScaledDigits || !scaled_digits(value, digits, d)) exact_digits(value, digits, d);
    std::size_t count = d.count;
    while (count > 1 && d.digit[count - 1] == '0') --count;
    const int exponent = d.exponent;
    auto put = [&](const char* from, std::size_t length) {
        std::memcpy(out + n, from, length);
        n += length;
    };
    auto zeros = [&](std::size_t length) {
        std::memset(out + n, '0', length);
        n += length;
    };

    if (exponent < -4 || exponent >= digits) {
        out[n++] = d.digit[0];
        if (count > 1) {
            out[n++] = '.';
            put(d.digit + 1, count - 1);
        }
        out[n++] = 'E';
        out[n++] = exponent < 0 ? '-' : '+';
        const int magnitude = exponent < 0 ? -exponent : exponent;
        if (magnitude < 10) out[n++] = '0';
        n = static_cast<std::size_t>(std::to_chars(out + n, out + sizeof out, magnitude).ptr - out);
    } else if (exponent < 0) {
        out[n++] = '.';
        zeros(static_cast<std::size_t>(-exponent - 1));
        put(d.digit, count);
    } else if (const auto whole = static_cast<std::size_t>(exponent) + 1; count <= whole) {
        put(d.digit, count);
        zeros(whole - count);
    } else {
        put(d.digit, whole);
        out[n++] = '.';
        put(d.digit + whole, count - whole);
    }
    return std::string(out, n);
}

// The common case of val: a sign and plain digits that end the text or stop
// at a character that cannot continue a number. Nothing when the text needs
// the general reading (blanks, a point, an exponent, too many digits).
std::optional<double> plain_integer(std::string_view text)
{
    std::size_t i = 0;
    const std::size_t n = text.size();
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    const std::size_t first = i;
    std::uint64_t value = 0;
    for (; i < n && is_digit(text[i]); ++i) {
        if (value >= 100000000000000ULL) return std::nullopt;  // beyond 15 digits
        value = value * 10 + static_cast<std::uint64_t>(text[i] - '0');
    }
    if (i == first) return std::nullopt;
    if (i < n) {
        const char c = text[i];
        if (skipped(c) || c == '.' || c == 'E' || c == 'e' || c == 'D' || c == 'd') return std::nullopt;
    }
    const auto magnitude = static_cast<double>(value);  // exact below 2^53
    return negative ? -magnitude : magnitude;
}

}  // namespace

double round_half_even(double value)
{
    const double floor = std::floor(value);
    const double diff = value - floor;
    if (diff > 0.5) return floor + 1;
    if (diff < 0.5) return floor;
    return std::fmod(floor, 2.0) == 0 ? floor : floor + 1;
}

double val(std::string_view text)
{
    if (const std::optional<double> plain = plain_integer(text)) return *plain;

    std::string number;  // sign, digits, ".", "e", exponent sign and digits
    std::size_t i = 0;
    const std::size_t n = text.size();
    auto skip = [&] {
        while (i < n && skipped(text[i])) ++i;
    };
    skip();
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-') number += '-';
        ++i;
    }
    bool seen_digit = false;
    bool seen_point = false;
    bool leading_zeros = true;  // zeros before the first other digit are dropped (the text stays short)
    for (;;) {
        skip();
        if (i >= n) break;
        const char c = text[i];
        if (c == '0' && leading_zeros) {
            seen_digit = true;
        } else if (is_digit(c)) {
            number += c;
            seen_digit = true;
            leading_zeros = false;
        } else if (c == '.' && !seen_point) {
            if (leading_zeros) number += '0';
            number += '.';
            seen_point = true;
            leading_zeros = false;
        } else {
            break;
        }
        ++i;
    }
    if (!seen_digit) return 0.0;
    if (leading_zeros) number += '0';
    if (i < n && (text[i] == 'E' || text[i] == 'e' || text[i] == 'D' || text[i] == 'd')) {
        std::size_t j = i + 1;
        std::string exponent = "e";
        auto skip_j = [&] {
            while (j < n && skipped(text[j])) ++j;
        };
        skip_j();
        if (j < n && (text[j] == '+' || text[j] == '-')) {
            if (text[j] == '-') exponent += '-';
            ++j;
        }
        bool exponent_digit = false;
        for (;;) {
            skip_j();
            if (j >= n || !is_digit(text[j])) break;
            if (exponent.size() < 12) exponent += text[j];  // keeps huge exponents huge
            exponent_digit = true;
            ++j;
        }
        if (exponent_digit) number += exponent;
    }
    double result = 0;
    const auto res = std::from_chars(number.data(), number.data() + number.size(), result);
    if (res.ec == std::errc::result_out_of_range) {
        // Underflow gives 0; overflow is the run time's failure.
        const auto e = number.find('e');
        if (e != std::string::npos && number[e + 1] == '-') return 0.0;
        fail(kOverflow);
    }
    return result;
}

std::string str_single(float value) { return general_form(static_cast<double>(value), 7, true); }
std::string num_single(float value) { return general_form(static_cast<double>(value), 7, false); }
std::string str_double(double value) { return general_form(value, 15, true); }
std::string num_double(double value) { return general_form(value, 15, false); }

std::int16_t to_int16(double value)
{
    if (!std::isfinite(value)) fail(kOverflow);
    const double r = round_half_even(value);
    if (r < std::numeric_limits<std::int16_t>::min() || r > std::numeric_limits<std::int16_t>::max())
        fail(kOverflow);
    return static_cast<std::int16_t>(r);
}

std::int32_t to_int32(double value)
{
    if (!std::isfinite(value)) fail(kOverflow);
    const double r = round_half_even(value);
    if (r < std::numeric_limits<std::int32_t>::min() || r > std::numeric_limits<std::int32_t>::max())
        fail(kOverflow);
    return static_cast<std::int32_t>(r);
}

std::string format_with_mask(double value, std::string_view mask)
{
    if (!std::isfinite(value)) fail(kOverflow);
    const auto point = mask.find('.');
    std::size_t decimals = 0;
    std::size_t min_int_digits = 0;
    for (std::size_t k = 0; k < mask.size(); ++k) {
        if (mask[k] != '0' && mask[k] != '#') continue;
        if (point != std::string_view::npos && k > point)
            ++decimals;
        else if (mask[k] == '0')
            ++min_int_digits;
    }
    // The exact decimal expansion of the binary value, rounded here by hand so
    // that halves go away from zero.
    char buf[512];
    std::snprintf(buf, sizeof buf, "%.80f", std::fabs(value));
    std::string digits(buf);
    const auto dot = digits.find('.');
    std::string int_part = digits.substr(0, dot);
    std::string frac = digits.substr(dot + 1);
    const bool round_up = frac[decimals] >= '5';
    frac.resize(decimals);
    std::string all = int_part + frac;
    if (round_up) {
        std::size_t k = all.size();
        while (k > 0) {
            --k;
            if (all[k] == '9') {
                all[k] = '0';
            } else {
                ++all[k];
                break;
            }
            if (k == 0) {
                all.insert(all.begin(), '1');
                break;
            }
        }
    }
    int_part = all.substr(0, all.size() - decimals);
    frac = all.substr(all.size() - decimals);
    std::size_t lead = 0;
    while (lead + 1 < int_part.size() && int_part[lead] == '0') ++lead;
    int_part.erase(0, lead);
    if (int_part == "0" && min_int_digits == 0) int_part.clear();
    while (int_part.size() < min_int_digits) int_part.insert(int_part.begin(), '0');
    std::string out = value < 0 ? "-" : "";
    out += int_part;
    if (decimals > 0) out += '.' + frac;
    return out;
}

}  // namespace qrb
