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

// The Exec value of the default application for plain text, or nothing.
std::string text_editor_exec()
{
    QProcess query;
    query.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("text/plain")});
    if (!query.waitForFinished(3000) || query.exitCode() != 0) return {};
    const QString desktop_id = QString::fromLocal8Bit(query.readAllStandardOutput()).trimmed();
    if (desktop_id.isEmpty()) return {};
    const QString file_name = QStandardPaths::locate(QStandardPaths::ApplicationsLocation, desktop_id);
    QFile file(file_name);
    if (file_name.isEmpty() || !file.open(QIODevice::ReadOnly | QIODevice::Text)) return {};
    QTextStream in(&file);
    bool in_entry = false;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.startsWith(QLatin1Char('['))) in_entry = line == QLatin1String("[Desktop Entry]");
        else if (in_entry && line.startsWith(QLatin1String("Exec="))) return line.mid(5).toStdString();
    }
    return {};
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
    const auto command = desktop_exec_command(text_editor_exec(), path);
    if (!command.empty()) {
        QStringList arguments;
        for (std::size_t k = 1; k < command.size(); ++k) arguments << QString::fromStdString(command[k]);
        if (QProcess::startDetached(QString::fromStdString(command[0]), arguments)) return;
    }
    // No text editor registered: the desktop's handler of the file.
    QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
}

}  // namespace qrb
