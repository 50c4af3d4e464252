// The actions of the field menu on the selected field and what they report.
#include <gtest/gtest.h>

#include <tuple>

#include "core/planner/planner.h"
#include "support/small_catalog.h"

using namespace dz;
using small_catalog::buildCost;

namespace {

// Every plan of these tests starts on the standard planet of the small catalog.
class FieldActionsTest : public small_catalog::SmallCatalogTest {
protected:
    void SetUp() override { planner.newPlan(ptStandard); }
};

}  // namespace

TEST_F(FieldActionsTest, BuildingCountsCostsCapacitiesAndReports) {
    build(0, 0, bldBaseA);
    view.calls.clear();
    build(1, 0, bldLabSmall);
    EXPECT_EQ(at(1, 0).building, bldLabSmall);
    EXPECT_TRUE(at(1, 0).built);
    EXPECT_TRUE(at(1, 0).inOperation);
    EXPECT_EQ(plan.ressources.scientistCapacity, 5);
    EXPECT_EQ(plan.ressources.buildingCosts[0], buildCost(bldBaseA, 0) + buildCost(bldLabSmall, 0));
    EXPECT_EQ(view.calls, (std::vector<std::string>{"status buildings B25 gebaut", "population", "building s 1 0 25",
                                                   "production", "costs", "bsp 0"}));
    // Building over: the large lab replaces the small one.
    view.calls.clear();
    build(1, 0, bldLabLarge);
    EXPECT_EQ(plan.ressources.scientistCapacity, 10);
    EXPECT_EQ(plan.ressources.buildingCosts[0], buildCost(bldBaseA, 0) + buildCost(bldLabLarge, 0));
    EXPECT_EQ(view.calls.front(), "status buildings B25 in B26 umgebaut");
    // Over itself: nothing changes but the text.
    build(1, 0, bldLabLarge);
    EXPECT_EQ(plan.ressources.scientistCapacity, 10);
    EXPECT_EQ(plan.ressources.buildingCosts[0], buildCost(bldBaseA, 0) + buildCost(bldLabLarge, 0));
    EXPECT_EQ(view.starting("status buildings").back(), "status buildings B26 in B26 umgebaut");
}

TEST_F(FieldActionsTest, PassiveBuildingsStartSwitchedOff) {
    build(0, 0, bldBaseA);
    for (auto [b, x, y] : {std::tuple{bldEco, 0, 3}, std::tuple{bldPassive, 1, 0}, std::tuple{bldBspDepotA, 0, 4},
                           std::tuple{bldBspDepotB, 1, 4}}) {
        build(x, y, b);
        EXPECT_FALSE(at(x, y).inOperation) << b;
        EXPECT_TRUE(at(x, y).built) << b;
    }
    EXPECT_EQ(plan.ressources.ecoCapacity, 10);
    build(2, 0, bldHousingCore);
    EXPECT_TRUE(at(2, 0).inOperation);
}

TEST_F(FieldActionsTest, SwitchingOffAndOnRestoresCapacitiesAndClampsScientists) {
    info.buildings[bldBaseA].housing = 100;  // room for everybody hired here
    build(0, 0, bldBaseA);
    build(1, 0, bldLabLarge);
    build(2, 0, bldLabSmall);
    plan.ressources.scientists = 12;
    select(1, 0);
    view.calls.clear();
    planner.toggleSelected();
    EXPECT_EQ(plan.ressources.scientistCapacity, 5);
    EXPECT_EQ(plan.ressources.scientists, 5);
    EXPECT_FALSE(at(1, 0).inOperation);
    EXPECT_EQ(view.calls, (std::vector<std::string>{"status buildings B26 offline genommen", "building s 1 0 26",
                                                   "population", "production"}))
        << "no cost refresh";
    planner.toggleSelected();
    EXPECT_EQ(plan.ressources.scientistCapacity, 15);
    EXPECT_EQ(plan.ressources.scientists, 5);
    EXPECT_EQ(view.starting("status buildings").back(), "status buildings B26 online genommen");

    build(3, 0, bldHolodeckA);
    plan.ressources.holodeckOperators = 3;
    select(3, 0);
    planner.toggleSelected();
    EXPECT_EQ(plan.ressources.holodeckCapacity, 0);
    EXPECT_EQ(plan.ressources.holodeckOperators, 3) << "switching off fires no holodeck operator";
}

TEST_F(FieldActionsTest, DemolishingTakesWhatTheBuildingGave) {
    build(0, 0, bldBaseA);
    build(1, 0, bldLabSmall);
    build(2, 0, bldLabLarge);
    select(2, 0);
    planner.toggleSelected();  // off: its places are gone already
    ASSERT_EQ(plan.ressources.scientistCapacity, 5);
    view.calls.clear();
    planner.demolishSelected();
    EXPECT_EQ(plan.ressources.scientistCapacity, 5) << "not taken away twice";
    EXPECT_EQ(at(2, 0).building, -1);
    EXPECT_FALSE(at(2, 0).built);
    EXPECT_EQ(view.calls, (std::vector<std::string>{"status buildings B26 abgerissen", "field s 2 0 1", "population",
                                                   "production", "costs", "bsp 0"}));
    select(1, 0);
    planner.demolishSelected();
    EXPECT_EQ(plan.ressources.scientistCapacity, 0);
    EXPECT_EQ(plan.ressources.buildingCosts[0], buildCost(bldBaseA, 0)) << "only the base is left";
    build(0, 3, bldEco);
    select(0, 3);
    planner.demolishSelected();
    EXPECT_EQ(plan.ressources.ecoCapacity, 0);
}

TEST_F(FieldActionsTest, DemolishingKeepsTheTerraformedFieldType) {
    select(0, 0);
    planner.terraformSelected(6);  // meadow to forest
    build(0, 3, bldBaseA);  // any base, elsewhere
    build(0, 0, bldEco);
    select(0, 0);
    planner.demolishSelected();
    EXPECT_EQ(at(0, 0).fieldType, ftForest);
    EXPECT_EQ(plan.ressources.surfaceTerraformCosts[0][0], info.terraformings[6].cost);
    const FieldMenu menu = planner.buildFieldMenu();
    ASSERT_EQ(menu.size(), 2u);
    EXPECT_EQ(menu[1].entries.front().caption, "Anfangszustand (Wiese)");
}

TEST_F(FieldActionsTest, TerraformingTwiceThenResettingReturnsBothCosts) {
    select(0, 1);  // ice
    view.calls.clear();
    planner.terraformSelected(9);  // ice to mountains
    EXPECT_EQ(view.calls, (std::vector<std::string>{"status terraforming Eis in Gebirge terraformiert", "field s 0 1 5",
                                                   "costs", "bsp 0"}))
        << "no population or production";
    planner.terraformSelected(8);  // mountains to ice
    EXPECT_EQ(view.starting("status terraforming").back(), "status terraforming Gebirge in Eis terraformiert");
    ResourceArray both{};
    for (int r = 0; r < kResourceCount; ++r) both[r] = info.terraformings[9].cost[r] + info.terraformings[8].cost[r];
    EXPECT_EQ(plan.ressources.surfaceTerraformCosts[0][1], both);
    EXPECT_EQ(plan.ressources.terraformCosts, both);
    EXPECT_EQ(plan.initial.surface[0][1].fieldType, 3) << "terraforming leaves the initial state";

    planner.terraformSelected(9);
    view.calls.clear();
    planner.chooseMenuEntry(tagInitial);
    EXPECT_EQ(at(0, 1).fieldType, 3);
    EXPECT_EQ(plan.ressources.terraformCosts, ResourceArray{});
    EXPECT_EQ(plan.ressources.surfaceTerraformCosts[0][1], ResourceArray{});
    EXPECT_TRUE(view.starting("status").empty()) << "a reset writes no status";
    EXPECT_EQ(view.calls, (std::vector<std::string>{"field s 0 1 3", "production", "costs", "bsp 0"}));
}

TEST_F(FieldActionsTest, MenuTagsDispatch) {
    select(0, 0);
    planner.chooseMenuEntry(tagBuildBase + bldBaseA);
    EXPECT_EQ(at(0, 0).building, bldBaseA);
    planner.chooseMenuEntry(tagToggle);
    EXPECT_FALSE(at(0, 0).inOperation);
    planner.chooseMenuEntry(tagDemolish);
    EXPECT_FALSE(at(0, 0).built);
    planner.chooseMenuEntry(tagTerraformBase + 6);
    EXPECT_EQ(at(0, 0).fieldType, ftForest);
    planner.chooseMenuEntry(tagInitial);
    EXPECT_EQ(at(0, 0).fieldType, ftMeadow);
}
