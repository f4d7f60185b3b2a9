#include <array>

#include "importers/importers.hpp"

namespace qrb {

namespace {

// Every converter that is built, by the name the instrument list gives it.
// A test checks this table and the list against each other.
constexpr RegisteredConverter kConverters[] = {
    // Leica and GSI word formats
    {"imp_gsi", &imp_gsi},
    {"imp_gif10", &imp_gif10},
    {"imp_gif10_12", &imp_gif10_12},
    {"imp_tca1100", &imp_tca1100},
    {"imp_tca1100_tc1000", &imp_tca1100_tc1000},
    {"imp_gre_gif12", &imp_gre_gif12},
    {"imp_gre4", &imp_gre4},
    {"imp_tcr_gsi", &imp_tcr_gsi},
    {"imp_stonex_gsi", &imp_stonex_gsi},
    {"imp_lw300", &imp_lw300},
    {"imp_tcr1101", &imp_tcr1101},

    // GNSS project exports
    {"imp_dc", &imp_dc},
    {"imp_dc6", &imp_dc6},
    {"imp_lgo_baseline", &imp_lgo_baseline},
    {"imp_lgo_template", &imp_lgo_template},
    {"imp_pgp", &imp_pgp},
    {"imp_arvatec", &imp_arvatec},

    // GeoForce and X-PAD raw files
    {"imp_xpad_raw", &imp_xpad_raw},

    // RW5-style raw records
    {"imp_rw5_coords", &imp_rw5_coords},
    {"imp_nikon_raw", &imp_nikon_raw},
    {"imp_nivo_raw", &imp_nivo_raw},
    {"imp_survce_rw5", &imp_survce_rw5},
    {"imp_fieldgenius", &imp_fieldgenius},

    // Nikon recorder files
    {"imp_dtm410", &imp_dtm410},
    {"imp_dtm851", &imp_dtm851},
    {"imp_dtm300", &imp_dtm300},
    {"imp_geos", &imp_geos},
    {"imp_dtm_a20", &imp_dtm_a20},
    {"imp_dtm720", &imp_dtm720},
    {"imp_registra_pcp", &imp_registra_pcp},
    {"imp_registra_pre", &imp_registra_pre},
    {"imp_dtm700", &imp_dtm700},
    {"imp_d50", &imp_d50},

    // Foif and Topcon keyword and listing files
    {"imp_rts_ots1", &imp_rts_ots1},
    {"imp_rts_ots2", &imp_rts_ots2},
    {"imp_gts512", &imp_gts512},
    {"imp_gts212", &imp_gts212},
    {"imp_gts3b", &imp_gts3b},

    // Pentax and Memotop
    {"imp_r100_direct", &imp_r100_direct},
    {"imp_sqcx", &imp_sqcx},
    {"imp_r100_file", &imp_r100_file},
    {"imp_memotop_mmt", &imp_memotop_mmt},
    {"imp_memotop_mm2", &imp_memotop_mm2},

    // Sokkia SDR, SRG and Reda
    {"imp_sdr2x", &imp_sdr2x},
    {"imp_sdr33", &imp_sdr33},
    {"imp_srg", &imp_srg},
    {"imp_reda2", &imp_reda2},

    // Psion PStore, Kern, Ascodes, SetC and Tabula
    {"imp_sokkia_pstore", &imp_sokkia_pstore},
    {"imp_pstore_abc", &imp_pstore_abc},
    {"imp_alphacord", &imp_alphacord},
    {"imp_kern_pstore", &imp_kern_pstore},
    {"imp_setc", &imp_setc},
    {"imp_ascodes3", &imp_ascodes3},
    {"imp_tabula", &imp_tabula, true},

    // Zeiss and Trimble fixed-column files
    {"imp_r5", &imp_r5},
    {"imp_r5_3600", &imp_r5_3600},
    {"imp_m5", &imp_m5},

    // Label-line files
    {"imp_aga540", &imp_aga540},
    {"imp_geo", &imp_geo},
    {"imp_geodat122", &imp_geodat122},
    {"imp_geodat400", &imp_geodat400},

    // Zeiss Elta and Psion comma-line files
    {"imp_rec_elta", &imp_rec_elta},
    {"imp_elta_r45", &imp_elta_r45},
    {"imp_hc100_separate", &imp_hc100_separate},
    {"imp_elta_psion", &imp_elta_psion},
    {"imp_hc100", &imp_hc100},

};

}  // namespace

std::span<const RegisteredConverter> registered_converters() { return kConverters; }

Converter find_converter(std::string_view name)
{
    for (const auto& c : kConverters)
        if (c.name == name) return c.run;
    return nullptr;
}

}  // namespace qrb
