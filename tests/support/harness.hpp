#pragma once
// Runs a conversion on bytes written to a temporary file and gives back the
// survey book's bytes and the boxes shown.
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "book/import_context.hpp"
#include "support/scripted_ui.hpp"

namespace qrb::test {

std::string read_file(const std::filesystem::path& path);
void write_file(const std::filesystem::path& path, const std::string& bytes);
// Lines joined with CR LF, each line ended by CR LF.
std::string crlf(const std::vector<std::string>& lines);

// The run-time error code a call fails with; 0 when it does not fail.
int failure_code(const std::function<void()>& f);

// Why a test of the public recordings is skipped: they are looked for in
// ../shared/samples beside the checkout.
std::string samples_missing(const std::filesystem::path& folder);

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

struct RunResult {
    std::string book;                // bytes of the output file ("" when none)
    bool book_exists = false;
    std::vector<std::string> boxes;  // box lines
    bool busy_after = false;         // the busy pointer still shown at the end
};

using ConverterFn = std::function<void(ImportContext&, const std::string&)>;

struct Harness {
    WorkState state;
    ScriptedUi ui;
    ImportOptions options;
    std::string command_line_path;  // set by cli()
    Clock clock;                    // empty: the system's local time
    TempDir dir;

    // Command-line mode: the output goes to the command-line path.
    void cli(bool on = true);
    RunResult run(const ConverterFn& converter, const std::string& input_bytes);
    std::filesystem::path output_path() const { return dir / "out.qrb"; }
    std::filesystem::path input_path() const { return dir / "input.dat"; }
};

}  // namespace qrb::test
