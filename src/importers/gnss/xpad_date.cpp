#include "importers/gnss/xpad_date.hpp"

#include <array>
#include <cstddef>
#include <vector>

namespace qrb {

namespace {

// The date of a text that holds only a time.
constexpr LocalDateTime kNoDate{1899, 12, 30, 0, 0};

// The parts of `token` cut at `separator`; each part must be 1 to 4 digits.
std::optional<std::vector<std::string_view>> digit_parts(std::string_view token, char separator)
{
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = token.find(separator, start);
        const std::string_view part = token.substr(start, end == std::string_view::npos ? end : end - start);
        if (part.empty() || part.size() > 4) return std::nullopt;
        for (const char c : part)
            if (c < '0' || c > '9') return std::nullopt;
        parts.push_back(part);
        if (end == std::string_view::npos) return parts;
        start = end + 1;
    }
}

int number(std::string_view digits)
{
    int n = 0;
    for (const char c : digits) n = n * 10 + (c - '0');
    return n;
}

bool leap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int days_in_month(int year, int month)
{
    constexpr std::array<int, 12> kDays{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && leap(year) ? 29 : kDays[static_cast<std::size_t>(month - 1)];
}

bool read_date(std::string_view token, LocalDateTime& when)
{
    const std::size_t cut = token.find_first_of("/-.");
    if (cut == std::string_view::npos) return false;
    const char separator = token[cut];
    const auto parts = digit_parts(token, separator);
    if (!parts || parts->size() != 3) return false;
    const std::string_view a = (*parts)[0];
    const std::string_view b = (*parts)[1];
    const std::string_view c = (*parts)[2];
    int year = 0;
    int month = 0;
    int day = 0;
    if (a.size() == 4 && separator != '.' && b.size() <= 2 && c.size() <= 2) {
        year = number(a);
        month = number(b);
        day = number(c);
    } else if (a.size() <= 2 && b.size() <= 2 && (c.size() == 2 || c.size() == 4)) {
        day = number(a);
        month = number(b);
        year = number(c);
        if (c.size() == 2) year += year < 30 ? 2000 : 1900;
    } else {
        return false;
    }
    if (year < 100 || month < 1 || month > 12 || day < 1 || day > days_in_month(year, month)) return false;
    when.year = year;
    when.month = month;
    when.day = day;
    return true;
}

bool read_time(std::string_view token, LocalDateTime& when)
{
    const auto parts = digit_parts(token, ':');
    if (!parts || parts->size() < 2 || parts->size() > 3) return false;
    for (const std::string_view part : *parts)
        if (part.size() > 2) return false;
    const int hour = number((*parts)[0]);
    const int minute = number((*parts)[1]);
    const int second = parts->size() == 3 ? number((*parts)[2]) : 0;
    if (hour > 23 || minute > 59 || second > 59) return false;
    when.hour = hour;
    when.minute = minute;
    return true;
}

// The blank-separated words of a text.
std::vector<std::string_view> words(std::string_view text)
{
    std::vector<std::string_view> out;
    std::size_t k = 0;
    while (k < text.size()) {
        while (k < text.size() && text[k] == ' ') ++k;
        const std::size_t start = k;
        while (k < text.size() && text[k] != ' ') ++k;
        if (k > start) out.push_back(text.substr(start, k - start));
    }
    return out;
}

}  // namespace

std::optional<LocalDateTime> read_job_date_time(std::string_view text)
{
    const std::vector<std::string_view> w = words(text);
    LocalDateTime when = kNoDate;
    if (w.size() == 1) {
        const bool is_time = w[0].find(':') != std::string_view::npos;
        if (is_time ? read_time(w[0], when) : read_date(w[0], when)) return when;
        return std::nullopt;
    }
    if (w.size() == 2 && read_date(w[0], when) && read_time(w[1], when)) return when;
    return std::nullopt;
}

}  // namespace qrb
