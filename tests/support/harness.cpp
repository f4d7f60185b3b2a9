#include "support/harness.hpp"

#include <atomic>
#include <fstream>
#include <sstream>

#include <unistd.h>

#include "common/failure.hpp"

namespace qrb::test {

std::string read_file(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void write_file(const std::filesystem::path& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string crlf(const std::vector<std::string>& lines)
{
    std::string out;
    for (const auto& l : lines) out += l + "\r\n";
    return out;
}

int failure_code(const std::function<void()>& f)
{
    try {
        f();
    } catch (const RunError& e) {
        return e.code();
    }
    return 0;
}

std::string samples_missing(const std::filesystem::path& folder)
{
    return "public recordings not found at " + folder.string() +
           " (they are the shared folder's samples/, expected as ../shared/samples beside the checkout)";
}

TempDir::TempDir()
{
    static std::atomic<int> counter{0};
    path_ = std::filesystem::temp_directory_path() /
            ("qrb-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
}

TempDir::~TempDir()
{
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

void Harness::cli(bool on) { command_line_path = on ? output_path().string() : std::string(); }

RunResult Harness::run(const ConverterFn& converter, const std::string& input_bytes)
{
    write_file(input_path(), input_bytes);
    std::filesystem::remove(output_path());
    if (command_line_path.empty()) ui.save_result = output_path().string();
    ui.boxes.clear();
    ImportContext ctx{state, ui, options, command_line_path, clock};
    converter(ctx, input_path().string());
    RunResult r;
    r.book_exists = std::filesystem::exists(output_path());
    if (r.book_exists) r.book = read_file(output_path());
    r.boxes = ui.box_lines();
    r.busy_after = ui.busy;
    return r;
}

}  // namespace qrb::test
