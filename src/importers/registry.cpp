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

    // RW5-style raw records

    // Nikon recorder files

    // Foif and Topcon keyword and listing files

    // Pentax and Memotop

    // Sokkia SDR, SRG and Reda
    {"imp_sdr2x", &imp_sdr2x},
    {"imp_sdr33", &imp_sdr33},
    {"imp_srg", &imp_srg},
    {"imp_reda2", &imp_reda2},

    // Psion PStore, Kern, Ascodes, SetC and Tabula

    // Zeiss and Trimble fixed-column files

    // Label-line files

    // Zeiss Elta and Psion comma-line files

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
