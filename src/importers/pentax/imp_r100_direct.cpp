// Pentax R100/300 downloaded directly from the instrument: KEY:VALUE lines,
// each with a leading line number and one trailing character.
#include "importers/pentax/pentax_key_value.hpp"

namespace qrb {

namespace {

constexpr pentax::KeyValueVariant kR100Direct{
    .numbered_lines = true,
    .knows_ppc = true,
    .blank_note_keeps_default = true,
    .ppd_resets_code = false,
    .note = "Importazione file formato Pentax R100 o R300",
    .title = "Importazione file Pentax R100/300",
};

}  // namespace

void imp_r100_direct(ImportContext& ctx, const std::string& input_path)
{
    pentax::run_key_value(ctx, input_path, kR100Direct);
}

}  // namespace qrb
