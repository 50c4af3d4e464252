#include "gui/plan_drop.h"

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <QWidget>

namespace dz {

PlanDrop::PlanDrop(QWidget* window) : QObject(window) {
    setObjectName(QStringLiteral("planDrop"));
    window->setAcceptDrops(true);
    window->installEventFilter(this);
}

std::optional<std::filesystem::path> PlanDrop::planFileOf(const QMimeData* data) {
    if (!data || !data->hasUrls()) return std::nullopt;
    const QList<QUrl> urls = data->urls();
    if (urls.size() != 1) return std::nullopt;
    const QUrl& url = urls.first();
    if (!url.isLocalFile() || !url.host().isEmpty()) return std::nullopt;
    // The path's bytes as the system has them: toLocalFile() would turn a
    // name that is no UTF-8 into another name.
    const std::filesystem::path file(
        QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()).toStdString());
    if (file.extension() != ".kpls" || file.stem().empty()) return std::nullopt;
    return file;
}

bool PlanDrop::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* drag = static_cast<QDragMoveEvent*>(event);
            if (planFileOf(drag->mimeData()))
                drag->acceptProposedAction();
            else
                drag->ignore();
            return true;
        }
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            const auto file = planFileOf(drop->mimeData());
            if (!file) {
                drop->ignore();
                return true;
            }
            drop->acceptProposedAction();
            QTimer::singleShot(0, this, [this, file = *file] { emit planDropped(file); });
            return true;
        }
        default:
            return QObject::eventFilter(watched, event);
    }
}

}  // namespace dz
