// Checks that a plan's bookkeeping agrees with its fields: cost sums,
// personnel places (those of kPersonnelPlaces, counted afresh from the
// fields) and the cover counters of the area buildings.
#pragma once

#include <gtest/gtest.h>

#include "core/catalog/info.h"
#include "core/economy/personnel.h"
#include "core/plan/act_plan.h"

namespace plan_checks {

using namespace dz;

inline int mod(int a, int n) { return ((a % n) + n) % n; }

// The cover counters as they must be: one per area building in operation
// whose range reaches the field.
inline std::pair<std::vector<std::vector<int>>, std::vector<std::vector<int>>> expectedCover(const ActPlan& plan, bool wide) {
    const int w = plan.width(), hs = plan.surfaceHeight(), ho = plan.orbitHeight();
    std::vector<std::vector<int>> surface(w, std::vector<int>(hs)), orbit(w, std::vector<int>(ho));
    const bool large = plan.planetType == ptLargeAsteroids;
    for (int x = 0; x < w; ++x)
        for (int y = 0; y < hs; ++y) {
            const Field& f = plan.current.surface[x][y];
            if (!f.inOperation || f.building != (wide ? bldAreaWide : bldAreaNear)) continue;
            const int reach = wide ? 2 : 1;
            for (int dx = -reach; dx <= reach; ++dx)
                for (int dy = -reach; dy <= reach; ++dy) {
                    const int c = mod(x + dx, w), row = y + dy;
                    if (!wide || large || (row >= 0 && row < hs))
                        ++surface[c][mod(row, hs)];
                    else if (row < 0 && ho + row >= 0)
                        ++orbit[c][ho + row];
                    else if (row >= hs && row - hs < ho)
                        ++orbit[c][row - hs];
                }
        }
    return {surface, orbit};
}

inline void checkBookkeeping(const Info& info, const ActPlan& plan) {
    const Ressources& r = plan.ressources;
    ResourceArray terraform{}, building{};
    Ressources places;  // the capacities as the fields give them
    for (int grid = 0; grid < 2; ++grid) {
        const FieldGrid& fields = grid == 0 ? plan.current.surface : plan.current.orbit;
        const CostGrid& costs = grid == 0 ? r.surfaceTerraformCosts : r.orbitTerraformCosts;
        for (std::size_t x = 0; x < fields.size(); ++x)
            for (std::size_t y = 0; y < fields[x].size(); ++y) {
                const Field& f = fields[x][y];
                for (int i = 0; i < kResourceCount; ++i) terraform[i] += costs[x][y][i];
                ASSERT_EQ(f.built, f.building >= 0);
                if (!f.built) {
                    ASSERT_FALSE(f.inOperation);
                    continue;
                }
                ASSERT_LT(f.building, kBuildingCount);
                for (int i = 0; i < kResourceCount; ++i) building[i] += info.buildings[f.building].buildCost[i];
                const PersonnelPlaces* entry = personnelPlaces(f.building);
                if (entry && (f.inOperation || entry->whileStanding)) *capacity(places, entry->kind) += entry->places;
            }
    }
    ASSERT_EQ(r.terraformCosts, terraform);
    ASSERT_EQ(r.buildingCosts, building);
    ASSERT_EQ(r.scientistCapacity, places.scientistCapacity);
    ASSERT_EQ(r.holodeckCapacity, places.holodeckCapacity);
    ASSERT_EQ(r.ecoCapacity, places.ecoCapacity);
    for (bool wide : {true, false}) {
        const auto [surface, orbit] = expectedCover(plan, wide);
        for (int x = 0; x < plan.width(); ++x) {
            for (int y = 0; y < plan.surfaceHeight(); ++y) {
                const Field& f = plan.current.surface[x][y];
                ASSERT_EQ(wide ? f.coverWide : f.coverNear, surface[x][y]) << "surface " << x << "," << y;
            }
            for (int y = 0; y < plan.orbitHeight(); ++y) {
                const Field& f = plan.current.orbit[x][y];
                ASSERT_EQ(wide ? f.coverWide : f.coverNear, orbit[x][y]) << "orbit " << x << "," << y;
            }
        }
    }
}

}  // namespace plan_checks
