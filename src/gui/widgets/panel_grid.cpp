#include "gui/widgets/panel_grid.h"

#include <QPaintEvent>
#include <QPainter>

#include "gui/widgets/qt_text.h"

namespace dz {

QColor labelColour(LabelColour colour) {
    switch (colour) {
        case LabelColour::White:
            return QColor(255, 255, 255);
        case LabelColour::Green:
            return QColor(0, 128, 0);
        case LabelColour::Grey:
            return QColor(128, 128, 128);
        case LabelColour::Red:
            return QColor(255, 0, 0);
    }
    return QColor(255, 255, 255);
}

PanelGrid::PanelGrid(GridKind kind, QWidget* parent)
    : QWidget(parent), kind_(kind), geometry_(gridGeometry(kind)), labelWidthSet_(kind == GridKind::People) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PanelGrid::setRows(const std::vector<GridRow>& rows) {
    const bool widthWasSet = labelWidthSet_;
    for (const GridRow& row : rows)
        if (!row.value.empty()) labelWidthSet_ = true;
    // Repaint only the rows whose texts changed (a recomputation after a
    // field action mostly changes a few numbers), unless the shape changed.
    const bool reshaped = rows.size() != rows_.size() || widthWasSet != labelWidthSet_;
    QRegion changed;
    if (!reshaped)
        for (std::size_t r = 0; r < rows.size(); ++r)
            if (!(rows[r] == rows_[r])) changed += cellRect(0, int(r)).united(cellRect(1, int(r)));
    rows_ = rows;
    if (reshaped)
        update();
    else if (!changed.isEmpty())
        update(changed);
}

const std::string& PanelGrid::cell(int column, int row) const {
    static const std::string empty;
    if (row < 0 || row >= rowCount()) return empty;
    return column == 0 ? rows_[std::size_t(row)].label : column == 1 ? rows_[std::size_t(row)].value : empty;
}

QString PanelGrid::text(int column, int row) const { return fromCp1252(cell(column, row)); }

int PanelGrid::columnWidth(int column) const {
    return column == 0 && labelWidthSet_ ? geometry_.labelColumnWidth : geometry_.defaultColumnWidth;
}

int PanelGrid::rowHeight(int row) const {
    return row == geometry_.spacerRow ? geometry_.spacerHeight : geometry_.rowHeight;
}

QRect PanelGrid::cellRect(int column, int row) const {
    int top = 0;
    for (int r = 0; r < row; ++r) top += rowHeight(r);
    return QRect(column == 0 ? 0 : columnWidth(0), top, columnWidth(column), rowHeight(row));
}

CellLook PanelGrid::look(int column, int row) const {
    return cellLook(kind_, column, row, cell(column, row), cell(1, 2), decimalSeparator_);
}

void PanelGrid::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    // Only the cells in the region to repaint: the rest would be clipped
    // away anyway, and laying out their texts is most of a paint's cost.
    const QRegion& region = event->region();
    for (int row = 0; row < rowCount(); ++row) {
        for (int column = 0; column < 2; ++column) {
            const QRect r = cellRect(column, row);
            if (!region.intersects(r)) continue;
            const CellLook l = look(column, row);
            QFont f = font();
            f.setBold(l.bold);
            painter.setFont(f);
            painter.setPen(labelColour(l.colour));
            painter.setClipRect(r);
            painter.drawText(r, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text(column, row));
        }
    }
}

}  // namespace dz
