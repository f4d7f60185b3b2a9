#pragma once
// The record vocabulary of the Nikon and Galileo coded formats: what an
// item opens or sets, and the two-letter codes of the code-line files.
#include <array>
#include <span>
#include <string>
#include <string_view>

namespace qrb::nikon {

enum class ItemKind {
    Station,
    Height,
    StationNote,
    Point,
    TargetHeight,
    PointNote,
    Hz,
    V,
    Dist,
    SecondDist,  // "DT": a distance only some formats read
    Other,
};

struct NamedKind {
    std::string_view name;
    ItemKind kind;
};

// Codes are compared exactly; a line "END" ends the data where a format
// reads it.
inline constexpr std::array<NamedKind, 11> kTwoLetterCodes{{
    {"ST", ItemKind::Station},
    {"HS", ItemKind::Height},
    {"IS", ItemKind::StationNote},
    {"PN", ItemKind::Point},
    {"HP", ItemKind::TargetHeight},
    {"IP", ItemKind::PointNote},
    {"AZ", ItemKind::Hz},
    {"ZN", ItemKind::V},
    {"ZH", ItemKind::V},
    {"DO", ItemKind::Dist},
    {"DT", ItemKind::SecondDist},
}};

// The kind of the first entry named `name`; Other when none is.
constexpr ItemKind kind_of(std::span<const NamedKind> table, std::string_view name)
{
    for (const NamedKind& entry : table)
        if (entry.name == name) return entry.kind;
    return ItemKind::Other;
}

// A name less one leading letter of `prefixes` ("p" of a station, "d" or
// "p" of a point, in the case the format writes them).
inline std::string without_prefix(std::string name, std::string_view prefixes)
{
    if (!name.empty() && prefixes.find(name.front()) != std::string_view::npos) name.erase(0, 1);
    return name;
}

}  // namespace qrb::nikon
