// libFuzzer target for every converter that is built. The first input byte
// is a list position (modulo the list's length); an entry without a
// converter gives way to the next entry in list order that has one. The
// other bytes are the recorder file, converted in command-line mode with the
// scripted Ui's default answers.
//
// Seeds live in tests/fuzz_corpus/<converter>/. Before fuzzing they are
// turned into inputs, each prefixed with the position of the first entry of
// its converter:
//   fuzz_import --prepare-corpus tests/fuzz_corpus OUT_DIR
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <iterator>
#include <string>
#include <string_view>

#include <unistd.h>

#include "app/dispatch.hpp"
#include "app/instrument_list.hpp"
#include "book/import_context.hpp"
#include "common/work_state.hpp"
#include "importers/importers.hpp"
#include "support/scripted_ui.hpp"

namespace {

namespace fs = std::filesystem;

// The entry that the first byte picks, or nothing when no converter is built.
const qrb::InstrumentEntry* pick_entry(std::uint8_t byte)
{
    const auto list = qrb::instrument_list();
    for (std::size_t k = 0; k < list.size(); ++k) {
        const qrb::InstrumentEntry& entry = list[(byte + k) % list.size()];
        if (qrb::find_converter(entry.converter)) return &entry;
    }
    return nullptr;
}

// Copies every seed of SEEDS/<converter>/ into OUT with its first byte.
int prepare_corpus(const fs::path& seeds, const fs::path& out)
{
    fs::create_directories(out);
    const auto list = qrb::instrument_list();
    int prepared = 0;
    for (const auto& dir : fs::directory_iterator(seeds)) {
        if (!dir.is_directory()) continue;
        const std::string converter = dir.path().filename().string();
        std::size_t position = list.size();
        for (std::size_t k = 0; k < list.size(); ++k)
            if (list[k].converter == converter) {
                position = k;
                break;
            }
        if (position == list.size() || !qrb::find_converter(converter)) {
            std::cerr << "fuzz_import: " << converter << " is not built, its seeds are left out\n";
            continue;
        }
        for (const auto& seed : fs::directory_iterator(dir.path())) {
            if (!seed.is_regular_file()) continue;
            std::ifstream in(seed.path(), std::ios::binary);
            const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            std::ofstream o(out / (converter + "-" + seed.path().filename().string()), std::ios::binary);
            o.put(static_cast<char>(position));
            o << bytes;
            ++prepared;
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
    if (*argc == 4 && std::string_view((*argv)[1]) == "--prepare-corpus")
        std::exit(prepare_corpus((*argv)[2], (*argv)[3]));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0) return 0;
    const qrb::InstrumentEntry* entry = pick_entry(data[0]);
    if (!entry) return 0;

    const fs::path input = work_folder() / "input.dat";
    {
        std::ofstream file(input, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(data + 1), static_cast<std::streamsize>(size - 1));
    }
    qrb::WorkState state;
    qrb::test::ScriptedUi ui;
    const qrb::ImportOptions options;
    qrb::ImportContext ctx{state, ui, options, (work_folder() / "output.qrb").string()};
    qrb::dispatch_import(ctx, entry->text, input.string());
    return 0;
}
