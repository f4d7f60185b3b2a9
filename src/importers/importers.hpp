#pragma once
// The converters: each takes the full path of a recorder file, converts it
// into one survey book and reports everything itself in boxes.
#include <string>
#include <string_view>

#include "book/import_context.hpp"

namespace qrb {

using Converter = void (*)(ImportContext& ctx, const std::string& input_path);

// The converter of that name, or nothing when it is not built.
Converter find_converter(std::string_view name);

// Leica and GSI word formats
void imp_gsi(ImportContext& ctx, const std::string& input_path);


}  // namespace qrb
