#include <array>
#include <utility>

#include "importers/importers.hpp"

namespace qrb {

namespace {

// Every converter that is built, by the name the instrument list gives it.
constexpr std::pair<std::string_view, Converter> kConverters[] = {
    // Leica and GSI word formats
    {"imp_gsi", &imp_gsi},
};

}  // namespace

Converter find_converter(std::string_view name)
{
    for (const auto& [n, fn] : kConverters)
        if (n == name) return fn;
    return nullptr;
}

}  // namespace qrb
