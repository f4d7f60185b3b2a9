#pragma once
// Puts the serial section into the window: the communication-settings panel
// and the download panel in their places, the serial port, the two
// one-second timers, and the handlers of the buttons that belong to it.
#include <memory>
#include <string>

#include <QObject>
#include <QTimer>

#include "download/serial_section.hpp"
#include "platform/qt/qt_serial_port.hpp"
#include "platform/qt/qt_text_editor.hpp"

class QWidget;

namespace qrb {

class ConfigPanel;
class DownloadPanel;

class SerialController : public QObject, public DownloadTimers {
    Q_OBJECT

public:
    struct Services {
        WorkState& state;
        Ui& ui;
        SettingsStore& settings;
        Shell& shell;
        DownloadWindow& window;
        std::string program_folder;  // where the command files are
    };

    // The panels are built inside the two containers the window keeps for them.
    SerialController(Services services, QWidget* config_host, QWidget* download_host, QObject* parent = nullptr);
    ~SerialController() override;

    SerialSection& section() { return *section_; }
    ConfigPanel* config_panel() const { return config_panel_; }
    DownloadPanel* download_panel() const { return download_panel_; }
    QtSerialPort& port() { return port_; }

    void set_timeout_timer(bool running) override;
    void set_silence_timer(bool running) override;

    // Loads a recorder's command file and fills the command box.
    void load_commands(const std::string& file_name);

public slots:
    void btn_config_Click();  // "C&onfigura parametri"
    void Command4_Click();    // "Appli&ca i parametri configurati"
    void btn_impreg_Click();  // "&Leggi da strumento"
    void btn_edit_Click();    // "&Edita formato"
    void btn_interr_Click();  // "&Interrompi"
    void wizard_first_step();
    void wizard_send_sample(const std::string& sample_path);
    // The window closes: a download's port is closed.
    void close_port();

private:
    QtSerialPort port_;
    QtTextEditor editor_;
    QTimer timer1_;
    QTimer timer2_;
    ConfigPanel* config_panel_ = nullptr;
    DownloadPanel* download_panel_ = nullptr;
    std::unique_ptr<SerialSection> section_;
};

}  // namespace qrb
