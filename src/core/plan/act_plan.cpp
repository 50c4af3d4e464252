#include "core/plan/act_plan.h"

#include <cstdint>
#include <stdexcept>

namespace dz {

bool ActPlan::contains(int x, int y, bool onSurface) const {
    const FieldGrid& grid = onSurface ? current.surface : current.orbit;
    return x >= 0 && x < int(grid.size()) && y >= 0 && y < int(grid[x].size());
}

Field& ActPlan::fieldAt(int x, int y, bool onSurface) {
    return const_cast<Field&>(static_cast<const ActPlan&>(*this).fieldAt(x, y, onSurface));
}

const Field& ActPlan::fieldAt(int x, int y, bool onSurface) const {
    if (!contains(x, y, onSurface))
        throw std::out_of_range("Feld (" + std::to_string(x) + ", " + std::to_string(y) + ") liegt nicht im Plan.");
    return (onSurface ? current.surface : current.orbit)[x][y];
}

int ActPlan::countBuildings(int b) const {
    int n = 0;
    for (const FieldGrid* grid : {&current.surface, &current.orbit})
        for (const auto& column : *grid)
            for (const Field& f : column) n += f.building == b;
    return n;
}

std::array<int, kBuildingCount> ActPlan::buildingCounts() const {
    std::array<int, kBuildingCount> counts{};
    for (const FieldGrid* grid : {&current.surface, &current.orbit})
        for (const auto& column : *grid)
            for (const Field& f : column)
                if (f.building >= 0 && f.building < kBuildingCount) ++counts[std::size_t(f.building)];
    return counts;
}

int ActPlan::countSurfaceFields(int f) const {
    int n = 0;
    for (const auto& column : current.surface)
        for (const Field& field : column) n += field.fieldType == f;
    return n;
}

ResourceArray& ActPlan::selectedCostEntry() {
    selectedField();  // validates the selection
    CostGrid& grid = selected.onSurface ? ressources.surfaceTerraformCosts : ressources.orbitTerraformCosts;
    return grid.at(selected.x).at(selected.y);
}

namespace {

// The cost sums wrap around at the ends of int32 instead of overflowing
// (values read from a plan file may lie anywhere in int32). Wrapping keeps
// the bookkeeping exact: taking away what was added gives the old sum back.
std::int32_t wrappingAdd(std::int32_t a, std::int32_t b) {
    return std::int32_t(std::uint32_t(a) + std::uint32_t(b));
}
std::int32_t wrappingSubtract(std::int32_t a, std::int32_t b) {
    return std::int32_t(std::uint32_t(a) - std::uint32_t(b));
}

}  // namespace

void ActPlan::addTerraformCost(const ResourceArray& cost) {
    ResourceArray& entry = selectedCostEntry();
    for (int i = 0; i < kResourceCount; ++i) {
        entry[i] = wrappingAdd(entry[i], cost[i]);
        ressources.terraformCosts[i] = wrappingAdd(ressources.terraformCosts[i], cost[i]);
    }
}

void ActPlan::clearFieldTerraformCost() {
    ResourceArray& entry = selectedCostEntry();
    for (int i = 0; i < kResourceCount; ++i) {
        ressources.terraformCosts[i] = wrappingSubtract(ressources.terraformCosts[i], entry[i]);
        entry[i] = 0;
    }
}

void ActPlan::addBuildingCost(const Info& info) {
    const ResourceArray& cost = info.buildings.at(selectedField().building).buildCost;
    for (int i = 0; i < kResourceCount; ++i) ressources.buildingCosts[i] = wrappingAdd(ressources.buildingCosts[i], cost[i]);
}

void ActPlan::subtractBuildingCost(const Info& info) {
    const ResourceArray& cost = info.buildings.at(selectedField().building).buildCost;
    for (int i = 0; i < kResourceCount; ++i)
        ressources.buildingCosts[i] = wrappingSubtract(ressources.buildingCosts[i], cost[i]);
}

}  // namespace dz
