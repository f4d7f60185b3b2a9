#pragma once
// The communication-settings panel: port, baud rate, data bits, parity,
// stop bits, time-out, flow control, start and end sequences with their
// CR LF options, download folder and extension, and the button that applies
// them.
#include <functional>
#include <optional>
#include <string>

#include <QWidget>

#include "download/download_window.hpp"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace qrb {

class ConfigPanel : public QWidget, public ConfigPanelView {
    Q_OBJECT

public:
    explicit ConfigPanel(QWidget* parent = nullptr);

    CommPanelValues values() const override;
    void set_values(const CommPanelValues& values);

    // The folder chooser; by default the system's folder dialog. Returns the
    // chosen folder, or nothing when the user cancels.
    using FolderChooser = std::function<std::optional<std::string>(QWidget* owner, const std::string& title)>;
    void set_folder_chooser(FolderChooser chooser) { choose_folder_ = std::move(chooser); }

    QComboBox* porta = nullptr;
    QComboBox* baud = nullptr;
    QComboBox* bit_dati = nullptr;
    QComboBox* parita = nullptr;
    QComboBox* bit_stop = nullptr;
    QLineEdit* txt_timeout = nullptr;
    QCheckBox* op_dtr = nullptr;
    QCheckBox* op_rts = nullptr;
    QCheckBox* op_xon = nullptr;
    QLineEdit* txt_seqi = nullptr;
    QLineEdit* txt_seqf = nullptr;
    QCheckBox* op_crlf = nullptr;
    QCheckBox* op_agg_crlf = nullptr;
    QLineEdit* dir_scarico = nullptr;
    QToolButton* Command7 = nullptr;
    QLineEdit* txt_est = nullptr;
    QPushButton* Command4 = nullptr;

signals:
    // "Appli&ca i parametri configurati".
    void apply_requested();

public slots:
    // The picture button beside the download folder.
    void Command7_Click();

private:
    FolderChooser choose_folder_;
};

}  // namespace qrb
