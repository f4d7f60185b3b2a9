#pragma once
// The converters by name: each takes the full path of a recorder file,
// converts it into one survey book and reports everything itself in boxes.
// registry.cpp declares and registers every converter that is built.
#include <span>
#include <string>
#include <string_view>

#include "book/import_context.hpp"

namespace qrb {

using Converter = void (*)(ImportContext& ctx, const std::string& input_path);

struct RegisteredConverter {
    std::string_view name;  // the name the instrument list gives it
    Converter run;
    bool by_name_only = false;  // no list entry: reached by its name alone
};

// Every converter that is built.
std::span<const RegisteredConverter> registered_converters();
// The converter of that name, or nothing when it is not built.
Converter find_converter(std::string_view name);

}  // namespace qrb
