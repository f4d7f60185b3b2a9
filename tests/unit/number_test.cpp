#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <string>
#include <tuple>
#include <vector>

#include "common/failure.hpp"
#include "common/number.hpp"
#include "support/harness.hpp"

namespace qrb {
namespace {

struct ValCase {
    const char* text;
    double expected;
};

TEST(Val, ReadsAsTheRunTimeDoes)
{
    const ValCase cases[] = {
        {"", 0},
        {"abc", 0},
        {"12", 12},
        {"  12.5", 12.5},
        {"+00012345", 12345},
        {"-00012345", -12345},
        {"1 2 3", 123},           // blanks inside are skipped
        {"\t1\n2", 12},           // so are tabs and line feeds
        {".5", 0.5},
        {"-.25", -0.25},
        {"1.2.3", 1.2},           // a second point ends the number
        {"12,5", 12},             // "," is no decimal separator
        {"1E3", 1000},
        {"1e-3", 0.001},
        {"2D2", 200},
        {"2d+2", 200},
        {"1E", 1},
        {"1E+", 1},
        {"0012AB00", 12},
        {"- 5", -5},
        {"1e-400", 0},
        {"3.", 3},
        {".", 0},
        {"-", 0},
        {"000", 0},
        {"0.", 0},
        {"-000.5", -0.5},
        {"00001E2", 100},
        {"+0000000000000000000012345678", 12345678},
        {"0000000000000000.0000012345678", 0.0000012345678},
        {"123456789012345678", 123456789012345678.0},  // beyond the digits held exactly
        {"-999999999999999", -999999999999999.0},
    };
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(val(c.text), c.expected) << c.text;
    EXPECT_EQ(test::failure_code([] { val("1E400"); }), 6);  // an exponent beyond the range is overflow
}

// Plain digit fields take a short way; a blank after them takes the general
// one: both give the same bits.
TEST(Val, PlainDigitsAsTheGeneralWay)
{
    std::uint64_t state = 7;
    auto next = [&state](std::uint64_t bound) {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return (state >> 33) % bound;
    };
    for (int k = 0; k < 20000; ++k) {
        std::string text = k % 3 == 0 ? "-" : k % 3 == 1 ? "+" : "";
        const std::uint64_t length = next(20);
        for (std::uint64_t d = 0; d < length; ++d) text += static_cast<char>('0' + (d < 3 ? next(2) : next(10)));
        const double fast = val(text);
        const double general = val(text + " ");
        EXPECT_EQ(std::signbit(fast), std::signbit(general)) << text;
        EXPECT_EQ(fast, general) << text;
    }
}

struct SingleCase {
    float value;
    const char* trimmed;
    const char* with_blank;
};

TEST(WriteNumber, SinglePrecision)
{
    const SingleCase cases[] = {
        {0.5f, ".5", " .5"},
        {-0.25f, "-.25", "-.25"},
        {100.0f, "100", " 100"},
        {0.00001f, "1E-05", " 1E-05"},
        {0.0001f, ".0001", " .0001"},
        {0.001f, ".001", " .001"},
        {123.45678f, "123.4568", " 123.4568"},
        {12345678.0f, "1.234568E+07", " 1.234568E+07"},
        {1234567.0f, "1234567", " 1234567"},
        {10000000.0f, "1E+07", " 1E+07"},
        {0.0f, "0", " 0"},
        {-0.0f, "0", " 0"},
        {1.55f, "1.55", " 1.55"},
        {12.345f, "12.345", " 12.345"},
        {0.1f, ".1", " .1"},
        {-1.5f, "-1.5", "-1.5"},
        {99.99999f, "99.99999", " 99.99999"},
        {1e-10f, "1E-10", " 1E-10"},
        {3.4e38f, "3.4E+38", " 3.4E+38"},
        // exact halves at the seventh digit go to the even neighbour
        {1234567.5f, "1234568", " 1234568"},
        {1234568.5f, "1234568", " 1234568"},
        {8388607.5f, "8388608", " 8388608"},
        {8388606.5f, "8388606", " 8388606"},
        // rounding at the ends of a decade and of the range
        {0.99999994f, ".9999999", " .9999999"},
        {99999992.0f, "9.999999E+07", " 9.999999E+07"},
        {99999999.0f, "1E+08", " 1E+08"},
        {9.9999999e-5f, ".0001", " .0001"},
        {0.00012345675f, ".0001234567", " .0001234567"},
        {std::numeric_limits<float>::denorm_min(), "1.401298E-45", " 1.401298E-45"},
        {std::numeric_limits<float>::max(), "3.402823E+38", " 3.402823E+38"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(num_single(c.value), c.trimmed) << c.trimmed;
        EXPECT_EQ(str_single(c.value), c.with_blank) << c.trimmed;
    }
}

TEST(WriteNumber, DoublePrecision)
{
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {4512345.678901234, "4512345.67890123"},
        {-0.25, "-.25"},
        {1e15, "1E+15"},
        {123456789012345.0, "123456789012345"},
        {0.1, ".1"},
        {1.0 / 3.0, ".333333333333333"},
        {1e-5, "1E-05"},
        {1e100, "1E+100"},
        {12.345, "12.345"},
    };
    for (const auto& c : cases) EXPECT_EQ(num_double(c.value), c.text);
    EXPECT_EQ(str_double(1.6), " 1.6");
    EXPECT_EQ(str_double(-1.6), "-1.6");
}

TEST(WriteNumber, NotANumberIsOverflow)
{
    EXPECT_THROW(num_single(std::numeric_limits<float>::infinity()), RunError);
    EXPECT_THROW(num_double(std::numeric_limits<double>::quiet_NaN()), RunError);
}

TEST(WholeNumbers, HalvesGoToTheEvenNeighbour)
{
    const struct {
        double value;
        int expected;
    } cases[] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {-0.5, 0}, {-1.5, -2}, {-2.5, -2}, {2.4999, 2}, {2.5001, 3},
                 {12.0, 12}, {32767.4, 32767}, {-32768.0, -32768}};
    for (const auto& c : cases) {
        EXPECT_EQ(to_int16(c.value), c.expected) << c.value;
        EXPECT_EQ(to_int32(c.value), c.expected) << c.value;
    }
}

TEST(WholeNumbers, OutOfRangeIsOverflow)
{
    for (double v : {32767.5, 32768.0, -32769.0, 1e10}) EXPECT_EQ(test::failure_code([v] { to_int16(v); }), 6) << v;
    EXPECT_EQ(to_int32(32768.0), 32768);
    EXPECT_THROW(to_int32(2147483648.0), RunError);
    EXPECT_EQ(to_int32(-2147483648.0), -2147483647 - 1);
}

TEST(WholeNumbers, HalvesAtThe32BitEdgesAndHugeValues)
{
    // A half rounds to the even neighbour before the range is checked.
    EXPECT_EQ(to_int32(2147483646.5), 2147483646);
    EXPECT_EQ(test::failure_code([] { to_int32(2147483647.5); }), 6);
    EXPECT_EQ(to_int32(-2147483648.5), -2147483647 - 1);
    EXPECT_EQ(test::failure_code([] { to_int32(-2147483649.5); }), 6);
    // What a field such as "1E300" reads as, and what no field gives.
    for (double v : {1e300, -1e300, val("1E300"), std::numeric_limits<double>::infinity(),
                     -std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()}) {
        EXPECT_EQ(test::failure_code([v] { to_int16(v); }), 6) << v;
        EXPECT_EQ(test::failure_code([v] { to_int32(v); }), 6) << v;
    }
}

TEST(WholeNumbers, SinglePrecisionStoreOverflows)
{
    EXPECT_EQ(to_single(123.45678), 123.45678f);
    EXPECT_EQ(to_single(-3.4e38), -3.4e38f);
    for (double v : {1e39, -1e300, std::numeric_limits<double>::infinity()})
        EXPECT_EQ(test::failure_code([v] { to_single(v); }), 6) << v;
}

// The masks as they were written before, from printf's exact expansion to 80
// decimals rounded by hand: a second opinion on the writing in one pass.
std::string mask_reference(double value, std::size_t decimals, std::size_t min_int)
{
    char buf[512];
    std::snprintf(buf, sizeof buf, "%.80f", std::fabs(value));
    std::string all(buf);
    all.erase(all.find('.'), 1);
    all.resize(all.size() - 80 + decimals + 1);
    const bool up = all.back() >= '5';
    all.pop_back();
    std::size_t k = all.size();
    while (up && k > 0 && all[k - 1] == '9') all[--k] = '0';
    if (up) k == 0 ? void(all.insert(0, "1")) : void(++all[k - 1]);
    std::string whole = all.substr(0, all.size() - decimals);
    whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size() - 1));
    if (whole == "0" && min_int == 0) whole.clear();
    whole.insert(0, min_int > whole.size() ? min_int - whole.size() : 0, '0');
    return (value < 0 ? "-" : "") + whole + (decimals > 0 ? "." + all.substr(all.size() - decimals) : "");
}

// Every mask the converters use and the other forms, on values as recorders
// give them, exact halves and their neighbours, values of every magnitude.
TEST(MaskFormat, DigitsAndRounding)
{
    EXPECT_EQ(format_with_mask(-0.125, "0.00"), "-0.13");  // a half goes away from zero
    EXPECT_EQ(format_with_mask(9.995, "0.00"), "9.99");    // just below the half in binary
    const std::tuple<const char*, std::size_t, std::size_t> masks[] = {
        {"0.000", 3, 1}, {"0.00000000", 8, 1}, {"#.00", 2, 0}, {"000", 0, 3}, {"#0.0", 1, 1}, {"#", 0, 0}};
    std::vector<double> values{12.5, 99.5, 0.9375, 999.9995, 0.0, -0.0, 4.9e-324, 1.7976931348623157e308};
    std::uint64_t state = 7;
    auto next = [&state] { return (state = state * 6364136223846793005ULL + 1442695040888963407ULL) >> 11; };
    for (int k = 0; k < 50000; ++k) {
        const double odd = static_cast<double>(2 * (next() % (k % 8 == 1 ? 100000 : 1ULL << 51)) + 1);
        double value = static_cast<double>(next() % 100000000) / std::pow(10.0, static_cast<double>(next() % 10));
        if (k % 4 == 1) value = odd / std::pow(2.0, static_cast<double>(next() % 10 + 1));
        if (k % 4 == 2) value = std::bit_cast<double>((next() << 11) ^ next());
        if (k % 5 == 0) value = std::nextafter(value, k % 2 ? 0.0 : 1e300);
        if (std::isfinite(value)) values.push_back(k % 3 == 0 ? -value : value);
    }
    for (const double value : values)
        for (const auto& [mask, decimals, min_int] : masks)
            ASSERT_EQ(format_with_mask(value, mask), mask_reference(value, decimals, min_int)) << value << " " << mask;
}

}  // namespace
}  // namespace qrb

namespace qrb {
namespace {

// The general form with `digits` significant digits built from printf's
// exactly rounded "%.*e", as a second opinion on the fast paths of writing.
std::string reference_form(double value, int digits)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*e", digits - 1, std::fabs(value));
    std::string s(buf);
    const auto e = s.find('e');
    std::string mantissa = s.substr(0, 1) + (e > 1 ? s.substr(2, e - 2) : std::string());
    const int exponent = std::stoi(s.substr(e + 1));
    while (mantissa.size() > 1 && mantissa.back() == '0') mantissa.pop_back();
    const std::string sign = value < 0 ? "-" : "";
    if (exponent < -4 || exponent >= digits) {
        std::string out = mantissa.substr(0, 1);
        if (mantissa.size() > 1) out += "." + mantissa.substr(1);
        char ebuf[16];
        std::snprintf(ebuf, sizeof ebuf, "E%c%02d", exponent < 0 ? '-' : '+', exponent < 0 ? -exponent : exponent);
        return sign + out + ebuf;
    }
    if (exponent < 0) return sign + "." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + mantissa;
    const auto whole = static_cast<std::size_t>(exponent) + 1;
    if (mantissa.size() <= whole) return sign + mantissa + std::string(whole - mantissa.size(), '0');
    return sign + mantissa.substr(0, whole) + "." + mantissa.substr(whole);
}

std::string reference_single(float value) { return reference_form(static_cast<double>(value), 7); }

// Coordinates as recorders give them (few decimals, divided), values of every
// magnitude and raw bit patterns: the same text as the exact rounding.
TEST(WriteNumber, DoublePrecisionAgreesWithExactRounding)
{
    std::uint64_t state = 99;
    auto next = [&state] {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return state >> 11;
    };
    for (int k = 0; k < 200000; ++k) {
        double value = 0;
        switch (k % 4) {
        case 0: value = static_cast<double>(next() % 100000000000ULL) / 1000.0; break;
        case 1: value = static_cast<double>(next() % 10000000000000000ULL) / 1e10; break;
        case 2: value = (static_cast<double>(next()) / 9007199254740992.0) * std::pow(10.0, static_cast<double>(next() % 40) - 20); break;
        default: {
            const std::uint64_t bits = (next() << 11) ^ next();
            value = std::bit_cast<double>(bits);
            if (!std::isfinite(value)) continue;
        }
        }
        if (k % 3 == 0) value = -value;
        if (value == 0) continue;
        ASSERT_EQ(num_double(value), reference_form(value, 15)) << value;
    }
    for (const double v : {4.9e-324, 2.2250738585072014e-308, 1.7976931348623157e308, 999999999999999.9, 0.1 + 0.2})
        EXPECT_EQ(num_double(v), reference_form(v, 15)) << v;
}

TEST(WriteNumber, SinglePrecisionAgreesWithExactRounding)
{
    std::uint32_t seed = 12345;
    auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return seed;
    };
    for (int k = 0; k < 300000; ++k) {
        const float mantissa = static_cast<float>(next() % 100000000u) / 1e7f;  // [0, 10)
        const float value = mantissa * std::pow(10.0f, static_cast<float>(static_cast<int>(next() % 14u) - 6));
        ASSERT_EQ(num_single(value), reference_single(value)) << value;
    }
    // Around the decade boundaries and exact halves.
    for (int e = -5; e <= 8; ++e) {
        const float p = std::pow(10.0f, static_cast<float>(e));
        float v = p;
        for (int k = 0; k < 200; ++k) v = std::nextafter(v, 0.0f);
        for (int k = 0; k < 400; ++k, v = std::nextafter(v, 1e30f)) ASSERT_EQ(num_single(v), reference_single(v)) << v;
    }
    for (float v : {1234567.5f, 1234568.5f, 0.5f, 2.5f, 99999.95f, 9999999.5f})
        EXPECT_EQ(num_single(v), reference_single(v)) << v;
}

}  // namespace
}  // namespace qrb
