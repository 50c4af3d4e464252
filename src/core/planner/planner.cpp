#include "core/planner/planner.h"

#include <stdexcept>
#include <string>

#include "core/text/cp1252.h"

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
    computePopulation();
    computeProduction();
    refreshCosts(CostView::All);
    view_.checkCostView(CostView::All);
}

void Planner::resetPlan() {
    setStatus(StatusPanel::Buildings, "Fertig");
    setStatus(StatusPanel::Terraforming, "");
    setStatus(StatusPanel::Personnel, "");

    Ressources& r = plan_.ressources;
    view_.resetPopulationLimit();
    shown_.limitText = "0";
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
    if (result.status) setStatus(StatusPanel::Personnel, *result.status);
    view_.showPopulation(result);
}

void Planner::computeProduction() { view_.showProduction(dz::computeProduction(info_, plan_, decimalSeparator_)); }

void Planner::refreshCosts(CostView view) {
    costView_ = view;
    view_.showCosts(computeCosts(info_, plan_, view));
    if (view == CostView::All) {
        shown_.bsp = availableBsp(info_, plan_);
        view_.showBsp(shown_.bsp);
    }
}

void Planner::hire(Personnel kind) {
    if (const auto message = dz::hire(plan_.ressources, kind)) reportAction(StatusPanel::Personnel, *message);
    recomputePersonnel();
}

void Planner::fire(Personnel kind) {
    if (const auto message = dz::fire(plan_.ressources, kind)) reportAction(StatusPanel::Personnel, *message);
    recomputePersonnel();
}

std::optional<std::string> Planner::populationLimitClicked(bool ticked, const std::string& editText) {
    // Only the history shows this text; the status line says nothing.
    actionText_ = ticked ? "Bevölkerungsgrenze eingeschaltet" : "Bevölkerungsgrenze ausgeschaltet";
    actionText_ = utf8ToCp1252(actionText_);
    shown_.limitText = editText;
    auto replacement = dz::populationLimitClicked(plan_.ressources, ticked, editText);
    if (replacement) shown_.limitText = *replacement;
    return replacement;
}

void Planner::recomputePersonnel() {
    computePopulation();
    computeProduction();
}

void Planner::setStatus(StatusPanel panel, const std::string& text) {
    shown_.status.at(std::size_t(panel)) = text;
    view_.setStatus(panel, text);
}

void Planner::reportAction(StatusPanel panel, const std::string& text) {
    actionText_ = text;
    setStatus(panel, text);
}

// --- undo and redo -------------------------------------------------------------

PlanSnapshot Planner::snapshot() const {
    PlanSnapshot s{plan_, shown_};
    s.plan.selected = FieldSelection{};
    return s;
}

Planner::StepStart Planner::startStep() {
    StepStart start{snapshot()};
    actionText_.clear();
    return start;
}

std::optional<PlanStep> Planner::finishStep(const StepStart& start, std::string text) {
    PlanSnapshot after = snapshot();
    // Text typed into the limit field alone is no step.
    ShownTexts shownAfter = after.shown;
    shownAfter.limitText = start.before.shown.limitText;
    if (after.plan == start.before.plan && shownAfter == start.before.shown) return std::nullopt;
    if (text.empty()) text = actionText_.empty() ? utf8ToCp1252("Änderung") : actionText_;
    return PlanStep(start.before, after, std::move(text));
}

void Planner::undo(const PlanStep& step) {
    const bool limitEnabled = plan_.ressources.limitEnabled;
    const ShownTexts shown = shown_;
    step.writeBefore(plan_, shown_);
    showStepSide(step, limitEnabled, shown);
}

void Planner::redo(const PlanStep& step) {
    const bool limitEnabled = plan_.ressources.limitEnabled;
    const ShownTexts shown = shown_;
    step.writeAfter(plan_, shown_);
    showStepSide(step, limitEnabled, shown);
}

void Planner::showStepSide(const PlanStep& step, bool limitEnabledBefore, const ShownTexts& shownBefore) {
    for (const PlanStep::Position& at : step.changedFields()) redraw(at.x, at.y, at.onSurface);
    // The limit controls and the status texts are set only where they change:
    // setting a text repaints its control.
    if (limitEnabledBefore != plan_.ressources.limitEnabled || shownBefore.limitText != shown_.limitText)
        view_.showPopulationLimit(plan_.ressources.limitEnabled, shown_.limitText);
    // The economic values were computed when the snapshot was taken: the
    // computations find them again and give the panels what they showed.
    // The personnel panel gets the snapshot's text, not a dismissal.
    view_.showPopulation(dz::computePopulation(info_, plan_, state_.internalReputation, decimalSeparator_));
    computeProduction();
    // The BSP as it was shown: switching a building leaves the label as it
    // is until the costs are shown again.
    view_.showCosts(computeCosts(info_, plan_, costView_));
    view_.showBsp(shown_.bsp);
    for (StatusPanel panel : kStatusPanels) {
        const std::size_t i = std::size_t(panel);
        if (shownBefore.status[i] != shown_.status[i]) view_.setStatus(panel, shown_.status[i]);
    }
}

}  // namespace dz
