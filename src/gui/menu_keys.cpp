#include "gui/menu_keys.h"

#include <QAction>
#include <QHelpEvent>
#include <QMenuBar>
#include <QToolTip>

namespace dz {

namespace {

class MenuBarToolTips : public QObject {
public:
    explicit MenuBarToolTips(QMenuBar* bar) : QObject(bar), bar_(bar) { bar->installEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != bar_ || event->type() != QEvent::ToolTip) return false;
        const auto* help = static_cast<QHelpEvent*>(event);
        QAction* action = bar_->actionAt(help->pos());
        if (action && !action->menu() && action->toolTip() != QString(action->text()).remove(QLatin1Char('&')))
            QToolTip::showText(help->globalPos(), action->toolTip(), bar_, bar_->actionGeometry(action));
        else
            QToolTip::hideText();
        return true;
    }

private:
    QMenuBar* bar_;
};

}  // namespace

void setShortcutToolTip(QAction* action) {
    const QString caption = QString(action->text()).remove(QLatin1Char('&'));
    const QString keys = action->shortcut().toString(QKeySequence::NativeText);
    action->setToolTip(keys.isEmpty() ? caption : QStringLiteral("%1 (%2)").arg(caption, keys));
}

void showMenuBarToolTips(QMenuBar* bar) { new MenuBarToolTips(bar); }

}  // namespace dz
