#include "ui/window_serial.hpp"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "app/dispatch.hpp"
#include "ui/config_panel.hpp"
#include "ui/main_window.hpp"
#include "ui/widget_helpers.hpp"

namespace qrb {

WindowSerial::WindowSerial(MainWindow& window, Ui& ui, Shell& shell, SettingsStore& settings,
                           std::string program_folder)
    : QObject(&window), window_(window)
{
    controller_ = std::make_unique<SerialController>(
        SerialController::Services{window.state(), ui, settings, shell, *this, std::move(program_folder)},
        window.pan_config, window.frame_lett);
    SerialController* c = controller_.get();
    connect(window.btn_config, &QPushButton::clicked, c, &SerialController::btn_config_Click);
    connect(window.btn_impreg, &QPushButton::clicked, c, &SerialController::btn_impreg_Click);
    connect(window.btn_edit, &QPushButton::clicked, c, &SerialController::btn_edit_Click);

    WindowHooks hooks;
    hooks.load_commands = [c](const std::string& file) { c->load_commands(file); };
    hooks.wizard_first_step = [c] { c->wizard_first_step(); };
    hooks.wizard_send_sample = [c](const std::string& path) { c->wizard_send_sample(path); };
    hooks.close_port = [c] { c->close_port(); };
    hooks.settings_loaded = [c](const StartupSettings& s) {
        c->config_panel()->set_values(panel_values(s));
        c->section().params() = download_params(s.comm);
    };
    window.set_hooks(std::move(hooks));
}

WindowSerial::~WindowSerial() = default;

void WindowSerial::show_panel(Panel panel)
{
    switch (panel) {
    case Panel::Main: window_.show_panel(MainWindow::Panel::Main); break;
    case Panel::Config: window_.show_panel(MainWindow::Panel::Config); break;
    case Panel::Download: window_.show_panel(MainWindow::Panel::Download); break;
    }
}

void WindowSerial::set_status(const std::string& text) { window_.lbl_info->setText(q(text)); }

std::string WindowSerial::selected_entry() const { return window_.selected_entry_text(); }

bool WindowSerial::command_line_mode() const { return !window_.command_line_path().empty(); }

void WindowSerial::dispatch_import(const std::string& path)
{
    ImportContext ctx = window_.import_context();
    qrb::dispatch_import(ctx, window_.selected_entry_text(), path,
                         DispatchHooks{[this](const std::string& sample) { controller_->wizard_send_sample(sample); }});
}

void WindowSerial::close_window() { window_.close(); }

}  // namespace qrb
