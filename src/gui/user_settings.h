// The settings the window keeps for the user between runs (the recent plans
// and the folders the file dialogs open in), with QSettings in the
// platform's usual place: on Linux ~/.config/Dizozodidu/Dizozodidu.conf.
// saves.kpl keeps the internal reputation as before. File names are kept as
// the bytes the system has them, so that any name is found again.
//
// The file is read and written only while it is, after following links, a
// regular file or missing. QSettings would wait at a pipe for a writer and
// write its file over whatever a link points at, a device too; so a
// UserSettings is made only after that look, and users of the settings keep
// nothing when there is none.
#pragma once

#include <QByteArray>
#include <QSettings>
#include <QString>
#include <QVariant>
#include <filesystem>
#include <memory>

namespace dz {

class UserSettings : public QSettings {
public:
    // The settings file, ~/.config/Dizozodidu/Dizozodidu.conf as a rule.
    static QString settingsFile();
    // Whether the file, after following links, is a regular file or missing.
    static bool usable();
    // The settings, or none when the file is not usable().
    static std::unique_ptr<UserSettings> open();
    // What the window says once at start when the file is not usable().
    static QString notUsableText();

    // A file or folder name as it is stored, and back.
    static QByteArray fromPath(const std::filesystem::path& file) { return QByteArray::fromStdString(file.native()); }
    static std::filesystem::path toPath(const QVariant& stored) { return stored.toByteArray().toStdString(); }

private:
    explicit UserSettings(const QString& file) : QSettings(file, QSettings::NativeFormat) {}
};

}  // namespace dz
