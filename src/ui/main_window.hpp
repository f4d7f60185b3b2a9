#pragma once
// The main window "Quarel - Import": the status line, the three panels shown
// one at a time, the instrument list, the general options and the buttons.
// It owns the work state and the import options; the rules live in src/app.
#include <exception>
#include <functional>
#include <string>

#include <QWidget>

#include "app/settings_model.hpp"
#include "book/import_context.hpp"
#include "common/work_state.hpp"
#include "platform/settings_store.hpp"
#include "platform/shell.hpp"
#include "platform/ui.hpp"

class QCheckBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;
class QStackedWidget;

namespace qrb {

// What the serial download and the format wizard add to the window.
struct WindowHooks {
    // Loads a recorder's command file into the download panel.
    std::function<void(const std::string& command_file)> load_commands;
    // The format wizard's first step, and its last one with a sample file.
    std::function<void()> wizard_first_step;
    std::function<void(const std::string& input_path)> wizard_send_sample;
    // Closes the serial port when a download holds it open.
    std::function<void()> close_port;
    // The settings have been read, before the stored entry is selected: the
    // communication-settings panel shows them.
    std::function<void(const StartupSettings& settings)> settings_loaded;
};

class MainWindow : public QWidget {
    Q_OBJECT

public:
    MainWindow(Ui& ui, Shell& shell, SettingsStore& settings, StartupEnvironment env, QWidget* parent = nullptr);

    // Set before form_load: the selection of the stored entry uses them.
    void set_hooks(WindowHooks hooks) { hooks_ = std::move(hooks); }

    // Reads the settings, fills the instrument list, keeps the command line
    // and selects the stored entry.
    void form_load();

    enum class Panel { Main, Config, Download };
    void show_panel(Panel panel);

    WorkState& state() { return state_; }
    CommSettings& comm() { return comm_; }
    const std::string& command_line_path() const { return command_line_path_; }
    const std::string& appdata_folder() const { return appdata_folder_; }
    // The options as the controls show them now.
    const ImportOptions& import_options();
    // The context a conversion runs in.
    ImportContext import_context();
    // The text of the selected list entry ("" when none).
    std::string selected_entry_text() const;
    // True once the window has been unloaded.
    bool ended() const { return ended_; }

    // The controls, by their names.
    QLabel* lbl_info = nullptr;
    QStackedWidget* panels = nullptr;
    QWidget* pan_princ = nullptr;
    QGroupBox* pan_config = nullptr;  // filled by the communication-settings panel
    QGroupBox* frame_lett = nullptr;  // filled by the download panel
    QPushButton* btn_config = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* btn_impreg = nullptr;
    QPushButton* btn_edit = nullptr;
    QPushButton* Command5 = nullptr;
    QPushButton* Command2 = nullptr;
    QListWidget* list_reg = nullptr;
    QLabel* tipo = nullptr;
    QLabel* lab_num = nullptr;
    QCheckBox* op_gen = nullptr;
    QRadioButton* tipo_iz = nullptr;
    QRadioButton* tipo_od = nullptr;
    QCheckBox* op_note = nullptr;

signals:
    // The window was unloaded: the program ends.
    void program_ended();

public slots:
    void Command1_Click();  // "&Importa da file"
    void Command2_Click();  // "&Chiudi"
    void Command5_Click();  // "I&nfo"
    void list_reg_Click();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void build();
    void select_entry(int position);
    void form_unload();

    Ui& ui_;
    Shell& shell_;
    SettingsStore& settings_;
    StartupEnvironment env_;
    WindowHooks hooks_;

    WorkState state_;
    ImportOptions options_;
    CommSettings comm_;
    std::string command_line_path_;
    std::string appdata_folder_;
    bool ended_ = false;
    bool loading_ = false;
    std::exception_ptr load_failure_;
};

}  // namespace qrb
