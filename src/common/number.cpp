#include "common/number.hpp"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

#include "common/failure.hpp"

namespace qrb {

namespace {

bool skipped(char c) { return c == ' ' || c == '\t' || c == '\n'; }
bool is_digit(char c) { return c >= '0' && c <= '9'; }

// The text of a value in the run time's general form, with `digits`
// significant digits at most.
std::string general_form(double value, int digits, bool leading_blank)
{
    if (!std::isfinite(value)) fail(kOverflow);
    std::string out;
    if (value < 0) {
        out = "-";
        value = -value;
    } else if (leading_blank) {
        out = " ";
    }
    if (value == 0) return out + "0";

    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, digits - 1);
    // buf holds d[.ddd]e±XX
    const std::string_view sci(buf, static_cast<std::size_t>(res.ptr - buf));
    const auto epos = sci.find('e');
    std::string mantissa;
    for (char c : sci.substr(0, epos))
        if (c != '.') mantissa += c;
    int exponent = 0;
    std::from_chars(sci.data() + epos + 1 + (sci[epos + 1] == '+' ? 1 : 0), sci.data() + sci.size(), exponent);
    while (mantissa.size() > 1 && mantissa.back() == '0') mantissa.pop_back();

    if (exponent < -4 || exponent >= digits) {
        out += mantissa[0];
        if (mantissa.size() > 1) {
            out += '.';
            out.append(mantissa, 1);
        }
        out += 'E';
        out += exponent < 0 ? '-' : '+';
        const int magnitude = exponent < 0 ? -exponent : exponent;
        if (magnitude < 10) out += '0';
        out += std::to_string(magnitude);
        return out;
    }
    if (exponent < 0) {
        out += '.';
        out.append(static_cast<std::size_t>(-exponent - 1), '0');
        out += mantissa;
        return out;
    }
    const auto whole = static_cast<std::size_t>(exponent) + 1;
    if (mantissa.size() <= whole) {
        out += mantissa;
        out.append(whole - mantissa.size(), '0');
    } else {
        out.append(mantissa, 0, whole);
        out += '.';
        out.append(mantissa, whole);
    }
    return out;
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
    for (;;) {
        skip();
        if (i >= n) break;
        const char c = text[i];
        if (is_digit(c)) {
            number += c;
            seen_digit = true;
        } else if (c == '.' && !seen_point) {
            number += '.';
            seen_point = true;
        } else {
            break;
        }
        ++i;
    }
    if (!seen_digit) return 0.0;
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

float to_single(double value)
{
    if (!std::isfinite(value) || std::fabs(value) > static_cast<double>(std::numeric_limits<float>::max()))
        fail(kOverflow);
    return static_cast<float>(value);
}

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
