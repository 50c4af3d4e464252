#include "core/planner/plan_step.h"

#include <stdexcept>
#include <utility>

namespace dz {

namespace {

// The grids of a plan that hold one entry per field position, side by side.
struct Grids {
    FieldGrid* current;
    FieldGrid* initial;
    CostGrid* costs;
};
Grids gridsOf(ActPlan& plan, bool onSurface) {
    Ressources& r = plan.ressources;
    return onSurface ? Grids{&plan.current.surface, &plan.initial.surface, &r.surfaceTerraformCosts}
                     : Grids{&plan.current.orbit, &plan.initial.orbit, &r.orbitTerraformCosts};
}

bool sameShape(const FieldGrid& a, const FieldGrid& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t x = 0; x < a.size(); ++x)
        if (a[x].size() != b[x].size()) return false;
    return true;
}
template <typename T>
bool shapedLike(const std::vector<std::vector<T>>& grid, const FieldGrid& model) {
    if (grid.size() != model.size()) return false;
    for (std::size_t x = 0; x < grid.size(); ++x)
        if (grid[x].size() != model[x].size()) return false;
    return true;
}

// Whether every grid of the plan has the shape of its current fields.
bool consistent(const ActPlan& plan) {
    const Ressources& r = plan.ressources;
    return shapedLike(plan.initial.surface, plan.current.surface) && shapedLike(plan.initial.orbit, plan.current.orbit) &&
           shapedLike(r.surfaceTerraformCosts, plan.current.surface) &&
           shapedLike(r.orbitTerraformCosts, plan.current.orbit);
}

}  // namespace

PlanStep::PlanStep(const PlanSnapshot& before, const PlanSnapshot& after, std::string text, bool marksPlanChanged)
    : shape_(shapeOf(before.plan)),
      before_(restOf(before)), after_(restOf(after)), text_(std::move(text)), marksPlanChanged_(marksPlanChanged) {
    const ActPlan& a = before.plan;
    const ActPlan& b = after.plan;
    if (a.planetType != b.planetType || !sameShape(a.current.surface, b.current.surface) ||
        !sameShape(a.current.orbit, b.current.orbit) || !consistent(a) || !consistent(b))
        throw std::invalid_argument("Ein Schritt verbindet nur Zustände desselben Plans.");
    for (bool onSurface : {true, false}) {
        auto stateAt = [onSurface](const ActPlan& plan, std::size_t x, std::size_t y) {
            const Ressources& r = plan.ressources;
            return FieldState{(onSurface ? plan.current.surface : plan.current.orbit)[x][y],
                              (onSurface ? plan.initial.surface : plan.initial.orbit)[x][y].fieldType,
                              (onSurface ? r.surfaceTerraformCosts : r.orbitTerraformCosts)[x][y]};
        };
        const FieldGrid& grid = onSurface ? a.current.surface : a.current.orbit;
        for (std::size_t x = 0; x < grid.size(); ++x)
            for (std::size_t y = 0; y < grid[x].size(); ++y) {
                FieldState old = stateAt(a, x, y), now = stateAt(b, x, y);
                if (!(old == now)) fields_.push_back({{std::int32_t(x), std::int32_t(y), onSurface}, old, now});
            }
    }
    fields_.shrink_to_fit();
}

PlanStep::Rest PlanStep::restOf(const PlanSnapshot& snapshot) {
    Rest rest;
    const Ressources& r = snapshot.plan.ressources;
    // Every value but the two grids, which the field changes carry.
    rest.ressources.livingSpace = r.livingSpace;
    rest.ressources.populationLimit = r.populationLimit;
    rest.ressources.limitEnabled = r.limitEnabled;
    rest.ressources.inhabitants = r.inhabitants;
    rest.ressources.workersNeeded = r.workersNeeded;
    rest.ressources.ecoGuards = r.ecoGuards;
    rest.ressources.holodeckOperators = r.holodeckOperators;
    rest.ressources.soldiers = r.soldiers;
    rest.ressources.scientists = r.scientists;
    rest.ressources.scientistCapacity = r.scientistCapacity;
    rest.ressources.ecoCapacity = r.ecoCapacity;
    rest.ressources.holodeckCapacity = r.holodeckCapacity;
    rest.ressources.terraformCosts = r.terraformCosts;
    rest.ressources.buildingCosts = r.buildingCosts;
    rest.attractiveness = snapshot.plan.attractiveness;
    rest.reputationGrowth = snapshot.plan.reputationGrowth;
    rest.status = snapshot.status;
    rest.limitText = snapshot.limitText;
    rest.bsp = snapshot.bsp;
    return rest;
}

std::vector<PlanStep::Position> PlanStep::changedFields() const {
    std::vector<Position> positions;
    positions.reserve(fields_.size());
    for (const FieldChange& change : fields_) positions.push_back(change.at);
    return positions;
}

void PlanStep::writeBefore(ActPlan& plan, std::array<std::string, kStatusPanelCount>& status, std::string& limitText,
                           int& bsp) const {
    write(before_, false, plan, status, limitText, bsp);
}

void PlanStep::writeAfter(ActPlan& plan, std::array<std::string, kStatusPanelCount>& status, std::string& limitText, int& bsp) const {
    write(after_, true, plan, status, limitText, bsp);
}

void PlanStep::write(const Rest& rest, bool after, ActPlan& plan, std::array<std::string, kStatusPanelCount>& status,
                     std::string& limitText, int& bsp) const {
    // Checked first, so that another plan stays as it was.
    bool fits = shapeOf(plan) == shape_ && consistent(plan);
    for (const FieldChange& change : fields_) fits = fits && plan.contains(change.at.x, change.at.y, change.at.onSurface);
    if (!fits) throw std::invalid_argument("Der Schritt gehört zu einem anderen Plan.");
    for (const FieldChange& change : fields_) {
        const FieldState& state = after ? change.after : change.before;
        const Grids grids = gridsOf(plan, change.at.onSurface);
        const auto x = std::size_t(change.at.x), y = std::size_t(change.at.y);
        (*grids.current)[x][y] = state.field;
        (*grids.initial)[x][y].fieldType = state.initialType;
        (*grids.costs)[x][y] = state.terraformCost;
    }
    Ressources& r = plan.ressources;
    CostGrid surfaceCosts = std::move(r.surfaceTerraformCosts);
    CostGrid orbitCosts = std::move(r.orbitTerraformCosts);
    r = rest.ressources;
    r.surfaceTerraformCosts = std::move(surfaceCosts);
    r.orbitTerraformCosts = std::move(orbitCosts);
    plan.attractiveness = rest.attractiveness;
    plan.reputationGrowth = rest.reputationGrowth;
    status = rest.status;
    limitText = rest.limitText;
    bsp = rest.bsp;
}

}  // namespace dz
