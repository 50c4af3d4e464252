#include "gui/widgets/program_icon.h"

#include <QDir>
#include <QFileInfo>

#include "gui/widgets/image_list.h"

namespace dz {

QIcon programIcon(const QString& programDir) {
    QIcon icon;
    const QDir theme(programDir + QStringLiteral("/icons/hicolor"));
    for (const QString& size : theme.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        const QString file = theme.filePath(size + QStringLiteral("/apps/dizozodidu.png"));
        // The file is read here, so a broken one adds no size.
        if (QFileInfo::exists(file) && pictureFileProblem(file).isEmpty()) icon.addFile(file);
    }
    return icon;
}

}  // namespace dz
