// The cells of the plan view: for every field of surface and orbit a state
// frame and the picture of its field type or building, and the field menu a
// right click opens. The pictures come from the image lists and the picture
// cache, read once at start-up.
//
// The keyboard reaches the cells through the surface box, where a cursor
// (cell_cursor.h) marks the field whose menu the keys open.
//
// The cells also keep the fields the player locks for "Vorschlag": the last
// entry of every field menu locks or unlocks its field, and a locked field's
// picture shows a padlock.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <utility>
#include <vector>

#include "core/catalog/info.h"
#include "core/plan/act_plan.h"
#include "core/plan/field_menu.h"
#include "gui/field_locks.h"
#include "gui/widgets/image_list.h"
#include "gui/widgets/plan_graphic.h"

class QGroupBox;
class QLabel;
class QMenu;
class QWidget;

namespace dz {

class CellCursor;
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

    // Fields shown with a mark, a yellow ring over their frame (the fields in
    // which a compared plan differs); an empty list takes the marks away.
    // Marks ignore the mouse: the field menu opens through them.
    void markFields(const std::vector<FieldPosition>& fields);
    const std::vector<QWidget*>& marks() const { return marks_; }

    // The keyboard cursor, which opens the field menu of its field.
    const CellCursor& cursor() const { return *cursor_; }

    // What the view shows, for the window and for tests.
    Cell& cell(int x, int y, bool onSurface) { return cells_.cell(x, y, onSurface); }
    const PlanGraphic& cells() const { return cells_; }
    const ImageList& planetIcons() const { return planetIcons_; }
    const ImageList& fieldPictures() const { return fieldPictures_; }
    const ImageList& stateFrames() const { return stateFrames_; }
    QMenu* fieldMenu() const { return fieldMenu_; }

private:
    // Gives a cell its frame and picture controls, emptied; returns them.
    std::pair<QLabel*, FieldPicture*> prepareCell(int x, int y, bool onSurface);
    void setFrame(QLabel* frame, const Field& field, bool showsBuilding);
    void addMenuEntry(QMenu* menu, const MenuEntry& entry);

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
    FieldLocks locks_;
    CellCursor* cursor_ = nullptr;
    std::vector<QWidget*> marks_;
};

}  // namespace dz
