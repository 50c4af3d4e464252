// The field menu, its rules and the actions on the selected field, and the
// area effects of the two range buildings.
#include <algorithm>

#include "core/economy/personnel.h"
#include "core/text/cp1252.h"
#include "core/files/plan_file.h"
#include "core/planner/planner.h"

namespace dz {

namespace {

bool isPassive(int b) { return b == bldEco || b == bldPassive || b == bldBspDepotA || b == bldBspDepotB; }

bool isSpaceportDependent(int b) { return (b >= bldFirstOrbital && b <= bldLastOrbital) || b == bldStandardOnly; }

bool isUnique(int b) {
    return b == bldOrbitSupply || b == bldOrbitUniqueA || b == bldOrbitUniqueB || b == bldBaseC ||
           b == bldWorkbeePort || b == bldRepDrain || b == bldStandardOnly || b == bldOrbitalseil;
}

bool isAreaBuilding(int b) { return b == bldAreaWide || b == bldAreaNear; }

bool meadowBasePlanet(int p) { return p == ptStandard || p == ptTemperate || p == ptWater; }

std::string text(const char* utf8) { return utf8ToCp1252(utf8); }

bool bytesLess(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
    });
}

}  // namespace

void sortByCaption(std::vector<MenuEntry>& entries) {
    // A bubble sort: equal captions keep their order.
    const std::size_t n = entries.size();
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t j = 1; j < n - i; ++j)
            if (bytesLess(entries[j].caption, entries[j - 1].caption)) std::swap(entries[j], entries[j - 1]);
}

std::vector<int> menuTags(const std::vector<MenuEntry>& entries) {
    std::vector<int> tags;
    for (const MenuEntry& e : entries) {
        if (!e.submenu) {
            tags.push_back(e.tag);
            continue;
        }
        const std::vector<int> inner = menuTags(e.entries);
        tags.insert(tags.end(), inner.begin(), inner.end());
    }
    return tags;
}

// --- rules -----------------------------------------------------------------

bool Planner::canBuild(int b) const {
    if (b < 0 || b >= kBuildingCount) return false;
    const Field& f = plan_.fieldAt(plan_.selected.x, plan_.selected.y, plan_.selected.onSurface);
    if (f.fieldType < 0 || f.fieldType >= kFieldTypeCount) return false;
    const int p = plan_.planetType;
    const InfoPlanet& planet = info_.planets.at(std::size_t(p));
    auto n = [this](int building) { return plan_.countBuildings(building); };

    if (!info_.fields[std::size_t(f.fieldType)].buildable[std::size_t(b)]) return false;
    // A base building first.
    const bool base = b == bldBaseA || b == bldBaseB || b == bldBaseC;
    if (!base && n(bldBaseC) < 1 && n(bldBaseA) < 1 && n(bldBaseB) < 1) return false;
    if (isSpaceportDependent(b) && n(bldWorkbeePort) < 1) return false;
    if (b == bldPlanetCapA && n(bldPlanetCapA) >= planet.capA) return false;
    if (b == bldPlanetCapB && n(bldPlanetCapB) >= planet.capB) return false;
    // Planet types.
    if (b == bldPlanetYieldA && (p == ptSmallAsteroids || p == ptIceAsteroid || p == ptLargeAsteroids)) return false;
    if (b == bldStandardOnly && p != ptStandard) return false;
    if (b == bldBaseC && meadowBasePlanet(p)) return false;
    if ((b == bldBaseA || b == bldBaseB) && !meadowBasePlanet(p)) return false;
    if (b == bldOrbitSupply && (p == ptSmallAsteroids || p == ptLargeAsteroids)) return false;
    if (b == bldPlanetYieldD && planet.yieldD <= 0) return false;
    // At most one.
    if (isUnique(b) && n(b) != 0) return false;
    if ((b == bldBaseA || b == bldBaseB) && (n(bldBaseA) != 0 || n(bldBaseB) != 0)) return false;
    return true;
}

bool Planner::canTerraform(int t) const {
    if (t < 0 || t >= kTerraformingCount) return false;
    const Field& f = plan_.fieldAt(plan_.selected.x, plan_.selected.y, plan_.selected.onSurface);
    if (f.fieldType < 0 || f.fieldType >= kFieldTypeCount) return false;
    const InfoPlanet& planet = info_.planets.at(std::size_t(plan_.planetType));

    if (!info_.fields[std::size_t(f.fieldType)].terraformable[std::size_t(t)]) return false;
    if (f.built) return false;
    // The limits count the surface, wherever the field is.
    if (t == tfCrater && plan_.countSurfaceFields(ftCrater) >= planet.maxCraters) return false;
    if (t == tfCoreRift && plan_.countSurfaceFields(ftCoreRift) >= planet.maxCoreRifts) return false;
    if (t == tfVolcano && plan_.countSurfaceFields(ftVolcano) >= planet.maxVolcanoes) return false;
    if (t == tfDysonSphere && plan_.countBuildings(bldOrbitalseil) < 1) return false;
    // Meadow from ice is not possible on the ice asteroid.
    if (t == tfMeadowFromIce && plan_.planetType == ptIceAsteroid) return false;
    return true;
}

// --- the menu --------------------------------------------------------------

FieldMenu Planner::buildFieldMenu() const {
    const FieldSelection& s = plan_.selected;
    const Field& f = plan_.fieldAt(s.x, s.y, s.onSurface);
    FieldMenu menu;
    if (f.built) {
        menu.push_back({text("Abreißen"), tagDemolish, false, {}});
        if (!isPassive(f.building))
            menu.push_back({text(f.inOperation ? "Betrieb einstellen" : "In Betrieb nehmen"), tagToggle, false, {}});
    }
    MenuEntry build{text("Bauen"), 0, true, {}};
    for (int b = 0; b < kBuildingCount; ++b)
        if (canBuild(b)) build.entries.push_back({info_.buildings[std::size_t(b)].name, tagBuildBase + b, false, {}});
    if (state_.alphabeticalSort) sortByCaption(build.entries);
    menu.push_back(std::move(build));
    if (f.built) return menu;

    MenuEntry terraform{text("Terraforming"), 0, true, {}};
    const Field& initial = (s.onSurface ? plan_.initial.surface : plan_.initial.orbit).at(std::size_t(s.x)).at(std::size_t(s.y));
    if (initial.fieldType != f.fieldType && initial.fieldType >= 0 && initial.fieldType < kFieldTypeCount) {
        bool offered = true;
        if (s.onSurface) {
            // Going back must not exceed the planet's limits either.
            const InfoPlanet& planet = info_.planets.at(std::size_t(plan_.planetType));
            const int g = planet.surface.at(std::size_t(s.x)).at(std::size_t(s.y));
            if ((g == ftCrater && plan_.countSurfaceFields(ftCrater) >= planet.maxCraters) ||
                (g == ftCoreRift && plan_.countSurfaceFields(ftCoreRift) >= planet.maxCoreRifts) ||
                (g == ftVolcano && plan_.countSurfaceFields(ftVolcano) >= planet.maxVolcanoes))
                offered = false;
        }
        if (offered)
            terraform.entries.push_back(
                {text("Anfangszustand (") + info_.fields[std::size_t(initial.fieldType)].name + ")", tagInitial, false, {}});
    }
    for (int t = 0; t < kTerraformingCount; ++t)
        if (canTerraform(t))
            terraform.entries.push_back({info_.terraformings[std::size_t(t)].name, tagTerraformBase + t, false, {}});
    if (!terraform.entries.empty()) menu.push_back(std::move(terraform));
    return menu;
}

void Planner::popupClick(int tag) {
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
    Field& f = plan_.field();
    const int x = plan_.selected.x, y = plan_.selected.y;
    const bool onSurface = plan_.selected.onSurface;
    const int old = f.building;

    state_.planChanged = true;
    if (old >= 0) {
        // What the old building gave while it stood (in operation, for
        // ranges and most places) goes with it.
        if (isAreaBuilding(old) && f.inOperation) {
            if (old == bldAreaWide) applyAreaWide(false, x, y);
            if (old == bldAreaNear) applyAreaNear(false, x, y);
        }
        plan_.subtractBuildingCost(info_);
        if (placesCount(f)) changeCapacities(old, -1);
        view_.setStatus(0, info_.buildings.at(std::size_t(old)).name + text(" in ") + building.name + text(" umgebaut"));
    } else {
        view_.setStatus(0, building.name + text(" gebaut"));
    }
    changeCapacities(b, +1);  // in operation, or the eco building
    if (b == bldAreaWide) applyAreaWide(true, x, y);
    if (b == bldAreaNear) applyAreaNear(true, x, y);
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
    Field& f = plan_.field();
    state_.planChanged = true;
    view_.setStatus(1, info_.fields.at(std::size_t(f.fieldType)).name + text(" in ") +
                           info_.fields.at(std::size_t(tf.targetField)).name + text(" terraformiert"));
    f.fieldType = tf.targetField;
    plan_.addTerraformCost(tf.cost);
    view_.showField(plan_.selected.x, plan_.selected.y, tf.targetField, plan_.selected.onSurface);
    refreshCheckedCosts();
}

void Planner::demolishSelected() {
    Field& f = plan_.field();
    const int b = f.building;
    const int x = plan_.selected.x, y = plan_.selected.y;
    const InfoBuilding& building = info_.buildings.at(std::size_t(b));

    state_.planChanged = true;
    view_.setStatus(0, building.name + text(" abgerissen"));
    if (f.inOperation) {
        if (b == bldAreaWide) applyAreaWide(false, x, y);
        if (b == bldAreaNear) applyAreaNear(false, x, y);
    }
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
    Field& f = plan_.field();
    const int b = f.building;
    const int x = plan_.selected.x, y = plan_.selected.y;
    const InfoBuilding& building = info_.buildings.at(std::size_t(b));
    Ressources& r = plan_.ressources;

    // Labs and holodecks provide their places while in operation (the eco
    // building, whose places count while it stands, cannot be switched).
    const PersonnelPlaces* places = personnelPlaces(b);
    const bool placesFollow = places && !places->whileStanding;
    state_.planChanged = true;
    if (f.inOperation) {
        view_.setStatus(0, building.name + text(" offline genommen"));
        if (placesFollow) changeCapacities(b, -1);
        if (b == bldAreaWide) applyAreaWide(false, x, y);
        if (b == bldAreaNear) applyAreaNear(false, x, y);
        // Scientists beyond the places that are left go; holodeck operators stay.
        if (r.scientistCapacity < r.scientists) r.scientists = r.scientistCapacity;
    } else {
        view_.setStatus(0, building.name + text(" online genommen"));
        if (placesFollow) changeCapacities(b, +1);
        if (b == bldAreaWide) applyAreaWide(true, x, y);
        if (b == bldAreaNear) applyAreaNear(true, x, y);
    }
    f.inOperation = !f.inOperation;
    view_.showBuilding(x, y, b, plan_.selected.onSurface);
    computePopulation();
    computeProduction();
}

void Planner::resetSelectedField() {
    const FieldSelection& s = plan_.selected;
    Field& f = plan_.field();
    state_.planChanged = true;
    f.fieldType = (s.onSurface ? plan_.initial.surface : plan_.initial.orbit).at(std::size_t(s.x)).at(std::size_t(s.y)).fieldType;
    plan_.clearFieldTerraformCost();
    view_.showField(s.x, s.y, f.fieldType, s.onSurface);
    clampPersonnel(plan_);
    afterBuildingChange();
}

// --- a plan from a file ----------------------------------------------------

void Planner::loadPlan(const LoadedPlan& loaded) {
    newPlan(loaded.planetType);
    const InfoPlanet& planet = info_.planets[std::size_t(loaded.planetType)];
    Ressources& r = plan_.ressources;
    if (loaded.reputationText) {
        state_.internalReputation = loaded.internalReputation;
        view_.showInternalReputation(*loaded.reputationText);
    }
    r.terraformCosts = loaded.terraformCosts;
    r.buildingCosts = loaded.buildingCosts;

    // The cells: only those that differ from the template are drawn again.
    for (int grid = 0; grid < 2; ++grid) {
        const bool onSurface = grid == 0;
        const LoadedGrid& cells = onSurface ? loaded.surface : loaded.orbit;
        const IntGrid& templ = onSurface ? planet.surface : planet.orbit;
        CostGrid& costs = onSurface ? r.surfaceTerraformCosts : r.orbitTerraformCosts;
        for (std::size_t x = 0; x < cells.size(); ++x)
            for (std::size_t y = 0; y < cells[x].size(); ++y) {
                const LoadedCell& c = cells[x][y];
                Field& f = plan_.fieldAt(int(x), int(y), onSurface);
                f.fieldType = c.fieldType;
                if (c.fieldType != templ.at(x).at(y)) view_.showField(int(x), int(y), c.fieldType, onSurface);
                f.inOperation = c.inOperation;
                f.building = c.building;
                f.built = c.building >= 0;
                costs.at(x).at(y) = c.terraformCost;
                if (f.built) view_.showBuilding(int(x), int(y), c.building, onSurface);
            }
    }
    r.livingSpace = loaded.livingSpace;
    r.workersNeeded = loaded.workersNeeded;
    r.ecoGuards = loaded.ecoGuards;
    r.holodeckOperators = loaded.holodeckOperators;
    r.scientists = loaded.scientists;
    r.soldiers = loaded.soldiers;
    if (loaded.hasLimit) {
        r.limitEnabled = loaded.limitEnabled;
        r.populationLimit = loaded.populationLimit;
        view_.showPopulationLimit(loaded.limitEnabled, loaded.populationLimitText);
    }
    if (loaded.initialSurface && loaded.initialOrbit) {
        for (std::size_t x = 0; x < loaded.initialSurface->size(); ++x) {
            for (std::size_t y = 0; y < (*loaded.initialSurface)[x].size(); ++y)
                plan_.initial.surface.at(x).at(y).fieldType = (*loaded.initialSurface)[x][y];
            for (std::size_t y = 0; y < (*loaded.initialOrbit)[x].size(); ++y)
                plan_.initial.orbit.at(x).at(y).fieldType = (*loaded.initialOrbit)[x][y];
        }
    }

    // What the file does not hold: the places of the buildings and the
    // ranges of the area buildings in operation, as the actions keep them.
    for (int grid = 0; grid < 2; ++grid) {
        const bool onSurface = grid == 0;
        for (int x = 0; x < plan_.width(); ++x)
            for (int y = 0; y < (onSurface ? plan_.surfaceHeight() : plan_.orbitHeight()); ++y) {
                const Field& f = plan_.fieldAt(x, y, onSurface);
                if (!f.built) continue;
                if (placesCount(f)) changeCapacities(f.building, +1);
                if (onSurface && f.inOperation && f.building == bldAreaWide) applyAreaWide(true, x, y);
                if (onSurface && f.inOperation && f.building == bldAreaNear) applyAreaNear(true, x, y);
            }
    }
    computePopulation();
    computeProduction();
    refreshCosts(CostView::All);
}

// --- area effects ----------------------------------------------------------

std::vector<Planner::Target> Planner::wideTargets(int x, int y) const {
    const int w = plan_.width(), hs = plan_.surfaceHeight(), ho = plan_.orbitHeight();
    const bool large = plan_.planetType == ptLargeAsteroids;
    std::vector<Target> targets;
    for (int i = x - 2; i <= x + 2; ++i) {
        const int c = i < 0 ? i + w : i >= w ? i - w : i;
        if (c < 0 || c >= w) continue;  // a grid narrower than the range
        for (int j = y - 2; j <= y + 2; ++j) {
            // Above the surface lies the end of the orbit, below it its start;
            // on the large asteroid field the surface closes on itself.
            Target t{c, j, true};
            if (j < 0) {
                t = large ? Target{c, hs + j, true} : Target{c, ho + j, false};
            } else if (j >= hs) {
                t = large ? Target{c, j - hs, true} : Target{c, j - hs, false};
            }
            // Orbit rows the planet does not have are left out.
            if (t.y < 0 || t.y >= (t.onSurface ? hs : ho)) continue;
            targets.push_back(t);
        }
    }
    return targets;
}

std::vector<Planner::Target> Planner::nearTargets(int x, int y) const {
    const int w = plan_.width(), hs = plan_.surfaceHeight();
    std::vector<Target> targets;
    for (int i = x - 1; i <= x + 1; ++i) {
        const int c = i < 0 ? i + w : i >= w ? i - w : i;
        if (c < 0 || c >= w) continue;
        for (int j = y - 1; j <= y + 1; ++j) {
            const int r = j < 0 ? j + hs : j >= hs ? j - hs : j;
            if (r < 0 || r >= hs) continue;
            targets.push_back({c, r, true});
        }
    }
    return targets;
}

void Planner::applyArea(bool add, const std::vector<Target>& targets, bool wide) {
    // All counters first: a picture that fails to draw must not leave a
    // range half applied.
    const int d = add ? 1 : -1;
    for (const Target& t : targets) {
        Field& f = plan_.fieldAt(t.x, t.y, t.onSurface);
        (wide ? f.coverWide : f.coverNear) += d;
    }
    for (const Target& t : targets) redraw(t.x, t.y, t.onSurface);
}

void Planner::applyAreaWide(bool add, int x, int y) { applyArea(add, wideTargets(x, y), true); }

void Planner::applyAreaNear(bool add, int x, int y) { applyArea(add, nearTargets(x, y), false); }

void Planner::redraw(int x, int y, bool onSurface) {
    const Field& f = plan_.fieldAt(x, y, onSurface);
    if (f.built)
        view_.showBuilding(x, y, f.building, onSurface);
    else
        view_.showField(x, y, f.fieldType, onSurface);
}

}  // namespace dz
