#include "platform/qt/system_folders.hpp"

#include <QCoreApplication>
#include <QStandardPaths>

namespace qrb {

std::string program_folder() { return QCoreApplication::applicationDirPath().toStdString(); }

std::string common_appdata_folder()
{
    const QString own = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    for (const QString& folder : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
        if (folder != own) return folder.toStdString();
    return program_folder();
}

}  // namespace qrb
