// Which buildings and terraformings the selected field offers.
#include "core/plan/build_rules.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/small_catalog.h"

using namespace dz;

namespace {

// Every plan of these tests starts on the standard planet of the small catalog.
class BuildRulesTest : public small_catalog::SmallCatalogTest {
protected:
    void SetUp() override { planner.newPlan(ptStandard); }

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
};

}  // namespace

// --- build rules -----------------------------------------------------------

TEST_F(BuildRulesTest, EmptyPlanOffersOnlyBaseBuildings) {
    EXPECT_EQ(offeredBuildings(0, 0), (std::vector<int>{bldBaseA, bldBaseB})) << "meadow on the standard planet";
    EXPECT_TRUE(offeredBuildings(0, 1).empty()) << "ice: the third base is not for this planet type";
    planner.newPlan(1);
    EXPECT_EQ(offeredBuildings(0, 1), std::vector<int>{bldBaseC});
    EXPECT_TRUE(offeredBuildings(0, 0).empty()) << "no meadow base on a desert planet";
}

TEST_F(BuildRulesTest, ABaseOpensTheOtherBuildingsAndDemolishingItClosesThem) {
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

TEST_F(BuildRulesTest, SpaceportComesFirstAndStaysOptional) {
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

TEST_F(BuildRulesTest, AtMostOneOfTheUniqueBuildings) {
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

TEST_F(BuildRulesTest, PlanetLimitsAndPlanetTypes) {
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

TEST_F(BuildRulesTest, TerraformingNeedsAnEmptyField) {
    EXPECT_TRUE(terraformOffered(6, 0, 0)) << "meadow to forest";
    build(0, 0, bldBaseA);
    EXPECT_FALSE(terraformOffered(6, 0, 0));
    select(0, 0);
    planner.demolishSelected();
    EXPECT_TRUE(terraformOffered(6, 0, 0));
}

TEST_F(BuildRulesTest, CraterLimitCountsTheSurfaceOnly) {
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

TEST_F(BuildRulesTest, DysonSphereNeedsTheOrbitalseil) {
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

TEST_F(BuildRulesTest, NoMeadowFromIceOnTheIceAsteroid) {
    EXPECT_TRUE(terraformOffered(3, 0, 1));
    planner.newPlan(ptIceAsteroid);
    EXPECT_FALSE(terraformOffered(3, 0, 1));
    EXPECT_TRUE(terraformOffered(9, 0, 1)) << "other terraformings of ice are";
}
