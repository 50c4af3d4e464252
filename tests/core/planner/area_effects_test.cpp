// The ranges of the two area buildings.
#include <gtest/gtest.h>

#include "core/planner/planner.h"
#include "support/small_catalog.h"

using namespace dz;

namespace {

// Every plan of these tests starts on the standard planet of the small catalog.
class AreaEffectsTest : public small_catalog::SmallCatalogTest {
protected:
    void SetUp() override { planner.newPlan(ptStandard); }
};

// Counter values of a grid as text rows, for compact comparisons.
std::vector<std::string> cover(const FieldGrid& grid, bool wide) {
    std::vector<std::string> rows;
    const std::size_t height = grid.empty() ? 0 : grid[0].size();
    for (std::size_t y = 0; y < height; ++y) {
        std::string row;
        for (const auto& column : grid) row += char('0' + (wide ? column[y].coverWide : column[y].coverNear));
        rows.push_back(row);
    }
    return rows;
}

}  // namespace

TEST_F(AreaEffectsTest, WideRangeWrapsColumnsAndContinuesIntoTheOrbit) {
    // 10 x 5 with 2 orbit rows, the worked example.
    small_catalog::shapePlanet(info.planets[ptStandard], 10, 5, 2, small_catalog::rowKind);
    planner.newPlan(ptStandard);
    view.calls.clear();
    planner.applyAreaWide(RangeChange::Add, 0, 0);
    EXPECT_EQ(cover(plan.current.surface, true),
              (std::vector<std::string>{"1110000011", "1110000011", "1110000011", "0000000000", "0000000000"}));
    EXPECT_EQ(cover(plan.current.orbit, true), (std::vector<std::string>{"1110000011", "1110000011"}));
    planner.applyAreaWide(RangeChange::Remove, 0, 0);
    planner.applyAreaWide(RangeChange::Add, 0, 4);
    EXPECT_EQ(cover(plan.current.surface, true),
              (std::vector<std::string>{"0000000000", "0000000000", "1110000011", "1110000011", "1110000011"}));
    EXPECT_EQ(cover(plan.current.orbit, true), (std::vector<std::string>{"1110000011", "1110000011"}));
    EXPECT_EQ(view.starting("field o").size(), 3u * 10u) << "every target is redrawn";
}

TEST_F(AreaEffectsTest, NearRangeWrapsWithinTheSurface) {
    planner.applyAreaNear(RangeChange::Add, 0, 0);
    EXPECT_EQ(cover(plan.current.surface, false),
              (std::vector<std::string>{"110001", "110001", "000000", "000000", "110001"}));
    EXPECT_EQ(cover(plan.current.orbit, false), (std::vector<std::string>{"000000", "000000"}));
}

TEST_F(AreaEffectsTest, OverlappingRangesCountAndNarrowGridsCountTwice) {
    planner.applyAreaWide(RangeChange::Add, 2, 2);
    planner.applyAreaWide(RangeChange::Add, 3, 2);
    EXPECT_EQ(at(2, 2).coverWide, 2);
    EXPECT_EQ(at(0, 2).coverWide, 1);
    planner.applyAreaWide(RangeChange::Remove, 2, 2);
    EXPECT_EQ(at(2, 2).coverWide, 1) << "still covered by the other";

    // Four columns: the wide range visits one column twice (2 from the left and the right).
    small_catalog::shapePlanet(info.planets[ptTemperate], 4, 5, 2, small_catalog::rowKind);
    planner.newPlan(ptTemperate);
    planner.applyAreaWide(RangeChange::Add, 0, 2);
    EXPECT_EQ(cover(plan.current.surface, true),
              (std::vector<std::string>{"1121", "1121", "1121", "1121", "1121"}));
    planner.applyAreaWide(RangeChange::Remove, 0, 2);
    EXPECT_EQ(cover(plan.current.surface, true), (std::vector<std::string>(5, "0000")));
}

TEST_F(AreaEffectsTest, LargeAsteroidFieldKeepsTheRangeOnItsSurface) {
    planner.newPlan(ptLargeAsteroids);
    // Five rows: from row 0 the range reaches rows 3 and 4 across the top edge,
    // from row 4 rows 0 and 1 across the bottom edge.
    for (int y : {0, 4}) {
        planner.applyAreaWide(RangeChange::Add, 3, y);
        EXPECT_EQ(cover(plan.current.surface, true), (std::vector<std::string>(5, "011111"))) << y;
        planner.applyAreaWide(RangeChange::Remove, 3, y);
    }
    planner.applyAreaNear(RangeChange::Add, 3, 4);
    EXPECT_EQ(cover(plan.current.surface, false),
              (std::vector<std::string>{"001110", "000000", "000000", "001110", "001110"}));
}

TEST_F(AreaEffectsTest, MissingOrbitRowsAreLeftOut) {
    planner.newPlan(ptSmallAsteroids);  // no orbit
    planner.applyAreaWide(RangeChange::Add, 2, 0);
    EXPECT_EQ(cover(plan.current.surface, true),
              (std::vector<std::string>{"111110", "111110", "111110", "000000", "000000"}));
    planner.applyAreaWide(RangeChange::Remove, 2, 0);
    EXPECT_EQ(cover(plan.current.surface, true), (std::vector<std::string>(5, "000000")));
}

TEST_F(AreaEffectsTest, AreaBuildingsApplyAndRemoveTheirRanges) {
    build(0, 0, bldBaseA);
    build(2, 2, bldAreaWide);
    EXPECT_EQ(at(4, 4).coverWide, 1);
    EXPECT_EQ(at(0, 1, false).coverWide, 0);
    EXPECT_EQ(at(2, 1, false).coverWide, 0) << "(2, 2) reaches rows 0..4 only";
    select(2, 2);
    planner.toggleSelected();
    EXPECT_EQ(at(4, 4).coverWide, 0);
    planner.demolishSelected();  // switched off: nothing to take away again
    EXPECT_EQ(at(4, 4).coverWide, 0);
    build(1, 1, bldAreaNear);
    EXPECT_EQ(at(0, 0).coverNear, 1);
    build(1, 1, bldAreaNear);  // over itself
    EXPECT_EQ(at(0, 0).coverNear, 1);
    select(1, 1);
    planner.toggleSelected();
    build(1, 1, bldHousingCore);  // over a switched-off area building
    EXPECT_EQ(at(0, 0).coverNear, 0);
}
