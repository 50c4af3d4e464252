// A plan read from a file takes the place of the plan being edited.
#include "core/economy/personnel.h"
#include "core/planner/planner.h"

namespace dz {

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
        shown_.limitText = loaded.populationLimitText;
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
                if (onSurface && f.inOperation) applyRange(f.building, RangeChange::Add, x, y);
            }
    }
    computePopulation();
    computeProduction();
    refreshCosts(CostView::All);
}

}  // namespace dz
