// Conversion benchmark: generates a GSI-16 (or, with --gsi8, GSI-8)
// recording of the given sizes (stations with many readings, known points),
// converts each through "Leica GSI Generico" in command-line mode as a user's
// import runs, and reports the throughput and the peak memory. Each size runs
// in its own process, so that each peak is its own. With --write FILE it only
// writes the recording of the first size, for timing whole processes.
//
//   qrb-bench-gsi [--gsi8] [--repeat N] [--write FILE] [MB ...]   (default: 5 50, best of 3)
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "app/dispatch.hpp"
#include "book/import_context.hpp"
#include "common/work_state.hpp"
#include "support/scripted_ui.hpp"

namespace {

namespace fs = std::filesystem;

constexpr double kMB = 1e6;

// A small deterministic generator, so that every run converts the same bytes.
class Random {
public:
    std::uint64_t next(std::uint64_t bound)
    {
        state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
        return (state_ >> 33) % bound;
    }

private:
    std::uint64_t state_ = 42;
};

// The width of a word's data: 16 characters in GSI-16, 8 in GSI-8.
std::size_t g_width = 16;

// One word: WI, four information characters, sign, the data characters
// (right-aligned, zero-padded, cut to the width), blank.
void word(std::string& out, std::string_view wi, std::string_view info, std::int64_t value)
{
    out += wi;
    out += info;
    out += value < 0 ? '-' : '+';
    std::string digits = std::to_string(value < 0 ? -value : value);
    if (digits.size() > g_width) digits.erase(0, digits.size() - g_width);
    out.append(g_width - digits.size(), '0');
    out += digits;
    out += ' ';
}

void name_word(std::string& out, std::uint64_t block, std::string_view name)
{
    out += g_width == 16 ? "*11" : "11";
    std::string b = std::to_string(block % 10000);
    out.append(4 - b.size(), '0');
    out += b;
    out += '+';
    out.append(g_width - name.size(), '0');
    out += name;
    out += ' ';
}

// Writes about `bytes` bytes of GSI-16: a known point every 40 lines, a
// station every 400 readings, a reading with target coordinates every 25.
void generate(const fs::path& path, std::uint64_t bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    Random rnd;
    std::string out;
    std::uint64_t written = 0;
    std::uint64_t block = 0;
    std::uint64_t station = 0;
    std::uint64_t point = 0;
    while (written < bytes) {
        ++station;
        name_word(out, ++block, "S" + std::to_string(station));
        word(out, "84", "..10", 1000000 + static_cast<std::int64_t>(rnd.next(100000000)));
        word(out, "85", "..10", -5000000 - static_cast<std::int64_t>(rnd.next(100000000)));
        word(out, "86", "..10", static_cast<std::int64_t>(rnd.next(500000)));
        word(out, "88", "..10", 1400 + static_cast<std::int64_t>(rnd.next(300)));
        word(out, "71", "....", static_cast<std::int64_t>(rnd.next(100)));
        out += "\r\n";
        for (int r = 1; r <= 400; ++r) {
            name_word(out, ++block, std::to_string(++point));
            word(out, "21", ".324", static_cast<std::int64_t>(rnd.next(40000000)));
            word(out, "22", ".324", 8000000 + static_cast<std::int64_t>(rnd.next(4000000)));
            word(out, "31", "..00", 1000 + static_cast<std::int64_t>(rnd.next(500000)));
            word(out, "87", "..10", 1300 + static_cast<std::int64_t>(rnd.next(700)));
            if (r % 3 == 0) word(out, "71", "....", static_cast<std::int64_t>(rnd.next(50)));
            if (r % 25 == 0) {
                word(out, "81", "..10", static_cast<std::int64_t>(rnd.next(200000000)));
                word(out, "82", "..10", -static_cast<std::int64_t>(rnd.next(200000000)));
                word(out, "83", "..10", static_cast<std::int64_t>(rnd.next(1000000)));
            }
            out += "\r\n";
            if (r % 40 == 0) {
                name_word(out, ++block, "K" + std::to_string(++point));
                word(out, "81", "..10", static_cast<std::int64_t>(rnd.next(200000000)));
                word(out, "82", "..10", static_cast<std::int64_t>(rnd.next(200000000)));
                word(out, "83", "..10", static_cast<std::int64_t>(rnd.next(1000000)));
                word(out, "71", "....", static_cast<std::int64_t>(rnd.next(100)));
                out += "\r\n";
            }
        }
        written += out.size();
        file << out;
        out.clear();
    }
}

struct Figures {
    double input_mb = 0;
    double seconds = 0;
    double peak_mb = 0;
};

// Converts the file `repeat` times; the best time counts.
bool convert(const fs::path& input, const fs::path& output, int repeat, Figures& f)
{
    f.input_mb = static_cast<double>(fs::file_size(input)) / kMB;
    f.seconds = 1e9;
    for (int k = 0; k < repeat; ++k) {
        qrb::WorkState state;
        qrb::test::ScriptedUi ui;
        const qrb::ImportOptions options;
        qrb::ImportContext ctx{state, ui, options, output.string()};
        const auto start = std::chrono::steady_clock::now();
        qrb::dispatch_import(ctx, "Leica GSI Generico", input.string());
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        f.seconds = std::min(f.seconds, took.count());
        for (const auto& box : ui.boxes) std::cerr << qrb::test::box_line(box) << "\n";
        if (!ui.boxes.empty() || fs::file_size(output) == 0) return false;
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    f.peak_mb = static_cast<double>(usage.ru_maxrss) * 1024.0 / kMB;
    return true;
}

int run_size(double mb, int repeat)
{
    const fs::path dir = fs::temp_directory_path() / ("qrb-bench-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    generate(dir / "input.gsi", static_cast<std::uint64_t>(mb * kMB));
    Figures f;
    const bool ok = convert(dir / "input.gsi", dir / "output.qrb", repeat, f);
    std::error_code ec;
    fs::remove_all(dir, ec);
    if (!ok) {
        std::cerr << "conversion failed\n";
        return 1;
    }
    std::printf("%8.1f MB  %7.3f s  %7.1f MB/s  peak %7.1f MB  (%.2f x input)\n", f.input_mb, f.seconds,
                f.input_mb / f.seconds, f.peak_mb, f.peak_mb / f.input_mb);
    std::fflush(stdout);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    int repeat = 3;
    std::vector<double> sizes;
    std::string write_to;
    for (int k = 1; k < argc; ++k) {
        const std::string arg = argv[k];
        if (arg == "--repeat" && k + 1 < argc) {
            repeat = std::max(1, std::atoi(argv[++k]));
        } else if (arg == "--gsi8") {
            g_width = 8;
        } else if (arg == "--write" && k + 1 < argc) {
            write_to = argv[++k];
        } else if (std::atof(arg.c_str()) > 0) {
            sizes.push_back(std::atof(arg.c_str()));
        } else {
            std::cerr << "usage: qrb-bench-gsi [--gsi8] [--repeat N] [--write FILE] [MB ...]\n";
            return 2;
        }
    }
    if (sizes.empty()) sizes = {5, 50};
    if (!write_to.empty()) {
        generate(write_to, static_cast<std::uint64_t>(sizes.front() * kMB));
        return 0;
    }

    std::printf("imp_gsi, %s, command-line mode, best of %d (1 MB = 10^6 bytes)\n",
                g_width == 16 ? "GSI-16" : "GSI-8", repeat);
    std::fflush(stdout);
    int status = 0;
    for (double mb : sizes) {
        const pid_t child = ::fork();
        if (child == 0) std::_Exit(run_size(mb, repeat));
        int raw = 0;
        ::waitpid(child, &raw, 0);
        if (!WIFEXITED(raw) || WEXITSTATUS(raw) != 0) status = 1;
    }
    return status;
}
