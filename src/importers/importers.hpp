#pragma once
// The converters that C++ tests call directly, in sections by folder under
// src/importers. The program reaches every converter through the registry.
#include <string>

#include "book/import_context.hpp"
#include "importers/registry.hpp"

namespace qrb {

// gnss
void imp_lgo_template(ImportContext& ctx, const std::string& input_path);

// gsi
void imp_gif10_12(ImportContext& ctx, const std::string& input_path);
void imp_gre4(ImportContext& ctx, const std::string& input_path);
void imp_gsi(ImportContext& ctx, const std::string& input_path);

// nikon
void imp_dtm410(ImportContext& ctx, const std::string& input_path);
void imp_dtm851(ImportContext& ctx, const std::string& input_path);
void imp_dtm720(ImportContext& ctx, const std::string& input_path);

// pentax
void imp_r100_direct(ImportContext& ctx, const std::string& input_path);
void imp_sqcx(ImportContext& ctx, const std::string& input_path);

// rw5
void imp_survce_rw5(ImportContext& ctx, const std::string& input_path);

// sokkia
void imp_srg(ImportContext& ctx, const std::string& input_path);

// topcon
void imp_gts212(ImportContext& ctx, const std::string& input_path);
void imp_gts3b(ImportContext& ctx, const std::string& input_path);

}  // namespace qrb
