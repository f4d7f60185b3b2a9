// Benchmark of every converter that has a golden case with a `bench` recipe
// (tests/golden/<converter>/<case>/bench): the case's input is grown to each
// size (its head once, its body repeated with counters making names unique,
// its tail once) and converted with the case's options through the driver's
// own road. Each size runs in a process of its own, so that each peak is its
// own; the best processor time of three runs counts (one when it takes over
// 30 seconds, more while they take less than two seconds together).
//
//   qrb-bench-converters [--only NAME,...] [--golden DIR] [--repeat N] [--limit SECONDS] [--list] [MB ...]
//   qrb-bench-converters [--only NAME,...] [--golden DIR] --write DIR MB
//
// The table (markdown): MB/s at the last size, the time at the last size over
// the time at the first, the peak memory of the process at the last size over
// the input, and whether the boxes shown are the same at every size.
#include <algorithm>
#include <cerrno>
#include <ctime>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/golden_case.hpp"
#include "support/harness.hpp"
#include "support/import_run.hpp"
#include "support/test_home.hpp"

namespace {

namespace fs = std::filesystem;

constexpr double kMB = 1e6;
// Runs stop after `repeat` once they have taken this long together...
constexpr double kRepeatBudgetSeconds = 30;
// ...and short runs go on, up to kMostRuns, until they have taken this long:
// the best of a few runs of milliseconds says little on a busy machine.
constexpr double kShortRuns = 2;
constexpr int kMostRuns = 20;

const char* const kUsage =
    "usage: qrb-bench-converters [--only NAME,...] [--golden DIR] [--repeat N] [--limit SECONDS] [--list] [MB ...]\n"
    "  MB         recording sizes, 2 20 by default\n"
    "  --only     these converters only (golden folder names)\n"
    "  --golden   the golden cases' folder, tests/golden of the source tree by default\n"
    "  --repeat   runs per size, the best counts (3; more while they take under two seconds)\n"
    "  --limit    seconds a size may take before it counts as timed out (600)\n"
    "  --list     lists the converters and the cases their recordings grow from\n"
    "  --write    only writes each converter's recording of the first size into DIR\n";

// A counter written into every body repetition: the repetition's number
// (from 1) over `width` characters from `column` of input line `line`, zero
// padded; width 0 inserts the number at the column instead.
struct Counter {
    std::size_t line = 0;
    std::size_t column = 0;
    std::size_t width = 0;
};

// Line numbers over `width` characters from `column`, zero padded to that
// width and longer when the number needs it, up to `digits` digits (beyond,
// the numbers start again from 0 with that many digits, as a recorder's
// counter wraps).
struct LineNumber {
    std::size_t column = 0;
    std::size_t width = 0;
    std::size_t digits = 18;
};

// How a case's input grows: its first `head` lines once, the lines between
// repeated, its last `tail` lines once. For formats that number their lines,
// every line after the head gets its number in the recording (from 0).
struct Recipe {
    std::size_t head = 0;
    std::size_t tail = 0;
    std::vector<Counter> counters;
    std::optional<LineNumber> line_number;
    std::optional<char> record_end;  // lines are cut after this byte instead
};

std::size_t to_count(const std::string& word)
{
    std::size_t used = 0;
    const unsigned long value = std::stoul(word, &used);
    if (used != word.size()) throw std::invalid_argument(word);
    return value;
}

// The `bench` file: `head N`, `tail N`, `count LINE COLUMN WIDTH` and
// `line-number COLUMN WIDTH [DIGITS]` lines (lines and columns from 1, lines of the
// whole input) and, for a format of records on one line, `record-end BYTE`
// (the byte's value) to cut the input into records instead of lines; `#`
// starts a comment line. An empty file repeats the whole input.
Recipe read_recipe(const fs::path& file)
{
    Recipe recipe;
    std::istringstream in(qrb::test::read_file(file));
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        std::istringstream words(line);
        std::string key;
        if (!(words >> key) || key[0] == '#') continue;
        std::vector<std::size_t> values;
        std::string word;
        try {
            while (words >> word) values.push_back(to_count(word));
        } catch (const std::exception&) {
            throw std::runtime_error(file.string() + ":" + std::to_string(number) + ": not a number: " + word);
        }
        if ((key == "head" || key == "tail") && values.size() == 1)
            (key == "head" ? recipe.head : recipe.tail) = values[0];
        else if (key == "count" && values.size() == 3 && values[0] > 0 && values[1] > 0)
            recipe.counters.push_back({values[0], values[1], values[2]});
        else if (key == "line-number" && (values.size() == 2 || values.size() == 3) && values[0] > 0 &&
                 values[1] > 0 && values[1] < 19 && (values.size() == 2 || (values[2] >= values[1] && values[2] < 19)))
            recipe.line_number = LineNumber{values[0], values[1], values.size() == 3 ? values[2] : 18};
        else if (key == "record-end" && values.size() == 1 && values[0] > 0 && values[0] < 256)
            recipe.record_end = static_cast<char>(values[0]);
        else
            throw std::runtime_error(file.string() + ":" + std::to_string(number) + ": not understood: " + line);
    }
    return recipe;
}

// The input's lines, each with its end (CR LF, LF or a lone CR), or its
// records, each with the byte that ends it.
std::vector<std::string> split_lines(const std::string& text, std::optional<char> record_end)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t k = 0; k < text.size(); ++k) {
        const bool cr_lf = !record_end && text[k] == '\r' && k + 1 < text.size() && text[k + 1] == '\n';
        if (cr_lf) ++k;
        if (record_end ? text[k] == *record_end : text[k] == '\n' || text[k] == '\r') {
            lines.push_back(text.substr(start, k + 1 - start));
            start = k + 1;
        }
    }
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

std::size_t content_length(const std::string& line)
{
    return line.find_first_of("\r\n") == std::string::npos ? line.size() : line.find_first_of("\r\n");
}

std::uint64_t power_of_ten(std::size_t digits)
{
    std::uint64_t value = 1;
    for (std::size_t k = 0; k < digits; ++k) value *= 10;
    return value;
}

// Writes the recording of at least `bytes` bytes grown from `input`; returns
// an error text, or nothing.
std::string write_recording(const fs::path& path, const std::string& input, const Recipe& recipe,
                            std::uint64_t bytes)
{
    const std::vector<std::string> lines = split_lines(input, recipe.record_end);
    if (recipe.head + recipe.tail >= lines.size()) return "head and tail leave no body";
    for (const Counter& c : recipe.counters) {
        if (c.line <= recipe.head || c.line > lines.size() - recipe.tail)
            return "counter on line " + std::to_string(c.line) + ", outside the body";
        if (c.column - 1 + c.width > content_length(lines[c.line - 1]))
            return "counter beyond the end of line " + std::to_string(c.line);
    }
    if (recipe.line_number)
        for (std::size_t k = recipe.head; k < lines.size(); ++k)
            if (recipe.line_number->column - 1 + recipe.line_number->width > content_length(lines[k]))
                return "line number beyond the end of line " + std::to_string(k + 1);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    std::uint64_t written = 0;
    std::uint64_t line_count = 0;
    auto put = [&](std::string text) {
        if (recipe.line_number && line_count >= recipe.head) {
            const LineNumber& place = *recipe.line_number;
            const std::uint64_t wrap = power_of_ten(place.digits);
            const std::string number = std::to_string(line_count % wrap);
            const std::size_t digits = line_count < wrap ? place.width : place.digits;
            text.replace(place.column - 1, place.width, std::string(digits - std::min(digits, number.size()), '0') + number);
        }
        out << text;
        written += text.size();
        ++line_count;
    };
    for (std::size_t k = 0; k < recipe.head; ++k) put(lines[k]);
    std::uint64_t tail_bytes = 0;
    for (std::size_t k = lines.size() - recipe.tail; k < lines.size(); ++k) tail_bytes += lines[k].size();
    for (std::uint64_t round = 1; written + tail_bytes < bytes; ++round) {
        const std::string number = std::to_string(round);
        for (std::size_t k = recipe.head; k < lines.size() - recipe.tail; ++k) {
            std::string line = lines[k];
            // From the last column back, so that an insertion leaves the
            // columns before it in place.
            std::vector<Counter> here;
            for (const Counter& c : recipe.counters)
                if (c.line == k + 1) here.push_back(c);
            std::sort(here.begin(), here.end(), [](const Counter& a, const Counter& b) { return a.column > b.column; });
            for (const Counter& c : here) {
                if (c.width == 0) {
                    line.insert(c.column - 1, number);
                    continue;
                }
                if (number.size() > c.width)
                    return "the counter on line " + std::to_string(c.line) + " needs more than " +
                           std::to_string(c.width) + " digits";
                line.replace(c.column - 1, c.width, std::string(c.width - number.size(), '0') + number);
            }
            put(line);
        }
    }
    for (std::size_t k = lines.size() - recipe.tail; k < lines.size(); ++k) put(lines[k]);
    return out ? std::string() : "cannot write " + path.string();
}

// One size of one converter, as the child process reports it.
struct Run {
    std::string failure;  // "timeout", a signal, a failure that escaped; empty when it ran
    std::uint64_t input_bytes = 0;
    std::uint64_t book_bytes = 0;
    double seconds = 0;
    double peak_bytes = 0;
    std::vector<std::string> boxes;
};

// The processor time of this process, user and system: on a machine busy
// with other jobs it varies far less than the time on the clock.
double cpu_seconds()
{
    timespec now{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// In the child: converts `repeat` times, writes the best time, the peak
// memory of the first conversion (later ones would add the heap's leftovers),
// the book's size and the boxes to `out`.
void child_convert(const qrb::test::ImportRequest& request, int repeat, std::FILE* out)
{
    double best = 1e300;
    double total = 0;
    long peak_kb = 0;
    qrb::test::ImportOutcome outcome;
    for (int k = 0; k == 0 || (k < repeat && total < kRepeatBudgetSeconds) || (k < kMostRuns && total < kShortRuns);
         ++k) {
        std::error_code ec;
        fs::remove(*request.output, ec);
        const double start = cpu_seconds();
        outcome = qrb::test::run_import(request);
        const double took = cpu_seconds() - start;
        best = std::min(best, took);
        total += took;
        if (k == 0) {
            rusage usage{};
            ::getrusage(RUSAGE_SELF, &usage);
            peak_kb = usage.ru_maxrss;
        }
        if (!outcome.escaped.empty()) break;
    }
    std::error_code ec;
    const std::uintmax_t book = fs::exists(*request.output) ? fs::file_size(*request.output, ec) : 0;
    std::fprintf(out, "%.9f %ld %ju\n%s\n", best, peak_kb, book, outcome.escaped.c_str());
    for (const std::string& box : outcome.boxes) std::fprintf(out, "%s\n", box.c_str());
}

Run measure(const qrb::test::ImportRequest& request, int repeat, unsigned limit)
{
    Run run;
    run.input_bytes = fs::file_size(request.input);
    int pipe_ends[2];
    if (::pipe(pipe_ends) != 0) {
        run.failure = "no pipe";
        return run;
    }
    std::fflush(stdout);
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipe_ends[0]);
        ::alarm(limit);
        std::FILE* out = ::fdopen(pipe_ends[1], "w");
        child_convert(request, repeat, out);
        std::fclose(out);
        std::_Exit(0);
    }
    ::close(pipe_ends[1]);
    std::string report;
    char buffer[4096];
    for (ssize_t got; (got = ::read(pipe_ends[0], buffer, sizeof buffer)) != 0;) {
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) break;
        report.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(pipe_ends[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (WIFSIGNALED(status)) {
        run.failure = WTERMSIG(status) == SIGALRM ? "timeout" : "signal " + std::to_string(WTERMSIG(status));
        return run;
    }
    std::istringstream in(report);
    std::string line;
    long peak_kb = 0;
    in >> run.seconds >> peak_kb >> run.book_bytes;
    run.peak_bytes = static_cast<double>(peak_kb) * 1024.0;
    std::getline(in, line);
    std::getline(in, run.failure);
    while (std::getline(in, line)) run.boxes.push_back(line);
    return run;
}

struct Bench {
    std::string converter;
    fs::path case_dir;
};

// The cases with a recipe, one per converter.
std::vector<Bench> find_benches(const fs::path& golden, const std::set<std::string>& only)
{
    std::vector<Bench> benches;
    for (const fs::path& dir : qrb::test::golden_cases(golden)) {
        if (!fs::exists(dir / "bench")) continue;
        const std::string converter = dir.parent_path().filename().string();
        if (!only.empty() && !only.count(converter)) continue;
        if (!benches.empty() && benches.back().converter == converter) {
            std::cerr << converter << ": more than one case has a recipe; " << benches.back().case_dir.filename().string()
                      << " is used\n";
            continue;
        }
        benches.push_back({converter, dir});
    }
    for (const std::string& name : only)
        if (std::none_of(benches.begin(), benches.end(), [&](const Bench& b) { return b.converter == name; }))
            std::cerr << name << ": no golden case with a bench recipe\n";
    return benches;
}

std::string fixed(double value, int decimals)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

std::string size_text(double mb)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", mb);
    return text;
}

// Runs one converter at every size; returns its table row.
std::string bench_converter(const Bench& bench, const std::vector<double>& sizes, int repeat, unsigned limit)
{
    const std::string row = "| " + bench.converter + " | ";
    const qrb::test::TempDir tmp;
    std::vector<Run> runs;
    try {
        const Recipe recipe = read_recipe(bench.case_dir / "bench");
        const std::string input = qrb::test::read_file(bench.case_dir / "input");
        std::vector<std::string> args = qrb::test::split_options(qrb::test::read_file(bench.case_dir / "options"));
        const fs::path recording = tmp / "input.dat";
        args.insert(args.end(), {"--input", recording.string(), "--output", (tmp / "out.qrb").string()});
        qrb::test::ImportRequest request = qrb::test::parse_import_arguments(args);
        request.results_folder = tmp.path().string();
        for (const double mb : sizes) {
            const std::string fault = write_recording(recording, input, recipe, static_cast<std::uint64_t>(mb * kMB));
            if (!fault.empty()) return row + "recipe: " + fault + " | | | |";
            runs.push_back(measure(request, repeat, limit));
            if (!runs.back().failure.empty()) {
                std::cerr << bench.converter << " at " << mb << " MB: " << runs.back().failure << "\n";
                return row + runs.back().failure + " at " + size_text(mb) + " MB | | | |";
            }
        }
    } catch (const qrb::test::UsageError& e) {
        return row + "options: " + e.what + " | | | |";
    } catch (const std::exception& e) {
        return row + e.what() + " | | | |";
    }
    const Run& first = runs.front();
    const Run& last = runs.back();
    bool same = true;
    for (const Run& run : runs) same = same && run.boxes == first.boxes;
    if (!same)
        for (std::size_t k = 0; k < runs.size(); ++k) {
            std::cerr << bench.converter << " at " << sizes[k] << " MB, " << runs[k].boxes.size() << " boxes:\n";
            for (std::size_t b = 0; b < std::min<std::size_t>(runs[k].boxes.size(), 3); ++b)
                std::cerr << "  " << runs[k].boxes[b] << "\n";
        }
    // A book that does not grow with its recording shows a recipe whose
    // repetitions are not converted alike.
    const double input_growth = static_cast<double>(last.input_bytes) / static_cast<double>(first.input_bytes);
    const double book_growth =
        first.book_bytes ? static_cast<double>(last.book_bytes) / static_cast<double>(first.book_bytes) : 0;
    if (runs.size() > 1 && (book_growth < input_growth * 0.98 || book_growth > input_growth * 1.02))
        std::cerr << bench.converter << ": the book grows " << fixed(book_growth, 2) << " times for "
                  << fixed(input_growth, 2) << " times the input\n";
    const double mb_s = static_cast<double>(last.input_bytes) / kMB / last.seconds;
    return row + fixed(mb_s, 1) + " | " + fixed(last.seconds / first.seconds, 2) + " | " +
           fixed(last.peak_bytes / static_cast<double>(last.input_bytes), 2) + " | " + (same ? "yes" : "no") + " |";
}

}  // namespace

int main(int argc, char** argv)
{
    qrb::test::use_test_home();
    int repeat = 3;
    unsigned limit = 600;
    bool list = false;
    fs::path write_to;
    fs::path golden = QRB_GOLDEN_CASES;
    std::set<std::string> only;
    std::vector<double> sizes;
    for (int k = 1; k < argc; ++k) {
        const std::string arg = argv[k];
        if (arg == "--only" && k + 1 < argc) {
            std::istringstream names(argv[++k]);
            for (std::string name; std::getline(names, name, ',');) only.insert(name);
        } else if (arg == "--golden" && k + 1 < argc) {
            golden = argv[++k];
        } else if (arg == "--repeat" && k + 1 < argc) {
            repeat = std::max(1, std::atoi(argv[++k]));
        } else if (arg == "--limit" && k + 1 < argc) {
            limit = static_cast<unsigned>(std::max(1, std::atoi(argv[++k])));
        } else if (arg == "--write" && k + 1 < argc) {
            write_to = argv[++k];
        } else if (arg == "--list") {
            list = true;
        } else if (std::atof(arg.c_str()) > 0) {
            sizes.push_back(std::atof(arg.c_str()));
        } else {
            std::cerr << kUsage;
            return 2;
        }
    }
    if (sizes.empty()) sizes = {2, 20};

    const std::vector<Bench> benches = find_benches(golden, only);
    if (list) {
        for (const Bench& bench : benches) std::printf("%s\t%s\n", bench.converter.c_str(), bench.case_dir.c_str());
        return 0;
    }
    if (!write_to.empty()) {
        fs::create_directories(write_to);
        int status = 0;
        for (const Bench& bench : benches) {
            const std::string fault =
                write_recording(write_to / bench.converter, qrb::test::read_file(bench.case_dir / "input"),
                                read_recipe(bench.case_dir / "bench"), static_cast<std::uint64_t>(sizes.front() * kMB));
            if (!fault.empty()) {
                std::cerr << bench.converter << ": " << fault << "\n";
                status = 1;
            }
        }
        return status;
    }
    const std::string at = size_text(sizes.back()) + " MB";
    std::printf("Processor time, best of %d or more runs, 1 MB = 10^6 bytes, recordings of %s", repeat, size_text(sizes.front()).c_str());
    for (std::size_t k = 1; k < sizes.size(); ++k) std::printf(", %s", size_text(sizes[k]).c_str());
    std::printf(" MB\n\n| converter | MB/s at %s | time %s / %s MB | peak / input at %s | boxes same |\n"
                "|---|---|---|---|---|\n",
                at.c_str(), at.c_str(), size_text(sizes.front()).c_str(), at.c_str());
    for (const Bench& bench : benches) std::printf("%s\n", bench_converter(bench, sizes, repeat, limit).c_str());
    return 0;
}
