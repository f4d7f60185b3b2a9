#include "platform/qt/qt_settings_store.hpp"

#include <QSettings>
#include <QStandardPaths>
#include <QStringList>

namespace qrb {

namespace {

QString key_path(const std::string& section, const std::string& key)
{
    return QString::fromStdString(section) + QLatin1Char('/') + QString::fromStdString(key);
}

}  // namespace

QtSettingsStore::QtSettingsStore(std::string folder) : folder_(std::move(folder))
{
    if (folder_.empty())
        folder_ = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation).toStdString();
}

std::string QtSettingsStore::file_of(const std::string& application) const
{
    return folder_ + "/" + application + ".ini";
}

std::string QtSettingsStore::get(const std::string& application, const std::string& section, const std::string& key,
                                 const std::string& fallback)
{
    const QSettings settings(QString::fromStdString(file_of(application)), QSettings::IniFormat);
    const QVariant value = settings.value(key_path(section, key));
    if (!value.isValid()) return fallback;
    // An unquoted value with commas, as another program may write it, is
    // read by QSettings as a list: give back the text.
    if (value.typeId() == QMetaType::QStringList) return value.toStringList().join(QLatin1String(", ")).toStdString();
    return value.toString().toStdString();
}

void QtSettingsStore::set(const std::string& application, const std::string& section, const std::string& key,
                          const std::string& value)
{
    QSettings settings(QString::fromStdString(file_of(application)), QSettings::IniFormat);
    settings.setValue(key_path(section, key), QString::fromStdString(value));
    settings.sync();
}

}  // namespace qrb
