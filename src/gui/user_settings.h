// The settings the window keeps for the user between runs (the recent plans
// and the folders the file dialogs open in), with QSettings in the
// platform's usual place: on Linux ~/.config/Dizozodidu/Dizozodidu.conf.
// saves.kpl keeps the internal reputation as before. File names are kept as
// the bytes the system has them, so that any name is found again.
#pragma once

#include <QByteArray>
#include <QSettings>
#include <QVariant>
#include <filesystem>

namespace dz {

class UserSettings : public QSettings {
public:
    UserSettings()
        : QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Dizozodidu"),
                    QStringLiteral("Dizozodidu")) {}

    // A file or folder name as it is stored, and back.
    static QByteArray fromPath(const std::filesystem::path& file) { return QByteArray::fromStdString(file.native()); }
    static std::filesystem::path toPath(const QVariant& stored) { return stored.toByteArray().toStdString(); }
};

}  // namespace dz
