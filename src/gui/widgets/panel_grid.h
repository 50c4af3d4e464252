// A result grid: two columns of label and value texts on black, painted cell
// by cell with the colours and weights the economy's painting rules choose.
#pragma once

#include <QWidget>
#include <vector>

#include "core/layout/cell_look.h"

namespace dz {

QColor labelColour(LabelColour colour);

class PanelGrid : public QWidget {
    Q_OBJECT
public:
    PanelGrid(GridKind kind, QWidget* parent);

    void setRows(const std::vector<GridRow>& rows);
    int rowCount() const { return int(rows_.size()); }
    // The text of a cell; empty outside the grid.
    QString text(int column, int row) const;
    void setDecimalSeparator(char separator) { decimalSeparator_ = separator; }

    int columnWidth(int column) const;
    int rowHeight(int row) const;
    // The rectangle of a cell inside the grid.
    QRect cellRect(int column, int row) const;
    // How a cell is painted (its font is the grid's, bold where the look says).
    CellLook look(int column, int row) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const std::string& cell(int column, int row) const;

    GridKind kind_;
    GridGeometry geometry_;
    std::vector<GridRow> rows_;
    char decimalSeparator_ = '.';
    // Column 0 takes its label width once a value has been painted; the
    // people grid sets it whenever it paints.
    bool labelWidthSet_ = false;
};

}  // namespace dz
