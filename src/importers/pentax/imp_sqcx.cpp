// Pentax SQCx: KEY:VALUE lines read as they stand; no PPC key.
#include "importers/pentax/pentax_key_value.hpp"

namespace qrb {

namespace {

constexpr pentax::KeyValueVariant kSqcx{
    .numbered_lines = false,
    .knows_ppc = false,
    .blank_note_keeps_default = false,
    .ppd_resets_code = true,
    .note = "Importazione file formato Pentax SQCx",
    .title = "Importazione file Pentax SQCx",
};

}  // namespace

void imp_sqcx(ImportContext& ctx, const std::string& input_path) { pentax::run_key_value(ctx, input_path, kSqcx); }

}  // namespace qrb
