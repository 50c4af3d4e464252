#include "gui/widgets/style.h"

#include <QFontDatabase>

namespace dz {

QFont programFont() {
    const QString family = QFontDatabase::hasFamily(QStringLiteral("Verdana")) ? QStringLiteral("Verdana")
                                                                                : QStringLiteral("DejaVu Sans");
    QFont font(family);
    font.setPixelSize(11);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

}  // namespace dz
