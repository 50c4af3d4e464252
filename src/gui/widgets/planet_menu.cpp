#include "gui/widgets/planet_menu.h"

#include <QBoxLayout>
#include <QFrame>
#include <QPainter>
#include <QStyleOptionMenuItem>
#include <QTimer>
#include <QWidgetAction>

namespace dz {

namespace {

QStyleOptionMenuItem menuItemOption(const QWidget* widget, const QAction* action, bool selected) {
    QStyleOptionMenuItem option;
    option.initFrom(widget);
    option.menuItemType = QStyleOptionMenuItem::Normal;
    option.checkType = QStyleOptionMenuItem::NotCheckable;
    option.text = action->text();
    option.icon = action->icon();
    option.maxIconWidth = 16 + 4;
    option.reservedShortcutWidth = 0;
    option.font = widget->font();
    option.menuRect = widget->rect();
    option.rect = widget->rect();
    if (selected && action->isEnabled()) option.state |= QStyle::State_Selected;
    if (!action->isEnabled()) option.state &= ~QStyle::State_Enabled;
    return option;
}

}  // namespace

PlanetMenuEntry::PlanetMenuEntry(QAction* action, QWidget* parent) : QAbstractButton(parent), action_(action) {
    setText(action->text());
    setAttribute(Qt::WA_Hover);
    setFocusPolicy(Qt::NoFocus);
    connect(action, &QAction::changed, this, [this] {
        setText(action_->text());
        setEnabled(action_->isEnabled());
        updateGeometry();
        update();
    });
}

QSize PlanetMenuEntry::sizeHint() const {
    const QStyleOptionMenuItem option = menuItemOption(this, action_, false);
    const QSize content(fontMetrics().horizontalAdvance(action_->text()), qMax(fontMetrics().height(), 16));
    return style()->sizeFromContents(QStyle::CT_MenuItem, &option, content, this);
}

void PlanetMenuEntry::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QStyleOptionMenuItem option = menuItemOption(this, action_, underMouse() || isDown());
    style()->drawControl(QStyle::CE_MenuItem, &option, &painter, this);
}

void PlanetMenuEntry::enterEvent(QEnterEvent* event) {
    update();
    QAbstractButton::enterEvent(event);
}

void PlanetMenuEntry::leaveEvent(QEvent* event) {
    update();
    QAbstractButton::leaveEvent(event);
}

PlanetMenu::PlanetMenu(const QString& title, QWidget* parent) : QMenu(title, parent), panel_(new QWidget(this)) {
    columns_ = new QHBoxLayout(panel_);
    columns_->setContentsMargins(0, 0, 0, 0);
    columns_->setSpacing(0);
    auto* holder = new QWidgetAction(this);
    holder->setDefaultWidget(panel_);
    addAction(holder);
}

QAction* PlanetMenu::addEntry(const QString& text, bool newColumn) {
    if (currentColumn_ == nullptr || newColumn) {
        if (currentColumn_ != nullptr) {
            // A vertical bar separates the columns, as a menu break with bar does.
            auto* bar = new QFrame(panel_);
            bar->setFrameShape(QFrame::VLine);
            bar->setFrameShadow(QFrame::Sunken);
            columns_->addWidget(bar);
        }
        currentColumn_ = new QVBoxLayout;
        currentColumn_->setContentsMargins(0, 0, 0, 0);
        currentColumn_->setSpacing(0);
        currentColumn_->setAlignment(Qt::AlignTop);
        columns_->addLayout(currentColumn_);
        ++columnCount_;
    }
    auto* action = new QAction(text, this);
    auto* entry = new PlanetMenuEntry(action, panel_);
    currentColumn_->addWidget(entry);
    connect(entry, &QAbstractButton::clicked, this, [this, action] {
        // Close the menu first: the action may open a modal question.
        close();
        QTimer::singleShot(0, action, &QAction::trigger);
    });
    actions_.append(action);
    columnOfEntry_.append(columnCount_ - 1);
    return action;
}

int PlanetMenu::columnOf(const QAction* action) const {
    const int index = actions_.indexOf(const_cast<QAction*>(action));
    return index < 0 ? -1 : columnOfEntry_[index];
}

}  // namespace dz
