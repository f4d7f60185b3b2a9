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
void imp_gif10(ImportContext& ctx, const std::string& input_path);
void imp_gif10_12(ImportContext& ctx, const std::string& input_path);
void imp_tca1100(ImportContext& ctx, const std::string& input_path);
void imp_tca1100_tc1000(ImportContext& ctx, const std::string& input_path);
void imp_gre_gif12(ImportContext& ctx, const std::string& input_path);
void imp_gre4(ImportContext& ctx, const std::string& input_path);
void imp_tcr_gsi(ImportContext& ctx, const std::string& input_path);
void imp_stonex_gsi(ImportContext& ctx, const std::string& input_path);
void imp_lw300(ImportContext& ctx, const std::string& input_path);
void imp_tcr1101(ImportContext& ctx, const std::string& input_path);

// GNSS project exports
void imp_dc(ImportContext& ctx, const std::string& input_path);
void imp_dc6(ImportContext& ctx, const std::string& input_path);
void imp_lgo_baseline(ImportContext& ctx, const std::string& input_path);
void imp_lgo_template(ImportContext& ctx, const std::string& input_path);
void imp_pgp(ImportContext& ctx, const std::string& input_path);
void imp_arvatec(ImportContext& ctx, const std::string& input_path);

}  // namespace qrb
