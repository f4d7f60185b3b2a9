#pragma once
// Per-user application settings: string values by application, section and key.
#include <string>

namespace qrb {

class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // The stored value, or `fallback` when there is none.
    virtual std::string get(const std::string& application, const std::string& section, const std::string& key,
                            const std::string& fallback = {}) = 0;
    virtual void set(const std::string& application, const std::string& section, const std::string& key,
                     const std::string& value) = 0;
};

}  // namespace qrb
