#include "gui/cell_cursor.h"

#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QScrollArea>
#include <algorithm>
#include <utility>

#include "core/layout/field_cells.h"
#include "gui/field_area_accessible.h"
#include "gui/widgets/field_cursor.h"

namespace dz {

CellCursor::CellCursor(const ActPlan& plan, PlanGraphic& cells, const FieldLocks& locks, QGroupBox* surfaceBox,
                       QGroupBox* orbitBox, MenuFor menuFor, QObject* parent)
    : QObject(parent),
      plan_(plan),
      cells_(cells),
      locks_(locks),
      surfaceBox_(surfaceBox),
      orbitBox_(orbitBox),
      menuFor_(std::move(menuFor)),
      mark_(new FieldCursor(surfaceBox)) {
    setObjectName(QStringLiteral("cellCursor"));
    mark_->hide();
    // Only the Tab key gives the cells the focus: a click on a field shows
    // the field menu and nothing else, as always.
    surfaceBox_->setFocusPolicy(Qt::NoFocus);
    surfaceBox_->installEventFilter(this);
    makeFieldAreaAccessible(surfaceBox_, this);
}

void CellCursor::planResized(int width, int surfaceHeight, int orbitHeight) {
    const bool hasFields = width > 0 && surfaceHeight > 0;
    surfaceBox_->setFocusPolicy(hasFields ? Qt::TabFocus : Qt::NoFocus);
    const int rows = field_.onSurface ? surfaceHeight : orbitHeight;
    if (field_.x >= width || field_.y >= rows) field_ = FieldSelection{0, 0, true};
    placeMark();
}

void CellCursor::keepMarkOnTop(const QWidget* box) {
    if (mark_->parentWidget() == box) mark_->raise();
}

void CellCursor::move(int columns, int rows) {
    const int width = plan_.width();
    const int surfaceRows = plan_.surfaceHeight();
    const int allRows = surfaceRows + plan_.orbitHeight();
    if (width == 0 || allRows == 0) return;
    const int x = std::clamp(field_.x + columns, 0, width - 1);
    const int row = std::clamp((field_.onSurface ? field_.y : surfaceRows + field_.y) + rows, 0, allRows - 1);
    field_ = row < surfaceRows ? FieldSelection{x, row, true} : FieldSelection{x, row - surfaceRows, false};
    placeMark();
    reveal();
    describe();
}

void CellCursor::moveTo(FieldSelection field) {
    field_ = field;
    placeMark();
}

void CellCursor::openMenu() {
    if (!plan_.contains(field_.x, field_.y, field_.onSurface)) return;
    QMenu* menu = menuFor_(field_);
    if (!menu || menu->isEmpty()) return;
    reveal();
    const QWidget* anchor = cells_.cell(field_.x, field_.y, field_.onSurface)[1];
    if (!anchor) anchor = mark_;
    menu->popup(anchor->mapToGlobal(QPoint(0, anchor->height())));
}

void CellCursor::placeMark() {
    QGroupBox* box = field_.onSurface ? surfaceBox_ : orbitBox_;
    if (mark_->parentWidget() != box) mark_->setParent(box);
    const Rect r = pictureRect(field_.x, field_.y);
    mark_->setGeometry(r.left, r.top, r.width, r.height);
    mark_->raise();
    mark_->setVisible(shown_ && plan_.contains(field_.x, field_.y, field_.onSurface));
}

void CellCursor::reveal() {
    for (QWidget* w = surfaceBox_->parentWidget(); w; w = w->parentWidget()) {
        if (auto* area = qobject_cast<QScrollArea*>(w)) {
            area->ensureWidgetVisible(mark_, 24, 24);
            return;
        }
    }
}

void CellCursor::describe() {
    if (!surfaceBox_->hasFocus() || !plan_.contains(field_.x, field_.y, field_.onSurface)) return;
    announceFocusedCell(surfaceBox_, indexOf(field_));
}

int CellCursor::fieldCount() const { return plan_.width() * (plan_.surfaceHeight() + plan_.orbitHeight()); }

FieldSelection CellCursor::fieldAt(int index) const {
    const int width = std::max(plan_.width(), 1);
    const int x = index % width, row = index / width;
    return row < plan_.surfaceHeight() ? FieldSelection{x, row, true}
                                       : FieldSelection{x, row - plan_.surfaceHeight(), false};
}

int CellCursor::indexOf(FieldSelection field) const {
    return (field.onSurface ? field.y : plan_.surfaceHeight() + field.y) * plan_.width() + field.x;
}

QString CellCursor::description(FieldSelection field) const {
    if (!plan_.contains(field.x, field.y, field.onSurface)) return {};
    const QLabel* picture = cells_.cell(field.x, field.y, field.onSurface)[1];
    const QString where = QStringLiteral("%1, Spalte %2, Zeile %3")
                              .arg(field.onSurface ? QStringLiteral("Oberfläche") : QStringLiteral("Orbit"))
                              .arg(field.x + 1)
                              .arg(field.y + 1);
    QString name = picture ? picture->accessibleName() + QStringLiteral(" – ") + where : where;
    if (locks_.contains(FieldPosition{field.x, field.y, field.onSurface}))
        name += QStringLiteral(" – für Vorschlag gesperrt");
    return name;
}

QRect CellCursor::screenRect(FieldSelection field) const {
    if (!plan_.contains(field.x, field.y, field.onSurface)) return {};
    const QLabel* picture = cells_.cell(field.x, field.y, field.onSurface)[1];
    return picture ? QRect(picture->mapToGlobal(QPoint(0, 0)), picture->size()) : QRect();
}

bool CellCursor::keyPressed(const QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Left:
            move(-1, 0);
            return true;
        case Qt::Key_Right:
            move(1, 0);
            return true;
        case Qt::Key_Up:
            move(0, -1);
            return true;
        case Qt::Key_Down:
            move(0, 1);
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
        case Qt::Key_Menu:
            openMenu();
            return true;
        case Qt::Key_F10:
            if (!(event->modifiers() & Qt::ShiftModifier)) return false;
            openMenu();
            return true;
        default:
            return false;
    }
}

bool CellCursor::eventFilter(QObject* watched, QEvent* event) {
    if (watched != surfaceBox_) return false;
    switch (event->type()) {
        case QEvent::FocusIn:
            shown_ = true;
            placeMark();
            reveal();
            describe();
            return false;
        case QEvent::FocusOut:
            // The field menu takes the focus for a while; the mark stays.
            if (static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
                shown_ = false;
                placeMark();
            }
            return false;
        case QEvent::KeyPress:
            return keyPressed(static_cast<QKeyEvent*>(event));
        case QEvent::ContextMenu:
            if (static_cast<QContextMenuEvent*>(event)->reason() != QContextMenuEvent::Keyboard) return false;
            openMenu();
            return true;
        default:
            return false;
    }
}

}  // namespace dz
