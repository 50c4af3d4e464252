// The keyboard cursor of the plan view. The keyboard reaches the cells
// through the surface box, one stop of the Tab chain once a plan exists:
// there the cursor marks a field, the arrow keys move it across surface and
// orbit (the orbit rows continue below the surface rows), and Return, Enter,
// Space, the menu key and Shift+F10 open the field menu of the field under
// it, below the field's picture. A screen reader hears the field under the
// cursor as the name of the surface box.
#pragma once

#include <QObject>
#include <functional>

#include "core/plan/act_plan.h"
#include "gui/field_locks.h"
#include "gui/widgets/plan_graphic.h"

class QEvent;
class QGroupBox;
class QKeyEvent;
class QMenu;
class QWidget;

namespace dz {

class FieldCursor;

class CellCursor : public QObject {
    Q_OBJECT
public:
    // The field menu of a field, filled; nothing or an empty menu when the
    // field has none.
    using MenuFor = std::function<QMenu*(FieldSelection field)>;

    // The cursor walks the fields of `plan` whose controls `cells` holds in
    // `surfaceBox` and `orbitBox`; `locks` are the fields locked for
    // "Vorschlag", which the screen reader is told of.
    CellCursor(const ActPlan& plan, PlanGraphic& cells, const FieldLocks& locks, QGroupBox* surfaceBox,
               QGroupBox* orbitBox, MenuFor menuFor, QObject* parent);

    // The field it stands on.
    FieldSelection field() const { return field_; }
    // Moves it by columns and rows; it stops at the edges.
    void move(int columns, int rows);
    // The mouse chose `field`: the keyboard goes on from there.
    void moveTo(FieldSelection field);
    // Opens the field menu of its field below the field's picture.
    void openMenu();

    // The cells took the plan's shape: the surface box takes the focus only
    // while there are fields, and a cursor outside the plan goes back to the
    // first field.
    void planResized(int width, int surfaceHeight, int orbitHeight);
    // New controls in `box` would cover the mark: it goes on top again.
    void keepMarkOnTop(const QWidget* box);
    // Tells the screen reader the field under the cursor anew (its building
    // or its lock changed).
    void describe();

    // The mark, shown while the cells have the keyboard focus.
    const FieldCursor* mark() const { return mark_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool keyPressed(const QKeyEvent* event);
    // Puts the mark over the cursor's field, shown or hidden as the focus says.
    void placeMark();
    // Scrolls the cursor's field into view where the window's content scrolls.
    void reveal();

    const ActPlan& plan_;
    PlanGraphic& cells_;
    const FieldLocks& locks_;
    QGroupBox* surfaceBox_;
    QGroupBox* orbitBox_;
    MenuFor menuFor_;
    FieldCursor* mark_;
    FieldSelection field_{0, 0, true};
    bool shown_ = false;
};

}  // namespace dz
