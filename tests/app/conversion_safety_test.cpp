// Rules every built converter follows through the shared skeleton: the book
// never replaces its own recording, a book without records is no success,
// read errors are errors and a 0x1A byte ends the input.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <iostream>
#include <set>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "app/instrument_list.hpp"
#include "book/failure_policy.hpp"
#include "common/failure.hpp"
#include "importers/registry.hpp"
#include "support/book_checks.hpp"
#include "support/harness.hpp"

namespace qrb {
namespace {

namespace fs = std::filesystem;
using test::read_file;
using test::write_file;

struct Named {
    std::string name;
    Converter fn;
};

// Every converter that the list reaches and that is built, once.
std::vector<Named> built_converters()
{
    std::vector<Named> out;
    std::set<std::string_view> seen;
    for (const InstrumentEntry& e : instrument_list())
        if (const Converter fn = find_converter(e.converter); fn && seen.insert(e.converter).second)
            out.push_back({std::string(e.converter), fn});
    return out;
}

struct Outcome {
    std::vector<test::BoxRecord> boxes;
    std::size_t save_dialogs = 0;
};

// One conversion of `input` (a file that is already there); `cli` non-empty
// is the command-line path; otherwise the Save dialogs answer `saves`, then
// cancel.
Outcome convert(Converter fn, const std::string& input, const std::string& cli,
                std::deque<std::optional<std::string>> saves = {})
{
    WorkState state;
    test::ScriptedUi ui;
    ui.save_results = std::move(saves);
    ImportOptions options;
    ImportContext ctx{state, ui, options, cli};
    fn(ctx, input);
    EXPECT_FALSE(ui.busy);
    return {ui.boxes, ui.save_requests.size()};
}

bool success_shown(const Outcome& o)
{
    for (const auto& b : o.boxes)
        if (b.text.find("successo") != std::string::npos || b.text.find("completata") != std::string::npos)
            return true;
    return false;
}

std::string shown(const Outcome& o)
{
    std::string s;
    for (const auto& b : o.boxes) s += "\n  " + test::box_line(b);
    return s;
}

TEST(ConversionSafety, TheBookNeverReplacesItsRecording)
{
    test::TempDir dir;
    const std::string recording = "110001+0000A110 21.102+12345678 22.102+09876543\r\n410002+00000001\r\n";
    const fs::path input = dir / "rilievo.qrb";  // named as a book, so that no ".qrb" is appended
    fs::create_directories(dir / "sub");
    fs::create_symlink(input, dir / "link.qrb");
    fs::current_path(dir.path());
    const std::string spellings[] = {input.string(), (dir / "link.qrb").string(), "./rilievo.qrb",
                                     (dir / "sub" / ".." / "rilievo.qrb").string()};
    for (const Named& c : built_converters()) {
        for (const std::string& book : spellings) {
            SCOPED_TRACE(c.name + " " + book);
            for (const bool cli : {true, false}) {
                write_file(input, recording);
                const Outcome o = convert(c.fn, input.string(), cli ? book : "", {book});
                EXPECT_EQ(read_file(input), recording);
                ASSERT_FALSE(o.boxes.empty());
                const test::BoxRecord& refusal = o.boxes.back();
                EXPECT_EQ(refusal.text, kBookOverRecording) << shown(o);
                EXPECT_EQ(refusal.icon, Icon::Exclamation);
                EXPECT_FALSE(refusal.title.empty());
                // The window offers the Save dialog again (here cancelled).
                EXPECT_EQ(o.save_dialogs, cli ? 0u : 2u);
                EXPECT_EQ(std::count_if(o.boxes.begin(), o.boxes.end(),
                                        [](const auto& b) { return b.text == kBookOverRecording; }),
                          1)
                    << shown(o);
            }
        }
        // Another name chosen the second time: the conversion goes on.
        write_file(input, recording);
        const Outcome o = convert(c.fn, input.string(), "", {input.string(), (dir / "altro.qrb").string()});
        EXPECT_EQ(read_file(input), recording);
        EXPECT_TRUE(fs::exists(dir / "altro.qrb")) << c.name;
        fs::remove(dir / "altro.qrb");
        EXPECT_EQ(o.save_dialogs, 2u);
    }
    fs::current_path(fs::temp_directory_path());
}

TEST(ConversionSafety, NoSuccessOverABookWithoutRecords)
{
    // Nothing, blank lines, and data after the end-of-file mark.
    const std::string inputs[] = {"", "\r\n\r\n", std::string("\x1A") + "#stazione#\r\n41\r\n1 2 3\r\n"};
    for (const Named& c : built_converters()) {
        for (const std::string& bytes : inputs) {
            SCOPED_TRACE(c.name + " [" + bytes + "]");
            for (const bool cli : {true, false}) {
                test::Harness h;
                h.cli(cli);
                const test::RunResult r = h.run(c.fn, bytes);
                Outcome o;
                o.boxes = h.ui.boxes;
                EXPECT_FALSE(success_shown(o)) << shown(o);
                // Empty, or the header a converter writes before reading.
                EXPECT_FALSE(test::has_record(r.book)) << r.book;
                EXPECT_EQ(r.book.find("#origine#"), std::string::npos) << r.book;
                ASSERT_FALSE(o.boxes.empty());
                EXPECT_EQ(o.boxes.back().icon, Icon::Exclamation);
            }
        }
    }
    // Converters that took an empty or unrelated file for a success: their
    // nothing-found box and an empty book.
    const std::string unrelated = "Questo file non contiene un rilievo.\r\nNiente da importare.\r\n";
    const struct {
        const char* name;
        bool unrelated;  // a point list takes any line as a point
    } named[] = {{"imp_gif10_12", true}, {"imp_tca1100", true}, {"imp_tca1100_tc1000", true},
                 {"imp_lgo_template", true}, {"imp_arvatec", false}};
    for (const auto& n : named) {
        const Converter fn = find_converter(n.name);
        ASSERT_NE(fn, nullptr) << n.name;
        for (const std::string& bytes : {std::string(), unrelated}) {
            if (!bytes.empty() && !n.unrelated) continue;
            test::Harness h;
            h.cli(false);
            const test::RunResult r = h.run(fn, bytes);
            ASSERT_FALSE(h.ui.boxes.empty()) << n.name;
            EXPECT_EQ(h.ui.boxes.back().text, kNothingFound) << n.name;
            EXPECT_EQ(h.ui.boxes.back().icon, Icon::Exclamation) << n.name;
            EXPECT_EQ(r.book, "") << n.name;
        }
    }
}

TEST(ConversionSafety, AFolderAsInputIsAnAccessErrorThatLeavesTheBook)
{
    test::TempDir dir;
    const std::string book = "#titolo#\r\nlibretto di prima\r\n";
    for (const Named& c : built_converters()) {
        SCOPED_TRACE(c.name);
        write_file(dir / "out.qrb", book);
        const Outcome o = convert(c.fn, dir.path().string(), (dir / "out.qrb").string());
        ASSERT_EQ(o.boxes.size(), 1u) << shown(o);
        EXPECT_EQ(o.boxes.back().icon, Icon::Exclamation);
        EXPECT_NE(o.boxes.back().text.find("75"), std::string::npos) << shown(o);
        EXPECT_NE(o.boxes.back().text.find(error_description(kPathFileAccess)), std::string::npos) << shown(o);
        EXPECT_EQ(read_file(dir / "out.qrb"), book);
    }
}

// Runs `body` in a child process that may not read other users' files (as
// "nobody" when the tests run as root); its exit status.
int run_unprivileged(const std::function<int()>& body)
{
    std::cout.flush();
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(100);
        const int status = body();
        std::cerr.flush();
        ::_exit(status);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(ConversionSafety, AnUnreadableInputIsAnAccessError)
{
    test::TempDir dir;
    const fs::path input = dir / "rilievo.dat";
    write_file(input, "110001+00000001\r\n");
    ::chmod(input.c_str(), 0);
    const auto converters = built_converters();
    const int failures = run_unprivileged([&] {
        int bad = 0;
        for (const Named& c : converters) {
            const Outcome o = convert(c.fn, input.string(), (dir / "out.qrb").string());
            const bool ok = !o.boxes.empty() && o.boxes.back().icon == Icon::Exclamation &&
                            o.boxes.back().text.find("75") != std::string::npos &&
                            o.boxes.back().text.find(error_description(kPathFileAccess)) != std::string::npos &&
                            !fs::exists(dir / "out.qrb");
            if (!ok) {
                std::cerr << c.name << ":" << shown(o) << "\n";
                ++bad;
            }
        }
        return bad;
    });
    EXPECT_EQ(failures, 0);
}

}  // namespace
}  // namespace qrb
