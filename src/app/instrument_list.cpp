#include "app/instrument_list.hpp"

namespace qrb {

namespace {

using Special = InstrumentEntry::Special;

constexpr InstrumentEntry kInstruments[] = {
    {"Foif RTS/OTS (prima serie)", "imp_rts_ots1", "foifnts.txt", true, Special::None},  // 0
    {"Foif RTS/OTS (seconda serie)", "imp_rts_ots2", "foifnts.txt", true, Special::None},  // 1
    {"Foif FieldGenius Controller (.raw)", "imp_fieldgenius", "foifraw.txt", true, Special::None},  // 2
    {"Geotronics GEO", "imp_geo", "cmgeotr.txt", true, Special::None},  // 3
    {"Geodat 400/500", "imp_geodat400", "cmgeotr.txt", true, Special::None},  // 4
    {"Geomax serie ZTS600", "imp_gsi", "gmxzts.txt", true, Special::None},  // 5
    {"Geomax X-PAD Raw", "imp_xpad_raw", "", true, Special::None},  // 6
    {"Topcon Memotop MM2", "imp_memotop_mm2", "cmmm2.txt", true, Special::None},  // 7
    {"Topcon Memotop MMT", "imp_memotop_mmt", "cmmmt.txt", true, Special::None},  // 8
    {"Topcon GTS 212", "imp_gts212", "cmgts212.txt", true, Special::None},  // 9
    {"Topcon GTS 512 GTS 700 GTS 800", "imp_gts512", "cmgts512.txt", true, Special::None},  // 10
    {"Topcon GTS 3B", "imp_gts3b", "", true, Special::None},  // 11
    {"Sokkia SDR (SDR2x) (stazione e GPS)", "imp_sdr2x", "cmsdr2.txt", true, Special::None},  // 12
    {"Sokkia SDR (SDR33)", "imp_sdr33", "cmsdr3.txt", true, Special::None},  // 13
    {"Sokkia SRG", "imp_srg", "cmsrg.txt", true, Special::None},  // 14
    {"Sokkia Psion Reda II", "imp_reda2", "cmreda2.txt", true, Special::None},  // 15
    {"Sokkia Psion PStore", "imp_sokkia_pstore", "cmskpst.txt", true, Special::None},  // 16
    {"Sokkia SetC", "imp_setc", "cmtsetc.txt", true, Special::None},  // 17
    {"Nikon D-50 Psion", "imp_d50", "cmd50ps.txt", true, Special::None},  // 18
    {"Nikon DTM 300", "imp_dtm300", "cmdtm300.txt", true, Special::None},  // 19
    {"Nikon DTM 520", "imp_geos", "cmdtm520.txt", true, Special::None},  // 20
    {"Nikon DTM 700", "imp_dtm700", "cmdtm700.txt", true, Special::None},  // 21
    {"Nikon DTM 720, Nikon Psion II XP", "imp_dtm720", "cmdtm720.txt", true, Special::None},  // 22
    {"Nikon DTM A20 LG HP1000 CX", "imp_dtm_a20", "cmdtma20.txt", true, Special::None},  // 23
    {"Nikon DTM 851 Registra", "imp_dtm851", "cmdtm851.txt", true, Special::None},  // 24
    {"Nikon DTM 410", "imp_dtm410", "nik410.txt", true, Special::None},  // 25
    {"Nikon Registra (file PRE)", "imp_registra_pre", "regpre.txt", true, Special::None},  // 26
    {"Nikon Registra (file PCP)", "imp_registra_pcp", "regpcp.txt", true, Special::None},  // 27
    {"Nikon RAW data format", "imp_nikon_raw", "cmnkraw.txt", true, Special::None},  // 28
    {"Nikon RAW data format (Serie Nivo)", "imp_nivo_raw", "", true, Special::None},  // 29
    {"AGA 540 o 640", "imp_aga540", "cmgeotr.txt", true, Special::None},  // 30
    {"Kern Alphacord-Betacord", "imp_alphacord", "cmkab.txt", true, Special::None},  // 31
    {"Kern Psion PStore", "imp_kern_pstore", "cmkpp.txt", true, Special::None},  // 32
    {"Galileo Psion Siscam Geos", "imp_geos", "cmgpsg.txt", true, Special::None},  // 33
    {"Pentax R100/300 (file)", "imp_r100_file", "ptxr300.txt", true, Special::None},  // 34
    {"Pentax R100/300 (diretto)", "imp_r100_direct", "ptxr300d.txt", true, Special::None},  // 35
    {"Pentax SQCx", "imp_sqcx", "ptxsqcx.txt", true, Special::None},  // 36
    {"Pentax RAW data format", "imp_nivo_raw", "", true, Special::None},  // 37
    {"Stonex GSI", "imp_stonex_gsi", "stxgsi.txt", true, Special::None},  // 38
    {"Leica (Wild) Gif 10-12", "imp_gif10_12", "cmgif12.txt", true, Special::None},  // 39
    {"Leica (Wild) Gre(3) Gre(4) Gif 12", "imp_gre_gif12", "cmgre4.txt", true, Special::None},  // 40
    {"Leica (Wild) TCA 1100", "imp_tca1100", "cmwlt11.txt", true, Special::None},  // 41
    {"Leica (Wild) TCA 1100 TC 1000", "imp_tca1100_tc1000", "cmwlt11.txt", true, Special::None},  // 42
    {"Leica LW300 (TCR 30x, 70x e 110x)", "imp_lw300", "cmgsi.txt", true, Special::None},  // 43
    {"Leica TCR 30x, 70x e 110x (GSI)", "imp_tcr_gsi", "cmtcr70x.txt", true, Special::None},  // 44
    {"Leica TCR 1101 (modif.)", "imp_tcr1101", "cmtcrgs.txt", true, Special::None},  // 45
    {"Leica (Wild) Gre(4) (modif.)", "imp_gre4", "cmgre4gs.txt", true, Special::None},  // 46
    {"Leica (Wild) Gif 10", "imp_gif10", "cmgif10.txt", true, Special::None},  // 47
    {"Leica GSI Generico", "imp_gsi", "gsigen.txt", true, Special::GsiGeneric},  // 48
    {"Leica TOPOPRG (TCR xxx)", "imp_lw300", "cmgsi.txt", true, Special::None},  // 49
    {"Leica Geo Office baseline (.cst)", "imp_lgo_baseline", "", true, Special::None},  // 50
    {"Leica Geo Office Quarel Template (.cst)", "imp_lgo_template", "", true, Special::None},  // 51
    {"Leica Geo Office (Istruzioni)", "", "", true, Special::InstructionsLgo},  // 52
    {"Leica serie Viva (Istruzioni)", "", "", true, Special::InstructionsViva},  // 53
    {"Leica GeoForce (raw)", "imp_xpad_raw", "", true, Special::None},  // 54
    {"Geodat 122-124 DataLink", "imp_geodat122", "cmgeotr.txt", true, Special::None},  // 55
    {"Zeiss Elta r45 r55", "imp_elta_r45", "cmr45.txt", true, Special::None},  // 56
    {"Zeiss Salmoiraghi Psion HC-100", "imp_hc100", "cmzshc10.txt", true, Special::None},  // 57
    {"Zeiss Psion HC-100 (dati separati)", "imp_hc100_separate", "cmzhc1.txt", true, Special::None},  // 58
    {"Zeiss formato R5", "imp_r5", "zeissr5.txt", true, Special::None},  // 59
    {"Zeiss Rec Elta", "imp_rec_elta", "zeiselta.txt", true, Special::None},  // 60
    {"Zeiss Elta Psion", "imp_elta_psion", "zeisspsi.txt", true, Special::None},  // 61
    {"Trimble (Zeiss) formato M5", "imp_m5", "trzem5.txt", true, Special::None},  // 62
    {"Trimble serie 3600", "imp_r5_3600", "trb3300.txt", true, Special::None},  // 63
    {"Trimble serie 5600", "imp_geo", "cmgeotr.txt", true, Special::None},  // 64
    {"Trimble S6", "imp_geo", "trms6.txt", true, Special::None},  // 65
    {"Trimble Survey Controller (.dc)", "imp_dc", "trmsc.txt", true, Special::None},  // 66
    {"Trimble Survey Controller ver. 6 (.dc)", "imp_dc6", "", true, Special::None},  // 67
    {"Trimble (ex Geotronics)", "imp_geodat122", "trexge.txt", true, Special::None},  // 68
    {"ARVAtec GPS", "imp_arvatec", "", false, Special::None},  // 69
    {"- Altri registratori -", "", "", false, Special::OtherRecorders},  // 70
    {"- Procedura guidata scelta formato -", "", "", true, Special::Wizard},  // 71
    {"Trimble 3300 Zeiss Elta R45", "imp_r5_3600", "trb3300.txt", true, Special::None},  // 72
    {"Psion Pstore ABC", "imp_pstore_abc", "pstabc.txt", true, Special::None},  // 73
    {"Ascodes 3 (file programma)", "imp_ascodes3", "", true, Special::None},  // 74
    {"Carlson RW5 (coordinate Gauss Boaga)", "imp_rw5_coords", "", true, Special::None},  // 75
    {"Stonex SurvCE estensione RW5", "imp_survce_rw5", "", true, Special::None},  // 76
    {"Navcom FieldGenius Controller (.raw)", "imp_fieldgenius", "", true, Special::None},  // 77
    {"PFCAD GPS Kit (file .PGP)", "imp_pgp", "", true, Special::None},  // 78
};

}  // namespace

std::span<const InstrumentEntry> instrument_list() { return kInstruments; }

const InstrumentEntry* find_instrument(std::string_view text)
{
    for (const auto& e : kInstruments)
        if (e.text == text) return &e;
    return nullptr;
}

}  // namespace qrb
