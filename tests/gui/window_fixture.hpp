#pragma once
// A main window on the offscreen platform with a scripted Ui, in-memory
// settings and a recording shell.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>

#include "support/fakes.hpp"
#include "support/harness.hpp"
#include "support/scripted_ui.hpp"
#include "ui/main_window.hpp"

namespace qrb::test {

struct WindowFixture : ::testing::Test {
    ScriptedUi ui;
    RecordingShell shell;
    MemorySettings settings;
    TempDir dir;
    std::vector<std::string> commands_loaded;
    std::vector<std::string> wizard_samples;
    int wizard_started = 0;
    int port_closed = 0;
    std::unique_ptr<MainWindow> window;

    std::string program_folder() const { return (dir / "programma").string(); }
    std::string shared_folder() const { return (dir / "condivisa").string(); }

    // Creates, shows and loads the window.
    MainWindow& open(const std::string& command_line = "")
    {
        window = std::make_unique<MainWindow>(ui, shell, settings,
                                              StartupEnvironment{program_folder(), shared_folder(), command_line});
        WindowHooks hooks;
        hooks.load_commands = [this](const std::string& file) { commands_loaded.push_back(file); };
        hooks.wizard_first_step = [this] { ++wizard_started; };
        hooks.wizard_send_sample = [this](const std::string& path) { wizard_samples.push_back(path); };
        hooks.close_port = [this] { ++port_closed; };
        window->set_hooks(std::move(hooks));
        window->show();
        window->form_load();
        return *window;
    }

    std::string import_setting(const std::string& key) { return settings.get("Quarel_3D", "import", key, "<none>"); }
};

inline std::string text_of(const QString& s) { return s.toStdString(); }

}  // namespace qrb::test
