// The build and terraforming rules, the field menu, the field actions and the
// area effects, on a small catalog of our own.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/catalog/builtin_tables.h"
#include "core/plan/build_rules.h"
#include "core/text/cp1252.h"
#include "core/planner/planner.h"
#include "recording_view.h"

using namespace dz;

namespace {

// Field types of the test planets' surface rows: meadow, ice, rock, forest,
// mountains; the orbit is space.
constexpr int kRows[] = {ftMeadow, 3, 9, ftForest, 5};

class FieldActionsTest : public ::testing::Test {
protected:
    void SetUp() override {
        buildFieldTypes(info);
        buildTerraformings(info);
        for (int p = 0; p < kPlanetCount; ++p) {
            InfoPlanet& planet = info.planets[p];
            planet.width = 6;
            planet.surfaceHeight = 5;
            planet.orbitHeight = p == ptLargeAsteroids || p == ptSmallAsteroids ? 0 : 2;
            planet.surface.assign(6, std::vector<std::int32_t>(std::begin(kRows), std::end(kRows)));
            planet.orbit.assign(6, std::vector<std::int32_t>(planet.orbitHeight, ftSpace));
            planet.capA = 1;
            planet.capB = 1;
            planet.yieldD = 2;
            planet.maxCraters = 1;
            planet.maxCoreRifts = 1;
            planet.maxVolcanoes = 1;
        }
        for (int b = 0; b < kBuildingCount; ++b) {
            info.buildings[b].name = "B" + std::to_string(b);
            info.buildings[b].buildCost[0] = 10 + b;
        }
        planner.newPlan(ptStandard);
    }

    void select(int x, int y, bool onSurface = true) { plan.selected = FieldSelection{x, y, onSurface}; }
    Field& at(int x, int y, bool onSurface = true) { return plan.fieldAt(x, y, onSurface); }
    void build(int x, int y, int b, bool onSurface = true) {
        select(x, y, onSurface);
        planner.buildOnSelected(b);
    }
    std::vector<int> offeredBuildings(int x, int y, bool onSurface = true) {
        select(x, y, onSurface);
        std::vector<int> result;
        for (int b = 0; b < kBuildingCount; ++b)
            if (canBuild(info, plan, b)) result.push_back(b);
        return result;
    }
    bool offered(int b, int x, int y, bool onSurface = true) {
        select(x, y, onSurface);
        return canBuild(info, plan, b);
    }
    bool terraformOffered(int t, int x, int y, bool onSurface = true) {
        select(x, y, onSurface);
        return canTerraform(info, plan, t);
    }

    Info info;
    ActPlan plan;
    ProgramState state;
    RecordingView view;
    Planner planner{info, plan, state, view};
};

std::vector<std::string> captions(const std::vector<MenuEntry>& entries) {
    std::vector<std::string> result;
    for (const auto& e : entries) result.push_back(e.caption);
    return result;
}

}  // namespace

// --- build rules -----------------------------------------------------------

TEST_F(FieldActionsTest, EmptyPlanOffersOnlyBaseBuildings) {
    EXPECT_EQ(offeredBuildings(0, 0), (std::vector<int>{bldBaseA, bldBaseB})) << "meadow on the standard planet";
    EXPECT_TRUE(offeredBuildings(0, 1).empty()) << "ice: the third base is not for this planet type";
    planner.newPlan(1);
    EXPECT_EQ(offeredBuildings(0, 1), std::vector<int>{bldBaseC});
    EXPECT_TRUE(offeredBuildings(0, 0).empty()) << "no meadow base on a desert planet";
}

TEST_F(FieldActionsTest, ABaseOpensTheOtherBuildingsAndDemolishingItClosesThem) {
    build(0, 0, bldBaseA);
    const auto meadow = offeredBuildings(1, 0);
    EXPECT_EQ(std::count(meadow.begin(), meadow.end(), bldBaseB), 0) << "the bases exclude each other";
    EXPECT_EQ(std::count(meadow.begin(), meadow.end(), bldHousingCore), 1);
    build(1, 0, bldHousingCore);
    select(0, 0);
    planner.demolishSelected();
    EXPECT_EQ(at(1, 0).building, bldHousingCore) << "nothing else goes";
    EXPECT_EQ(offeredBuildings(2, 0), (std::vector<int>{bldBaseA, bldBaseB}));
}

TEST_F(FieldActionsTest, SpaceportComesFirstAndStaysOptional) {
    build(0, 0, bldBaseA);
    EXPECT_TRUE(offeredBuildings(0, 0, false).empty());
    build(1, 1, bldWorkbeePort);
    EXPECT_EQ(offeredBuildings(0, 0, false), (std::vector<int>{36, 37, 38, 39, 40, 41, 42, 43, 44, 45, 54}));
    build(0, 0, bldLabOrbit, false);
    select(1, 1);
    planner.demolishSelected();
    EXPECT_EQ(at(0, 0, false).building, bldLabOrbit) << "dependent buildings stay";
    EXPECT_TRUE(offeredBuildings(1, 0, false).empty());
}

TEST_F(FieldActionsTest, AtMostOneOfTheUniqueBuildings) {
    build(0, 0, bldBaseA);
    build(1, 1, bldWorkbeePort);
    EXPECT_FALSE(offered(bldWorkbeePort, 2, 1));
    EXPECT_FALSE(offered(bldWorkbeePort, 1, 1)) << "not even on its own field";
    EXPECT_TRUE(offered(bldHousingCore, 1, 0));
    for (int b : {bldOrbitSupply, bldOrbitUniqueA, bldOrbitUniqueB, bldStandardOnly}) {
        EXPECT_TRUE(offered(b, 2, 0, false)) << b;
        build(2, 0, b, false);
        EXPECT_FALSE(offered(b, 3, 0, false)) << b;
    }
    build(3, 1, bldRepDrain);
    EXPECT_FALSE(offered(bldRepDrain, 4, 1));
    build(4, 1, bldOrbitalseil);
    EXPECT_FALSE(offered(bldOrbitalseil, 5, 1));
    // Other buildings may be built over themselves.
    build(4, 0, bldHousingCore);
    EXPECT_TRUE(offered(bldHousingCore, 4, 0));
}

TEST_F(FieldActionsTest, PlanetLimitsAndPlanetTypes) {
    build(0, 0, bldBaseA);
    EXPECT_TRUE(offered(bldPlanetCapA, 0, 2));
    build(0, 2, bldPlanetCapA);
    EXPECT_FALSE(offered(bldPlanetCapA, 1, 2)) << "capA 1";
    EXPECT_TRUE(offered(bldPlanetCapB, 1, 4));
    build(1, 4, bldPlanetCapB);
    EXPECT_FALSE(offered(bldPlanetCapB, 2, 4));
    info.planets[ptStandard].capA = 0;
    EXPECT_FALSE(offered(bldPlanetCapA, 2, 2));

    EXPECT_TRUE(offered(bldPlanetYieldD, 3, 2));
    info.planets[ptStandard].yieldD = 0;
    EXPECT_FALSE(offered(bldPlanetYieldD, 3, 2));
    info.planets[ptStandard].yieldD = -3;
    EXPECT_FALSE(offered(bldPlanetYieldD, 3, 2));

    build(5, 1, bldWorkbeePort);
    EXPECT_TRUE(offered(bldPlanetYieldA, 0, 0, false));
    EXPECT_TRUE(offered(bldStandardOnly, 0, 0, false));
    planner.newPlan(ptIceAsteroid);
    build(0, 1, bldBaseC);
    build(1, 1, bldWorkbeePort);
    EXPECT_FALSE(offered(bldPlanetYieldA, 0, 0, false));
    EXPECT_TRUE(offered(bldOrbitSupply, 0, 0, false)) << "allowed on the ice asteroid";
    EXPECT_FALSE(offered(bldStandardOnly, 0, 0, false));
    // On the large asteroid field space on the surface takes no supply station.
    planner.newPlan(ptLargeAsteroids);
    info.planets[ptLargeAsteroids].surface[0][0] = ftSpace;
    planner.newPlan(ptLargeAsteroids);
    build(0, 1, bldBaseC);
    build(1, 1, bldWorkbeePort);
    EXPECT_FALSE(offered(bldOrbitSupply, 0, 0));
    EXPECT_TRUE(offered(40, 0, 0));
}

// --- terraforming rules ----------------------------------------------------

TEST_F(FieldActionsTest, TerraformingNeedsAnEmptyField) {
    EXPECT_TRUE(terraformOffered(6, 0, 0)) << "meadow to forest";
    build(0, 0, bldBaseA);
    EXPECT_FALSE(terraformOffered(6, 0, 0));
    select(0, 0);
    planner.demolishSelected();
    EXPECT_TRUE(terraformOffered(6, 0, 0));
}

TEST_F(FieldActionsTest, CraterLimitCountsTheSurfaceOnly) {
    EXPECT_TRUE(terraformOffered(tfCrater, 0, 2));
    select(0, 2);
    planner.terraformSelected(tfCrater);
    EXPECT_FALSE(terraformOffered(tfCrater, 1, 2)) << "maxCraters 1";
    // A crater in the orbit does not count, and a rock field there is not limited by place.
    at(0, 0, false).fieldType = ftCrater;
    at(1, 1, false).fieldType = 9;
    EXPECT_FALSE(terraformOffered(tfCrater, 1, 1, false)) << "the surface already holds the maximum";
    select(0, 2);
    planner.terraformSelected(14);  // back to rock
    EXPECT_TRUE(terraformOffered(tfCrater, 1, 1, false));
    EXPECT_TRUE(terraformOffered(tfVolcano, 1, 2));
    EXPECT_TRUE(terraformOffered(tfCoreRift, 1, 1));
    info.planets[ptStandard].maxVolcanoes = 0;
    EXPECT_FALSE(terraformOffered(tfVolcano, 1, 2));
}

TEST_F(FieldActionsTest, DysonSphereNeedsTheOrbitalseil) {
    EXPECT_FALSE(terraformOffered(tfDysonSphere, 0, 0, false));
    build(0, 0, bldBaseA);
    build(2, 0, bldOrbitalseil);
    EXPECT_TRUE(terraformOffered(tfDysonSphere, 0, 0, false));
    select(0, 0, false);
    planner.terraformSelected(tfDysonSphere);
    select(2, 0);
    planner.demolishSelected();
    EXPECT_EQ(at(0, 0, false).fieldType, 8) << "existing spheres stay";
    EXPECT_FALSE(terraformOffered(tfDysonSphere, 1, 0, false));
    EXPECT_TRUE(terraformOffered(1, 0, 0, false)) << "back to space needs nothing";
}

TEST_F(FieldActionsTest, NoMeadowFromIceOnTheIceAsteroid) {
    EXPECT_TRUE(terraformOffered(3, 0, 1));
    planner.newPlan(ptIceAsteroid);
    EXPECT_FALSE(terraformOffered(3, 0, 1));
    EXPECT_TRUE(terraformOffered(9, 0, 1)) << "other terraformings of ice are";
}

// --- the menu --------------------------------------------------------------

TEST_F(FieldActionsTest, MenuShapes) {
    select(0, 0);
    EXPECT_EQ(captions(planner.buildFieldMenu()), (std::vector<std::string>{"Bauen", "Terraforming"}));
    select(0, 4);  // mountains on the standard planet: ice by blasting
    EXPECT_EQ(captions(planner.buildFieldMenu()), (std::vector<std::string>{"Bauen", "Terraforming"}));
    select(0, 0, false);  // space: nothing to terraform without an Orbitalseil
    EXPECT_EQ(captions(planner.buildFieldMenu()), (std::vector<std::string>{"Bauen"}));
    EXPECT_TRUE(planner.buildFieldMenu()[0].entries.empty()) << "\"Bauen\" stays, empty";

    build(0, 0, bldBaseA);
    select(0, 0);
    EXPECT_EQ(captions(planner.buildFieldMenu()),
              (std::vector<std::string>{"Abrei\xDF" "en", "Betrieb einstellen", "Bauen"}));
    planner.toggleSelected();
    EXPECT_EQ(captions(planner.buildFieldMenu()), (std::vector<std::string>{"Abrei\xDF" "en", "In Betrieb nehmen", "Bauen"}));
    build(0, 3, bldEco);
    select(0, 3);
    const FieldMenu passive = planner.buildFieldMenu();
    EXPECT_EQ(captions(passive), (std::vector<std::string>{"Abrei\xDF" "en", "Bauen"}));
    EXPECT_EQ(passive[0].tag, tagDemolish);
}

TEST_F(FieldActionsTest, MenuEntriesCarryTheirTagsInIndexOrder) {
    build(0, 0, bldBaseA);
    select(1, 1);  // ice
    const FieldMenu menu = planner.buildFieldMenu();
    ASSERT_EQ(menu.size(), 2u);
    std::vector<int> tags;
    for (const auto& e : menu[0].entries) tags.push_back(e.tag);
    EXPECT_TRUE(std::is_sorted(tags.begin(), tags.end()));
    EXPECT_EQ(menu[0].entries.front().caption, "B5");
    EXPECT_EQ(menu[0].entries.front().tag, tagBuildBase + 5);
    std::vector<int> terraformTags;
    for (const auto& e : menu[1].entries) terraformTags.push_back(e.tag);
    EXPECT_EQ(terraformTags, (std::vector<int>{203, 209, 210}));
}

TEST_F(FieldActionsTest, InitialStateEntryAfterTerraformingAndItsLimits) {
    select(0, 2);
    planner.terraformSelected(tfCrater);  // rock to crater
    select(0, 2);
    auto menu = planner.buildFieldMenu();
    ASSERT_EQ(menu.size(), 2u);
    EXPECT_EQ(menu[1].entries.front(), (MenuEntry{"Anfangszustand (Gestein)", tagInitial, false, {}}));
    build(0, 2, 14);  // a crater mine
    EXPECT_EQ(captions(planner.buildFieldMenu()).size(), 3u) << "no terraforming with a building";

    // A field that started as a crater is not reset while the craters are full.
    info.planets[ptStandard].surface[2][2] = ftCrater;
    planner.newPlan(ptStandard);
    select(2, 2);
    planner.terraformSelected(14);  // crater to rock
    select(3, 2);
    planner.terraformSelected(tfCrater);
    select(2, 2);
    menu = planner.buildFieldMenu();
    ASSERT_EQ(menu.size(), 2u);
    EXPECT_EQ(captions(menu[1].entries), (std::vector<std::string>{info.terraformings[tfVolcano].name}))
        << "neither the reset nor a new crater";
    // In the orbit a reset has no limit.
    select(1, 1, false);
    planner.terraformSelected(tfDysonSphere);
    menu = planner.buildFieldMenu();
    ASSERT_EQ(menu.size(), 2u);
    EXPECT_EQ(menu[1].entries.front().caption, "Anfangszustand (Weltraum)");
}

TEST(SortByCaption, UnsignedBytesPrefixesFirstAndStable) {
    std::vector<MenuEntry> entries;
    for (const char* caption : {"bauhof", "Ölpumpe", "Zentrale", "Bau", "Bauhof", "ärger", "zelt", "Bauhof"})
        entries.push_back({caption, int(entries.size()), false, {}});
    sortByCaption(entries);
    EXPECT_EQ(captions(entries), (std::vector<std::string>{"Bau", "Bauhof", "Bauhof", "Zentrale", "bauhof", "zelt",
                                                           "Ölpumpe", "ärger"}));
    EXPECT_EQ(entries[1].tag, 4) << "equal captions keep their order";
    EXPECT_EQ(entries[2].tag, 7);
}

TEST(MenuTags, ActionEntriesOfAllLevelsInMenuOrderWithoutSubmenuHeads) {
    const FieldMenu menu{{"Abreißen", tagDemolish, false, {}},
                         {"Bauen", 0, true, {{"Wohnanlage", tagBuildBase + 3, false, {}},
                                             {"Mehr", 0, true, {{"Werft", tagBuildBase + 40, false, {}}}}}},
                         {"Anfangszustand", tagInitial, false, {}}};
    EXPECT_EQ(menuTags(menu), (std::vector<int>{tagDemolish, tagBuildBase + 3, tagBuildBase + 40, tagInitial}));
    EXPECT_TRUE(menuTags({}).empty());
}

TEST_F(FieldActionsTest, AlphabeticalSortSortsTheBuildingsAndKeepsTheirTags) {
    build(0, 0, bldBaseA);
    info.buildings[bldHousingCore].name = "Wohnanlage";
    info.buildings[3].name = "Agrarfarm";
    info.buildings[bldHolodeckA].name = "holodeck";
    state.alphabeticalSort = true;
    select(1, 0);
    const FieldMenu menu = planner.buildFieldMenu();
    const auto& entries = menu[0].entries;
    EXPECT_TRUE(std::is_sorted(entries.begin(), entries.end(), [](const MenuEntry& a, const MenuEntry& b) {
        return std::lexicographical_compare(a.caption.begin(), a.caption.end(), b.caption.begin(), b.caption.end(),
                                            [](char x, char y) { return (unsigned char)x < (unsigned char)y; });
    }));
    EXPECT_EQ(entries.front(), (MenuEntry{"Agrarfarm", tagBuildBase + 3, false, {}}));
    EXPECT_EQ(entries.back(), (MenuEntry{"holodeck", tagBuildBase + bldHolodeckA, false, {}}));
    const auto wohn = std::find_if(entries.begin(), entries.end(), [](const MenuEntry& e) { return e.caption == "Wohnanlage"; });
    ASSERT_NE(wohn, entries.end());
    EXPECT_EQ(wohn->tag, tagBuildBase + bldHousingCore);
    planner.chooseMenuEntry(wohn->tag);
    EXPECT_EQ(at(1, 0).building, bldHousingCore);
}

// --- actions ---------------------------------------------------------------

TEST_F(FieldActionsTest, BuildingCountsCostsCapacitiesAndReports) {
    build(0, 0, bldBaseA);
    view.calls.clear();
    build(1, 0, bldLabSmall);
    EXPECT_TRUE(state.planChanged);
    EXPECT_EQ(at(1, 0).building, bldLabSmall);
    EXPECT_TRUE(at(1, 0).built);
    EXPECT_TRUE(at(1, 0).inOperation);
    EXPECT_EQ(plan.ressources.scientistCapacity, 5);
    EXPECT_EQ(plan.ressources.buildingCosts[0], 10 + 35);
    EXPECT_EQ(view.calls, (std::vector<std::string>{"status 0 B25 gebaut", "population", "building s 1 0 25",
                                                   "production", "costs", "bsp 0"}));
    // Building over: the large lab replaces the small one.
    view.calls.clear();
    build(1, 0, bldLabLarge);
    EXPECT_EQ(plan.ressources.scientistCapacity, 10);
    EXPECT_EQ(plan.ressources.buildingCosts[0], 10 + 36);
    EXPECT_EQ(view.calls.front(), "status 0 B25 in B26 umgebaut");
    // Over itself: nothing changes but the text.
    build(1, 0, bldLabLarge);
    EXPECT_EQ(plan.ressources.scientistCapacity, 10);
    EXPECT_EQ(plan.ressources.buildingCosts[0], 10 + 36);
    EXPECT_EQ(view.starting("status 0").back(), "status 0 B26 in B26 umgebaut");
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
    EXPECT_EQ(view.calls, (std::vector<std::string>{"status 0 B26 offline genommen", "building s 1 0 26", "population",
                                                   "production"}))
        << "no cost refresh";
    planner.toggleSelected();
    EXPECT_EQ(plan.ressources.scientistCapacity, 15);
    EXPECT_EQ(plan.ressources.scientists, 5);
    EXPECT_EQ(view.starting("status 0").back(), "status 0 B26 online genommen");

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
    EXPECT_EQ(view.calls, (std::vector<std::string>{"status 0 B26 abgerissen", "field s 2 0 1", "population",
                                                   "production", "costs", "bsp 0"}));
    select(1, 0);
    planner.demolishSelected();
    EXPECT_EQ(plan.ressources.scientistCapacity, 0);
    EXPECT_EQ(plan.ressources.buildingCosts[0], 10) << "only the base is left";
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
    EXPECT_EQ(view.calls, (std::vector<std::string>{"status 1 Eis in Gebirge terraformiert", "field s 0 1 5", "costs",
                                                   "bsp 0"}))
        << "no population or production";
    planner.terraformSelected(8);  // mountains to ice
    EXPECT_EQ(view.starting("status 1").back(), "status 1 Gebirge in Eis terraformiert");
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

// --- area effects ----------------------------------------------------------

namespace {

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

TEST_F(FieldActionsTest, WideRangeWrapsColumnsAndContinuesIntoTheOrbit) {
    // 10 x 5 with 2 orbit rows, the worked example.
    for (int p : {ptStandard}) {
        InfoPlanet& planet = info.planets[p];
        planet.width = 10;
        planet.surface.assign(10, std::vector<std::int32_t>(std::begin(kRows), std::end(kRows)));
        planet.orbit.assign(10, std::vector<std::int32_t>(2, ftSpace));
    }
    planner.newPlan(ptStandard);
    view.calls.clear();
    planner.applyAreaWide(true, 0, 0);
    EXPECT_EQ(cover(plan.current.surface, true),
              (std::vector<std::string>{"1110000011", "1110000011", "1110000011", "0000000000", "0000000000"}));
    EXPECT_EQ(cover(plan.current.orbit, true), (std::vector<std::string>{"1110000011", "1110000011"}));
    planner.applyAreaWide(false, 0, 0);
    planner.applyAreaWide(true, 0, 4);
    EXPECT_EQ(cover(plan.current.surface, true),
              (std::vector<std::string>{"0000000000", "0000000000", "1110000011", "1110000011", "1110000011"}));
    EXPECT_EQ(cover(plan.current.orbit, true), (std::vector<std::string>{"1110000011", "1110000011"}));
    EXPECT_EQ(view.starting("field o").size(), 3u * 10u) << "every target is redrawn";
}

TEST_F(FieldActionsTest, NearRangeWrapsWithinTheSurface) {
    planner.applyAreaNear(true, 0, 0);
    EXPECT_EQ(cover(plan.current.surface, false),
              (std::vector<std::string>{"110001", "110001", "000000", "000000", "110001"}));
    EXPECT_EQ(cover(plan.current.orbit, false), (std::vector<std::string>{"000000", "000000"}));
}

TEST_F(FieldActionsTest, OverlappingRangesCountAndNarrowGridsCountTwice) {
    planner.applyAreaWide(true, 2, 2);
    planner.applyAreaWide(true, 3, 2);
    EXPECT_EQ(at(2, 2).coverWide, 2);
    EXPECT_EQ(at(0, 2).coverWide, 1);
    planner.applyAreaWide(false, 2, 2);
    EXPECT_EQ(at(2, 2).coverWide, 1) << "still covered by the other";

    // Four columns: the wide range visits one column twice (2 from the left and the right).
    InfoPlanet& planet = info.planets[ptTemperate];
    planet.width = 4;
    planet.surface.assign(4, std::vector<std::int32_t>(std::begin(kRows), std::end(kRows)));
    planet.orbit.assign(4, std::vector<std::int32_t>(2, ftSpace));
    planner.newPlan(ptTemperate);
    planner.applyAreaWide(true, 0, 2);
    EXPECT_EQ(cover(plan.current.surface, true),
              (std::vector<std::string>{"1121", "1121", "1121", "1121", "1121"}));
    planner.applyAreaWide(false, 0, 2);
    EXPECT_EQ(cover(plan.current.surface, true), (std::vector<std::string>(5, "0000")));
}

TEST_F(FieldActionsTest, LargeAsteroidFieldKeepsTheRangeOnItsSurface) {
    planner.newPlan(ptLargeAsteroids);
    // Five rows: from row 0 the range reaches rows 3 and 4 across the top edge,
    // from row 4 rows 0 and 1 across the bottom edge.
    for (int y : {0, 4}) {
        planner.applyAreaWide(true, 3, y);
        EXPECT_EQ(cover(plan.current.surface, true), (std::vector<std::string>(5, "011111"))) << y;
        planner.applyAreaWide(false, 3, y);
    }
    planner.applyAreaNear(true, 3, 4);
    EXPECT_EQ(cover(plan.current.surface, false),
              (std::vector<std::string>{"001110", "000000", "000000", "001110", "001110"}));
}

TEST_F(FieldActionsTest, MissingOrbitRowsAreLeftOut) {
    planner.newPlan(ptSmallAsteroids);  // no orbit
    planner.applyAreaWide(true, 2, 0);
    EXPECT_EQ(cover(plan.current.surface, true),
              (std::vector<std::string>{"111110", "111110", "111110", "000000", "000000"}));
    planner.applyAreaWide(false, 2, 0);
    EXPECT_EQ(cover(plan.current.surface, true), (std::vector<std::string>(5, "000000")));
}

TEST_F(FieldActionsTest, AreaBuildingsApplyAndRemoveTheirRanges) {
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
