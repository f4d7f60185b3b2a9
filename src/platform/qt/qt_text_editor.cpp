#include "platform/qt/qt_text_editor.hpp"

#include <QDesktopServices>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QTextStream>
#include <QUrl>

namespace qrb {

namespace {

// Splits an Exec value into arguments; double quotes group, "\" escapes.
std::vector<std::string> split_exec(const std::string& exec)
{
    std::vector<std::string> out;
    std::string current;
    bool quoted = false;
    bool any = false;
    for (std::size_t k = 0; k < exec.size(); ++k) {
        const char c = exec[k];
        if (quoted && c == '\\' && k + 1 < exec.size()) {
            current += exec[++k];
        } else if (c == '"') {
            quoted = !quoted;
            any = true;
        } else if (!quoted && (c == ' ' || c == '\t')) {
            if (any || !current.empty()) out.push_back(current);
            current.clear();
            any = false;
        } else {
            current += c;
        }
    }
    if (any || !current.empty()) out.push_back(current);
    return out;
}

// What a desktop entry says about starting its application.
struct DesktopEntry {
    std::string exec;
    bool terminal = false;  // a program that runs in a terminal
};

// The Exec and Terminal keys of a desktop entry file, read from its
// [Desktop Entry] group alone (actions and other groups have keys of the
// same names). Blanks around "=" are ignored; "true", or "1" as GLib also
// reads it, is a true boolean.
DesktopEntry read_desktop_entry(const QString& file_name)
{
    DesktopEntry entry;
    QFile file(file_name);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return entry;
    QTextStream in(&file);
    bool in_entry = false;
    bool exec_seen = false;
    bool terminal_seen = false;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
        if (line.startsWith(QLatin1Char('['))) {
            in_entry = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (!in_entry || equals < 0) continue;
        const QString key = line.left(equals).trimmed();
        const QString value = line.mid(equals + 1).trimmed();
        if (key == QLatin1String("Exec") && !exec_seen) {
            entry.exec = value.toStdString();
            exec_seen = true;
        } else if (key == QLatin1String("Terminal") && !terminal_seen) {
            entry.terminal = value == QLatin1String("true") || value == QLatin1String("1");
            terminal_seen = true;
        }
    }
    return entry;
}

// The desktop entry of the default application for plain text; an empty
// Exec when there is none.
DesktopEntry text_editor_entry()
{
    QProcess query;
    query.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("text/plain")});
    if (!query.waitForFinished(3000) || query.exitCode() != 0) return {};
    const QString desktop_id = QString::fromLocal8Bit(query.readAllStandardOutput()).trimmed();
    if (desktop_id.isEmpty()) return {};
    const QString file_name = QStandardPaths::locate(QStandardPaths::ApplicationsLocation, desktop_id);
    if (file_name.isEmpty()) return {};
    return read_desktop_entry(file_name);
}

// Starts a program for a terminal in the desktop's terminal emulator, which
// on Debian takes the command and its arguments, one argument each, after -e.
bool start_in_terminal(const QString& program, const QStringList& arguments)
{
    const QString terminal = QStandardPaths::findExecutable(QStringLiteral("x-terminal-emulator"));
    if (terminal.isEmpty()) return false;
    return QProcess::startDetached(terminal, QStringList{QStringLiteral("-e"), program} + arguments);
}

}  // namespace

std::vector<std::string> desktop_exec_command(const std::string& exec, const std::string& path)
{
    std::vector<std::string> out;
    bool file_given = false;
    for (const auto& arg : split_exec(exec)) {
        if (arg == "%f" || arg == "%F" || arg == "%u" || arg == "%U") {
            out.push_back(path);
            file_given = true;
        } else if (arg.size() == 2 && arg[0] == '%') {
            continue;  // %i, %c, %k and the like
        } else {
            out.push_back(arg);
        }
    }
    if (!out.empty() && !file_given) out.push_back(path);
    return out;
}

void QtTextEditor::edit(const std::string& path)
{
    const DesktopEntry editor = text_editor_entry();
    const auto command = desktop_exec_command(editor.exec, path);
    if (!command.empty()) {
        const QString program = QString::fromStdString(command[0]);
        QStringList arguments;
        for (std::size_t k = 1; k < command.size(); ++k) arguments << QString::fromStdString(command[k]);
        // Started on its own, a program for a terminal shows nothing.
        if (editor.terminal ? start_in_terminal(program, arguments) : QProcess::startDetached(program, arguments)) return;
    }
    // No text editor registered, or it could not be started (a program for a
    // terminal without a terminal emulator included): the desktop's handler of
    // the file, which may know a terminal of its own.
    QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
}

}  // namespace qrb
