// The plan being edited: counting, the selected field and the cost bookkeeping.
#include <gtest/gtest.h>

#include <tuple>
#include <utility>

#include "core/plan/act_plan.h"
#include "support/small_catalog.h"

using namespace dz;
using small_catalog::buildCost;

using ActPlanTest = small_catalog::SmallCatalogTest;

TEST_F(ActPlanTest, CountingBuildingsAndSurfaceFields) {
    // 9 x 2 + 2, craters on every third diagonal.
    small_catalog::shapePlanet(info.planets[6], 9, 2, 2, [](int x, int y) { return (x + y) % 3 == 0 ? ftCrater : ftMeadow; });
    planner.newPlan(6);
    plan.current.surface[0][0].building = bldEco;
    plan.current.surface[4][1].building = bldEco;
    plan.current.orbit[8][1].building = bldEco;
    plan.current.orbit[8][1].inOperation = false;
    plan.current.orbit[2][0].building = bldLabOrbit;
    EXPECT_EQ(plan.countBuildings(bldEco), 3) << "surface and orbit, in operation or not";
    EXPECT_EQ(plan.countBuildings(bldLabOrbit), 1);
    EXPECT_EQ(plan.countBuildings(bldLabSmall), 0);

    EXPECT_EQ(plan.countSurfaceFields(8), 0) << "Dyson spheres exist only in the orbit here";
    EXPECT_EQ(plan.countSurfaceFields(ftCrater), 6) << "three in each row";
    plan.current.surface[3][1].fieldType = ftCrater;
    plan.current.surface[3][0].fieldType = ftMeadow;
    plan.current.orbit[4][1].fieldType = ftCrater;
    EXPECT_EQ(plan.countSurfaceFields(ftCrater), 6) << "one more, one less, and the orbit does not count";
    plan.current.surface[1][0].fieldType = ftCrater;
    EXPECT_EQ(plan.countSurfaceFields(ftCrater), 7);
}

TEST_F(ActPlanTest, TerraformCostsAddUpPerFieldAndClearPerField) {
    planner.newPlan(0);
    const ResourceArray first{5, 0, 7};
    const ResourceArray second{1, 2};
    select(1, 1, true);
    plan.addTerraformCost(first);
    plan.addTerraformCost(second);
    select(2, 0, false);
    plan.addTerraformCost(first);
    EXPECT_EQ(plan.ressources.surfaceTerraformCosts[1][1], (ResourceArray{6, 2, 7}));
    EXPECT_EQ(plan.ressources.orbitTerraformCosts[2][0], first);
    EXPECT_EQ(plan.ressources.terraformCosts, (ResourceArray{11, 2, 14}));

    select(1, 1, true);
    plan.clearFieldTerraformCost();
    EXPECT_EQ(plan.ressources.surfaceTerraformCosts[1][1], ResourceArray{});
    EXPECT_EQ(plan.ressources.terraformCosts, first) << "the orbit field's cost stays";
}

TEST_F(ActPlanTest, BuildingCostsFollowTheBuildingOnTheField) {
    planner.newPlan(0);
    select(0, 1, true);
    plan.selectedField().building = 3;
    plan.addBuildingCost(info);
    select(2, 1, false);
    plan.selectedField().building = 40;
    plan.addBuildingCost(info);
    EXPECT_EQ(plan.ressources.buildingCosts[0], buildCost(3, 0) + buildCost(40, 0));
    EXPECT_EQ(plan.ressources.buildingCosts[15], buildCost(3, 15) + buildCost(40, 15));
    plan.subtractBuildingCost(info);
    EXPECT_EQ(plan.ressources.buildingCosts[0], buildCost(3, 0));
    plan.selectedField().building = -1;
    EXPECT_THROW(plan.addBuildingCost(info), std::out_of_range) << "no building to count";
}

// Sums loaded from a plan file may sit at the ends of int32; adding wraps
// around, and taking the same away gives the loaded sum back exactly.
TEST_F(ActPlanTest, CostSumsAtTheEndsOfInt32WrapAndComeBack) {
    planner.newPlan(0);
    plan.ressources.buildingCosts[0] = INT32_MAX;
    plan.ressources.terraformCosts[1] = INT32_MIN;
    select(0, 1, true);
    plan.selectedField().building = 3;
    plan.addBuildingCost(info);
    EXPECT_EQ(plan.ressources.buildingCosts[0], INT32_MIN + buildCost(3, 0) - 1);
    plan.subtractBuildingCost(info);
    EXPECT_EQ(plan.ressources.buildingCosts[0], INT32_MAX);

    plan.ressources.surfaceTerraformCosts[0][1][1] = 5;  // as loaded with the field
    plan.clearFieldTerraformCost();
    EXPECT_EQ(plan.ressources.terraformCosts[1], INT32_MAX - 4);
    plan.addTerraformCost(ResourceArray{0, 5});
    EXPECT_EQ(plan.ressources.terraformCosts[1], INT32_MIN);
}

TEST_F(ActPlanTest, SelectionOutsideThePlanIsRefused) {
    planner.newPlan(0);  // 6 x 5 + 2
    for (auto [x, y, surface] : {std::tuple{-1, -1, true}, std::tuple{6, 0, true}, std::tuple{0, 2, false},
                                 std::tuple{0, 5, true}, std::tuple{0, -1, false}}) {
        select(x, y, surface);
        EXPECT_THROW(plan.selectedField(), std::out_of_range) << x << "," << y;
        EXPECT_THROW(plan.addTerraformCost(ResourceArray{1}), std::out_of_range);
    }
    EXPECT_EQ(plan.ressources.terraformCosts, ResourceArray{});
    select(2, 1, false);
    plan.selectedField().inOperation = true;
    EXPECT_TRUE(plan.current.orbit[2][1].inOperation);
    EXPECT_EQ(&std::as_const(plan).selectedField(), &plan.current.orbit[2][1]);
}
