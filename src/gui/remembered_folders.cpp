#include "gui/remembered_folders.h"

#include <QFileInfo>

#include "gui/user_settings.h"
#include "gui/widgets/qt_text.h"

namespace dz {

namespace {

const QString kPlanFolderKey = QStringLiteral("Ordner/Plaene");
const QString kPictureFolderKey = QStringLiteral("Ordner/Bilder");

// Nothing is remembered while the settings file may not be used.
QString folderText(const QString& key) {
    const auto settings = UserSettings::open();
    return settings ? fromNativeFileName(UserSettings::toPath(settings->value(key))) : QString();
}

}  // namespace

QString lastPlanFolder() { return folderText(kPlanFolderKey); }

QString lastPictureFolder() {
    const QString pictures = folderText(kPictureFolderKey);
    return pictures.isEmpty() ? lastPlanFolder() : pictures;
}

void rememberPlanFolder(const std::filesystem::path& folder) {
    if (const auto settings = UserSettings::open()) settings->setValue(kPlanFolderKey, UserSettings::fromPath(folder));
}

void rememberPictureFolder(const QString& chosenFile) {
    if (const auto settings = UserSettings::open())
        settings->setValue(kPictureFolderKey,
                           UserSettings::fromPath(toNativeFileName(QFileInfo(chosenFile).absolutePath())));
}

}  // namespace dz
