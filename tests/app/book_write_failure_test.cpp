// A book whose writing fails (a full disk, a file grown too large) is left
// empty after the error box, never cut inside a line, and no success follows.
// The disk is made "full" by a file-size limit in a child process.
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/harness.hpp"
#include "support/import_run.hpp"

namespace qrb::test {
namespace {

namespace fs = std::filesystem;

constexpr rlim_t kLimit = 40000;  // bytes a file may grow to in the child

// The lines of a golden case's recording.
std::vector<std::string> golden_lines(const std::string& converter, const std::string& case_name)
{
    std::vector<std::string> lines;
    const std::string text = read_file(fs::path(QRB_GOLDEN_CASES) / converter / case_name / "input");
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = text.find('\n', at);
        lines.push_back(text.substr(at, end == std::string::npos ? std::string::npos : end + 1 - at));
        at = end == std::string::npos ? text.size() : end + 1;
    }
    return lines;
}

// The first `head` lines once, then the rest repeated `times` times; in each
// repetition "{n}" in a line stands for the repetition's number.
std::string grown(const std::vector<std::string>& lines, std::size_t head, int times)
{
    std::string out;
    for (std::size_t k = 0; k < head; ++k) out += lines[k];
    for (int n = 0; n < times; ++n)
        for (std::size_t k = head; k < lines.size(); ++k) {
            std::string line = lines[k];
            if (const std::size_t at = line.find("{n}"); at != std::string::npos)
                line.replace(at, 3, std::to_string(n));
            out += line;
        }
    return out;
}

struct LimitedRun {
    std::vector<std::string> boxes;
    std::string book;
    std::string book_path;
};

// Converts `recording` through `entry` in a child process whose files may not
// grow past `limit` (0: no limit), with a book already at the output path.
LimitedRun convert_limited(const std::string& entry, const std::string& recording, rlim_t limit, bool cli)
{
    TempDir dir;
    const fs::path input = dir / "rilievo.dat";
    const fs::path book = dir / "rilievo.qrb";
    write_file(input, recording);
    write_file(book, "#titolo#\r\nlibretto precedente\r\n");
    int channel[2];
    EXPECT_EQ(::pipe(channel), 0);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(channel[0]);
        if (limit) {
            // A write past the limit then fails with EFBIG, as on a full disk.
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit size{limit, limit};
            ::setrlimit(RLIMIT_FSIZE, &size);
        }
        ImportRequest request;
        request.entry = entry;
        request.input = input.string();
        request.output = book.string();
        request.cli = cli;
        request.results_folder = dir.path().string();
        std::string shown;
        for (const std::string& line : run_import(request).boxes) shown += line + "\n";
        const bool sent = ::write(channel[1], shown.data(), shown.size()) == static_cast<ssize_t>(shown.size());
        ::_exit(sent ? 0 : 1);
    }
    ::close(channel[1]);
    std::string shown;
    char buffer[4096];
    for (ssize_t n; (n = ::read(channel[0], buffer, sizeof buffer)) > 0;) shown.append(buffer, static_cast<std::size_t>(n));
    ::close(channel[0]);
    int status = -1;
    ::waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << entry;
    LimitedRun run;
    for (std::size_t at = 0; at < shown.size();) {
        const std::size_t end = shown.find('\n', at);
        run.boxes.push_back(shown.substr(at, end - at));
        at = end + 1;
    }
    run.book = read_file(book);
    run.book_path = book.string();
    return run;
}

struct Case {
    const char* why;
    std::string entry;
    std::string recording;
};

TEST(BookWriteFailure, TheBookIsLeftEmptyAfterTheErrorBox)
{
    const std::vector<Case> cases = {
        {"a collect-then-write converter: the book is written at the end, past the limit",
         "Leica GSI Generico", grown(golden_lines("imp_gsi", "gsi8_station_and_readings"), 1, 3000)},
        {"a converter that writes as it reads: the write fails while reading",
         "Leica (Wild) TCA 1100", grown(golden_lines("imp_tca1100", "blocks_stations_and_readings"), 0, 400)},
        {"a converter that opens the book only at the end: the old book stays until then",
         "Geotronics GEO",
         [] {
             std::vector<std::string> lines = golden_lines("imp_geo", "station_and_point_op_note_off");
             lines[1] = "2=S{n}\n";
             return grown(lines, 1, 3000);
         }()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        for (const bool cli : {false, true}) {
            // Without a limit the book passes it, and the conversion succeeds.
            const LimitedRun whole = convert_limited(c.entry, c.recording, 0, cli);
            ASSERT_GT(whole.book.size(), 2 * kLimit);
            for (const std::string& box : whole.boxes) EXPECT_EQ(box.find("Errore"), std::string::npos) << box;

            const LimitedRun failed = convert_limited(c.entry, c.recording, kLimit, cli);
            ASSERT_FALSE(failed.boxes.empty());
            EXPECT_EQ(failed.boxes.back(),
                      "box|excl|Errore inaspettato|Errore codice 61 : Disco pieno (" + failed.book_path + ")|ok");
            EXPECT_TRUE(failed.book.empty())
                << failed.book.size() << " bytes left, ending in "
                << failed.book.substr(failed.book.size() - std::min<std::size_t>(failed.book.size(), 40));
            for (const std::string& box : failed.boxes)
                EXPECT_EQ(box.find("successo"), std::string::npos) << box;
        }
    }
}

}  // namespace
}  // namespace qrb::test
