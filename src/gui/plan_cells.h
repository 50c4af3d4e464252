// The cells of the plan view: for every field of surface and orbit a state
// frame and the picture of its field type or building, and the field menu a
// right click opens. The pictures come from the image lists and the picture
// cache, read once at start-up.
//
// The keyboard reaches the cells through the surface box, one stop of the Tab
// chain once a plan exists: there a cursor marks a field, the arrow keys move
// it across surface and orbit (the orbit rows continue below the surface
// rows), and Return, Enter, Space, the menu key and Shift+F10 open the field
// menu of the field under it.
//
// The cells also keep the fields the player locks for "Vorschlag": the last
// entry of every field menu locks or unlocks its field, and a locked field's
// picture shows a padlock.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <utility>

#include "core/catalog/info.h"
#include "core/plan/act_plan.h"
#include "core/plan/field_menu.h"
#include "gui/field_locks.h"
#include "gui/widgets/image_list.h"
#include "gui/widgets/plan_graphic.h"

class QEvent;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QMenu;
class QWidget;

namespace dz {

class FieldCursor;
class EditHistory;
class Planner;

class PlanCells : public QObject {
    Q_OBJECT
public:
    // The cells live in `surfaceBox` and `orbitBox`; the field menu belongs to
    // `window`. Every choice in the menu is a step of `history`.
    PlanCells(const Info& info, ActPlan& plan, Planner& planner, EditHistory& history, QGroupBox* surfaceBox,
              QGroupBox* orbitBox, QWidget* window);

    // Start-up: reads the planet icons, the field pictures and the state
    // frames from `programDir`/images; `planetIconRead` gets each planet icon
    // as soon as it is read. Throws when a picture is missing.
    void loadPictures(const QString& programDir, const std::function<void(int, const QPixmap&)>& planetIconRead);

    void resize(int width, int surfaceHeight, int orbitHeight);
    void hideCell(int x, int y, bool onSurface);
    void showField(int x, int y, int fieldType, bool onSurface);
    void showBuilding(int x, int y, int building, bool onSurface);

    // A mouse button released over a field picture: the right button selects
    // the field and fills the field menu, which the picture then opens.
    void pictureReleased(FieldPicture* picture, Qt::MouseButton button);
    // Fills the field menu for the selected field: the planner's entries,
    // then locking or unlocking the field.
    void fillFieldMenu();

    // The fields locked for "Vorschlag". Locking changes nothing of the plan.
    const FieldLocks& locks() const { return locks_; }
    void toggleLock(FieldPosition field);
    // Another plan is started or loaded: its fields start unlocked.
    void clearLocks();

    // The keyboard cursor: the field it stands on, moving it by columns and
    // rows (it stops at the edges), and the field menu of its field, opened
    // below the field's picture.
    FieldSelection cursor() const { return cursor_; }
    void moveCursor(int columns, int rows);
    void openMenuAtCursor();
    // The cursor's mark, shown while the cells have the keyboard focus.
    const FieldCursor* cursorMark() const { return cursorMark_; }

    // What the view shows, for the window and for tests.
    Cell& cell(int x, int y, bool onSurface) { return cells_.cell(x, y, onSurface); }
    const PlanGraphic& cells() const { return cells_; }
    const ImageList& planetIcons() const { return planetIcons_; }
    const ImageList& fieldPictures() const { return fieldPictures_; }
    const ImageList& stateFrames() const { return stateFrames_; }
    QMenu* fieldMenu() const { return fieldMenu_; }

signals:
    // An entry of the field menu has been carried out on the plan.
    void fieldActionDone();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Gives a cell its frame and picture controls, emptied; returns them.
    std::pair<QLabel*, FieldPicture*> prepareCell(int x, int y, bool onSurface);
    void setFrame(QLabel* frame, const Field& field, bool showsBuilding);
    void addMenuEntry(QMenu* menu, const MenuEntry& entry);
    bool keyPressed(const QKeyEvent* event);
    // Puts the mark over the cursor's field, shown or hidden as the focus says.
    void placeCursorMark();
    // Scrolls the cursor's field into view where the window's content scrolls.
    void revealCursor();
    // The name a screen reader gives the cells: the field under the cursor.
    void describeCursor();

    const Info& info_;
    ActPlan& plan_;
    Planner& planner_;
    EditHistory& history_;
    QGroupBox* surfaceBox_;
    QGroupBox* orbitBox_;
    QMenu* fieldMenu_;
    QString programDir_;
    ImageList planetIcons_{16};
    ImageList fieldPictures_{32};
    ImageList stateFrames_{34};
    PictureCache buildingPictures_;
    PlanGraphic cells_;
    FieldCursor* cursorMark_;
    FieldLocks locks_;
    FieldSelection cursor_{0, 0, true};
    bool cursorShown_ = false;
};

}  // namespace dz
