// The conversion driver, run as a program.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include <sys/wait.h>

#include "support/book_parts.hpp"
#include "support/harness.hpp"

namespace qrb {
namespace {

using test::crlf;
using test::read_file;
using test::TempDir;
using test::write_file;
using V = std::vector<std::string>;

struct Output {
    int status = -1;
    V lines;  // standard output
    std::string err;
};

std::string quoted(const std::string& arg)
{
    std::string q = "'";
    for (char c : arg) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

Output run(const TempDir& dir, const V& args)
{
    std::string command = quoted(QRB_RUN);
    for (const auto& a : args) command += " " + quoted(a);
    command += " 2>" + quoted((dir / "stderr.txt").string());
    Output o;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return o;
    std::string out;
    char buf[4096];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, pipe)) > 0) out.append(buf, n);
    const int raw = ::pclose(pipe);
    o.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    std::size_t start = 0;
    for (std::size_t nl; (nl = out.find('\n', start)) != std::string::npos; start = nl + 1)
        o.lines.push_back(out.substr(start, nl - start));
    if (start < out.size()) o.lines.push_back(out.substr(start));
    o.err = read_file(dir / "stderr.txt");
    return o;
}

// One station of height 1.55 with one reading coded 12, in GSI-8.
const std::string kInput = crlf({
    "110001+00000001 84..10+00000000 88..10+00001550 ",
    "110002+00000101 21.324+12345678 22.324+09876543 31..00+00012345 87..10+00001600 71....+00000012 ",
});

std::string book(const std::string& type, const std::string& field7, const std::string& height = "1.55",
                 const std::string& values = "123.4568|98.76543|12.345|1.6")
{
    return crlf({"#titolo#", "Importazione file Leica GSI", "#loc#", "Nessuna", "#tipo#", type, "#angoli#", "CENT",
                 "#note#", "File formato Leica GSI generico", "#stazione#", "1", height, "",
                 "101|" + values + "|12|" + field7 + "|", "#origine#", "0|0|0|"});
}

const std::string kNotice = test::kNoticeBox;
const std::string kSuccess = "box|info|Importa file Leica GSI|File importato con successo.|ok";

class QrbRun : public ::testing::Test {
protected:
    void SetUp() override { write_file(input(), kInput); }
    std::string input() const { return (dir / "input.gsi").string(); }
    std::string output() const { return (dir / "out.qrb").string(); }
    TempDir dir;
};

TEST_F(QrbRun, ConvertsThroughTheSaveDialog)
{
    const Output o = run(dir, {"--entry", "Leica GSI Generico", "--input", input(), "--output", output()});
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.lines, (V{kNotice, kSuccess}));
    EXPECT_EQ(read_file(output()), book("IZ", "12"));
}

TEST_F(QrbRun, CommandLineModeShowsNoBox)
{
    const Output o = run(dir, {"--entry", "Geomax serie ZTS600", "--input", input(), "--output", output(), "--cli",
                               "--type", "OD", "--note", "0"});
    EXPECT_EQ(o.status, 0);
    EXPECT_TRUE(o.lines.empty());
    EXPECT_EQ(read_file(output()), book("OD", "NN"));
}

TEST_F(QrbRun, DoublePrecisionOption)
{
    write_file(input(), crlf({
                            "*110001+0000000000000001 84..10+0000000000000000 88..10+0000000000001550 ",
                            "*110002+0000000000000101 21.324+0000000012345678 22.324+0000000009876543 "
                            "31..00+0000000000012345 87..10+0000000000001600 71....+0000000000000012 ",
                        }));
    Output o = run(dir, {"--entry", "Leica GSI Generico", "--input", input(), "--output", output(), "--cli"});
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(read_file(output()), book("IZ", "12"));
    o = run(dir, {"--entry", "Leica GSI Generico", "--input", input(), "--output", output(), "--cli", "--gen", "1"});
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(read_file(output()), book("IZ", "12", ".000155", ".001234568|.0009876543|.0012345|.00016"));
}

TEST_F(QrbRun, CancelledSaveDialogWritesNothing)
{
    const Output o = run(dir, {"--entry", "Leica GSI Generico", "--input", input(), "--cancel-save"});
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.lines, V{kNotice});
    EXPECT_FALSE(std::filesystem::exists(output()));
}

TEST_F(QrbRun, QuestionsAreAnsweredInOrder)
{
    // A name without ".qrb" whose ".qrb" file exists: the replace question.
    const std::string question = "box|excl|Salva con nome|out.qrb esiste già.\\nSostituirlo?|";
    const std::string bare = (dir / "out").string();
    write_file(output(), "old");
    Output o = run(dir, {"--entry", "Leica GSI Generico", "--input", input(), "--output", bare, "--answers", "no"});
    EXPECT_EQ(o.lines, (V{kNotice, question + "no"}));
    EXPECT_EQ(read_file(output()), "old");

    o = run(dir, {"--entry", "Leica GSI Generico", "--input", input(), "--output", bare});
    EXPECT_EQ(o.lines, (V{kNotice, question + "yes", kSuccess}));
    EXPECT_EQ(read_file(output()), book("IZ", "12"));
}

TEST_F(QrbRun, SpecialAndUnknownEntries)
{
    const Output o = run(dir, {"--entry", "- Altri registratori -", "--input", input(), "--output", output()});
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.lines, V{"box|info|Quarel - Import|Selezionare un registratore dalla lista|ok"});
    // A text that is not in the list (a prefix, another case) is a usage error.
    for (const char* entry : {"Leica GSI", "Leica GSI generico"}) {
        const Output bad = run(dir, {"--entry", entry, "--input", input(), "--output", output()});
        EXPECT_EQ(bad.status, 2) << entry;
        EXPECT_TRUE(bad.lines.empty()) << entry;
        EXPECT_EQ(bad.err.rfind("qrb-run: no list entry \"" + std::string(entry) + "\"\nusage: qrb-run", 0), 0u)
            << bad.err;
    }
    EXPECT_FALSE(std::filesystem::exists(output()));
}

TEST_F(QrbRun, ConverterByNameAndNeitherSurveyType)
{
    const Output o = run(dir, {"--converter", "imp_gsi", "--input", input(), "--output", output(), "--type", "none"});
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.lines, (V{kNotice, kSuccess}));
    EXPECT_EQ(read_file(output()), book("", "12"));
}

TEST_F(QrbRun, BadArgumentsGiveUsageAndStatus2)
{
    const std::string in = input();
    const std::string out = output();
    const std::vector<V> bad = {
        {},
        {"--input", in, "--output", out},
        {"--entry", "Leica GSI Generico", "--output", out},
        {"--entry", "Leica GSI Generico", "--input", in},
        {"--entry", "Leica GSI Generico", "--input", in, "--cli", "--cancel-save"},
        {"--entry", "Leica GSI Generico", "--input", in, "--output", out, "--type", "iz"},
        {"--entry", "Leica GSI Generico", "--input", in, "--output", out, "--note", "2"},
        {"--entry", "Leica GSI Generico", "--input", in, "--output", out, "--gen"},
        {"--entry", "Leica GSI Generico", "--input", in, "--output", out, "--answers", "yes,maybe"},
        {"--entry", "Leica GSI Generico", "--input", in, "--output", out, "--verbose"},
        {"--converter", "imp_nessuno", "--input", in, "--output", out},
        {"--entry", "Leica GSI Generico", "--converter", "imp_gsi", "--input", in, "--output", out},
    };
    for (const auto& args : bad) {
        SCOPED_TRACE(testing::PrintToString(args));
        const Output o = run(dir, args);
        EXPECT_EQ(o.status, 2);
        EXPECT_TRUE(o.lines.empty());
        EXPECT_NE(o.err.find("usage: qrb-run"), std::string::npos);
    }
    EXPECT_FALSE(std::filesystem::exists(output()));
}

}  // namespace
}  // namespace qrb
