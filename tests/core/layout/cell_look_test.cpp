// How the cells of the result grids are painted.
#include "core/layout/cell_look.h"

#include <gtest/gtest.h>

using namespace dz;

TEST(CellLook, ProductionValuesFollowTheirSign) {
    const auto look = [](const std::string& text, char sep = '.') { return cellLook(GridKind::Tick, 1, 5, text, "", sep); };
    EXPECT_EQ(look("0"), (CellLook{LabelColour::Grey, true}));
    EXPECT_EQ(look("-3"), (CellLook{LabelColour::Red, true}));
    EXPECT_EQ(look("12"), (CellLook{LabelColour::Green, true}));
    EXPECT_EQ(look("0,0", ','), (CellLook{LabelColour::Grey, true}));
    EXPECT_EQ(look("0.0"), (CellLook{LabelColour::Grey, true}));
    EXPECT_EQ(look("-0.7"), (CellLook{LabelColour::Red, true}));
    EXPECT_EQ(cellLook(GridKind::Tick, 0, 5, "Energie", "", '.'), (CellLook{LabelColour::White, false}));
    EXPECT_EQ(cellLook(GridKind::Tick, 1, 2, "", "", '.'), (CellLook{LabelColour::White, false})) << "spacer";
    EXPECT_EQ(look("zwölf"), (CellLook{LabelColour::White, true})) << "no number: plain colour, no failure";
    EXPECT_EQ(look("1,5"), (CellLook{LabelColour::White, true})) << "a foreign separator is no number";
}

TEST(CellLook, PeopleGridRedRowAndSignColours) {
    EXPECT_EQ(cellLook(GridKind::People, 0, 2, "Fehlende Arbeiter!", "-10", '.'), (CellLook{LabelColour::Red, false}));
    EXPECT_EQ(cellLook(GridKind::People, 1, 2, "-10", "-10", '.'), (CellLook{LabelColour::Red, true}));
    EXPECT_EQ(cellLook(GridKind::People, 0, 2, "Arbeitslose", "0", '.'), (CellLook{LabelColour::White, false}));
    EXPECT_EQ(cellLook(GridKind::People, 1, 2, "0", "0", '.'), (CellLook{LabelColour::Grey, true}));
    EXPECT_EQ(cellLook(GridKind::People, 1, 0, "40", "0", '.'), (CellLook{LabelColour::Green, true}));
    EXPECT_EQ(cellLook(GridKind::People, 1, 1, "-4", "3", '.'), (CellLook{LabelColour::White, true}));
    EXPECT_EQ(cellLook(GridKind::People, 1, 1, "x", "y", '.'), (CellLook{LabelColour::White, true}));
}

TEST(CellLook, CostTotalsWhiteUnlessZero) {
    EXPECT_EQ(cellLook(GridKind::Costs, 1, 0, "250", "", '.'), (CellLook{LabelColour::White, true}));
    EXPECT_EQ(cellLook(GridKind::Costs, 1, 0, "-5", "", '.'), (CellLook{LabelColour::White, true}));
    EXPECT_EQ(cellLook(GridKind::Costs, 1, 16, "0", "", '.'), (CellLook{LabelColour::Grey, true}));
    EXPECT_EQ(cellLook(GridKind::Costs, 0, 16, "Credits", "", '.'), (CellLook{LabelColour::White, false}));
}
