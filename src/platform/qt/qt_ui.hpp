#pragma once
// The Ui of the window: QMessageBox, QFileDialog and the wait cursor.
#include <string>
#include <vector>

#include <QPointer>
#include <QWidget>

#include "platform/ui.hpp"

namespace qrb {

// The dialog's name filters for a "label|pattern|label|pattern" filter, or
// for a bare label (a label that ends in "(pattern)" filters by it). Patterns
// match without regard to case ("*.dat" also finds "RILIEVO.DAT"), "*.*"
// stands for every file, and the dialog shows the labels as they stand.
std::vector<std::string> dialog_name_filters(const std::string& filter);

class QtUi : public Ui {
public:
    explicit QtUi(QWidget* parent = nullptr) : parent_(parent) {}
    ~QtUi() override;
    void set_parent(QWidget* parent) { parent_ = parent; }

    int message_box(const std::string& text, const std::string& title, Icon icon, Buttons buttons) override;
    std::optional<std::string> open_file(const FileDialogRequest& request) override;
    std::optional<std::string> save_file(const FileDialogRequest& request) override;
    void set_busy(bool busy) override;

private:
    std::optional<std::string> file_dialog(const FileDialogRequest& request, bool save);

    QPointer<QWidget> parent_;
    int busy_depth_ = 0;
};

}  // namespace qrb
