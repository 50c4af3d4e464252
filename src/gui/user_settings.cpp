#include "gui/user_settings.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <system_error>

namespace dz {

QString UserSettings::settingsFile() {
    // Where QSettings keeps the user's settings of organisation and program
    // "Dizozodidu"; named here so that the file looked at is the file opened.
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Dizozodidu/Dizozodidu.conf");
}

bool UserSettings::usable() {
    std::error_code error;
    const auto type = std::filesystem::status(QFile::encodeName(settingsFile()).toStdString(), error).type();
    return type == std::filesystem::file_type::regular || type == std::filesystem::file_type::not_found;
}

std::unique_ptr<UserSettings> UserSettings::open() {
    if (!usable()) return nullptr;
    return std::unique_ptr<UserSettings>(new UserSettings(settingsFile()));
}

QString UserSettings::notUsableText() {
    return QStringLiteral("Die Einstellungen in „%1“ sind keine gewöhnliche Datei und werden weder gelesen noch "
                          "geschrieben.")
        .arg(QDir::toNativeSeparators(settingsFile()));
}

}  // namespace dz
