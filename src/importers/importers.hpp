#pragma once
// The converters: each takes the full path of a recorder file, converts it
// into one survey book and reports everything itself in boxes. Each family
// declares its converters in its own section below and registers them in
// the same section of registry.cpp.
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

// GeoForce and X-PAD raw files (src/importers/gnss)
void imp_xpad_raw(ImportContext& ctx, const std::string& input_path);

// RW5-style raw records (src/importers/rw5)
void imp_rw5_coords(ImportContext& ctx, const std::string& input_path);
void imp_nikon_raw(ImportContext& ctx, const std::string& input_path);
void imp_nivo_raw(ImportContext& ctx, const std::string& input_path);
void imp_survce_rw5(ImportContext& ctx, const std::string& input_path);
void imp_fieldgenius(ImportContext& ctx, const std::string& input_path);

// Nikon recorder files (src/importers/nikon)
void imp_dtm410(ImportContext& ctx, const std::string& input_path);
void imp_dtm851(ImportContext& ctx, const std::string& input_path);
void imp_dtm300(ImportContext& ctx, const std::string& input_path);
void imp_geos(ImportContext& ctx, const std::string& input_path);
void imp_dtm_a20(ImportContext& ctx, const std::string& input_path);
void imp_dtm720(ImportContext& ctx, const std::string& input_path);
void imp_registra_pcp(ImportContext& ctx, const std::string& input_path);
void imp_registra_pre(ImportContext& ctx, const std::string& input_path);
void imp_dtm700(ImportContext& ctx, const std::string& input_path);
void imp_d50(ImportContext& ctx, const std::string& input_path);

// Foif and Topcon keyword and listing files (src/importers/topcon)
void imp_rts_ots1(ImportContext& ctx, const std::string& input_path);
void imp_rts_ots2(ImportContext& ctx, const std::string& input_path);
void imp_gts512(ImportContext& ctx, const std::string& input_path);
void imp_gts212(ImportContext& ctx, const std::string& input_path);
void imp_gts3b(ImportContext& ctx, const std::string& input_path);

// Pentax and Memotop (src/importers/pentax, src/importers/memotop)
void imp_r100_direct(ImportContext& ctx, const std::string& input_path);
void imp_sqcx(ImportContext& ctx, const std::string& input_path);
void imp_r100_file(ImportContext& ctx, const std::string& input_path);
void imp_memotop_mmt(ImportContext& ctx, const std::string& input_path);
void imp_memotop_mm2(ImportContext& ctx, const std::string& input_path);

// Sokkia SDR, SRG and Reda (src/importers/sokkia)
void imp_reda2(ImportContext& ctx, const std::string& input_path);
void imp_sdr2x(ImportContext& ctx, const std::string& input_path);
void imp_sdr33(ImportContext& ctx, const std::string& input_path);
void imp_srg(ImportContext& ctx, const std::string& input_path);

// Psion PStore, Kern, Ascodes, SetC and Tabula (src/importers/psion, kern,
// sokkia/imp_setc.cpp, keyword)
void imp_sokkia_pstore(ImportContext& ctx, const std::string& input_path);
void imp_pstore_abc(ImportContext& ctx, const std::string& input_path);
void imp_alphacord(ImportContext& ctx, const std::string& input_path);
void imp_kern_pstore(ImportContext& ctx, const std::string& input_path);
void imp_setc(ImportContext& ctx, const std::string& input_path);
void imp_ascodes3(ImportContext& ctx, const std::string& input_path);
void imp_tabula(ImportContext& ctx, const std::string& input_path);  // no list entry

// Zeiss and Trimble fixed-column files (src/importers/zeiss)
void imp_r5(ImportContext& ctx, const std::string& input_path);
void imp_r5_3600(ImportContext& ctx, const std::string& input_path);
void imp_m5(ImportContext& ctx, const std::string& input_path);

// Label-line files (src/importers/geotronics)
void imp_aga540(ImportContext& ctx, const std::string& input_path);
void imp_geo(ImportContext& ctx, const std::string& input_path);
void imp_geodat122(ImportContext& ctx, const std::string& input_path);
void imp_geodat400(ImportContext& ctx, const std::string& input_path);

// Zeiss Elta and Psion comma-line files (src/importers/zeiss)
void imp_rec_elta(ImportContext& ctx, const std::string& input_path);
void imp_elta_r45(ImportContext& ctx, const std::string& input_path);
void imp_hc100_separate(ImportContext& ctx, const std::string& input_path);
void imp_elta_psion(ImportContext& ctx, const std::string& input_path);
void imp_hc100(ImportContext& ctx, const std::string& input_path);

}  // namespace qrb
