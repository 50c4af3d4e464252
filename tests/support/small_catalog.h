// A small catalog of our own for the core tests, and a planner working on it
// with a view that records what it is asked to show.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/catalog/builtin_tables.h"
#include "core/planner/planner.h"
#include "support/recording_view.h"

namespace small_catalog {

using namespace dz;

// The field type of a template at column x, row y.
using FieldAt = std::function<int(int x, int y)>;

inline int space(int, int) { return ftSpace; }
inline int meadow(int, int) { return ftMeadow; }

// The surface rows of every planet type until a test shapes it otherwise:
// meadow, ice, rock, forest, mountains.
inline constexpr int kRows[] = {ftMeadow, 3, 9, ftForest, 5};
inline int rowKind(int, int y) { return kRows[y]; }

// Gives a planet type its size and the field types of its template.
inline void shapePlanet(InfoPlanet& planet, int width, int surfaceHeight, int orbitHeight, const FieldAt& surfaceAt,
                        const FieldAt& orbitAt = space) {
    planet.width = width;
    planet.surfaceHeight = surfaceHeight;
    planet.orbitHeight = orbitHeight;
    planet.surface.assign(std::size_t(width), std::vector<std::int32_t>(std::size_t(surfaceHeight)));
    planet.orbit.assign(std::size_t(width), std::vector<std::int32_t>(std::size_t(orbitHeight)));
    for (int x = 0; x < width; ++x) {
        for (int y = 0; y < surfaceHeight; ++y) planet.surface[x][y] = surfaceAt(x, y);
        for (int y = 0; y < orbitHeight; ++y) planet.orbit[x][y] = orbitAt(x, y);
    }
}

// The build cost of building b in resource r: no two are alike, none is 0.
inline std::int32_t buildCost(int b, int r) { return 1000 + 100 * b + r; }

// The built-in field types and terraformings; buildings named "B0".."B54"
// that cost buildCost() and have no other values; resources "R0".."R15".
// Every planet type is 6 x 5 with the rows of kRows and two orbit rows of
// space (the two asteroid fields have no orbit), allows one crater, core rift
// and volcano and one of each counted building, and yields 2 for the yield-D
// building.
inline Info smallCatalog() {
    Info info;
    buildFieldTypes(info);
    buildTerraformings(info);
    for (int b = 0; b < kBuildingCount; ++b) {
        info.buildings[b].name = "B" + std::to_string(b);
        for (int r = 0; r < kResourceCount; ++r) info.buildings[b].buildCost[r] = buildCost(b, r);
    }
    for (int r = 0; r < kResourceCount; ++r) info.resourceTypes[r].name = "R" + std::to_string(r);
    for (int p = 0; p < kPlanetCount; ++p) {
        InfoPlanet& planet = info.planets[p];
        shapePlanet(planet, 6, 5, p == ptLargeAsteroids || p == ptSmallAsteroids ? 0 : 2, rowKind);
        planet.capA = 1;
        planet.capB = 1;
        planet.yieldD = 2;
        planet.maxCraters = 1;
        planet.maxCoreRifts = 1;
        planet.maxVolcanoes = 1;
    }
    return info;
}

// A planner on the small catalog; no plan exists until a test makes one.
class SmallCatalogTest : public ::testing::Test {
protected:
    void select(int x, int y, bool onSurface = true) { plan.selected = FieldSelection{x, y, onSurface}; }
    Field& at(int x, int y, bool onSurface = true) { return plan.fieldAt(x, y, onSurface); }
    // Building b on a field, as the field menu does it.
    void build(int x, int y, int b, bool onSurface = true) {
        select(x, y, onSurface);
        planner.buildOnSelected(b);
    }

    Info info = smallCatalog();
    ActPlan plan;
    ProgramState state;
    RecordingView view;
    Planner planner{info, plan, state, view};
};

}  // namespace small_catalog
