#include "gui/zoom_setting.h"

#include <QActionGroup>
#include <QMainWindow>
#include <QStatusBar>
#include <algorithm>
#include <iterator>

#include "gui/user_settings.h"

namespace dz {

namespace {

const QString kZoomKey = QStringLiteral("Fenster/Vergroesserung");

bool isChoice(int percent) {
    return std::find(std::begin(kZoomChoices), std::end(kZoomChoices), percent) != std::end(kZoomChoices);
}

}  // namespace

int keptZoom() {
    const auto settings = UserSettings::open();
    if (!settings) return 100;
    bool ok = false;
    const int percent = settings->value(kZoomKey).toInt(&ok);
    return ok && isChoice(percent) ? percent : 100;
}

std::optional<QByteArray> startScaleFactor(const QByteArray& environment, int zoom) {
    if (!environment.trimmed().isEmpty() || zoom == 100 || !isChoice(zoom)) return std::nullopt;
    return QByteArray::number(zoom / 100.0);
}

bool applyKeptZoom() {
    const std::optional<QByteArray> factor = startScaleFactor(qgetenv("QT_SCALE_FACTOR"), keptZoom());
    if (factor) qputenv("QT_SCALE_FACTOR", *factor);
    return factor.has_value();
}

ZoomMenu::ZoomMenu(QMainWindow* window)
    : QMenu(QStringLiteral("Ver&größerung"), window), window_(window), group_(new QActionGroup(this)) {
    setObjectName(QStringLiteral("zoomMenu"));
    const int kept = keptZoom();
    for (int percent : kZoomChoices) {
        QAction* action = addAction(QStringLiteral("%1 %").arg(percent));
        action->setObjectName(QStringLiteral("zoomAction%1").arg(percent));
        action->setCheckable(true);
        action->setChecked(percent == kept);
        group_->addAction(action);
        connect(action, &QAction::triggered, this, [this, percent] { choose(percent); });
    }
    // Nothing could be kept: the choice would be lost.
    setEnabled(UserSettings::usable());
}

void ZoomMenu::choose(int percent) {
    if (const auto settings = UserSettings::open()) {
        settings->setValue(kZoomKey, percent);
        settings->sync();
        if (settings->status() != QSettings::NoError) {
            window_->statusBar()->showMessage(QStringLiteral("Die Vergrößerung konnte nicht gespeichert werden."));
            return;
        }
    }
    QString message = QStringLiteral("Die Vergrößerung %1 % gilt ab dem nächsten Start.").arg(percent);
    if (!qEnvironmentVariableIsEmpty("QT_SCALE_FACTOR"))
        message += QStringLiteral(" Solange QT_SCALE_FACTOR gesetzt ist, gilt dieser Wert.");
    window_->statusBar()->showMessage(message, 30000);
}

}  // namespace dz
