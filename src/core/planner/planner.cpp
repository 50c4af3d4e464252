#include "core/planner/planner.h"

#include <stdexcept>
#include <string>

namespace dz {

namespace {

template <typename T>
void resizeGrid(std::vector<std::vector<T>>& grid, int width, int height) {
    grid.resize(width);
    for (auto& column : grid) column.resize(height);
}

}  // namespace

void Planner::newPlan(int p) {
    if (p < 0 || p >= kPlanetCount) throw std::out_of_range("Planetentyp " + std::to_string(p) + " gibt es nicht.");
    state_.planExists = true;
    view_.enablePlanControls();

    // Hide the pictures of the plan shown so far, in its own shape.
    if (plan_.planetType != -1) {
        for (int x = 0; x < plan_.width(); ++x) {
            for (int y = 0; y < plan_.surfaceHeight(); ++y) view_.hideCell(x, y, true);
            for (int y = 0; y < plan_.orbitHeight(); ++y) view_.hideCell(x, y, false);
        }
    }

    plan_.planetType = p;
    resetPlan();
    view_.layoutForPlanet(p);

    // The planet-dependent production values hold until the next new plan.
    const InfoPlanet& planet = info_.planets[p];
    for (const PlanetYield& yield : kPlanetYields)
        info_.buildings[std::size_t(yield.building)].production[std::size_t(yield.resource)] = planet.*yield.value;

    // Every field from the template, per column the surface and then the orbit.
    auto drawFromTemplate = [this](int x, int y, const IntGrid& templ, bool onSurface) {
        const int f = templ.at(std::size_t(x)).at(std::size_t(y));
        Field& field = plan_.fieldAt(x, y, onSurface);
        field.inOperation = false;
        field.built = false;
        field.building = -1;
        view_.showField(x, y, f, onSurface);
        field.fieldType = f;
        (onSurface ? plan_.initial.surface : plan_.initial.orbit)[std::size_t(x)][std::size_t(y)].fieldType = f;
    };
    for (int x = 0; x < planet.width; ++x) {
        for (int y = 0; y < planet.surfaceHeight; ++y) drawFromTemplate(x, y, planet.surface, true);
        for (int y = 0; y < planet.orbitHeight; ++y) drawFromTemplate(x, y, planet.orbit, false);
    }
    state_.planChanged = false;

    computePopulation();
    computeProduction();
    refreshCosts(CostView::All);
    view_.checkCostView(CostView::All);
}

void Planner::resetPlan() {
    view_.setStatus(0, "Fertig");
    view_.setStatus(1, "");
    view_.setStatus(2, "");

    Ressources& r = plan_.ressources;
    view_.resetPopulationLimit();
    r.limitEnabled = false;
    r.populationLimit = 0;

    const InfoPlanet& planet = info_.planets.at(plan_.planetType);
    const int w = planet.width, hs = planet.surfaceHeight, ho = planet.orbitHeight;
    for (Fields* fields : {&plan_.current, &plan_.initial}) {
        resizeGrid(fields->surface, w, hs);
        resizeGrid(fields->orbit, w, ho);
    }
    resizeGrid(r.surfaceTerraformCosts, w, hs);
    resizeGrid(r.orbitTerraformCosts, w, ho);
    for (CostGrid* costs : {&r.surfaceTerraformCosts, &r.orbitTerraformCosts})
        for (auto& column : *costs)
            for (ResourceArray& entry : column) entry.fill(0);
    for (FieldGrid* grid : {&plan_.current.surface, &plan_.current.orbit})
        for (auto& column : *grid)
            for (Field& field : column) {
                field.coverNear = 0;
                field.coverWide = 0;
            }
    view_.resizeImageGrids(w, hs, ho);

    r.terraformCosts.fill(0);
    r.buildingCosts.fill(0);
    r.livingSpace = 0;
    r.workersNeeded = 0;
    r.ecoGuards = 0;
    r.holodeckOperators = 0;
    r.soldiers = 0;
    r.scientists = 0;
    r.scientistCapacity = 0;
    r.ecoCapacity = 0;
    r.holodeckCapacity = 0;
    plan_.attractiveness = 0;
    plan_.reputationGrowth = 0.0f;
}


void Planner::computePopulation() {
    const PopulationResult result = dz::computePopulation(info_, plan_, state_.internalReputation, decimalSeparator_);
    if (result.status) view_.setStatus(2, *result.status);
    view_.showPopulation(result);
}

void Planner::computeProduction() { view_.showProduction(dz::computeProduction(info_, plan_, decimalSeparator_)); }

void Planner::refreshCosts(CostView view) {
    costView_ = view;
    view_.showCosts(computeCosts(info_, plan_, view));
    if (view == CostView::All) view_.showBsp(availableBsp(info_, plan_));
}

void Planner::hireOrFire(Personnel kind, int y, int buttonHeight) {
    if (const auto message = dz::hireOrFire(plan_.ressources, kind, y, buttonHeight)) view_.setStatus(2, *message);
    recomputePersonnel();
}

std::optional<std::string> Planner::populationLimitClicked(bool ticked, const std::string& editText) {
    return dz::populationLimitClicked(plan_.ressources, ticked, editText);
}

void Planner::recomputePersonnel() {
    computePopulation();
    computeProduction();
}

}  // namespace dz
