#include "common/text.hpp"

#include <array>
#include <cstdint>

#include "common/failure.hpp"

namespace qrb {

namespace {

// Windows-1252 bytes 0x80..0x9F as Unicode code points (0 where undefined).
constexpr std::array<std::uint16_t, 32> kHigh = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

unsigned char lower_byte(unsigned char c)
{
    if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 32);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 32);
    if (c == 0x8A || c == 0x8C || c == 0x8E) return static_cast<unsigned char>(c + 16);
    if (c == 0x9F) return 0xFF;
    return c;
}

}  // namespace

unsigned char upper_byte(unsigned char c)
{
    if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 32);
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<unsigned char>(c - 32);
    if (c == 0x9A || c == 0x9C || c == 0x9E) return static_cast<unsigned char>(c - 16);  // š œ ž
    if (c == 0xFF) return 0x9F;                                                          // ÿ
    return c;
}

std::string_view trim_view(std::string_view s)
{
    const auto b = s.find_first_not_of(' ');
    if (b == std::string_view::npos) return {};
    const auto e = s.find_last_not_of(' ');
    return s.substr(b, e - b + 1);
}

std::string trim(std::string_view s) { return std::string(trim_view(s)); }

std::string ltrim(std::string_view s)
{
    const auto b = s.find_first_not_of(' ');
    return b == std::string_view::npos ? std::string() : std::string(s.substr(b));
}

std::string rtrim(std::string_view s)
{
    const auto e = s.find_last_not_of(' ');
    return e == std::string_view::npos ? std::string() : std::string(s.substr(0, e + 1));
}

std::string_view mid_view(std::string_view s, long long start, long long length)
{
    if (start < 1 || length < 0) fail(kInvalidArgument);
    const auto from = static_cast<std::size_t>(start - 1);
    if (from >= s.size()) return {};
    return s.substr(from, static_cast<std::size_t>(length));
}

std::string mid(std::string_view s, long long start, long long length) { return std::string(mid_view(s, start, length)); }

namespace {

// From 1-based `start` to the end, as a view into `s`.
std::string_view tail_view(std::string_view s, long long start)
{
    if (start < 1) fail(kInvalidArgument);
    const auto from = static_cast<std::size_t>(start - 1);
    return from >= s.size() ? std::string_view() : s.substr(from);
}

}  // namespace

std::string mid(std::string_view s, long long start) { return std::string(tail_view(s, start)); }

std::string_view column_view(std::string_view line, Column c)
{
    return c.length == 0 ? tail_view(line, c.start) : mid_view(line, c.start, c.length);
}

std::string column_text(std::string_view line, Column c) { return std::string(column_view(line, c)); }

std::string column_trimmed(std::string_view line, Column c) { return trim(column_view(line, c)); }

std::string left(std::string_view s, long long length)
{
    if (length < 0) fail(kInvalidArgument);
    return std::string(s.substr(0, static_cast<std::size_t>(length)));
}

std::string right(std::string_view s, long long length)
{
    if (length < 0) fail(kInvalidArgument);
    const auto n = static_cast<std::size_t>(length);
    return n >= s.size() ? std::string(s) : std::string(s.substr(s.size() - n));
}

long long instr(std::string_view s, std::string_view what, long long start)
{
    if (start < 1) fail(kInvalidArgument);
    const auto from = static_cast<std::size_t>(start - 1);
    if (from > s.size()) return 0;
    const auto pos = s.find(what, from);
    return pos == std::string_view::npos ? 0 : static_cast<long long>(pos) + 1;
}

std::string ucase(std::string_view s)
{
    std::string out(s);
    for (auto& c : out) c = static_cast<char>(upper_byte(static_cast<unsigned char>(c)));
    return out;
}

std::string lcase(std::string_view s)
{
    std::string out(s);
    for (auto& c : out) c = static_cast<char>(lower_byte(static_cast<unsigned char>(c)));
    return out;
}

bool equal_ignore_case(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t k = 0; k < a.size(); ++k)
        if (upper_byte(static_cast<unsigned char>(a[k])) != upper_byte(static_cast<unsigned char>(b[k])))
            return false;
    return true;
}

std::string replace_all(std::string_view s, std::string_view what, std::string_view with)
{
    if (what.empty()) return std::string(s);
    std::string out;
    std::size_t from = 0;
    for (;;) {
        const auto pos = s.find(what, from);
        if (pos == std::string_view::npos) break;
        out.append(s, from, pos - from);
        out += with;
        from = pos + what.size();
    }
    out.append(s, from);
    return out;
}

bool starts_with(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }

std::string cp1252_to_utf8(std::string_view s)
{
    std::string out;
    out.reserve(s.size());
    for (unsigned char c : s) {
        std::uint32_t cp = c;
        if (c >= 0x80 && c <= 0x9F) cp = kHigh[c - 0x80] ? kHigh[c - 0x80] : 0xFFFD;
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

std::string utf8_to_cp1252(std::string_view s)
{
    std::string out;
    out.reserve(s.size());
    for (std::size_t k = 0; k < s.size();) {
        const auto c = static_cast<unsigned char>(s[k]);
        std::uint32_t cp = c;
        std::size_t len = 1;
        if (c >= 0xF0 && k + 3 < s.size()) {
            cp = ((c & 0x07u) << 18) | ((s[k + 1] & 0x3Fu) << 12) | ((s[k + 2] & 0x3Fu) << 6) | (s[k + 3] & 0x3Fu);
            len = 4;
        } else if (c >= 0xE0 && k + 2 < s.size()) {
            cp = ((c & 0x0Fu) << 12) | ((s[k + 1] & 0x3Fu) << 6) | (s[k + 2] & 0x3Fu);
            len = 3;
        } else if (c >= 0xC0 && k + 1 < s.size()) {
            cp = ((c & 0x1Fu) << 6) | (s[k + 1] & 0x3Fu);
            len = 2;
        }
        k += len;
        if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
            out += static_cast<char>(cp);
            continue;
        }
        char mapped = '?';
        for (std::size_t h = 0; h < kHigh.size(); ++h)
            if (kHigh[h] == cp) mapped = static_cast<char>(0x80 + h);
        out += mapped;
    }
    return out;
}

bool needs_field_text(std::string_view s)
{
    for (const char c : s)
        if (c == '|' || c == '\r' || c == '\n') return true;
    return false;
}

void append_field_text(std::string& out, std::string_view s)
{
    if (!needs_field_text(s)) {
        out += s;
        return;
    }
    for (char c : s) {
        if (c == '\r' || c == '\n') continue;
        out += c == '|' ? '\\' : c;
    }
}

std::string field_text(std::string_view s)
{
    std::string out;
    append_field_text(out, s);
    return out;
}

}  // namespace qrb
