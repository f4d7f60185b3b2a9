#include "importers/geotronics/label_lines.hpp"

#include "common/routines.hpp"
#include "common/text.hpp"

namespace qrb::label {

LabelLine trimmed_cut(std::string_view line)
{
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) return {};
    return {lcase(trim_view(line.substr(0, eq))), lcase(trim_view(line.substr(eq + 1)))};
}

LabelLine raw_cut(std::string_view line)
{
    const std::string closed = std::string(line) + "=";
    const Fields f = split_fields(closed, "=");
    return {std::string(f[1]), std::string(f[2])};
}

}  // namespace qrb::label
