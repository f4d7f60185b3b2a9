#include <filesystem>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "app/instrument_list.hpp"
#include "download/command_file.hpp"
#include "support/harness.hpp"

namespace qrb::test {
namespace {

class CommandFileTest : public ::testing::Test {
protected:
    CommandTable load(const std::string& bytes)
    {
        write_file(dir / "cmtest.txt", bytes);
        CommandTable table;
        leggi_comandi(ui, dir.path().string(), "cmtest.txt", table);
        return table;
    }

    std::vector<std::string> commands(const CommandTable& table)
    {
        std::vector<std::string> out;
        for (const auto& c : table.commands) out.push_back(c.command + "=" + c.description);
        return out;
    }

    TempDir dir;
    WorkState state;
    ScriptedUi ui;
};

TEST_F(CommandFileTest, HeaderOnlyGivesAnEmptyList)
{
    EXPECT_TRUE(load(crlf({"Comandi", "comando,descrizione"})).commands.empty());
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(CommandFileTest, ReadsAtMostTenCommands)
{
    std::vector<std::string> lines{"h1", "h2"};
    for (int k = 1; k <= 12; ++k) lines.push_back("C" + std::to_string(k) + ",comando " + std::to_string(k));
    const auto table = load(crlf(lines));
    ASSERT_EQ(table.commands.size(), 10u);
    EXPECT_EQ(table.commands.front().command, "C1");
    EXPECT_EQ(table.commands.back().command, "C10");
    EXPECT_EQ(table.commands.back().description, "comando 10");
}

TEST_F(CommandFileTest, CommandAndDescriptionAreCutAtTheCommas)
{
    const auto table = load(crlf({"h1", "h2", "X1,Invio dati,extra", "DUMP", " Y2 , con blanchi ", "Z3,"}));
    EXPECT_EQ(commands(table),
              (std::vector<std::string>{"X1=Invio dati", "DUMP=", " Y2 = con blanchi ", "Z3="}));
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(CommandFileTest, ReadingStopsAtTheFirstEmptyCommand)
{
    EXPECT_TRUE(load(crlf({"h1", "h2", "", "X1,dopo la riga vuota"})).commands.empty());
    EXPECT_EQ(commands(load(crlf({"h1", "h2", "A,uno", ",senza comando", "B,due"}))),
              (std::vector<std::string>{"A=uno"}));
}

TEST_F(CommandFileTest, EveryLineEndIsALineEnd)
{
    EXPECT_EQ(commands(load("h1\rh2\nA,uno\r\nB,due\rC,tre\nD,quattro")),
              (std::vector<std::string>{"A=uno", "B=due", "C=tre", "D=quattro"}));
}

TEST_F(CommandFileTest, MissingOrShortFilesGiveAnEmptyListSilently)
{
    CommandTable table;
    table.commands.push_back({"OLD", "precedente"});
    leggi_comandi(ui, dir.path().string(), "nessuno.txt", table);
    EXPECT_TRUE(table.commands.empty());
    EXPECT_TRUE(load("").commands.empty());
    EXPECT_TRUE(load("solo una riga\r\n").commands.empty());
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(CommandFileTest, AFileThatCannotBeReadIsReported)
{
    std::filesystem::create_directory(dir / "cartella.txt");
    CommandTable table;
    leggi_comandi(ui, dir.path().string(), "cartella.txt", table);
    EXPECT_TRUE(table.commands.empty());
    EXPECT_EQ(ui.box_lines(),
              (std::vector<std::string>{
                  "box|excl|Errore su leggi_comandi|Errore codice  75 : Errore di accesso al percorso/file|ok"}));
}

TEST_F(CommandFileTest, DescriptionOfAListPosition)
{
    const auto table = load(crlf({"h1", "h2", "A,uno", "B,due", "C,tre"}));
    EXPECT_EQ(table.description_at(2), "tre");
    EXPECT_EQ(table.description_at(0), "uno");
    EXPECT_FALSE(table.description_at(3));
    EXPECT_FALSE(table.description_at(-1));
}

// The shipped command files are the ones the instrument list names, and each
// reads without a message.
TEST(ShippedCommandFiles, AreTheOnesTheListNames)
{
    ScriptedUi ui;
    std::set<std::string> named;
    for (const auto& entry : instrument_list()) {
        if (entry.command_file.empty()) continue;
        const std::string name(entry.command_file);
        named.insert(name);
        EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(QRB_COMMAND_FILES) / name)) << name;
        CommandTable table;
        leggi_comandi(ui, QRB_COMMAND_FILES, name, table);
        EXPECT_LE(table.commands.size(), kMaxCommands);
    }
    EXPECT_TRUE(ui.boxes.empty());
    for (const auto& file : std::filesystem::directory_iterator(QRB_COMMAND_FILES))
        EXPECT_EQ(named.count(file.path().filename().string()), 1u) << file.path();
}

}  // namespace
}  // namespace qrb::test
