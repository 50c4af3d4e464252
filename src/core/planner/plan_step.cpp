#include "core/planner/plan_step.h"

#include <stdexcept>
#include <tuple>
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

// Every grid of a plan with one entry per field position, which the field
// changes carry; all else of the plan goes with a step as a whole.
auto fieldGrids(ActPlan& plan) {
    return std::tie(plan.current.surface, plan.current.orbit, plan.initial.surface, plan.initial.orbit,
                    plan.ressources.surfaceTerraformCosts, plan.ressources.orbitTerraformCosts);
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

PlanStep::PlanStep(const PlanSnapshot& before, const PlanSnapshot& after, std::string text)
    : shape_(shapeOf(before.plan)), before_(restOf(before)), after_(restOf(after)), text_(std::move(text)) {
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
    Rest rest{snapshot.plan, snapshot.shown};
    ActPlan gridless;
    auto empty = fieldGrids(gridless);
    fieldGrids(rest.plan).swap(empty);
    rest.plan.selected = FieldSelection{};  // no part of a step
    return rest;
}

std::vector<PlanStep::Position> PlanStep::changedFields() const {
    std::vector<Position> positions;
    positions.reserve(fields_.size());
    for (const FieldChange& change : fields_) positions.push_back(change.at);
    return positions;
}

void PlanStep::writeBefore(ActPlan& plan, ShownTexts& shown) const { write(before_, false, plan, shown); }

void PlanStep::writeAfter(ActPlan& plan, ShownTexts& shown) const { write(after_, true, plan, shown); }

void PlanStep::write(const Rest& rest, bool after, ActPlan& plan, ShownTexts& shown) const {
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
    // Everything else is the side's as a whole; the grids just written and
    // the selection stay the plan's.
    ActPlan side = rest.plan;
    auto grids = fieldGrids(plan);
    fieldGrids(side).swap(grids);
    side.selected = plan.selected;
    plan = std::move(side);
    shown = rest.shown;
}

}  // namespace dz
