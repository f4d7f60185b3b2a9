#pragma once
// The download panel: the echo box with a black background, the progress
// text and its moving mark, the command box with its description, and the
// buttons that send a command and interrupt the download.
#include <string>

#include <QWidget>

#include "download/command_file.hpp"
#include "download/download_window.hpp"

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace qrb {

class DownloadPanel : public QWidget, public DownloadView {
    Q_OBJECT

public:
    explicit DownloadPanel(QWidget* parent = nullptr);

    void set_echo(const std::string& text) override;
    void set_progress_text(const std::string& text) override;
    void set_progress_mark(int left) override;
    void clear_command_box() override;

    // Fills the command box's list with the commands, in file order.
    void set_commands(const CommandTable& table);

    QPlainTextEdit* txt_dati = nullptr;
    QLabel* info = nullptr;
    QFrame* Shape = nullptr;
    QComboBox* txt_comando = nullptr;
    QLabel* desc_comm = nullptr;
    QPushButton* btn_comando = nullptr;
    QCheckBox* op_linefeed = nullptr;
    QPushButton* btn_interr = nullptr;

signals:
    // "<- I&nvia comando": the command box's text (UTF-8) and "+ &LineFeed".
    void command_requested(const std::string& command, bool carriage_return);
    // "&Interrompi".
    void interrupt_requested();

public slots:
    void txt_comando_Change();
    void txt_comando_Click(int position);

private:
    CommandTable commands_;
};

}  // namespace qrb
