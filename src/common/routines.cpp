#include "common/routines.hpp"

#include <filesystem>

#include "common/failure.hpp"
#include "common/number.hpp"
#include "common/text.hpp"
#include "platform/shell.hpp"

namespace qrb {

namespace {

std::size_t find_folded(std::string_view haystack, std::string_view needle)
{
    if (needle.empty()) return 0;
    const auto first = static_cast<unsigned char>(needle[0]);
    const bool may_have_case = (first >= 'A' && first <= 'Z') || (first >= 'a' && first <= 'z') || first >= 0x80;
    if (!may_have_case && needle.size() == 1) return haystack.find(needle[0]);
    for (std::size_t k = 0; k + needle.size() <= haystack.size(); ++k)
        if (equal_ignore_case(haystack.substr(k, needle.size()), needle)) return k;
    return std::string_view::npos;
}

}  // namespace

std::string_view Fields::operator[](std::size_t k) const
{
    if (k > kMax) fail(kSubscript);
    return k == 0 || k > found_.size() ? std::string_view() : found_[k - 1];
}

Fields Fields::trimmed() const
{
    Fields out = *this;
    for (std::size_t k = 0; k < found_.size(); ++k) out.found_[k] = trim_view(found_[k]);
    return out;
}

Fields split_fields(std::string_view line, std::string_view separator)
{
    Fields f;
    std::string_view rest = line;
    while (f.found_.size() < Fields::kMax) {
        const auto pos = find_folded(rest, separator);
        if (pos == std::string_view::npos) break;
        f.found_.push_back(rest.substr(0, pos));
        rest.remove_prefix(pos + 1);
        if (rest.empty()) break;
    }
    return f;
}

std::string normalize_name(std::string_view name)
{
    std::string out = trim(name);
    for (auto& c : out) {
        if (c == ',') c = '.';
        else if (c == '|') c = '\\';
        else if (c == '#') c = '*';
        else if (c == ' ') c = '_';
    }
    return out;
}

std::string_view leading_zero_view(std::string_view text, std::string& scratch)
{
    // Zeros become blanks, the leading blanks go, the other blanks become
    // zeros: the leading run of zeros and blanks goes, later blanks are zeros.
    std::size_t first = 0;
    while (first < text.size() && (text[first] == '0' || text[first] == ' ')) ++first;
    const std::string_view name = text.substr(first);
    if (name.find(' ') == std::string_view::npos) return name;
    scratch.assign(name);
    for (auto& c : scratch)
        if (c == ' ') c = '0';
    return scratch;
}

std::string leading_zero_name(std::string_view text)
{
    std::string scratch;
    return std::string(leading_zero_view(text, scratch));
}

std::string format_padded(double value, std::string_view mask, int width)
{
    std::string out = format_with_mask(value, mask);
    if (width > 0 && out.size() < static_cast<std::size_t>(width)) out.append(static_cast<std::size_t>(width) - out.size(), ' ');
    return out;
}

void shell_open(Shell& shell, const std::string& target) { (void)shell.open(target); }

std::string path_in(const std::string& folder, const std::string& name)
{
    if (folder.empty()) return name;
    return (std::filesystem::path(folder) / name).string();
}

}  // namespace qrb
