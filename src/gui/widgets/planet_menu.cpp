#include "gui/widgets/planet_menu.h"

#include <QBoxLayout>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionMenuItem>
#include <QTimer>
#include <QWidgetAction>
#include <algorithm>

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

void PlanetMenuEntry::setHighlighted(bool on) {
    if (highlighted_ == on) return;
    highlighted_ = on;
    update();
}

void PlanetMenuEntry::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QStyleOptionMenuItem option = menuItemOption(this, action_, highlighted_ || isDown());
    style()->drawControl(QStyle::CE_MenuItem, &option, &painter, this);
}

void PlanetMenuEntry::enterEvent(QEnterEvent* event) {
    emit hovered(true);
    QAbstractButton::enterEvent(event);
}

void PlanetMenuEntry::leaveEvent(QEvent* event) {
    emit hovered(false);
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
    const int index = int(actions_.size());
    connect(entry, &QAbstractButton::clicked, this, [this, index] { choose(index); });
    connect(entry, &PlanetMenuEntry::hovered, this, [this, index](bool on) {
        if (on)
            setCurrent(index);
        else if (current_ == index)
            setCurrent(-1);
    });
    actions_.append(action);
    entryWidgets_.append(entry);
    columnOfEntry_.append(columnCount_ - 1);
    return action;
}

void PlanetMenu::choose(int index) {
    if (index < 0 || index >= actions_.size() || !actions_[index]->isEnabled()) return;
    // Close the menu first: the action may open a modal question.
    close();
    QTimer::singleShot(0, actions_[index], &QAction::trigger);
}

void PlanetMenu::setCurrent(int index) {
    if (index < -1 || index >= entryWidgets_.size()) index = -1;
    current_ = index;
    for (int i = 0; i < entryWidgets_.size(); ++i) entryWidgets_[i]->setHighlighted(i == current_);
}

QVector<int> PlanetMenu::column(int c) const {
    QVector<int> entries;
    for (int i = 0; i < columnOfEntry_.size(); ++i)
        if (columnOfEntry_[i] == c) entries.append(i);
    return entries;
}

int PlanetMenu::entryBelow(int index, int rows) const {
    const QVector<int> entries = column(columnOfEntry_[index]);
    const int size = int(entries.size());
    const int row = (int(entries.indexOf(index)) + rows % size + size) % size;
    return entries[row];
}

int PlanetMenu::entryBeside(int index, int columns) const {
    const int target = columnOfEntry_[index] + columns;
    if (target < 0 || target >= columnCount_) return -1;
    const QVector<int> from = column(columnOfEntry_[index]);
    const QVector<int> to = column(target);
    const int row = std::min(int(from.indexOf(index)), int(to.size()) - 1);
    return to[row];
}

void PlanetMenu::showEvent(QShowEvent* event) {
    QMenu::showEvent(event);
    // Opened from the keyboard (Alt+N, or a menu bar walked with the arrow
    // keys), the first planet is highlighted at once, as in every menu: Return
    // then chooses it. A click opens the menu with a button held and nothing
    // highlighted.
    if (QGuiApplication::mouseButtons() == Qt::NoButton && current_ < 0 && !entryWidgets_.isEmpty()) setCurrent(0);
}

void PlanetMenu::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const bool arrow = key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_Left || key == Qt::Key_Right;
    if (arrow && current_ < 0 && !entryWidgets_.isEmpty()) {
        // The first arrow key highlights the first planet.
        setCurrent(0);
        return;
    }
    switch (key) {
        case Qt::Key_Up:
        case Qt::Key_Down:
            setCurrent(entryBelow(current_, key == Qt::Key_Down ? 1 : -1));
            return;
        case Qt::Key_Left:
        case Qt::Key_Right:
            if (const int beside = entryBeside(current_, key == Qt::Key_Right ? 1 : -1); beside >= 0) {
                setCurrent(beside);
                return;
            }
            break;  // on to the neighbouring menu of the menu bar
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            if (current_ >= 0) {
                choose(current_);
                return;
            }
            break;
        default:
            break;
    }
    QMenu::keyPressEvent(event);
}

void PlanetMenu::hideEvent(QHideEvent* event) {
    setCurrent(-1);
    QMenu::hideEvent(event);
}

int PlanetMenu::columnOf(const QAction* action) const {
    const int index = actions_.indexOf(const_cast<QAction*>(action));
    return index < 0 ? -1 : columnOfEntry_[index];
}

}  // namespace dz
