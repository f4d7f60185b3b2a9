#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/dispatch.hpp"
#include "app/instrument_list.hpp"
#include "importers/registry.hpp"
#include "support/harness.hpp"

namespace qrb {
namespace {

using test::Harness;
using test::RunResult;

// Entries in a fixed order: a stored position names the same entry in every
// version.
TEST(InstrumentList, KnownPositions)
{
    const auto list = instrument_list();
    ASSERT_GT(list.size(), 78u);
    EXPECT_EQ(list.front().text, "Foif RTS/OTS (prima serie)");
    EXPECT_EQ(list[48].text, "Leica GSI Generico");
    EXPECT_EQ(list[70].text, "- Altri registratori -");
    EXPECT_EQ(list[71].text, "- Procedura guidata scelta formato -");
    EXPECT_EQ(list[78].text, "PFCAD GPS Kit (file .PGP)");
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
}

TEST(InstrumentList, SharedCommandFiles)
{
    std::map<std::string_view, std::vector<int>> shared;
    for (const auto& [name, positions] : positions_by(&InstrumentEntry::command_file))
        if (positions.size() > 1) shared[name] = positions;
    const std::map<std::string_view, std::vector<int>> expected = {
        {"cmgeotr.txt", {3, 4, 30, 55, 64}}, {"foifnts.txt", {0, 1}},   {"cmwlt11.txt", {41, 42}},
        {"cmgsi.txt", {43, 49}},             {"trb3300.txt", {63, 72}},
    };
    EXPECT_EQ(shared, expected);
}

TEST(InstrumentList, SerialDownloadRefusedOnlyForArvatecAndOtherRecorders)
{
    for (const auto& entry : instrument_list()) {
        const bool refused = entry.text == "ARVAtec GPS" || entry.text == "- Altri registratori -";
        EXPECT_EQ(entry.serial_download, !refused) << entry.text;
    }
}

// Only the special entries other than the generic GSI one call no converter.
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
        const Special special = it == expected.end() ? Special::None : it->second;
        EXPECT_EQ(entry.special, special) << entry.text;
        EXPECT_EQ(entry.converter.empty(), special != Special::None && special != Special::GsiGeneric) << entry.text;
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
