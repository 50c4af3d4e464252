#include "gui/guide_key.h"

#include <QAction>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QUrl>
#include <QWidget>

#include "gui/problem_report.h"

namespace dz {

QString guideFile(const QString& programDir) {
    const QDir dir(programDir);
    for (const QString& candidate :
         {QStringLiteral("../docs/ANLEITUNG.md"), QStringLiteral("../../share/doc/dizozodidu/ANLEITUNG.md")}) {
        const QFileInfo file(dir.filePath(candidate));
        if (file.isFile()) return file.canonicalFilePath();
    }
    return {};
}

void addGuideKey(QWidget* window, std::function<QString()> programDir) {
    auto* action = new QAction(QStringLiteral("Anleitung"), window);
    action->setObjectName(QStringLiteral("guideAction"));
    action->setShortcut(QKeySequence(Qt::Key_F1));
    action->setShortcutContext(Qt::WindowShortcut);
    window->addAction(action);
    QObject::connect(action, &QAction::triggered, window, [window, programDir] {
        const QString guide = guideFile(programDir());
        if (guide.isEmpty()) {
            showMessage(window, QMessageBox::Information, QStringLiteral("Anleitung"),
                        QStringLiteral("Die Anleitung (ANLEITUNG.md) wurde neben dem Programm nicht gefunden."));
        } else if (!QDesktopServices::openUrl(QUrl::fromLocalFile(guide))) {
            showMessage(window, QMessageBox::Warning, QStringLiteral("Anleitung"),
                        QStringLiteral("Die Anleitung „%1“ ließ sich nicht öffnen.").arg(QDir::toNativeSeparators(guide)));
        }
    });
}

}  // namespace dz
