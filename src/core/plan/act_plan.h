// The plan being edited: every field of the surface and the orbit, what it was
// at the start, the selected field and the economic values kept with the plan.
#pragma once

#include <array>
#include <compare>
#include <cstdint>
#include <vector>

#include "core/catalog/info.h"

namespace dz {

struct Field {
    std::int32_t building = -1;  // building index, -1 = none
    bool inOperation = false;
    bool built = false;  // true exactly when building >= 0
    std::int32_t fieldType = 0;
    std::int32_t coverWide = 0;  // wide-range area buildings covering the field
    std::int32_t coverNear = 0;  // near-range area buildings covering the field
    bool operator==(const Field&) const = default;
};

// Column-major like the planet templates: grid[x][y].
using FieldGrid = std::vector<std::vector<Field>>;
using CostGrid = std::vector<std::vector<ResourceArray>>;

struct Fields {
    FieldGrid surface;
    FieldGrid orbit;
    bool operator==(const Fields&) const = default;
};

// A field of the plan.
struct FieldPosition {
    int x = 0;
    int y = 0;
    bool onSurface = true;
    bool operator==(const FieldPosition&) const = default;
    auto operator<=>(const FieldPosition&) const = default;
};

// Economic values of the plan: computed ones and the ones the user sets.
struct Ressources {
    std::int32_t livingSpace = 0;
    std::int32_t populationLimit = 0;
    bool limitEnabled = false;
    std::int32_t inhabitants = 0;
    std::int32_t workersNeeded = 0;
    std::int32_t ecoGuards = 0;
    std::int32_t holodeckOperators = 0;
    std::int32_t soldiers = 0;
    std::int32_t scientists = 0;
    std::int32_t scientistCapacity = 0;
    std::int32_t ecoCapacity = 0;
    std::int32_t holodeckCapacity = 0;
    ResourceArray terraformCosts{};  // all terraformings of the plan
    ResourceArray buildingCosts{};   // all buildings standing in the plan
    CostGrid surfaceTerraformCosts;  // terraforming spent on each surface field
    CostGrid orbitTerraformCosts;    // terraforming spent on each orbit field
    bool operator==(const Ressources&) const = default;
};

// The field on which the field menu was opened last.
struct FieldSelection {
    std::int32_t x = -1;
    std::int32_t y = -1;
    bool onSurface = false;
    bool operator==(const FieldSelection&) const = default;
};

struct ActPlan {
    Fields current;
    Fields initial;  // the template the plan started from; only fieldType is used
    FieldSelection selected;
    Ressources ressources;
    std::int32_t attractiveness = 0;
    float reputationGrowth = 0.0f;
    std::int32_t planetType = -1;  // -1 until the first plan
    bool operator==(const ActPlan&) const = default;

    int width() const { return int(current.surface.size()); }
    int surfaceHeight() const { return current.surface.empty() ? 0 : int(current.surface[0].size()); }
    int orbitHeight() const { return current.orbit.empty() ? 0 : int(current.orbit[0].size()); }

    // The field of `current` at a position; throws std::out_of_range outside the grids.
    Field& fieldAt(int x, int y, bool onSurface);
    const Field& fieldAt(int x, int y, bool onSurface) const;
    bool contains(int x, int y, bool onSurface) const;

    // The selected field of `current`; throws std::out_of_range when the
    // selection names no field of the plan.
    Field& selectedField() { return fieldAt(selected.x, selected.y, selected.onSurface); }
    const Field& selectedField() const { return fieldAt(selected.x, selected.y, selected.onSurface); }

    // Fields of surface and orbit holding building b, in operation or not.
    int countBuildings(int b) const;
    // countBuildings of every building at once, in one walk over the fields.
    std::array<int, kBuildingCount> buildingCounts() const;
    // Surface fields of field type f; the orbit does not count.
    int countSurfaceFields(int f) const;

    // Cost bookkeeping of the selected field.
    void addTerraformCost(const ResourceArray& cost);
    void clearFieldTerraformCost();
    void addBuildingCost(const Info& info);       // the building standing on the field now
    void subtractBuildingCost(const Info& info);  // the building standing on the field now

private:
    ResourceArray& selectedCostEntry();
};

}  // namespace dz
