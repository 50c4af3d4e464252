// The field menu of the planner and the actions it carries out on the
// selected field.
#include "core/economy/personnel.h"
#include "core/plan/build_rules.h"
#include "core/planner/planner.h"
#include "core/text/cp1252.h"

namespace dz {

namespace {

std::string text(const char* utf8) { return utf8ToCp1252(utf8); }

}  // namespace

// --- the menu --------------------------------------------------------------

FieldMenu Planner::buildFieldMenu() const { return fieldMenu(info_, plan_, state_.alphabeticalSort); }

void Planner::chooseMenuEntry(int tag) {
    if (tag == tagDemolish)
        demolishSelected();
    else if (tag == tagToggle)
        toggleSelected();
    else if (tag == tagInitial)
        resetSelectedField();
    else if (tag >= tagBuildBase && tag < tagBuildBase + kBuildingCount)
        buildOnSelected(tag - tagBuildBase);
    else if (tag >= tagTerraformBase && tag < tagTerraformBase + kTerraformingCount)
        terraformSelected(tag - tagTerraformBase);
}

// --- actions ---------------------------------------------------------------

void Planner::changeCapacities(int building, int sign) {
    if (const PersonnelPlaces* entry = personnelPlaces(building))
        *capacity(plan_.ressources, entry->kind) += sign * entry->places;
}

void Planner::afterBuildingChange() {
    computeProduction();
    refreshCheckedCosts();
}

void Planner::buildOnSelected(int b) {
    const InfoBuilding& building = info_.buildings.at(std::size_t(b));
    Field& f = plan_.selectedField();
    const int x = plan_.selected.x, y = plan_.selected.y;
    const bool onSurface = plan_.selected.onSurface;
    const int old = f.building;

    if (old >= 0) {
        // What the old building gave while it stood (in operation, for
        // ranges and most places) goes with it.
        if (f.inOperation) applyRange(old, RangeChange::Remove, x, y);
        plan_.subtractBuildingCost(info_);
        if (placesCount(f)) changeCapacities(old, -1);
        reportAction(StatusPanel::Buildings,
                     info_.buildings.at(std::size_t(old)).name + text(" in ") + building.name + text(" umgebaut"));
    } else {
        reportAction(StatusPanel::Buildings, building.name + text(" gebaut"));
    }
    changeCapacities(b, +1);  // in operation, or the eco building
    applyRange(b, RangeChange::Add, x, y);
    f.building = b;
    f.built = true;
    f.inOperation = !isPassive(b);
    plan_.addBuildingCost(info_);
    computePopulation();
    view_.showBuilding(x, y, b, onSurface);
    afterBuildingChange();
}

void Planner::terraformSelected(int t) {
    const InfoTerraforming& tf = info_.terraformings.at(std::size_t(t));
    Field& f = plan_.selectedField();
    reportAction(StatusPanel::Terraforming,
                 info_.fields.at(std::size_t(f.fieldType)).name + text(" in ") +
                     info_.fields.at(std::size_t(tf.targetField)).name + text(" terraformiert"));
    f.fieldType = tf.targetField;
    plan_.addTerraformCost(tf.cost);
    view_.showField(plan_.selected.x, plan_.selected.y, tf.targetField, plan_.selected.onSurface);
    refreshCheckedCosts();
}

void Planner::demolishSelected() {
    Field& f = plan_.selectedField();
    const int b = f.building;
    const int x = plan_.selected.x, y = plan_.selected.y;
    const InfoBuilding& building = info_.buildings.at(std::size_t(b));

    reportAction(StatusPanel::Buildings, building.name + text(" abgerissen"));
    if (f.inOperation) applyRange(b, RangeChange::Remove, x, y);
    if (placesCount(f)) changeCapacities(b, -1);
    f.inOperation = false;
    plan_.subtractBuildingCost(info_);
    f.built = false;
    f.building = -1;
    view_.showField(x, y, f.fieldType, plan_.selected.onSurface);
    computePopulation();
    afterBuildingChange();
}

void Planner::toggleSelected() {
    Field& f = plan_.selectedField();
    const int b = f.building;
    const int x = plan_.selected.x, y = plan_.selected.y;
    const InfoBuilding& building = info_.buildings.at(std::size_t(b));
    Ressources& r = plan_.ressources;

    // Labs and holodecks provide their places while in operation (the eco
    // building, whose places count while it stands, cannot be switched).
    const PersonnelPlaces* places = personnelPlaces(b);
    const bool placesFollow = places && !places->whileStanding;
    if (f.inOperation) {
        reportAction(StatusPanel::Buildings, building.name + text(" offline genommen"));
        if (placesFollow) changeCapacities(b, -1);
        applyRange(b, RangeChange::Remove, x, y);
        // Scientists beyond the places that are left go; holodeck operators stay.
        if (r.scientistCapacity < r.scientists) r.scientists = r.scientistCapacity;
    } else {
        reportAction(StatusPanel::Buildings, building.name + text(" online genommen"));
        if (placesFollow) changeCapacities(b, +1);
        applyRange(b, RangeChange::Add, x, y);
    }
    f.inOperation = !f.inOperation;
    view_.showBuilding(x, y, b, plan_.selected.onSurface);
    computePopulation();
    computeProduction();
}

void Planner::resetSelectedField() {
    const FieldSelection& s = plan_.selected;
    Field& f = plan_.selectedField();
    const int initial = (s.onSurface ? plan_.initial.surface : plan_.initial.orbit).at(std::size_t(s.x)).at(std::size_t(s.y)).fieldType;
    // No status text, as the menu entry says all; the text names the step in the history.
    actionText_ = info_.fields.at(std::size_t(f.fieldType)).name + text(" in ") + info_.fields.at(std::size_t(initial)).name +
                  text(" zurückgesetzt");
    f.fieldType = initial;
    plan_.clearFieldTerraformCost();
    view_.showField(s.x, s.y, f.fieldType, s.onSurface);
    clampPersonnel(plan_);
    afterBuildingChange();
}

}  // namespace dz
