#include "importers/registry.hpp"

namespace qrb {

// Every converter that is built, one line each, in sections by folder under
// src/importers. A line declares the converter and enters it in the table by
// its name, the name the instrument list gives it: LISTED when a list entry
// reaches it, BY_NAME_ONLY when only its name does. A test checks this table
// and the list against each other.
#define QRB_CONVERTERS(LISTED, BY_NAME_ONLY) \
    /* geotronics */                        \
    LISTED(imp_aga540)                      \
    LISTED(imp_geo)                         \
    LISTED(imp_geodat122)                   \
    LISTED(imp_geodat400)                   \
    /* gnss */                              \
    LISTED(imp_arvatec)                     \
    LISTED(imp_dc)                          \
    LISTED(imp_dc6)                         \
    LISTED(imp_lgo_baseline)                \
    LISTED(imp_lgo_template)                \
    LISTED(imp_pgp)                         \
    LISTED(imp_xpad_raw)                    \
    /* gsi */                               \
    LISTED(imp_gif10)                       \
    LISTED(imp_gif10_12)                    \
    LISTED(imp_gre4)                        \
    LISTED(imp_gre_gif12)                   \
    LISTED(imp_gsi)                         \
    LISTED(imp_lw300)                       \
    LISTED(imp_stonex_gsi)                  \
    LISTED(imp_tca1100)                     \
    LISTED(imp_tca1100_tc1000)              \
    LISTED(imp_tcr1101)                     \
    LISTED(imp_tcr_gsi)                     \
    /* kern */                              \
    LISTED(imp_alphacord)                   \
    LISTED(imp_kern_pstore)                 \
    /* keyword */                           \
    LISTED(imp_ascodes3)                    \
    BY_NAME_ONLY(imp_tabula)                \
    /* memotop */                           \
    LISTED(imp_memotop_mm2)                 \
    LISTED(imp_memotop_mmt)                 \
    /* nikon */                             \
    LISTED(imp_d50)                         \
    LISTED(imp_dtm300)                      \
    LISTED(imp_dtm410)                      \
    LISTED(imp_dtm851)                      \
    LISTED(imp_dtm700)                      \
    LISTED(imp_dtm720)                      \
    LISTED(imp_dtm_a20)                     \
    LISTED(imp_geos)                        \
    LISTED(imp_registra_pcp)                \
    LISTED(imp_registra_pre)                \
    /* pentax */                            \
    LISTED(imp_r100_direct)                 \
    LISTED(imp_r100_file)                   \
    LISTED(imp_sqcx)                        \
    /* psion */                             \
    LISTED(imp_sokkia_pstore)               \
    LISTED(imp_pstore_abc)                  \
    /* rw5 */                               \
    LISTED(imp_fieldgenius)                 \
    LISTED(imp_nikon_raw)                   \
    LISTED(imp_nivo_raw)                    \
    LISTED(imp_rw5_coords)                  \
    LISTED(imp_survce_rw5)                  \
    /* sokkia */                            \
    LISTED(imp_reda2)                       \
    LISTED(imp_sdr2x)                       \
    LISTED(imp_sdr33)                       \
    LISTED(imp_setc)                        \
    LISTED(imp_srg)                         \
    /* topcon */                            \
    LISTED(imp_gts212)                      \
    LISTED(imp_gts3b)                       \
    LISTED(imp_gts512)                      \
    LISTED(imp_rts_ots1)                    \
    LISTED(imp_rts_ots2)                    \
    /* zeiss */                             \
    LISTED(imp_elta_r45)                    \
    LISTED(imp_hc100)                       \
    LISTED(imp_m5)                          \
    LISTED(imp_hc100_separate)              \
    LISTED(imp_elta_psion)                  \
    LISTED(imp_r5)                          \
    LISTED(imp_r5_3600)                     \
    LISTED(imp_rec_elta)

#define QRB_DECLARE(name) void name(ImportContext& ctx, const std::string& input_path);
QRB_CONVERTERS(QRB_DECLARE, QRB_DECLARE)

namespace {

#define QRB_LISTED(name) {#name, &name, false},
#define QRB_BY_NAME_ONLY(name) {#name, &name, true},
constexpr RegisteredConverter kConverters[] = {QRB_CONVERTERS(QRB_LISTED, QRB_BY_NAME_ONLY)};

#undef QRB_BY_NAME_ONLY
#undef QRB_LISTED
#undef QRB_DECLARE
#undef QRB_CONVERTERS

}  // namespace

std::span<const RegisteredConverter> registered_converters() { return kConverters; }

Converter find_converter(std::string_view name)
{
    for (const auto& c : kConverters)
        if (c.name == name) return c.run;
    return nullptr;
}

}  // namespace qrb
