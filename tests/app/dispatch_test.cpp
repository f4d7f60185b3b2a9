#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/dispatch.hpp"
#include "app/instrument_list.hpp"
#include "importers/importers.hpp"
#include "support/harness.hpp"

namespace qrb {
namespace {

using test::Harness;
using test::RunResult;

struct ExpectedEntry {
    int position;
    const char* text;
    const char* converter;     // "" for the special entries without one
    const char* command_file;  // "" when the selection loads none
};

// The list as the user sees it, with the converter each entry calls and the
// command file its selection loads.
constexpr ExpectedEntry kExpected[] = {
    {0, "Foif RTS/OTS (prima serie)", "imp_rts_ots1", "foifnts.txt"},
    {1, "Foif RTS/OTS (seconda serie)", "imp_rts_ots2", "foifnts.txt"},
    {2, "Foif FieldGenius Controller (.raw)", "imp_fieldgenius", "foifraw.txt"},
    {3, "Geotronics GEO", "imp_geo", "cmgeotr.txt"},
    {4, "Geodat 400/500", "imp_geodat400", "cmgeotr.txt"},
    {5, "Geomax serie ZTS600", "imp_gsi", "gmxzts.txt"},
    {6, "Geomax X-PAD Raw", "imp_xpad_raw", ""},
    {7, "Topcon Memotop MM2", "imp_memotop_mm2", "cmmm2.txt"},
    {8, "Topcon Memotop MMT", "imp_memotop_mmt", "cmmmt.txt"},
    {9, "Topcon GTS 212", "imp_gts212", "cmgts212.txt"},
    {10, "Topcon GTS 512 GTS 700 GTS 800", "imp_gts512", "cmgts512.txt"},
    {11, "Topcon GTS 3B", "imp_gts3b", ""},
    {12, "Sokkia SDR (SDR2x) (stazione e GPS)", "imp_sdr2x", "cmsdr2.txt"},
    {13, "Sokkia SDR (SDR33)", "imp_sdr33", "cmsdr3.txt"},
    {14, "Sokkia SRG", "imp_srg", "cmsrg.txt"},
    {15, "Sokkia Psion Reda II", "imp_reda2", "cmreda2.txt"},
    {16, "Sokkia Psion PStore", "imp_sokkia_pstore", "cmskpst.txt"},
    {17, "Sokkia SetC", "imp_setc", "cmtsetc.txt"},
    {18, "Nikon D-50 Psion", "imp_d50", "cmd50ps.txt"},
    {19, "Nikon DTM 300", "imp_dtm300", "cmdtm300.txt"},
    {20, "Nikon DTM 520", "imp_geos", "cmdtm520.txt"},
    {21, "Nikon DTM 700", "imp_dtm700", "cmdtm700.txt"},
    {22, "Nikon DTM 720, Nikon Psion II XP", "imp_dtm720", "cmdtm720.txt"},
    {23, "Nikon DTM A20 LG HP1000 CX", "imp_dtm_a20", "cmdtma20.txt"},
    {24, "Nikon DTM 851 Registra", "imp_dtm851", "cmdtm851.txt"},
    {25, "Nikon DTM 410", "imp_dtm410", "nik410.txt"},
    {26, "Nikon Registra (file PRE)", "imp_registra_pre", "regpre.txt"},
    {27, "Nikon Registra (file PCP)", "imp_registra_pcp", "regpcp.txt"},
    {28, "Nikon RAW data format", "imp_nikon_raw", "cmnkraw.txt"},
    {29, "Nikon RAW data format (Serie Nivo)", "imp_nivo_raw", ""},
    {30, "AGA 540 o 640", "imp_aga540", "cmgeotr.txt"},
    {31, "Kern Alphacord-Betacord", "imp_alphacord", "cmkab.txt"},
    {32, "Kern Psion PStore", "imp_kern_pstore", "cmkpp.txt"},
    {33, "Galileo Psion Siscam Geos", "imp_geos", "cmgpsg.txt"},
    {34, "Pentax R100/300 (file)", "imp_r100_file", "ptxr300.txt"},
    {35, "Pentax R100/300 (diretto)", "imp_r100_direct", "ptxr300d.txt"},
    {36, "Pentax SQCx", "imp_sqcx", "ptxsqcx.txt"},
    {37, "Pentax RAW data format", "imp_nivo_raw", ""},
    {38, "Stonex GSI", "imp_stonex_gsi", "stxgsi.txt"},
    {39, "Leica (Wild) Gif 10-12", "imp_gif10_12", "cmgif12.txt"},
    {40, "Leica (Wild) Gre(3) Gre(4) Gif 12", "imp_gre_gif12", "cmgre4.txt"},
    {41, "Leica (Wild) TCA 1100", "imp_tca1100", "cmwlt11.txt"},
    {42, "Leica (Wild) TCA 1100 TC 1000", "imp_tca1100_tc1000", "cmwlt11.txt"},
    {43, "Leica LW300 (TCR 30x, 70x e 110x)", "imp_lw300", "cmgsi.txt"},
    {44, "Leica TCR 30x, 70x e 110x (GSI)", "imp_tcr_gsi", "cmtcr70x.txt"},
    {45, "Leica TCR 1101 (modif.)", "imp_tcr1101", "cmtcrgs.txt"},
    {46, "Leica (Wild) Gre(4) (modif.)", "imp_gre4", "cmgre4gs.txt"},
    {47, "Leica (Wild) Gif 10", "imp_gif10", "cmgif10.txt"},
    {48, "Leica GSI Generico", "imp_gsi", "gsigen.txt"},
    {49, "Leica TOPOPRG (TCR xxx)", "imp_lw300", "cmgsi.txt"},
    {50, "Leica Geo Office baseline (.cst)", "imp_lgo_baseline", ""},
    {51, "Leica Geo Office Quarel Template (.cst)", "imp_lgo_template", ""},
    {52, "Leica Geo Office (Istruzioni)", "", ""},
    {53, "Leica serie Viva (Istruzioni)", "", ""},
    {54, "Leica GeoForce (raw)", "imp_xpad_raw", ""},
    {55, "Geodat 122-124 DataLink", "imp_geodat122", "cmgeotr.txt"},
    {56, "Zeiss Elta r45 r55", "imp_elta_r45", "cmr45.txt"},
    {57, "Zeiss Salmoiraghi Psion HC-100", "imp_hc100", "cmzshc10.txt"},
    {58, "Zeiss Psion HC-100 (dati separati)", "imp_hc100_separate", "cmzhc1.txt"},
    {59, "Zeiss formato R5", "imp_r5", "zeissr5.txt"},
    {60, "Zeiss Rec Elta", "imp_rec_elta", "zeiselta.txt"},
    {61, "Zeiss Elta Psion", "imp_elta_psion", "zeisspsi.txt"},
    {62, "Trimble (Zeiss) formato M5", "imp_m5", "trzem5.txt"},
    {63, "Trimble serie 3600", "imp_r5_3600", "trb3300.txt"},
    {64, "Trimble serie 5600", "imp_geo", "cmgeotr.txt"},
    {65, "Trimble S6", "imp_geo", "trms6.txt"},
    {66, "Trimble Survey Controller (.dc)", "imp_dc", "trmsc.txt"},
    {67, "Trimble Survey Controller ver. 6 (.dc)", "imp_dc6", ""},
    {68, "Trimble (ex Geotronics)", "imp_geodat122", "trexge.txt"},
    {69, "ARVAtec GPS", "imp_arvatec", ""},
    {70, "- Altri registratori -", "", ""},
    {71, "- Procedura guidata scelta formato -", "", ""},
    {72, "Trimble 3300 Zeiss Elta R45", "imp_r5_3600", "trb3300.txt"},
    {73, "Psion Pstore ABC", "imp_pstore_abc", "pstabc.txt"},
    {74, "Ascodes 3 (file programma)", "imp_ascodes3", ""},
    {75, "Carlson RW5 (coordinate Gauss Boaga)", "imp_rw5_coords", ""},
    {76, "Stonex SurvCE estensione RW5", "imp_survce_rw5", ""},
    {77, "Navcom FieldGenius Controller (.raw)", "imp_fieldgenius", ""},
    {78, "PFCAD GPS Kit (file .PGP)", "imp_pgp", ""},
};

TEST(InstrumentList, HoldsTheEntriesInTheirFixedOrder)
{
    const auto list = instrument_list();
    ASSERT_EQ(list.size(), std::size(kExpected));
    for (const auto& e : kExpected) {
        SCOPED_TRACE(e.position);
        const auto& entry = list[static_cast<std::size_t>(e.position)];
        EXPECT_EQ(entry.text, e.text);
        EXPECT_EQ(entry.converter, e.converter);
        EXPECT_EQ(entry.command_file, e.command_file);
    }
}

TEST(InstrumentList, KnownPositions)
{
    const auto list = instrument_list();
    EXPECT_EQ(list.front().text, "Foif RTS/OTS (prima serie)");
    EXPECT_EQ(list[48].text, "Leica GSI Generico");
    EXPECT_EQ(list[70].text, "- Altri registratori -");
    EXPECT_EQ(list.back().text, "PFCAD GPS Kit (file .PGP)");
}

TEST(InstrumentList, TextsAreUnique)
{
    std::set<std::string_view> texts;
    for (const auto& entry : instrument_list()) EXPECT_TRUE(texts.insert(entry.text).second) << entry.text;
}

std::map<std::string_view, std::vector<int>> positions_by(std::string_view InstrumentEntry::*field)
{
    std::map<std::string_view, std::vector<int>> by;
    int pos = 0;
    for (const auto& entry : instrument_list()) {
        if (!(entry.*field).empty()) by[entry.*field].push_back(pos);
        ++pos;
    }
    return by;
}

TEST(InstrumentList, SharedConverters)
{
    std::map<std::string_view, std::vector<int>> shared;
    for (const auto& [name, positions] : positions_by(&InstrumentEntry::converter))
        if (positions.size() > 1) shared[name] = positions;
    const std::map<std::string_view, std::vector<int>> expected = {
        {"imp_gsi", {5, 48}},       {"imp_fieldgenius", {2, 77}}, {"imp_nivo_raw", {29, 37}},
        {"imp_geos", {20, 33}},     {"imp_xpad_raw", {6, 54}},    {"imp_geo", {3, 64, 65}},
        {"imp_geodat122", {55, 68}}, {"imp_lw300", {43, 49}},     {"imp_r5_3600", {63, 72}},
    };
    EXPECT_EQ(shared, expected);

    std::size_t with_converter = 0;
    for (const auto& entry : instrument_list()) with_converter += entry.converter.empty() ? 0 : 1;
    EXPECT_EQ(with_converter, 75u);
    EXPECT_EQ(positions_by(&InstrumentEntry::converter).size(), 65u);
}

TEST(InstrumentList, SharedCommandFiles)
{
    std::map<std::string_view, std::vector<int>> shared;
    std::size_t with_file = 0;
    for (const auto& [name, positions] : positions_by(&InstrumentEntry::command_file)) {
        with_file += positions.size();
        if (positions.size() > 1) shared[name] = positions;
    }
    const std::map<std::string_view, std::vector<int>> expected = {
        {"cmgeotr.txt", {3, 4, 30, 55, 64}}, {"foifnts.txt", {0, 1}},   {"cmwlt11.txt", {41, 42}},
        {"cmgsi.txt", {43, 49}},             {"trb3300.txt", {63, 72}},
    };
    EXPECT_EQ(shared, expected);
    EXPECT_EQ(with_file, 61u);
}

TEST(InstrumentList, SerialDownloadRefusedOnlyForArvatecAndOtherRecorders)
{
    for (const auto& entry : instrument_list()) {
        const bool refused = entry.text == "ARVAtec GPS" || entry.text == "- Altri registratori -";
        EXPECT_EQ(entry.serial_download, !refused) << entry.text;
    }
}

TEST(InstrumentList, SpecialEntries)
{
    using Special = InstrumentEntry::Special;
    const std::map<int, Special> expected = {
        {48, Special::GsiGeneric},     {52, Special::InstructionsLgo}, {53, Special::InstructionsViva},
        {70, Special::OtherRecorders}, {71, Special::Wizard},
    };
    int pos = 0;
    for (const auto& entry : instrument_list()) {
        const auto it = expected.find(pos);
        EXPECT_EQ(entry.special, it == expected.end() ? Special::None : it->second) << entry.text;
        ++pos;
    }
}

TEST(InstrumentList, FindsOnlyTheExactText)
{
    const InstrumentEntry* gsi = find_instrument("Leica GSI Generico");
    ASSERT_NE(gsi, nullptr);
    EXPECT_EQ(gsi, &instrument_list()[48]);
    EXPECT_EQ(find_instrument("leica gsi generico"), nullptr);
    EXPECT_EQ(find_instrument("Leica GSI Generico "), nullptr);
    EXPECT_EQ(find_instrument(""), nullptr);
}

// One dispatch of `text` on a small input, outside command-line mode.
struct Dispatched {
    RunResult result;
    int save_dialogs = 0;
    int open_dialogs = 0;
    int busy_shown = 0;
    std::vector<std::string> wizard_samples;
};

Dispatched dispatch(std::string_view text, bool with_wizard = true)
{
    Harness h;
    Dispatched d;
    DispatchHooks hooks;
    if (with_wizard) hooks.wizard_send_sample = [&](const std::string& path) { d.wizard_samples.push_back(path); };
    d.result = h.run([&](ImportContext& ctx, const std::string& path) { dispatch_import(ctx, text, path, hooks); },
                     "11\r\n");
    d.save_dialogs = static_cast<int>(h.ui.save_requests.size());
    d.open_dialogs = static_cast<int>(h.ui.open_requests.size());
    d.busy_shown = h.ui.busy_shown;
    return d;
}

void expect_nothing_done(const Dispatched& d)
{
    EXPECT_TRUE(d.result.boxes.empty());
    EXPECT_FALSE(d.result.book_exists);
    EXPECT_EQ(d.save_dialogs, 0);
    EXPECT_EQ(d.open_dialogs, 0);
    EXPECT_EQ(d.busy_shown, 0);
    EXPECT_TRUE(d.wizard_samples.empty());
}

TEST(Dispatch, OtherRecordersAsksForAChoice)
{
    const Dispatched d = dispatch("- Altri registratori -");
    EXPECT_EQ(d.result.boxes,
              std::vector<std::string>{"box|info|Quarel - Import|Selezionare un registratore dalla lista|ok"});
    EXPECT_FALSE(d.result.book_exists);
    EXPECT_EQ(d.save_dialogs, 0);
    EXPECT_EQ(d.busy_shown, 0);
}

TEST(Dispatch, WizardEntryHandsTheFileToTheWizard)
{
    const Dispatched d = dispatch("- Procedura guidata scelta formato -");
    ASSERT_EQ(d.wizard_samples.size(), 1u);
    EXPECT_EQ(std::filesystem::path(d.wizard_samples[0]).filename(), "input.dat");
    EXPECT_TRUE(d.result.boxes.empty());
    EXPECT_FALSE(d.result.book_exists);
    EXPECT_EQ(d.save_dialogs, 0);
}

TEST(Dispatch, WizardEntryWithoutAWizardDoesNothing)
{
    expect_nothing_done(dispatch("- Procedura guidata scelta formato -", false));
}

TEST(Dispatch, InstructionEntriesAndUnknownTextsDoNothing)
{
    for (const char* text : {"Leica Geo Office (Istruzioni)", "Leica serie Viva (Istruzioni)", "", "Leica GSI",
                             "leica gsi generico", "- altri registratori -", " - Altri registratori -"}) {
        SCOPED_TRACE(text);
        expect_nothing_done(dispatch(text));
    }
}

TEST(Dispatch, BothGsiEntriesUseTheGenericGsiConverter)
{
    for (const char* text : {"Leica GSI Generico", "Geomax serie ZTS600"}) {
        const InstrumentEntry* entry = find_instrument(text);
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(find_converter(entry->converter), &imp_gsi) << text;
    }
}

// Every entry with a built converter reaches it, and a converter shared by
// several entries is not told which of them was chosen.
TEST(Dispatch, EntriesReachTheirConverter)
{
    for (const auto& entry : instrument_list()) {
        const Converter converter = find_converter(entry.converter);
        if (!converter) continue;
        SCOPED_TRACE(entry.text);
        Harness direct;
        const RunResult expected = direct.run(converter, "11\r\n");
        const Dispatched d = dispatch(entry.text);
        EXPECT_EQ(d.result.boxes, expected.boxes);
        EXPECT_EQ(d.result.book_exists, expected.book_exists);
        EXPECT_EQ(d.result.book, expected.book);
        EXPECT_EQ(d.save_dialogs, static_cast<int>(direct.ui.save_requests.size()));
        EXPECT_TRUE(d.wizard_samples.empty());
    }
}

}  // namespace
}  // namespace qrb

namespace qrb {
namespace {

// The list and the registry against each other: every converter an entry
// names is built, and every built converter is reached by an entry or marked
// as reached by name.
TEST(Registry, ListAndRegistryAgree)
{
    std::set<std::string_view> named;
    for (const auto& entry : instrument_list()) {
        if (entry.converter.empty()) continue;
        named.insert(entry.converter);
        EXPECT_NE(find_converter(entry.converter), nullptr) << entry.text << " (" << entry.converter << ")";
    }
    std::set<std::string_view> seen;
    for (const RegisteredConverter& c : registered_converters()) {
        EXPECT_TRUE(seen.insert(c.name).second) << c.name << " registered twice";
        EXPECT_NE(named.count(c.name) > 0, c.by_name_only) << c.name << ": reached by an entry, or by name only";
    }
}

}  // namespace
}  // namespace qrb
