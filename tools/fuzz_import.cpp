// libFuzzer target for every converter that is built. The first input byte
// picks a converter of the registry (modulo its length); the other bytes are
// the recorder file, converted in command-line mode with the scripted Ui's
// default answers.
//
// Seeds are the files of tests/fuzz_corpus/<converter>/ and the inputs of the
// golden cases, tests/golden/<converter>/<case>/input. Before fuzzing they
// are turned into inputs, each prefixed with its converter's position:
//   fuzz_import --prepare-corpus OUT_DIR tests/fuzz_corpus tests/golden
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <unistd.h>

#include "book/import_context.hpp"
#include "common/work_state.hpp"
#include "importers/registry.hpp"
#include "support/scripted_ui.hpp"

namespace {

namespace fs = std::filesystem;

// The position of a converter in the registry, or nothing.
std::optional<std::size_t> converter_position(std::string_view name)
{
    const auto converters = qrb::registered_converters();
    for (std::size_t k = 0; k < converters.size(); ++k)
        if (converters[k].name == name) return k;
    return std::nullopt;
}

// Copies a seed into OUT with its converter's position as first byte.
void prepare_seed(const fs::path& seed, std::size_t position, const fs::path& out, const std::string& name)
{
    std::ifstream in(seed, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::ofstream o(out / name, std::ios::binary);
    o.put(static_cast<char>(position));
    o << bytes;
}

// Every file of ROOT/<converter>/, and every ROOT/<converter>/<case>/input.
int prepare_corpus(const fs::path& out, const std::vector<fs::path>& roots)
{
    fs::create_directories(out);
    int prepared = 0;
    for (const fs::path& root : roots) {
        for (const auto& dir : fs::directory_iterator(root)) {
            if (!dir.is_directory()) continue;
            const std::string converter = dir.path().filename().string();
            const auto position = converter_position(converter);
            if (!position) {
                std::cerr << "fuzz_import: " << converter << " is not built, its seeds are left out\n";
                continue;
            }
            for (const auto& item : fs::directory_iterator(dir.path())) {
                const std::string base = converter + "-" + root.filename().string() + "-" + item.path().filename().string();
                if (item.is_regular_file()) {
                    prepare_seed(item.path(), *position, out, base);
                    ++prepared;
                } else if (item.is_directory() && fs::is_regular_file(item.path() / "input")) {
                    prepare_seed(item.path() / "input", *position, out, base);
                    ++prepared;
                }
            }
        }
    }
    std::cerr << "fuzz_import: " << prepared << " seeds prepared in " << out.string() << "\n";
    return prepared > 0 ? 0 : 1;
}

// A folder of this process for the input and output files, removed at exit
// (the path is never destroyed, so that the exit handler can use it).
const fs::path& work_folder()
{
    static const fs::path* const folder = [] {
        auto* f = new fs::path(fs::temp_directory_path() / ("qrb-fuzz-" + std::to_string(::getpid())));
        fs::create_directories(*f);
        std::atexit([] {
            std::error_code ec;
            fs::remove_all(work_folder(), ec);
        });
        return f;
    }();
    return *folder;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    if (*argc >= 4 && std::string_view((*argv)[1]) == "--prepare-corpus")
        std::exit(prepare_corpus((*argv)[2], std::vector<fs::path>(*argv + 3, *argv + *argc)));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0) return 0;
    const auto converters = qrb::registered_converters();
    if (converters.empty()) return 0;
    const qrb::RegisteredConverter& converter = converters[data[0] % converters.size()];

    const fs::path input = work_folder() / "input.dat";
    {
        std::ofstream file(input, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(data + 1), static_cast<std::streamsize>(size - 1));
    }
    qrb::WorkState state;
    qrb::test::ScriptedUi ui;
    const qrb::ImportOptions options;
    qrb::ImportContext ctx{state, ui, options, (work_folder() / "output.qrb").string()};
    converter.run(ctx, input.string());
    return 0;
}
