#include <gtest/gtest.h>

#include "app/instrument_list.hpp"
#include "app/settings_model.hpp"
#include "support/fakes.hpp"

namespace qrb {
namespace {

using test::MemorySettings;

const StartupEnvironment kEnv{"/opt/quarel", "/usr/share", ""};

StartupSettings load(MemorySettings& store, const std::string& command_line = "")
{
    StartupEnvironment env = kEnv;
    env.command_line = command_line;
    return load_startup_settings(store, env);
}

TEST(SettingsModel, NothingStored)
{
    MemorySettings store;
    const StartupSettings s = load(store);
    EXPECT_EQ(s.list_position, 2);
    EXPECT_FALSE(s.survey_od);
    EXPECT_EQ(s.download_extension, "dat");
    EXPECT_EQ(kPortItems[static_cast<std::size_t>(s.comm.porta)], "COM2");
    EXPECT_EQ(kBaudItems[static_cast<std::size_t>(s.comm.baud)], "9600");
    EXPECT_EQ(kParityItems[static_cast<std::size_t>(s.comm.parita)], "N");
    EXPECT_EQ(kDataBitsItems[static_cast<std::size_t>(s.comm.bit_dati)], "8");
    EXPECT_EQ(kStopBitsItems[static_cast<std::size_t>(s.comm.bit_stop)], "1");
    EXPECT_EQ(s.comm.timeout_seconds, 15);
    EXPECT_TRUE(s.comm.dtr);
    EXPECT_TRUE(s.comm.rts);
    EXPECT_FALSE(s.comm.xon);
    EXPECT_FALSE(s.comm.crlf);
    EXPECT_FALSE(s.comm.agg_crlf);
    EXPECT_EQ(s.comm.start_sequence, "");
    EXPECT_EQ(s.comm.end_sequence, "");
    EXPECT_EQ(s.command_line_path, "");
    EXPECT_EQ(s.work_folder, "/opt/quarel");
    EXPECT_EQ(s.results_folder, "/opt/quarel");
    EXPECT_EQ(s.download_folder, "/opt/quarel");
    EXPECT_EQ(s.appdata_folder, "/usr/share/QuarelN");
}

TEST(SettingsModel, StoredNumbers)
{
    const struct {
        const char* text;
        std::optional<int> value;
    } cases[] = {
        {"5", 5},          {" 48", 48},       {"-1", -1},        {"2.5", 2},       {"3.5", 4},
        {"-2.5", -2},      {"12abc", 12},     {"abc", 0},        {"", 0},          {"1E2", 100},
        {"32767", 32767},  {"-32768", -32768}, {"32768", std::nullopt}, {"40000", std::nullopt},
        {"-32769", std::nullopt}, {"1E999", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(stored_number(c.text), c.value) << c.text;
}

TEST(SettingsModel, ListPosition)
{
    const int last = static_cast<int>(instrument_list().size()) - 1;
    const std::string past_end = std::to_string(last + 1), at_end = std::to_string(last);
    const struct {
        const char* stored;
        int position;
    } cases[] = {{"1", 2},   {"0", 0},     {"-1", 0},      {past_end.c_str(), 0}, {at_end.c_str(), last},
                 {"abc", 0}, {" 48", 48}, {"70000", 0}};
    for (const auto& c : cases) {
        MemorySettings store;
        store.import("strumento", c.stored);
        EXPECT_EQ(load(store).list_position, c.position) << c.stored;
    }
}

TEST(SettingsModel, RangesAndFallbacks)
{
    const struct {
        const char* key;
        const char* stored;
        int CommSettings::*field;
        int expected;
    } numbers[] = {
        {"timeout", "0", &CommSettings::timeout_seconds, 15},
        {"timeout", "1001", &CommSettings::timeout_seconds, 15},
        {"timeout", "1000", &CommSettings::timeout_seconds, 1000},
        {"timeout", "1", &CommSettings::timeout_seconds, 1},
        {"porta", "8", &CommSettings::porta, 8},
        {"porta", "9", &CommSettings::porta, 1},
        {"baud", "12", &CommSettings::baud, 5},
        {"baud", " 11", &CommSettings::baud, 11},
        {"parita", "5", &CommSettings::parita, 2},
        {"bit_dati", "-1", &CommSettings::bit_dati, 4},
        {"bit_stop", "3", &CommSettings::bit_stop, 0},
        {"bit_stop", " 2", &CommSettings::bit_stop, 2},
    };
    for (const auto& c : numbers) {
        MemorySettings store;
        store.import(c.key, c.stored);
        EXPECT_EQ(load(store).comm.*c.field, c.expected) << c.key << "=" << c.stored;
    }

    // Out of range, rts falls back to clear and dtr to ticked.
    MemorySettings store;
    store.import("rts", "2");
    store.import("dtr", "2");
    store.import("xon", " 1");
    store.import("crlf", "7");
    store.import("agg_crlf", " 1");
    const StartupSettings s = load(store);
    EXPECT_FALSE(s.comm.rts);
    EXPECT_TRUE(s.comm.dtr);
    EXPECT_TRUE(s.comm.xon);
    EXPECT_FALSE(s.comm.crlf);
    EXPECT_TRUE(s.comm.agg_crlf);
}

TEST(SettingsModel, NumberBeyondSixteenBitsTakesTheFallbackAndStartUpGoesOn)
{
    MemorySettings store;
    store.import("porta", "40000");
    store.import("timeout", "99999");
    store.import("cart_scarico", "/dati/scarico");
    const StartupSettings s = load(store, "/tmp/out.qrb");
    EXPECT_EQ(s.comm.porta, 1);
    EXPECT_EQ(s.comm.timeout_seconds, 15);
    EXPECT_EQ(s.command_line_path, "/tmp/out.qrb");
    EXPECT_EQ(s.download_folder, "/dati/scarico");
    EXPECT_EQ(s.list_position, 2);
}

TEST(SettingsModel, TextsAndSurveyType)
{
    MemorySettings store;
    store.import("estensione", " DAT ");
    store.import("start_stri", "  ST  ");
    store.import("end_stri", " \x04 ");
    store.import("tipo_dati", "OD");
    StartupSettings s = load(store);
    EXPECT_EQ(s.download_extension, " DAT ");  // taken as stored
    EXPECT_EQ(s.comm.start_sequence, "ST");
    EXPECT_EQ(s.comm.end_sequence, "\x04");
    EXPECT_TRUE(s.survey_od);

    for (const char* other : {"iz", "od", "IZ", " OD", ""}) {
        store.import("tipo_dati", other);
        EXPECT_FALSE(load(store).survey_od) << other;
    }
}

TEST(SettingsModel, FoldersAndCommandLine)
{
    MemorySettings store;
    store.set("Quarel_3D", "generale", "lavori", "/home/u/lavori");
    store.set("Quarel_3D", "generale", "res_dir", "/home/u/risultati");
    store.set("QuarelN", "import", "resdir", "/home/u/quareln");

    StartupSettings s = load(store);
    EXPECT_EQ(s.work_folder, "/home/u/lavori");
    EXPECT_EQ(s.results_folder, "/home/u/risultati");
    EXPECT_EQ(s.download_folder, "/home/u/risultati");

    s = load(store, "   ");  // only blanks: not command-line mode
    EXPECT_EQ(s.command_line_path, "");
    EXPECT_EQ(s.results_folder, "/home/u/risultati");

    s = load(store, "  \"/tmp/a b.qrb\"  ");
    EXPECT_EQ(s.command_line_path, "\"/tmp/a b.qrb\"");  // quotation marks stay
    EXPECT_EQ(s.results_folder, "/home/u/quareln");
    EXPECT_EQ(s.download_folder, "/home/u/quareln");

    store.values.erase({"QuarelN", "import", "resdir"});
    EXPECT_EQ(load(store, "out.qrb").results_folder, "/opt/quarel");

    StartupEnvironment no_shared = kEnv;
    no_shared.common_appdata_folder.clear();
    EXPECT_EQ(load_startup_settings(store, no_shared).appdata_folder, "/opt/quarel/QuarelN");
}

TEST(SettingsModel, UnloadWritesPositionAndSurveyType)
{
    MemorySettings store;
    ImportOptions options;
    options.tipo_iz = false;
    options.tipo_od = true;
    save_on_unload(store, 48, options);
    EXPECT_EQ(store.get("Quarel_3D", "import", "strumento"), " 48");
    EXPECT_EQ(store.get("Quarel_3D", "import", "tipo_dati"), "OD");

    options.tipo_iz = true;
    options.tipo_od = false;
    save_on_unload(store, 0, options);
    EXPECT_EQ(store.get("Quarel_3D", "import", "strumento"), " 0");
    EXPECT_EQ(store.get("Quarel_3D", "import", "tipo_dati"), "IZ");

    MemorySettings untouched;
    options.tipo_iz = false;
    save_on_unload(untouched, 5, options);
    EXPECT_FALSE(untouched.has("Quarel_3D", "import", "tipo_dati"));
    EXPECT_EQ(untouched.get("Quarel_3D", "import", "strumento"), " 5");

    // What is written reads back as written.
    MemorySettings round;
    save_on_unload(round, 48, ImportOptions{});
    EXPECT_EQ(load(round).list_position, 48);
}

TEST(SettingsModel, CommandLineArguments)
{
    const char* none[] = {"quarel-import"};
    EXPECT_EQ(join_arguments(1, none), "");
    const char* split_path[] = {"quarel-import", "/tmp/my", "survey.qrb"};
    EXPECT_EQ(join_arguments(3, split_path), "/tmp/my survey.qrb");
    EXPECT_EQ(stored_number_text(-3), "-3");
}

}  // namespace
}  // namespace qrb
