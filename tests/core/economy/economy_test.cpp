#include "core/economy/economy.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

#include "core/catalog/catalog_files.h"
#include "core/planner/planner.h"
#include "support/small_catalog.h"

using namespace dz;

namespace {

constexpr int kFactory = 16;  // an ordinary building of the test catalog

// A 6 x 3 meadow planet with two orbit rows (planet 0) and one without orbit
// (planet 9); buildings produce nothing until a test gives them values.
class EconomyTest : public small_catalog::SmallCatalogTest {
protected:
    void SetUp() override {
        for (int p : {0, 9})
            small_catalog::shapePlanet(info.planets[p], 6, 3, p == 0 ? 2 : 0, small_catalog::meadow);
        planner.newPlan(0);
    }

    // Puts building b on a field, in operation or not.
    void place(int x, int y, bool onSurface, int b, bool on = true) {
        Field& f = plan.fieldAt(x, y, onSurface);
        f.building = b;
        f.built = true;
        f.inOperation = on;
    }

    std::vector<GridRow> production(char separator = '.') { return computeProduction(info, plan, separator); }
    std::string tick(int resource, char separator = '.') { return production(separator)[3 + resource].value; }
    PopulationResult population(int internalReputation = 0) {
        return computePopulation(info, plan, internalReputation, '.');
    }
};

}  // namespace

// --- production per tick ---------------------------------------------------

TEST_F(EconomyTest, EmptyPlanProducesNothing) {
    const auto rows = production(',');
    ASSERT_EQ(rows.size(), 19u);
    EXPECT_EQ(rows[0], (GridRow{"Lagerraum", "0"}));
    EXPECT_EQ(rows[1], (GridRow{"EPS", "0"}));
    EXPECT_EQ(rows[2], (GridRow{"", ""}));
    EXPECT_EQ(rows[3], (GridRow{"R0", "0"}));
    EXPECT_EQ(rows[3 + resResearch].value, "0,0") << "one decimal, the locale's separator";
    EXPECT_EQ(rows[18], (GridRow{"R15", "0"}));
}

TEST_F(EconomyTest, InhabitantsEatOneSupplyPerFiveRoundedUp) {
    for (auto [inhabitants, upkeep] : {std::pair{0, "0"}, std::pair{5, "-1"}, std::pair{6, "-2"}, std::pair{10, "-2"}}) {
        plan.ressources.inhabitants = inhabitants;
        EXPECT_EQ(tick(resSupply), upkeep) << inhabitants << " inhabitants";
    }
}

TEST_F(EconomyTest, SwitchedOffBuildingsKeepStorageAndEpsButProduceNothing) {
    info.buildings[kFactory].storage = 100;
    info.buildings[kFactory].eps = 30;
    info.buildings[kFactory].production[2] = 12;
    info.buildings[kFactory].production[0] = -5;
    place(0, 0, true, kFactory);
    place(1, 0, true, kFactory, false);
    place(3, 1, false, kFactory);
    const auto rows = production();
    EXPECT_EQ(rows[0].value, "300");
    EXPECT_EQ(rows[1].value, "90");
    EXPECT_EQ(rows[3 + 2].value, "24");
    EXPECT_EQ(rows[3 + 0].value, "-10");
}

TEST_F(EconomyTest, SupplyBonusNeedsAnOperatingOrbitSupplyStation) {
    place(0, 0, true, bldHousingCore);
    place(1, 0, true, bldHousingCore);
    place(2, 0, true, bldHousingAnnex);
    place(3, 0, true, bldHousingCore, false);  // switched off: does not count
    EXPECT_EQ(tick(resSupply), "0");
    place(0, 0, false, bldOrbitSupply);
    EXPECT_EQ(tick(resSupply), "3");
    plan.fieldAt(0, 0, false).inOperation = false;
    EXPECT_EQ(tick(resSupply), "0");
    // On the surface the station sets no bonus, in the orbit a housing core counts none.
    place(4, 0, true, bldOrbitSupply);
    place(5, 1, false, bldHousingCore);
    EXPECT_EQ(tick(resSupply), "0");
}

TEST_F(EconomyTest, ScientistsAddATenthEach) {
    plan.ressources.scientists = 7;
    EXPECT_EQ(tick(resResearch), "0.7");
    info.buildings[kFactory].production[resResearch] = 2;
    place(0, 0, true, kFactory);
    EXPECT_EQ(tick(resResearch), "2.7");
    info.buildings[kFactory].production[resResearch] = -1;
    plan.ressources.scientists = 3;
    EXPECT_EQ(tick(resResearch, ','), "-0,7");
    plan.ressources.scientists = 10;
    EXPECT_EQ(tick(resResearch), "0.0") << "no minus zero";
}

TEST_F(EconomyTest, PlanetWithoutOrbitCountsTheSurface) {
    planner.newPlan(9);
    info.buildings[kFactory].storage = 7;
    place(5, 2, true, kFactory);
    EXPECT_EQ(production()[0].value, "7");
}

// --- population and personnel ----------------------------------------------

TEST_F(EconomyTest, SwitchedOffHousingCoreGivesFourLivingSpace) {
    info.buildings[bldHousingCore].housing = 40;
    place(0, 0, true, bldHousingCore, false);
    population();
    EXPECT_EQ(plan.ressources.livingSpace, 4);
    EXPECT_EQ(plan.ressources.inhabitants, 4);
    plan.fieldAt(0, 0, true).inOperation = true;
    population();
    EXPECT_EQ(plan.ressources.livingSpace, 40);
}

TEST_F(EconomyTest, PopulationLimitCapsTheInhabitants) {
    info.buildings[kFactory].housing = 8;
    place(0, 0, true, kFactory);
    plan.ressources.limitEnabled = true;
    plan.ressources.populationLimit = 10;
    population();
    EXPECT_EQ(plan.ressources.inhabitants, 8);
    info.buildings[kFactory].housing = 20;
    population();
    EXPECT_EQ(plan.ressources.inhabitants, 10);
    plan.ressources.limitEnabled = false;
    population();
    EXPECT_EQ(plan.ressources.inhabitants, 20);
}

TEST_F(EconomyTest, TickingTheLimitBox) {
    Ressources& r = plan.ressources;
    r.livingSpace = 50;
    // A limit above the living space keeps the previous one (0 after a new plan).
    EXPECT_EQ(populationLimitClicked(r, true, "100"), std::nullopt);
    EXPECT_TRUE(r.limitEnabled);
    EXPECT_EQ(r.populationLimit, 0);
    EXPECT_EQ(populationLimitClicked(r, true, "30"), std::nullopt);
    EXPECT_EQ(r.populationLimit, 30);
    EXPECT_EQ(populationLimitClicked(r, true, "50"), std::nullopt);
    EXPECT_EQ(r.populationLimit, 50);
    // No number: the edit box gets the living space.
    EXPECT_EQ(populationLimitClicked(r, true, "viele"), std::optional<std::string>("50"));
    EXPECT_EQ(r.populationLimit, 50);
    EXPECT_EQ(populationLimitClicked(r, false, "7"), std::nullopt);
    EXPECT_FALSE(r.limitEnabled);
    EXPECT_EQ(r.populationLimit, 50);
    // A negative number is no count of people either.
    for (const char* negative : {"-3", " -1", "-2147483648"}) {
        EXPECT_EQ(populationLimitClicked(r, true, negative), std::optional<std::string>("50")) << negative;
        EXPECT_EQ(r.populationLimit, 50);
    }
    EXPECT_EQ(populationLimitClicked(r, true, "-0"), std::nullopt) << "minus nothing is nothing";
    EXPECT_EQ(r.populationLimit, 0);
}

namespace {

// Living space 20 from one housing building; a workplace needs `workers`.
void crowd(Info& info, int workers) {
    info.buildings[bldHousingCore].housing = 20;
    info.buildings[kFactory].workers = workers;
}

}  // namespace

TEST_F(EconomyTest, ShortageDismissesEnvironmentalistsThenScientists) {
    crowd(info, 18);
    place(0, 0, true, bldHousingCore);
    place(1, 0, true, kFactory);
    place(2, 0, true, bldEco, false);
    place(3, 0, true, bldLabSmall);
    plan.ressources.ecoGuards = 3;
    plan.ressources.scientists = 4;
    const auto result = population();  // unemployed 20 - 18 - 3 - 4 = -5
    EXPECT_EQ(plan.ressources.ecoGuards, 0);
    EXPECT_EQ(plan.ressources.scientists, 2);
    EXPECT_EQ(result.status, std::optional<std::string>("2 Wissenschaftler entlassen"));
    EXPECT_EQ(unemployed(plan.ressources), 0);
}

TEST_F(EconomyTest, ShortageCoveredByTheFirstKindNamesIt) {
    crowd(info, 20);
    place(0, 0, true, bldHousingCore);
    place(1, 0, true, kFactory);
    place(2, 0, true, bldEco, false);
    plan.ressources.ecoGuards = 3;
    plan.ressources.soldiers = 2;
    const auto result = population();  // unemployed -5: 3 environmentalists cover 3, then ...
    EXPECT_EQ(plan.ressources.ecoGuards, 0);
    EXPECT_EQ(plan.ressources.soldiers, 0);
    EXPECT_EQ(result.status, std::optional<std::string>("2 Soldaten entlassen"));

    plan.ressources.ecoGuards = 3;
    EXPECT_EQ(population().status, std::optional<std::string>("3 Umweltsch\xFCtzer entlassen"));
}

// Counts at the ends of int32 (from a plan file, or a limit typed by the
// user) must not overflow: the sums are taken in 64 bits.
TEST_F(EconomyTest, ExtremeCountsDoNotOverflow) {
    crowd(info, 18);
    place(0, 0, true, bldHousingCore);
    place(1, 0, true, kFactory);
    Ressources& r = plan.ressources;
    info.buildings[kFactory].workers = INT32_MAX;
    r.limitEnabled = true;
    r.populationLimit = INT32_MIN;  // nobody lives there, not fewer
    auto result = population();
    EXPECT_EQ(r.inhabitants, 0);
    const auto missing = std::find_if(result.rows.begin(), result.rows.end(),
                                      [](const GridRow& row) { return row.label == "Fehlende Arbeiter!"; });
    ASSERT_NE(missing, result.rows.end());
    EXPECT_EQ(missing->value, "-2147483647");  // 0 - INT32_MAX
    EXPECT_EQ(tick(resSupply), "0") << "no upkeep, and no gain from fewer than nobody";
    info.buildings[kFactory].workers = 18;

    r.limitEnabled = false;
    r.soldiers = INT32_MIN;  // "unemployed" would be 20 - 18 + 2^31
    result = population();
    EXPECT_EQ(unemployed(r), 2 + 2147483648LL);
    EXPECT_EQ(result.status, std::nullopt);

    r.soldiers = INT32_MAX;  // all of them go: 2 + 2^31 - 1 - 2 = everyone but 2
    result = population();
    EXPECT_EQ(result.status, std::optional<std::string>("2147483645 Soldaten entlassen"));
    EXPECT_EQ(r.soldiers, 2);
    EXPECT_EQ(unemployed(r), 0);
}

// Data files may hold any int32: sums beyond it stop at its ends.
TEST_F(EconomyTest, SumsOfExtremeDataValuesStayWithinInt32) {
    info.buildings[bldHousingCore].housing = INT32_MAX;
    info.buildings[bldHousingCore].attractiveness = INT32_MIN;
    info.buildings[kFactory].workers = INT32_MAX;
    info.planets[0].baseAttractiveness = -5;
    place(0, 0, true, bldHousingCore);
    place(1, 0, true, bldHousingCore);
    place(2, 0, true, kFactory);
    place(3, 0, true, kFactory);
    population();
    EXPECT_EQ(plan.ressources.livingSpace, INT32_MAX);
    EXPECT_EQ(plan.ressources.workersNeeded, INT32_MAX);
    EXPECT_EQ(plan.attractiveness, INT32_MIN);
}

TEST_F(EconomyTest, HolodeckOperatorsGoBeforeSoldiers) {
    crowd(info, 18);
    place(0, 0, true, bldHousingCore);
    place(1, 0, true, kFactory);
    place(2, 0, true, bldHolodeckA, false);
    plan.ressources.holodeckOperators = 3;
    plan.ressources.soldiers = 1;
    const auto result = population();  // unemployed -2
    EXPECT_EQ(plan.ressources.holodeckOperators, 1);
    EXPECT_EQ(plan.ressources.soldiers, 1);
    EXPECT_EQ(result.status, std::optional<std::string>("2 Holodeckbetreiber entlassen"));
}

TEST_F(EconomyTest, MissingWorkersShowThreeRowsAndLockTheButtons) {
    crowd(info, 30);
    place(0, 0, true, bldHousingCore);
    place(1, 0, true, kFactory);
    plan.ressources.soldiers = 1;
    const auto result = population();
    EXPECT_EQ(plan.ressources.soldiers, 0);
    EXPECT_EQ(result.status, std::nullopt) << "the soldiers did not cover the shortage";
    ASSERT_EQ(result.rows.size(), 3u);
    EXPECT_EQ(result.rows[0], (GridRow{"verf\xFCgb. Wohnraum", "20"}));
    EXPECT_EQ(result.rows[1], (GridRow{"Arbeiter", "30"}));
    EXPECT_EQ(result.rows[2], (GridRow{"Fehlende Arbeiter!", "-10"}));
    EXPECT_FALSE(result.buttonsEnabled);
}

TEST_F(EconomyTest, EnoughWorkersShowSevenRows) {
    crowd(info, 5);
    place(0, 0, true, bldHousingCore);
    place(1, 0, true, kFactory);
    place(2, 0, true, bldEco, false);
    plan.ressources.ecoGuards = 2;
    const auto result = population();
    ASSERT_EQ(result.rows.size(), 7u);
    EXPECT_EQ(result.rows[2], (GridRow{"Arbeitslose", "13"}));
    EXPECT_EQ(result.rows[3], (GridRow{"\xD6kos", "2"}));
    EXPECT_EQ(result.rows[4].label, "Holodeckbetreiber");
    EXPECT_EQ(result.rows[5].label, "Wissenschaftler");
    EXPECT_EQ(result.rows[6], (GridRow{"Soldaten", "0"}));
    EXPECT_TRUE(result.buttonsEnabled);
}

TEST_F(EconomyTest, PersonnelIsClampedSilentlyToThePlacesOfTheBuildings) {
    info.buildings[kFactory].housing = 100;
    place(0, 0, true, kFactory);
    place(1, 0, true, bldLabLarge, false);  // switched off: its places still count here
    place(2, 0, false, bldLabOrbit);
    place(3, 0, true, bldHolodeckB, false);
    plan.ressources.scientists = 25;
    plan.ressources.holodeckOperators = 9;
    plan.ressources.ecoGuards = 4;  // the last eco building is gone
    const auto result = population();
    EXPECT_EQ(plan.ressources.scientists, 20);
    EXPECT_EQ(plan.ressources.holodeckOperators, 4);
    EXPECT_EQ(plan.ressources.ecoGuards, 0);
    EXPECT_EQ(result.status, std::nullopt);
}

// --- hire and fire ---------------------------------------------------------

TEST_F(EconomyTest, HiringNeedsAFreePlaceFiringSomeoneHired) {
    Ressources& r = plan.ressources;
    r.inhabitants = 10;
    r.scientistCapacity = 1;
    EXPECT_EQ(hire(r, Personnel::Scientist), std::optional<std::string>("1 Wissenschaftler eingestellt"));
    EXPECT_EQ(hire(r, Personnel::Scientist), std::nullopt) << "no free place";
    EXPECT_EQ(r.scientists, 1);
    EXPECT_EQ(fire(r, Personnel::Scientist), std::optional<std::string>("1 Wissenschaftler entlassen"));
    EXPECT_EQ(fire(r, Personnel::Scientist), std::nullopt) << "nobody left to fire";
    EXPECT_EQ(r.scientists, 0);
}

TEST_F(EconomyTest, SoldiersNeedOnlySomeoneUnemployed) {
    Ressources& r = plan.ressources;
    r.inhabitants = 2;
    r.workersNeeded = 1;
    EXPECT_EQ(hire(r, Personnel::Soldier), std::optional<std::string>("1 Soldat eingestellt"));
    EXPECT_EQ(hire(r, Personnel::Soldier), std::nullopt) << "no one unemployed";
    EXPECT_EQ(r.soldiers, 1);
    r.ecoCapacity = 10;
    EXPECT_EQ(hire(r, Personnel::Eco), std::nullopt);
    EXPECT_EQ(fire(r, Personnel::Soldier), std::optional<std::string>("1 Soldat entlassen"));
    EXPECT_EQ(hire(r, Personnel::Eco), std::optional<std::string>("1 Umweltsch\xFCtzer eingestellt"));
    r.holodeckCapacity = 4;
    EXPECT_EQ(fire(r, Personnel::Eco), std::optional<std::string>("1 Umweltsch\xFCtzer entlassen"));
    EXPECT_EQ(hire(r, Personnel::Holodeck), std::optional<std::string>("1 Holodeck-Betreiber eingestellt"));
    EXPECT_EQ(fire(r, Personnel::Holodeck), std::optional<std::string>("1 Holodeck-Betreiber entlassen"));
}

TEST_F(EconomyTest, PlannerRecomputesAfterHiringAndReportsOnThePersonnelPanel) {
    info.buildings[kFactory].housing = 10;
    place(0, 0, true, kFactory);
    planner.computePopulation();
    view.calls.clear();
    planner.hire(Personnel::Soldier);
    EXPECT_EQ(view.calls,
              (std::vector<std::string>{"status personnel 1 Soldat eingestellt", "population", "production"}));
    EXPECT_EQ(view.population.rows[6].value, "1");
}

// --- attractiveness and reputation -----------------------------------------

TEST_F(EconomyTest, ReputationGrowthExample) {
    info.planets[0].baseAttractiveness = 50;
    info.buildings[kFactory].housing = 19;
    place(0, 0, true, kFactory);
    place(1, 0, true, bldEco, false);
    plan.ressources.ecoGuards = 3;
    const auto result = population();
    EXPECT_FLOAT_EQ(plan.reputationGrowth, 2.6f);  // 1 + 0.6 + 1
    EXPECT_EQ(result.indicators.reputationGrowth, "+2.6");
    EXPECT_EQ(result.indicators.reputationGrowthColour, LabelColour::Green);
}

TEST_F(EconomyTest, ReputationTermsAndTheFloorAtZero) {
    info.planets[0].baseAttractiveness = 0;
    info.buildings[kFactory].housing = 25;
    place(0, 0, true, kFactory);
    population();
    EXPECT_EQ(plan.reputationGrowth, 0.0f) << "attractiveness 0 gives m = 0";

    plan.ressources.soldiers = 3;
    const auto result = population();
    EXPECT_EQ(plan.reputationGrowth, 0.0f) << "-6 is clamped";
    EXPECT_EQ(result.indicators.reputationGrowth, "0.0");
    EXPECT_EQ(result.indicators.reputationGrowthColour, LabelColour::Grey);

    plan.ressources.soldiers = 0;
    info.planets[0].baseAttractiveness = 500;
    place(1, 0, true, bldEco, false);
    place(2, 0, true, bldEco, false);  // 2 + 2
    place(3, 0, true, bldCredits600);  // - 10
    population();
    EXPECT_EQ(plan.reputationGrowth, 0.0f);
    plan.fieldAt(3, 0, true) = Field{};
    population();
    EXPECT_FLOAT_EQ(plan.reputationGrowth, 4.0f);  // 25 / 10 = 2, and 1 per eco building
    place(4, 0, true, bldRepDrain, false);  // -20 even switched off
    population();
    EXPECT_EQ(plan.reputationGrowth, 0.0f);
}

TEST_F(EconomyTest, AttractivenessLabel) {
    info.planets[0].baseAttractiveness = 100;
    info.buildings[kFactory].attractiveness = 20;
    info.buildings[kFactory].housing = 50;
    place(0, 0, true, kFactory, false);  // counts whether in operation or not
    place(1, 0, true, kFactory);
    place(2, 0, true, bldHolodeckA, false);
    plan.ressources.soldiers = 2;
    plan.ressources.holodeckOperators = 4;
    EXPECT_EQ(population(3500).indicators.attractiveness, "+140+3(+40)");
    EXPECT_EQ(plan.attractiveness, 140);
    EXPECT_EQ(population(999).indicators.attractiveness, "+140+0(+40)");
    EXPECT_EQ(population(1000).indicators.attractiveness, "+140+1(+40)");
    EXPECT_EQ(population(-1500).indicators.attractiveness, "+140-1(+40)");
    info.buildings[kFactory].attractiveness = -80;
    plan.ressources.soldiers = 0;
    plan.ressources.holodeckOperators = 0;
    EXPECT_EQ(population().indicators.attractiveness, "-60+0(+0)");
}

TEST_F(EconomyTest, AttractivenessTurnsRedWhenItCannotAttractTheWorkers) {
    info.planets[0].baseAttractiveness = 10;
    info.buildings[kFactory].housing = 20;
    info.buildings[kFactory].workers = 12;
    place(0, 0, true, kFactory);
    auto ind = population().indicators;
    EXPECT_EQ(ind.attractiveness, "+10+0(+0)");
    EXPECT_EQ(ind.attractivenessColour, LabelColour::Red);
    EXPECT_EQ(ind.attractivenessCaptionColour, LabelColour::Red);
    place(1, 0, true, bldCredits600, false);
    ind = population().indicators;
    EXPECT_EQ(ind.attractivenessColour, LabelColour::Green);
    EXPECT_EQ(ind.attractivenessCaptionColour, LabelColour::White);
    plan.fieldAt(1, 0, true) = Field{};
    ind = population(2000).indicators;  // 10 + 2 = 12 is not below 12
    EXPECT_EQ(ind.attractivenessColour, LabelColour::Green);
}

// --- costs and BSP ---------------------------------------------------------

TEST_F(EconomyTest, CostViewsAndTheCreditsRow) {
    plan.ressources.buildingCosts[0] = 100;
    plan.ressources.terraformCosts[0] = 50;
    plan.ressources.terraformCosts[5] = -3;
    place(0, 0, true, bldCredits600);
    place(1, 0, true, bldCredits600, false);
    place(2, 0, true, bldCredits550);
    const auto all = computeCosts(info, plan, CostView::All);
    ASSERT_EQ(all.size(), 17u);
    EXPECT_EQ(all[0], (GridRow{"R0", "150"}));
    EXPECT_EQ(all[5].value, "-3");
    EXPECT_EQ(all[16], (GridRow{"Credits", "1750"}));
    const auto buildings = computeCosts(info, plan, CostView::Buildings);
    EXPECT_EQ(buildings[0].value, "100");
    EXPECT_EQ(buildings[5].value, "0");
    EXPECT_EQ(buildings[16].value, "1750");
    const auto terraformings = computeCosts(info, plan, CostView::Terraformings);
    EXPECT_EQ(terraformings[0].value, "50");
    EXPECT_EQ(terraformings[16].value, "0");
}

TEST_F(EconomyTest, BspOfOperatingBuildingsAndOfDepotsInAnyState) {
    applyBspTable(info);
    place(0, 0, true, bldBaseA);                 // 100
    place(1, 0, true, bldBaseB, false);          // switched off: nothing
    place(2, 0, true, bldBspDepotB, false);      // 1000 even switched off
    place(3, 1, false, bldOrbitAdmin);           // 150 in the orbit
    place(4, 1, false, bldBspDepotA, false);     // in the orbit the depot needs to operate
    EXPECT_EQ(availableBsp(info, plan), 1250);
}

TEST_F(EconomyTest, OnlyTheAllViewRefreshesTheBsp) {
    applyBspTable(info);
    place(0, 0, true, bldBaseA);
    planner.refreshCosts(CostView::All);
    EXPECT_EQ(view.bsp, 100);
    place(1, 0, true, bldBspDepotA, false);
    view.calls.clear();
    planner.refreshCosts(CostView::Terraformings);
    planner.refreshCosts(CostView::Buildings);
    EXPECT_EQ(view.calls, (std::vector<std::string>{"costs", "costs"}));
    EXPECT_EQ(view.bsp, 100) << "the label keeps the last value";
    EXPECT_EQ(planner.costView(), CostView::Buildings);
    planner.refreshCheckedCosts();
    EXPECT_EQ(view.starting("bsp").size(), 0u);
}

TEST(NumberTexts, TenthsAndSigns) {
    EXPECT_EQ(formatTenths(0, '.'), "0.0");
    EXPECT_EQ(formatTenths(27, ','), "2,7");
    EXPECT_EQ(formatTenths(-7, '.'), "-0.7");
    EXPECT_EQ(formatTenths(-120, '.'), "-12.0");
    EXPECT_EQ(signedText(0), "+0");
    EXPECT_EQ(signedText(-3), "-3");
}
