// How the cells of the three result grids are painted: colour and weight of
// a cell's text follow the sign of the value in it.
#pragma once

#include <optional>
#include <string>

#include "core/economy/economy.h"

namespace dz {

enum class GridKind { Tick, People, Costs };

struct CellLook {
    LabelColour colour = LabelColour::White;
    bool bold = false;
    bool operator==(const CellLook&) const = default;
};

// The look of cell (column, row) holding `text`. `row2Value` is the value
// text of row 2 (the people grid colours the whole row red when it is
// negative). A value that is no number is painted in the plain white.
CellLook cellLook(GridKind kind, int column, int row, const std::string& text, const std::string& row2Value,
                  char decimalSeparator);

// The sign of a number text: -1, 0 or 1; nothing when the text is no number.
// Integers for the people and cost grids, decimals with `decimalSeparator`
// for the production grid.
std::optional<int> integerSign(const std::string& text);
std::optional<int> decimalSign(const std::string& text, char decimalSeparator);

// Fixed geometry of a grid: its default column width, the width column 0
// takes once values are painted, the row height, and the spacer row.
struct GridGeometry {
    int defaultColumnWidth;
    int labelColumnWidth;
    int rowHeight;
    int spacerRow;  // -1: none
    int spacerHeight;
};
GridGeometry gridGeometry(GridKind kind);

}  // namespace dz
