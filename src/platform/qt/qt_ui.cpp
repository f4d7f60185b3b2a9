#include "platform/qt/qt_ui.hpp"

#include <algorithm>
#include <cctype>

#include <QApplication>
#include <QFileDialog>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QScreen>
#include <QSpacerItem>

namespace qrb {

namespace {

// "*.dat" -> "*.[dD][aA][tT]"; "*.*" -> "*".
std::string case_blind_pattern(const std::string& pattern)
{
    if (pattern == "*.*") return "*";
    std::string out;
    for (char c : pattern) {
        const auto u = static_cast<unsigned char>(c);
        if (std::isalpha(u) && u < 0x80) {
            out += '[';
            out += static_cast<char>(std::tolower(u));
            out += static_cast<char>(std::toupper(u));
            out += ']';
        } else {
            out += c;
        }
    }
    return out;
}

std::vector<std::string> split_bars(const std::string& s)
{
    std::vector<std::string> parts;
    std::string part;
    for (char c : s) {
        if (c == '|') {
            parts.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    parts.push_back(part);
    return parts;
}

QMessageBox::Icon qt_icon(Icon icon)
{
    switch (icon) {
    case Icon::Information: return QMessageBox::Information;
    case Icon::Exclamation: return QMessageBox::Warning;
    case Icon::Critical: return QMessageBox::Critical;
    case Icon::Question: return QMessageBox::Question;
    case Icon::None: break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons qt_buttons(Buttons buttons)
{
    switch (buttons) {
    case Buttons::Ok: return QMessageBox::Ok;
    case Buttons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case Buttons::AbortRetryIgnore: return QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
    case Buttons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case Buttons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case Buttons::RetryCancel: return QMessageBox::Retry | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

// The first button of each set is the default one.
QMessageBox::StandardButton first_button(Buttons buttons)
{
    switch (buttons) {
    case Buttons::Ok:
    case Buttons::OkCancel: return QMessageBox::Ok;
    case Buttons::AbortRetryIgnore: return QMessageBox::Abort;
    case Buttons::YesNoCancel:
    case Buttons::YesNo: return QMessageBox::Yes;
    case Buttons::RetryCancel: return QMessageBox::Retry;
    }
    return QMessageBox::Ok;
}

// The answer when the box is closed without a button.
int closed_answer(Buttons buttons)
{
    switch (buttons) {
    case Buttons::Ok: return kOk;
    case Buttons::YesNo: return kNo;
    case Buttons::AbortRetryIgnore: return kAbort;
    case Buttons::OkCancel:
    case Buttons::YesNoCancel:
    case Buttons::RetryCancel: break;
    }
    return kCancel;
}

int answer_of(int button, Buttons buttons)
{
    switch (button) {
    case QMessageBox::Ok: return kOk;
    case QMessageBox::Cancel: return kCancel;
    case QMessageBox::Abort: return kAbort;
    case QMessageBox::Retry: return kRetry;
    case QMessageBox::Ignore: return kIgnore;
    case QMessageBox::Yes: return kYes;
    case QMessageBox::No: return kNo;
    default: return closed_answer(buttons);
    }
}

// Qt makes a box as wide as its text, allowing only 50 pixels beside the
// title for the title bar's icon and buttons, so the window manager cuts the
// title of a box with a short text. An empty row as wide as the title and
// the title bar's own room keeps the whole title in view (never wider than
// the screen).
void fit_title(QMessageBox& box)
{
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid) return;
    constexpr int kTitleBarRoom = 160;  // window icon and the close, minimise and maximise buttons
    int width = QFontMetrics(QApplication::font("QMdiSubWindowTitleBar")).horizontalAdvance(box.windowTitle()) +
                kTitleBarRoom;
    if (const QScreen* screen = box.screen()) width = std::min(width, screen->availableGeometry().width());
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
                  grid->columnCount());
}

}  // namespace

std::vector<std::string> dialog_name_filters(const std::string& filter)
{
    const std::vector<std::string> parts = split_bars(filter);
    if (parts.size() < 2) {
        // A bare label that ends in its pattern, such as "Quarel Rilievo
        // (*.qrb)": shown whole, the pattern matched without regard to case.
        const std::size_t open = filter.rfind('(');
        if (open == std::string::npos || filter.empty() || filter.back() != ')') return {filter};
        const std::string pattern = filter.substr(open + 1, filter.size() - open - 2);
        return {filter + " (" + case_blind_pattern(pattern) + ")"};
    }
    std::vector<std::string> filters;
    for (std::size_t k = 0; k + 1 < parts.size(); k += 2)
        filters.push_back(parts[k] + " (" + case_blind_pattern(parts[k + 1]) + ")");
    return filters;
}

QtUi::~QtUi()
{
    while (busy_depth_ > 0) set_busy(false);
}

int QtUi::message_box(const std::string& text, const std::string& title, Icon icon, Buttons buttons)
{
    QMessageBox box(parent_.data());
    box.setWindowTitle(QString::fromStdString(title));
    box.setText(QString::fromStdString(text));
    box.setTextFormat(Qt::PlainText);
    box.setIcon(qt_icon(icon));
    box.setStandardButtons(qt_buttons(buttons));
    box.setDefaultButton(first_button(buttons));
    fit_title(box);
    // The arrow, not the wait cursor, while the user reads a box.
    const bool busy = busy_depth_ > 0;
    if (busy) QApplication::setOverrideCursor(Qt::ArrowCursor);
    const int button = box.exec();
    if (busy) QApplication::restoreOverrideCursor();
    return answer_of(button, buttons);
}

std::optional<std::string> QtUi::file_dialog(const FileDialogRequest& request, bool save)
{
    QFileDialog dialog(parent_.data(), QString::fromStdString(request.title),
                       QString::fromStdString(request.initial_folder));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (save && !request.overwrite_prompt) dialog.setOption(QFileDialog::DontConfirmOverwrite);
    QStringList filters;
    for (const auto& f : dialog_name_filters(request.filter)) filters << QString::fromStdString(f);
    if (!request.filter.empty()) dialog.setNameFilters(filters);
    if (!request.file_name.empty()) dialog.selectFile(QString::fromStdString(request.file_name));
    const bool busy = busy_depth_ > 0;
    if (busy) QApplication::setOverrideCursor(Qt::ArrowCursor);
    const int result = dialog.exec();
    if (busy) QApplication::restoreOverrideCursor();
    if (result != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().front().toStdString();
}

std::optional<std::string> QtUi::open_file(const FileDialogRequest& request)
{
    FileDialogRequest r = request;
    if (r.title.empty()) r.title = "Apri";
    return file_dialog(r, false);
}

std::optional<std::string> QtUi::save_file(const FileDialogRequest& request)
{
    FileDialogRequest r = request;
    if (r.title.empty()) r.title = "Salva con nome";
    return file_dialog(r, true);
}

void QtUi::set_busy(bool busy)
{
    if (busy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        ++busy_depth_;
    } else if (busy_depth_ > 0) {
        QApplication::restoreOverrideCursor();
        --busy_depth_;
    }
}

}  // namespace qrb
