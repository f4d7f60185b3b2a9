#include "support/book_checks.hpp"

#include <string_view>

namespace qrb::test {

namespace {

// The value lines that follow the tag of an item outside the station
// blocks; -1 for a station block, which holds the readings.
int value_lines(std::string_view tag)
{
    struct Item {
        std::string_view tag;
        int lines;
    };
    static constexpr Item kItems[] = {
        {"#titolo#", 1},  {"#loc#", 1},    {"#tipo#", 1},     {"#angoli#", 1},     {"#note#", 1},
        {"#passnoto#", 1}, {"#passll#", 1}, {"#livello#", 1},  {"#ptorxy#", 1},     {"#ptorz#", 1},
        {"#dirimg#", 1},  {"#origine#", 1}, {"#allineamento#", 3}, {"#stazione#", -1}, {"#stazione_gps#", -1},
    };
    for (const Item& item : kItems)
        if (item.tag == tag) return item.lines;
    return -2;
}

}  // namespace

bool has_record(const std::string& book)
{
    for (std::size_t at = 0; at < book.size();) {
        std::size_t end = book.find("\r\n", at);
        if (end == std::string::npos) end = book.size();
        const std::string_view line(book.data() + at, end - at);
        at = end + 2;
        if (line.size() > 1 && line.front() == '#' && line.back() == '#' && line != "#titolo#" && line != "#loc#" &&
            line != "#tipo#" && line != "#angoli#" && line != "#note#" && line != "#origine#")
            return true;
    }
    return false;
}

std::string stray_line_before_first_station(const std::string& book)
{
    int owed = 0;  // value lines the last item still has
    for (std::size_t at = 0; at < book.size();) {
        std::size_t end = book.find('\n', at);
        if (end == std::string::npos) end = book.size();
        std::string_view line(book.data() + at, end - at);
        if (line.ends_with('\r')) line.remove_suffix(1);
        at = end + 1;
        if (owed > 0) {
            --owed;
            continue;
        }
        if (line.size() < 2 || !line.starts_with('#') || !line.ends_with('#')) return "reading before any station: " + std::string(line);
        owed = value_lines(line);
        if (owed == -1) return {};
        if (owed == -2) return "unknown tag: " + std::string(line);
    }
    return {};
}

}  // namespace qrb::test
