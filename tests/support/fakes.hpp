#pragma once
// In-memory settings and a shell that records what it was asked to open.
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "platform/settings_store.hpp"
#include "platform/shell.hpp"

namespace qrb::test {

class MemorySettings : public SettingsStore {
public:
    std::string get(const std::string& application, const std::string& section, const std::string& key,
                    const std::string& fallback = {}) override
    {
        const auto it = values.find({application, section, key});
        return it == values.end() ? fallback : it->second;
    }
    void set(const std::string& application, const std::string& section, const std::string& key,
             const std::string& value) override
    {
        values[{application, section, key}] = value;
        writes.push_back(key + "=" + value);
    }
    // A value of application "Quarel_3D", section "import".
    void import(const std::string& key, const std::string& value) { set("Quarel_3D", "import", key, value); }
    bool has(const std::string& application, const std::string& section, const std::string& key) const
    {
        return values.count({application, section, key}) > 0;
    }

    std::map<std::tuple<std::string, std::string, std::string>, std::string> values;
    std::vector<std::string> writes;  // "key=value", in the order written
};

class RecordingShell : public Shell {
public:
    bool open(const std::string& target) override
    {
        opened.push_back(target);
        return true;
    }
    std::vector<std::string> opened;
};

}  // namespace qrb::test
