#include "support/test_home.hpp"

#include <cstdlib>
#include <filesystem>
#include <string>

namespace qrb::test {

void use_test_home()
{
    const std::filesystem::path home = QRB_TEST_HOME;
    const struct {
        const char* variable;
        const char* folder;
    } folders[] = {
        {"HOME", "home"},
        {"XDG_CONFIG_HOME", "home/.config"},
        {"XDG_DATA_HOME", "home/.local/share"},
        {"XDG_CACHE_HOME", "home/.cache"},
        {"XDG_STATE_HOME", "home/.local/state"},
    };
    for (const auto& f : folders) {
        const std::filesystem::path path = home / f.folder;
        std::error_code ec;
        std::filesystem::create_directories(path, ec);
        ::setenv(f.variable, path.c_str(), 1);
    }
}

}  // namespace qrb::test
