#include "common/number.hpp"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "common/failure.hpp"

namespace qrb {

namespace {

bool skipped(char c) { return c == ' ' || c == '\t' || c == '\n'; }
bool is_digit(char c) { return c >= '0' && c <= '9'; }

// Two digits at a time.
constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Eight digit characters at `p` as their number; false when any is not a
// digit.
bool eight_digits(const char* p, std::uint64_t& value)
{
    if constexpr (std::endian::native != std::endian::little) {
        std::uint64_t v = 0;
        for (int k = 0; k < 8; ++k) {
            if (!is_digit(p[k])) return false;
            v = v * 10 + static_cast<std::uint64_t>(p[k] - '0');
        }
        value = v;
        return true;
    }
    std::uint64_t x;
    std::memcpy(&x, p, 8);
    // Every byte between '0' and '9': its high half is 3 before and after adding 6.
    if (((x & 0xF0F0F0F0F0F0F0F0ULL) | (((x + 0x0606060606060606ULL) & 0xF0F0F0F0F0F0F0F0ULL) >> 4)) !=
        0x3333333333333333ULL)
        return false;
    x -= 0x3030303030303030ULL;
    // Pairs, then fours, then all eight (the first character is the lowest byte).
    x = (x * 10 + (x >> 8)) & 0x00FF00FF00FF00FFULL;
    x = (x * 100 + (x >> 16)) & 0x0000FFFF0000FFFFULL;
    value = (x * 10000 + (x >> 32)) & 0xFFFFFFFFULL;
    return true;
}

// A text of 1 to 19 digit characters and nothing else as its number.
bool plain_digits(std::string_view text, std::uint64_t& value)
{
    const std::size_t n = text.size();
    if (n == 0 || n > 19) return false;
    std::uint64_t v = 0;
    std::size_t k = 0;
    for (std::uint64_t eight = 0; k + 8 <= n; k += 8) {
        if (!eight_digits(text.data() + k, eight)) return false;
        v = v * 100000000 + eight;
    }
    for (; k < n; ++k) {
        if (!is_digit(text[k])) return false;
        v = v * 10 + static_cast<std::uint64_t>(text[k] - '0');
    }
    value = v;
    return true;
}

// Two digits as the two bytes of a number, the first the lower.
std::uint64_t digit_pair(std::uint32_t two_digits)
{
    const char* p = kDigitPairs + two_digits * 2;
    return static_cast<std::uint64_t>(static_cast<unsigned char>(p[0])) |
           static_cast<std::uint64_t>(static_cast<unsigned char>(p[1])) << 8;
}

// The eight bytes of a word at `out`, the lowest first.
void store_bytes(char* out, std::uint64_t word)
{
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(out, &word, 8);
    } else {
        for (int k = 0; k < 8; ++k) out[k] = static_cast<char>((word >> (8 * k)) & 0xFF);
    }
}

// A positive single-precision value between 1E-04 and 1E+07 written with
// seven significant digits, trailing zeros dropped, in fixed notation (what
// the general form gives in that range); returns the length, or 0 when the
// rounding is in doubt and the exact way must be taken. The digits are
// computed in double where the rounding is beyond doubt: a single's mantissa
// times a power of ten up to 1E+10 is off by at most one double rounding, far
// below the margin kept from a half. `out` has room for 16 characters.
std::size_t seven_digits(double value, char* out)
{
    static constexpr double kPow10[] = {1e-4, 1e-3, 1e-2, 1e-1, 1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10};
    if (!(value >= 1e-4 && value < 1e7)) return 0;
    // The decimal exponent from the binary one, then corrected by one.
    // value = 1.f * 2^binary; value is normal and positive here.
    const int binary = static_cast<int>((std::bit_cast<std::uint64_t>(value) >> 52) & 0x7FF) - 1023;
    int e = (binary * 1233) >> 12;  // floor(binary * log10(2))
    if (e < -4) e = -4;
    // The estimate is the exponent or one less (never more, in this range);
    // e + 5 is at most 11, where value is below 1E+07.
    e += static_cast<int>(value >= kPow10[e + 5]);
    const double y = value * kPow10[6 - e + 4];
    const auto whole = static_cast<std::uint64_t>(y);  // y is positive: the floor
    const double frac = y - static_cast<double>(whole);
    if (std::fabs(frac - 0.5) < 1e-6) return 0;
    std::uint64_t r = whole + (frac > 0.5 ? 1 : 0);
    if (r == 10000000) {
        r = 1000000;
        ++e;
    }
    if (r < 1000000 || r > 9999999 || e > 6) return 0;

    // The seven digits and a padding '0' in one word, the first digit in its
    // lowest byte: one digit and three pairs, from two halves worked apart.
    const auto r32 = static_cast<std::uint32_t>(r);
    const std::uint32_t high = r32 / 10000;  // 100 .. 999
    const std::uint32_t low = r32 % 10000;
    const std::uint64_t seven = (std::uint64_t{'0'} + high / 100) | digit_pair(high % 100) << 8 |
                                digit_pair(low / 100) << 24 | digit_pair(low % 100) << 40 | std::uint64_t{'0'} << 56;
    // Digits kept: up to the last that is not 0 (the first never is).
    const std::uint64_t values = (seven ^ 0x3030303030303030ULL) & 0x00FFFFFFFFFFFFFFULL;
    const auto m = static_cast<std::size_t>(64 - std::countl_zero(values) + 7) / 8;

    if (e < 0) {
        // .000ddd: the point, -e-1 zeros, the digits.
        std::memcpy(out, ".0000", 5);
        store_bytes(out - e, seven);
        return static_cast<std::size_t>(-e) + m;
    }
    // ddd[.ddd]: the whole digits (zeros where the digits end), then the point
    // and the rest when any is left.
    const auto whole_digits = static_cast<std::size_t>(e) + 1;
    store_bytes(out, seven);
    if (m <= whole_digits) return whole_digits;
    out[whole_digits] = '.';
    store_bytes(out + whole_digits + 1, seven >> (8 * whole_digits));
    return m + 1;
}

constexpr double kPow10Whole[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16};

// Writes a value in the run time's general form, with `digits` significant
// digits at most, into `out` (48 characters are enough); returns its length.
std::size_t general_form(double value, int digits, bool leading_blank, char* out)
{
    if (!std::isfinite(value)) fail(kOverflow);
    std::size_t n = 0;
    if (value < 0) {
        out[n++] = '-';
        value = -value;
    } else if (leading_blank) {
        out[n++] = ' ';
    }
    if (value == 0) {
        out[n++] = '0';
        return n;
    }

    if (digits == 7)
        if (const std::size_t length = seven_digits(value, out + n)) return n + length;
    // A whole number of no more digits than asked for is its digits.
    if (value < kPow10Whole[digits] && value == static_cast<double>(static_cast<std::uint64_t>(value)))
        return static_cast<std::size_t>(std::to_chars(out + n, out + 48, static_cast<std::uint64_t>(value)).ptr - out);

    // d.ddddddde±XX: the digits, rounded from the exact binary value. A
    // normal double whose shortest exact form has at most 15 digits rounds to
    // that form (it lies within half a unit of its last place, far less than
    // half a step of 15 digits), which is found much faster.
    char sci[48];
    std::to_chars_result res{};
    const char* e = nullptr;
    auto exponent_mark = [&sci] {
        const char* mark = sci;
        while (*mark != 'e') ++mark;
        return mark;
    };
    if (digits == 15 && value >= std::numeric_limits<double>::min()) {
        res = std::to_chars(sci, sci + sizeof sci, value, std::chars_format::scientific);
        e = exponent_mark();
        if (e - sci - (e > sci + 1 ? 1 : 0) > digits) e = nullptr;
    }
    if (!e) {
        res = std::to_chars(sci, sci + sizeof sci, value, std::chars_format::scientific, digits - 1);
        e = exponent_mark();
    }
    char mantissa[24];
    std::size_t m = 0;
    int exponent = 0;
    for (const char* p = sci; p < e; ++p)
        if (*p != '.') mantissa[m++] = *p;
    std::from_chars(e + (e[1] == '+' ? 2 : 1), res.ptr, exponent);
    while (m > 1 && mantissa[m - 1] == '0') --m;

    if (exponent < -4 || exponent >= digits) {
        out[n++] = mantissa[0];
        if (m > 1) {
            out[n++] = '.';
            for (std::size_t k = 1; k < m; ++k) out[n++] = mantissa[k];
        }
        out[n++] = 'E';
        out[n++] = exponent < 0 ? '-' : '+';
        const int magnitude = exponent < 0 ? -exponent : exponent;
        if (magnitude < 10) out[n++] = '0';
        return static_cast<std::size_t>(std::to_chars(out + n, out + 48, magnitude).ptr - out);
    }
    if (exponent < 0) {
        out[n++] = '.';
        for (int k = 0; k < -exponent - 1; ++k) out[n++] = '0';
        for (std::size_t k = 0; k < m; ++k) out[n++] = mantissa[k];
        return n;
    }
    const auto whole = static_cast<std::size_t>(exponent) + 1;
    for (std::size_t k = 0; k < whole; ++k) out[n++] = k < m ? mantissa[k] : '0';
    if (m > whole) {
        out[n++] = '.';
        for (std::size_t k = whole; k < m; ++k) out[n++] = mantissa[k];
    }
    return n;
}

std::string general_form(double value, int digits, bool leading_blank)
{
    char out[48];
    return std::string(out, general_form(value, digits, leading_blank, out));
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
    // Numbers of up to 15 significant digits without exponent are computed
    // exactly here; the others go through the library's correctly rounded
    // reading of the same characters with the blanks taken out.
    static constexpr double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                        1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    const std::size_t n = text.size();
    std::size_t i = 0;

    // The common field of plain digits, with a sign at most and up to 15
    // significant digits: its value is exact as the general way gives it.
    {
        const bool minus = n > 0 && text[0] == '-';
        const std::size_t start = n > 0 && (text[0] == '+' || minus) ? 1 : 0;
        std::uint64_t whole = 0;
        if (plain_digits(text.substr(start), whole) && whole < 1000000000000000ULL) {
            const double v = static_cast<double>(whole);
            return minus ? -v : v;
        }
    }

    auto skip = [&] {
        while (i < n && skipped(text[i])) ++i;
    };
    skip();
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const std::size_t body = i;
    bool seen_digit = false;
    bool seen_point = false;
    std::uint64_t mantissa = 0;
    int significant = 0;
    int decimals = 0;
    for (;;) {
        skip();
        if (i >= n) break;
        const char c = text[i];
        if (is_digit(c)) {
            seen_digit = true;
            if (significant > 0 || c != '0') ++significant;
            if (significant <= 15) mantissa = mantissa * 10 + static_cast<std::uint64_t>(c - '0');
            if (seen_point) ++decimals;
        } else if (c == '.' && !seen_point) {
            seen_point = true;
        } else {
            break;
        }
        ++i;
    }
    if (!seen_digit) return 0.0;
    const std::size_t digits_end = i;

    std::size_t exponent_end = i;
    if (i < n && (text[i] == 'E' || text[i] == 'e' || text[i] == 'D' || text[i] == 'd')) {
        std::size_t j = i + 1;
        auto skip_j = [&] {
            while (j < n && skipped(text[j])) ++j;
        };
        skip_j();
        if (j < n && (text[j] == '+' || text[j] == '-')) ++j;
        for (;;) {
            skip_j();
            if (j >= n || !is_digit(text[j])) break;
            ++j;
            exponent_end = j;
        }
    }
    if (exponent_end == digits_end && significant <= 15 && decimals <= 22) {
        const double v = static_cast<double>(mantissa) / kPow10[decimals];
        return negative ? -v : v;
    }

    std::string number = negative ? "-" : "";
    for (std::size_t k = body; k < digits_end; ++k)
        if (!skipped(text[k])) number += text[k];
    if (exponent_end > digits_end) {
        number += 'e';
        int exponent_digits = 0;
        for (std::size_t k = digits_end + 1; k < exponent_end; ++k) {
            const char c = text[k];
            if (c == '-') number += '-';
            if (is_digit(c) && exponent_digits < 12) {  // keeps huge exponents huge
                number += c;
                ++exponent_digits;
            }
        }
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

void append_single(std::string& out, float value, bool leading_blank)
{
    char text[48];
    out.append(text, general_form(static_cast<double>(value), 7, leading_blank, text));
}

std::size_t write_single(char* out, float value, bool leading_blank)
{
    return general_form(static_cast<double>(value), 7, leading_blank, out);
}

void append_double(std::string& out, double value, bool leading_blank)
{
    char text[48];
    out.append(text, general_form(value, 15, leading_blank, text));
}

std::string str_single(float value) { return general_form(static_cast<double>(value), 7, true); }
std::string num_single(float value) { return general_form(static_cast<double>(value), 7, false); }
std::string str_double(double value) { return general_form(value, 15, true); }
std::string num_double(double value) { return general_form(value, 15, false); }

double to_double(double value)
{
    if (!std::isfinite(value)) fail(kOverflow);
    return value;
}

namespace {

// The value rounded half to even; out of the integer's range it overflows.
template <typename Int>
Int to_integer(double value)
{
    if (!std::isfinite(value)) fail(kOverflow);
    const double r = round_half_even(value);
    if (r < std::numeric_limits<Int>::min() || r > std::numeric_limits<Int>::max()) fail(kOverflow);
    return static_cast<Int>(r);
}

}  // namespace

std::int16_t to_int16(double value) { return to_integer<std::int16_t>(value); }

std::int32_t to_int32(double value) { return to_integer<std::int32_t>(value); }

std::string format_with_mask(double value, std::string_view mask)
{
    if (!std::isfinite(value)) fail(kOverflow);
    const auto point = mask.find('.');
    int decimals = 0;
    std::size_t min_int_digits = 0;
    for (std::size_t k = 0; k < mask.size(); ++k) {
        if (mask[k] != '0' && mask[k] != '#') continue;
        if (point != std::string_view::npos && k > point)
            ++decimals;
        else if (mask[k] == '0')
            ++min_int_digits;
    }
    // The library writes the exact binary value rounded to the decimals, a
    // half to the even neighbour. A value exactly halfway, an odd multiple of
    // 2^-(decimals+1), is written with one decimal more (its last digit a 5,
    // exactly) and rounded away from zero here.
    const double magnitude = std::fabs(value);
    bool halfway = false;
    if (magnitude != 0) {
        const auto bits = std::bit_cast<std::uint64_t>(magnitude);
        const auto biased = static_cast<int>(bits >> 52);
        const std::uint64_t fraction = bits & 0xFFFFFFFFFFFFFULL;
        const std::uint64_t mantissa = biased == 0 ? fraction : fraction | (1ULL << 52);
        halfway = (biased == 0 ? -1074 : biased - 1075) + std::countr_zero(mantissa) == -(decimals + 1);
    }
    // Room for a carry into a new first digit, the 309 whole digits of the
    // largest double, the point and the decimals.
    char text[512];
    char* digits = text + 1;
    const auto res =
        std::to_chars(digits, text + sizeof text, magnitude, std::chars_format::fixed, decimals + (halfway ? 1 : 0));
    if (res.ec != std::errc{}) fail(kOverflow);
    char* end = res.ptr;
    if (halfway) {
        end -= decimals > 0 ? 1 : 2;  // the 5, and the point when no decimal is kept
        char* p = end;
        for (; p > digits && (p[-1] == '9' || p[-1] == '.'); --p)
            if (p[-1] == '9') p[-1] = '0';
        if (p == digits)
            *--digits = '1';
        else
            ++p[-1];
    }
    auto whole = static_cast<std::size_t>(decimals > 0 ? end - digits - decimals - 1 : end - digits);
    // A whole part of 0 is left out unless the mask asks for a digit there.
    if (whole == 1 && *digits == '0' && min_int_digits == 0) {
        ++digits;
        whole = 0;
    }
    const std::size_t zeros = min_int_digits > whole ? min_int_digits - whole : 0;
    std::string out;
    out.reserve((value < 0 ? 1 : 0) + zeros + static_cast<std::size_t>(end - digits));
    if (value < 0) out += '-';
    out.append(zeros, '0');
    out.append(digits, end);
    return out;
}

}  // namespace qrb
