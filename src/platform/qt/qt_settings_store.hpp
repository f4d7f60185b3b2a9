#pragma once
// The settings as one INI-style file per application ("Quarel_3D.ini",
// "QuarelN.ini") in the user's configuration folder, shared with the host
// application that writes "lavori", "res_dir" and "resdir".
#include <string>

#include "platform/settings_store.hpp"

namespace qrb {

class QtSettingsStore : public SettingsStore {
public:
    // An empty folder means the user's configuration folder.
    explicit QtSettingsStore(std::string folder = {});

    std::string get(const std::string& application, const std::string& section, const std::string& key,
                    const std::string& fallback = {}) override;
    void set(const std::string& application, const std::string& section, const std::string& key,
             const std::string& value) override;

    // The file that holds the settings of `application`.
    std::string file_of(const std::string& application) const;

private:
    std::string folder_;
};

}  // namespace qrb
