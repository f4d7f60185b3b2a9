#pragma once
// The serial section in the main window: its two panels in the window's
// places for them, the buttons "C&onfigura parametri", "&Leggi da
// strumento" and "&Edita formato", and the window's hooks for the command
// files, the format wizard and the serial port.
#include <memory>
#include <string>

#include <QObject>

#include "download/download_window.hpp"
#include "ui/serial_controller.hpp"

namespace qrb {

class MainWindow;

class WindowSerial : public QObject, public DownloadWindow {
    Q_OBJECT

public:
    // Call before the window's form_load.
    WindowSerial(MainWindow& window, Ui& ui, Shell& shell, SettingsStore& settings, std::string program_folder);
    ~WindowSerial() override;

    SerialController& controller() { return *controller_; }

    void show_panel(Panel panel) override;
    void set_status(const std::string& text) override;
    std::string selected_entry() const override;
    bool command_line_mode() const override;
    void dispatch_import(const std::string& path) override;
    void close_window() override;

private:
    MainWindow& window_;
    std::unique_ptr<SerialController> controller_;
};

}  // namespace qrb
