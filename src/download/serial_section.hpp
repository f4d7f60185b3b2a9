#pragma once
// The window's serial section: the communication settings, the commands of
// the selected recorder, the serial download, the format wizard and the
// download viewer, with the window variables they share. The window forwards
// its handlers here; the panels and the port are reached through interfaces.
#include <string>

#include "common/work_state.hpp"
#include "download/command_file.hpp"
#include "download/comm_settings.hpp"
#include "download/download_window.hpp"
#include "download/serial_download.hpp"
#include "platform/serial_port.hpp"
#include "platform/settings_store.hpp"
#include "platform/shell.hpp"
#include "platform/text_editor.hpp"
#include "platform/ui.hpp"

namespace qrb {

class SerialSection {
public:
    struct Env {
        WorkState& state;
        Ui& ui;
        SettingsStore& settings;
        Shell& shell;
        TextEditor& editor;
        SerialPort& port;
        DownloadWindow& window;
        ConfigPanelView& config;
        DownloadView& view;
        DownloadTimers& timers;
        std::string program_folder;  // where the command files are
    };

    explicit SerialSection(Env env);

    // The time-out and sequences in use; set from the settings at start.
    DownloadParams& params() { return params_; }
    const CommandTable& commands() const { return commands_; }
    bool wizard_active() const { return wizard_active_; }
    SerialDownload& download() { return download_; }

    // Loads the command file of the selected list entry (name without folder).
    void load_commands(const std::string& file_name);

    // "C&onfigura parametri".
    void show_settings_panel();
    // "Appli&ca i parametri configurati".
    void apply_settings();
    // The wizard's steps 1 and 2.
    void format_wizard_step(int step);
    // "&Leggi da strumento".
    void start_download();
    // "&Edita formato".
    void edit_download();
    // The wizard's last step, run by the dispatch for the wizard's entry.
    void wizard_send_sample(const std::string& sample_path);

private:
    Env env_;
    DownloadParams params_;
    CommandTable commands_;
    bool wizard_active_ = false;
    SerialDownload download_;
};

}  // namespace qrb
