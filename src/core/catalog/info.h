// The game catalog: the static tables the planner works from. Filled once at
// start-up (see catalog_files.h) and read-only afterwards, except the four
// planet-dependent production values that every new plan rewrites.
#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <string>
#include <vector>

namespace dz {

inline constexpr int kBuildingCount = 55;
inline constexpr int kFieldTypeCount = 15;
inline constexpr int kPlanetCount = 10;
inline constexpr int kTerraformingCount = 17;
inline constexpr int kResourceCount = 16;

// One value per resource, indexed by the resource index 0..15.
using ResourceArray = std::array<std::int32_t, kResourceCount>;

// A grid stored column-major: grid[x][y], x = column, y = row.
using IntGrid = std::vector<std::vector<std::int32_t>>;

// Catalog strings are Windows-1252 bytes exactly as read from the data files.
struct InfoBuilding {
    std::string name;
    std::string imageDir;
    ResourceArray buildCost{};
    ResourceArray production{};
    std::int32_t storage = 0;
    std::int32_t eps = 0;
    std::int32_t housing = 0;
    std::int32_t attractiveness = 0;
    std::int32_t bsp = 0;  // not in the file: set from a fixed table after reading
    std::int32_t workers = 0;
};

struct InfoField {
    std::string name;
    std::string imageDir;
    std::bitset<kBuildingCount> buildable;
    std::bitset<kTerraformingCount> terraformable;
};

struct InfoPlanet {
    std::string name;
    std::string image;
    std::int32_t baseAttractiveness = 0;
    std::int32_t maxCraters = 0;
    std::int32_t maxCoreRifts = 0;
    std::int32_t maxVolcanoes = 0;
    std::int32_t yieldA = 0;
    std::int32_t yieldB = 0;
    std::int32_t capA = 0;
    std::int32_t yieldC = 0;
    std::int32_t capB = 0;
    std::int32_t yieldD = 0;
    std::int32_t width = 0;
    std::int32_t surfaceHeight = 0;
    std::int32_t orbitHeight = 0;
    IntGrid surface;  // field-type index per field, [x][y]
    IntGrid orbit;    // field-type index per field, [x][y]; columns empty without orbit
};

struct InfoTerraforming {
    std::string name;
    std::int32_t targetField = 0;
    ResourceArray cost{};
};

struct InfoRessource {
    std::string name;
    std::string image;
};

struct Info {
    std::array<InfoBuilding, kBuildingCount> buildings;
    std::array<InfoField, kFieldTypeCount> fields;
    std::array<InfoPlanet, kPlanetCount> planets;
    std::array<InfoTerraforming, kTerraformingCount> terraformings;
    std::array<InfoRessource, kResourceCount> resourceTypes;
};

// Buildings with a fixed role; buildings.kpl lists matching buildings here.
inline constexpr int bldBaseA = 0;
inline constexpr int bldBaseB = 1;
inline constexpr int bldBaseC = 2;
inline constexpr int bldHolodeckA = 4;
inline constexpr int bldHolodeckB = 5;
inline constexpr int bldHousingCore = 6;
inline constexpr int bldHousingAnnex = 8;
inline constexpr int bldEco = 9;
inline constexpr int bldPassive = 10;
inline constexpr int bldPlanetYieldB = 12;
inline constexpr int bldLabSmall = 25;
inline constexpr int bldLabLarge = 26;
inline constexpr int bldAreaNear = 30;
inline constexpr int bldAreaWide = 31;
inline constexpr int bldWorkbeePort = 32;
inline constexpr int bldOrbitalseil = 33;
inline constexpr int bldRepDrain = 35;
inline constexpr int bldPlanetYieldA = 36;
inline constexpr int bldOrbitSupply = 38;
inline constexpr int bldLabOrbit = 39;
inline constexpr int bldOrbitUniqueA = 42;
inline constexpr int bldOrbitUniqueB = 43;
inline constexpr int bldOrbitAdmin = 45;
inline constexpr int bldPlanetYieldC = 46;
inline constexpr int bldPlanetCapA = 47;
inline constexpr int bldPlanetYieldD = 48;
inline constexpr int bldPlanetCapB = 49;
inline constexpr int bldBspDepotA = 50;
inline constexpr int bldBspDepotB = 51;
inline constexpr int bldCredits600 = 52;
inline constexpr int bldCredits550 = 53;
inline constexpr int bldStandardOnly = 54;

// The orbital buildings, bldFirstOrbital..bldLastOrbital: they stand in space
// and, like bldStandardOnly, can be built only once the colony has a
// workbee port.
inline constexpr int bldFirstOrbital = 36;
inline constexpr int bldLastOrbital = 45;

// BSP has no line in the building file: these buildings provide it, every
// other building none.
struct BuildingBsp {
    int building;
    std::int32_t bsp;
};
inline constexpr BuildingBsp kBspTable[] = {
    {bldBaseA, 100},      {bldBaseB, 150},     {bldBaseC, 150},
    {bldOrbitAdmin, 150}, {bldBspDepotA, 500}, {bldBspDepotB, 1000},
};

// Planet types, in the order of the "Neu" menu.
inline constexpr int ptStandard = 0;
inline constexpr int ptTemperate = 5;
inline constexpr int ptWater = 6;
inline constexpr int ptSmallAsteroids = 7;
inline constexpr int ptIceAsteroid = 8;
inline constexpr int ptLargeAsteroids = 9;

// Field types.
inline constexpr int ftSpace = 0;
inline constexpr int ftMeadow = 1;
inline constexpr int ftForest = 2;
inline constexpr int ftCrater = 10;
inline constexpr int ftVolcano = 13;
inline constexpr int ftCoreRift = 14;

// Terraformings.
inline constexpr int tfDysonSphere = 0;
inline constexpr int tfMeadowFromIce = 3;
inline constexpr int tfCoreRift = 10;
inline constexpr int tfCrater = 13;
inline constexpr int tfVolcano = 16;

// Resources with a fixed role.
inline constexpr int resEnergy = 0;      // the planet's yields A and B
inline constexpr int resSupply = 1;      // consumed by the inhabitants
inline constexpr int resMinerals = 3;    // the planet's yield C
inline constexpr int resResearch = 8;    // produced by the scientists
inline constexpr int resRareEarths = 12; // the planet's yield D

// What a building produces of a resource is a value of the planet type, set
// by every new plan.
struct PlanetYield {
    int building;
    int resource;
    std::int32_t InfoPlanet::*value;
};
inline constexpr PlanetYield kPlanetYields[] = {
    {bldPlanetYieldA, resEnergy, &InfoPlanet::yieldA},
    {bldPlanetYieldB, resEnergy, &InfoPlanet::yieldB},
    {bldPlanetYieldC, resMinerals, &InfoPlanet::yieldC},
    {bldPlanetYieldD, resRareEarths, &InfoPlanet::yieldD},
};

}  // namespace dz
