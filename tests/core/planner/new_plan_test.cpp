// A new plan drawn from its planet's template.
#include <gtest/gtest.h>

#include "core/planner/planner.h"
#include "support/small_catalog.h"

using namespace dz;

namespace {

// Every field type but space and Dyson sphere, which only the orbit has here.
constexpr int kSurfaceKinds[13] = {1, 2, 3, 4, 5, 6, 7, 9, 10, 11, 12, 13, 14};

// Planet p has a (3 + p) x (2 + p % 3) surface and 2 orbit rows; the large
// asteroid field has no orbit. Field types follow the position so that a
// transposed or shifted drawing shows.
class NewPlanTest : public small_catalog::SmallCatalogTest {
protected:
    void SetUp() override {
        for (int p = 0; p < kPlanetCount; ++p) {
            small_catalog::shapePlanet(
                info.planets[p], 3 + p, 2 + p % 3, p == ptLargeAsteroids ? 0 : 2,
                [](int x, int y) { return kSurfaceKinds[(x + 2 * y) % 13]; },
                [](int x, int y) { return (x + y) % 2 == 0 ? ftSpace : 8; });
            info.planets[p].yieldA = 10 + p;
            info.planets[p].yieldB = 20 + p;
            info.planets[p].yieldC = 30 + p;
            info.planets[p].yieldD = p - 2;
        }
    }
};

}  // namespace

TEST_F(NewPlanTest, FirstPlanDrawsEveryFieldOfTheTemplate) {
    planner.newPlan(4);  // 7 x 3 surface, 2 orbit rows
    EXPECT_EQ(plan.planetType, 4);
    EXPECT_TRUE(state.planExists);
    EXPECT_TRUE(view.starting("hide").empty()) << "nothing to hide before the first plan";
    ASSERT_EQ(plan.width(), 7);
    ASSERT_EQ(plan.surfaceHeight(), 3);
    ASSERT_EQ(plan.orbitHeight(), 2);
    for (int x = 0; x < 7; ++x) {
        for (int y = 0; y < 3; ++y) {
            const Field& f = plan.current.surface[x][y];
            EXPECT_EQ(f.fieldType, info.planets[4].surface[x][y]);
            EXPECT_EQ(plan.initial.surface[x][y].fieldType, f.fieldType);
            EXPECT_EQ(f.building, -1);
            EXPECT_FALSE(f.built);
            EXPECT_FALSE(f.inOperation);
        }
        for (int y = 0; y < 2; ++y) EXPECT_EQ(plan.current.orbit[x][y].fieldType, info.planets[4].orbit[x][y]);
    }
    EXPECT_EQ(view.starting("field s").size(), 21u);
    EXPECT_EQ(view.starting("field o").size(), 14u);
    EXPECT_EQ(view.starting("building").size(), 0u);
}

TEST_F(NewPlanTest, NewPlanStepsComeInTheirOrder) {
    planner.newPlan(1);
    planner.newPlan(0);
    const int enable = view.lastIndex("enable");
    const int lastHide = view.lastIndex("hide");
    const int status = view.lastIndex("status buildings Fertig");
    const int grids = view.lastIndex("grids 3 2 2");
    EXPECT_LT(status, view.lastIndex("reset limit"));
    EXPECT_LT(view.lastIndex("reset limit"), grids);
    const int layout = view.lastIndex("layout 0");
    const int firstShow = view.lastIndex("field s 0 0");
    ASSERT_GE(enable, 0);
    EXPECT_LT(enable, view.firstIndex("hide"));
    EXPECT_LT(lastHide, status);
    EXPECT_LT(status, grids);
    EXPECT_LT(grids, layout);
    EXPECT_LT(layout, firstShow);
    // The economy is computed last, population before production.
    const std::vector<std::string> economy(view.calls.end() - 5, view.calls.end());
    EXPECT_EQ(economy, (std::vector<std::string>{"population", "production", "costs", "bsp 0", "check 0"}));
    // Per column: the surface fields, then the orbit fields of that column.
    const std::vector<std::string> tail(view.calls.end() - 17, view.calls.end() - 5);
    EXPECT_EQ(tail, (std::vector<std::string>{"field s 0 0 1", "field s 0 1 3", "field o 0 0 0", "field o 0 1 8",
                                             "field s 1 0 2", "field s 1 1 4", "field o 1 0 8", "field o 1 1 0",
                                             "field s 2 0 3", "field s 2 1 5", "field o 2 0 0", "field o 2 1 8"}));
    EXPECT_EQ(view.starting("status terraforming").back(), "status terraforming ");
    EXPECT_EQ(view.starting("status personnel").back(), "status personnel ");
}

TEST_F(NewPlanTest, ASmallerPlanHidesEveryCellOfTheLargerOne) {
    planner.newPlan(7);  // 10 x 3 + 2
    view.calls.clear();
    planner.newPlan(0);  // 3 x 2 + 2
    const auto hidden = view.starting("hide");
    EXPECT_EQ(hidden.size(), 10u * (3 + 2));
    EXPECT_EQ(view.starting("hide s 9 2").size(), 1u) << "also outside the new shape";
    EXPECT_LT(view.lastIndex("hide"), view.firstIndex("field"));
    EXPECT_EQ(plan.width(), 3);
    EXPECT_EQ(plan.initial.surface.size(), 3u);
    EXPECT_EQ(plan.ressources.surfaceTerraformCosts.size(), 3u);
    EXPECT_EQ(plan.ressources.orbitTerraformCosts[2].size(), 2u);
}

TEST_F(NewPlanTest, PlanetWithoutOrbitHasEmptyOrbitColumns) {
    planner.newPlan(ptLargeAsteroids);
    EXPECT_EQ(plan.current.orbit.size(), 12u);
    for (const auto& column : plan.current.orbit) EXPECT_TRUE(column.empty());
    EXPECT_TRUE(view.starting("field o").empty());
    EXPECT_EQ(view.lastIndex("grids 12 2 0"), view.firstIndex("grids"));
}

TEST_F(NewPlanTest, ANewPlanOfTheSameTypeEqualsTheFirst) {
    planner.newPlan(2);
    const ActPlan first = plan;
    // Change everything a plan holds.
    plan.current.surface[1][1] = Field{5, true, true, 9, 2, 1};
    plan.current.orbit[0][1].coverWide = 3;
    plan.initial.surface[0][0].fieldType = 14;
    plan.ressources.terraformCosts[3] = 7;
    plan.ressources.buildingCosts[0] = 99;
    plan.ressources.surfaceTerraformCosts[2][3][5] = 4;
    plan.ressources.scientists = 4;
    plan.ressources.scientistCapacity = 10;
    plan.ressources.limitEnabled = true;
    plan.ressources.populationLimit = 12;
    plan.attractiveness = 80;
    plan.reputationGrowth = 2.5f;
    planner.newPlan(2);
    EXPECT_EQ(plan.current, first.current);
    EXPECT_EQ(plan.initial.surface[0][0].fieldType, first.initial.surface[0][0].fieldType);
    EXPECT_EQ(plan.ressources, first.ressources);
    EXPECT_EQ(plan.attractiveness, 0);
    EXPECT_EQ(plan.reputationGrowth, 0.0f);
}

TEST_F(NewPlanTest, PlanetYieldsGoIntoTheBuildingTable) {
    planner.newPlan(5);
    EXPECT_EQ(info.buildings[bldPlanetYieldA].production[0], 15);
    EXPECT_EQ(info.buildings[bldPlanetYieldB].production[0], 25);
    EXPECT_EQ(info.buildings[bldPlanetYieldC].production[3], 35);
    EXPECT_EQ(info.buildings[bldPlanetYieldD].production[12], 3);
    planner.newPlan(1);
    EXPECT_EQ(info.buildings[bldPlanetYieldA].production[0], 11);
    EXPECT_EQ(info.buildings[bldPlanetYieldB].production[0], 21);
    EXPECT_EQ(info.buildings[bldPlanetYieldC].production[3], 31);
    EXPECT_EQ(info.buildings[bldPlanetYieldD].production[12], -1);
    EXPECT_EQ(info.buildings[bldPlanetYieldD].production[0], 0) << "only the four values change";
}

TEST_F(NewPlanTest, UnknownPlanetTypeChangesNothing) {
    planner.newPlan(3);
    const ActPlan before = plan;
    view.calls.clear();
    EXPECT_THROW(planner.newPlan(10), std::out_of_range);
    EXPECT_THROW(planner.newPlan(-1), std::out_of_range);
    EXPECT_EQ(plan.current, before.current);
    EXPECT_TRUE(view.calls.empty());
}
