#include "platform/qt/qt_shell.hpp"

#include <QDesktopServices>
#include <QString>
#include <QUrl>

namespace qrb {

bool QtShell::open(const std::string& target)
{
    const QString t = QString::fromStdString(target);
    if (t.isEmpty()) return false;
    const bool link = t.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive) || t.contains(QLatin1String("://"));
    return QDesktopServices::openUrl(link ? QUrl(t) : QUrl::fromLocalFile(t));
}

}  // namespace qrb
