#include "gui/remembered_folders.h"

#include <QFileInfo>

#include "gui/user_settings.h"
#include "gui/widgets/qt_text.h"

namespace dz {

namespace {

const QString kPlanFolderKey = QStringLiteral("Ordner/Plaene");
const QString kPictureFolderKey = QStringLiteral("Ordner/Bilder");

QString folderText(const QString& key) { return fromNativeFileName(UserSettings::toPath(UserSettings().value(key))); }

}  // namespace

QString lastPlanFolder() { return folderText(kPlanFolderKey); }

QString lastPictureFolder() {
    const QString pictures = folderText(kPictureFolderKey);
    return pictures.isEmpty() ? lastPlanFolder() : pictures;
}

void rememberPlanFolder(const std::filesystem::path& folder) {
    UserSettings().setValue(kPlanFolderKey, UserSettings::fromPath(folder));
}

void rememberPictureFolder(const QString& chosenFile) {
    UserSettings().setValue(kPictureFolderKey,
                            UserSettings::fromPath(toNativeFileName(QFileInfo(chosenFile).absolutePath())));
}

}  // namespace dz
