// The keyboard cursor of the plan view. The keyboard reaches the cells
// through the surface box, one stop of the Tab chain once a plan exists:
// there the cursor marks a field, the arrow keys move it across surface and
// orbit (the orbit rows continue below the surface rows), and Return, Enter,
// Space, the menu key and Shift+F10 open the field menu of the field under
// it, below the field's picture. A screen reader finds the fields as cells
// of the surface box, the one under the cursor focused
// (field_area_accessible.h).
#pragma once

#include <QObject>
#include <QRect>
#include <QString>
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
    // or its lock changed) while the fields have the keyboard.
    void describe();

    // The fields in the cursor's order, row by row, the orbit rows below the
    // surface rows: how many there are, the field at an index and back.
    int fieldCount() const;
    FieldSelection fieldAt(int index) const;
    int indexOf(FieldSelection field) const;
    // What the screen reader says of a field: its type, its building with
    // its state, then where it is and whether it is locked ("Wiese,
    // Koloniezentrale (in Betrieb) – Oberfläche, Spalte 2, Zeile 2").
    QString description(FieldSelection field) const;
    // Where the field's picture is on the screen; empty when it has none.
    QRect screenRect(FieldSelection field) const;

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
