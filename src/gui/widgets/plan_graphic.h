// The picture controls of the plan view: for every field a 34 x 34 state frame
// and, one pixel inside it, the 32 x 32 picture that carries the field's key,
// tooltip and menu. Also the icons beside the rows of the result panels.
#pragma once

#include <QLabel>
#include <array>
#include <vector>

class QMenu;

namespace dz {

// The picture of a field. A mouse button released over it is reported with
// the control; for the right button the field menu then opens at the mouse.
class FieldPicture : public QLabel {
    Q_OBJECT
public:
    FieldPicture(int fieldKey, QMenu* popupMenu, QWidget* parent);
    int fieldKey() const { return fieldKey_; }
    // The picture file shown, for a building; empty for a field type.
    const QString& source() const { return source_; }
    void setSource(const QString& path) { source_ = path; }
    // A locked field ("Für Vorschlag sperren") shows a small padlock in the
    // picture's lower right corner; an unlocked one is drawn as ever.
    bool locked() const { return locked_; }
    void setLocked(bool locked);
    // The device pixel ratio of the running picture's frames: 2 for a movie
    // of a double-size file, whose frames are drawn at half their pixel size.
    qreal movieRatio() const { return movieRatio_; }
    void setMovieRatio(qreal ratio) { movieRatio_ = ratio; }

signals:
    void mouseUp(FieldPicture* picture, Qt::MouseButton button, QPoint position);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    // A running picture greys out with its disabled window, as a still one
    // does, and its frames take the ratio of their file.
    void paintEvent(QPaintEvent* event) override;

private:
    int fieldKey_;
    QMenu* popupMenu_;
    QString source_;
    bool locked_ = false;
    qreal movieRatio_ = 1.0;
};

// Slot 0: the frame, slot 1: the picture. Empty slots hold nullptr.
using Cell = std::array<QLabel*, 2>;
using CellGrid = std::vector<std::vector<Cell>>;

struct PlanGraphic {
    CellGrid surface;
    CellGrid orbit;

    // Gives both grids the plan's shape. Cells that stay keep their controls;
    // the controls of cells that go are released.
    void resize(int width, int surfaceHeight, int orbitHeight);
    Cell& cell(int x, int y, bool onSurface) { return (onSurface ? surface : orbit).at(x).at(y); }
};

// Hides the controls of a cell for good and releases them; the slots become empty.
void releaseCell(Cell& cell);

// Icons at the left of the production and cost panels: 17 rows of two slots,
// slot 0 in the production panel, slot 1 in the cost panel.
struct Graphic {
    std::vector<Cell> rows;
};

}  // namespace dz
