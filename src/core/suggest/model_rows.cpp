#include <algorithm>

#include "core/economy/economy.h"
#include "core/economy/personnel.h"
#include "core/plan/build_rules.h"
#include "core/suggest/model_builder.h"

namespace dz::suggest_model {

void ModelBuilder::addRules() {
    Program& p = m_.program;
    for (int b = 0; b < kBuildingCount; ++b) {
        double most = kInfinity;
        if (isUnique(b)) most = 1;
        if (b == bldPlanetCapA) most = planet_.capA;
        if (b == bldPlanetCapB) most = planet_.capB;
        if (most < kInfinity) p.addRow(standing(b), -kInfinity, std::max(most, double(startTotal_[b])));
    }
    Expression meadowBases = standing(bldBaseA);
    meadowBases.add(standing(bldBaseB));
    p.addRow(meadowBases, -kInfinity, std::max(1.0, double(startTotal_[bldBaseA] + startTotal_[bldBaseB])));

    Expression bases = standing(bldBaseA);
    bases.add(standing(bldBaseB)).add(standing(bldBaseC));
    // Each count that needs a building is tied to it on its own (at most
    // its own upper bound while the building stands, else 0): tighter than
    // one sum, which lets the solver's relaxation use a sliver of the
    // building for many fields.
    auto needs = [&](int c, const Expression& prerequisite) {
        if (prerequisite.terms.empty() && prerequisite.constant >= 1) return;
        Expression tie = column(c);
        p.addRow(tie.add(prerequisite, -p.upper[std::size_t(c)]), -kInfinity, 0);
    };
    const Expression port = standing(bldWorkbeePort);
    const Expression seil = standing(bldOrbitalseil);
    for (const Placement& placement : m_.placements) {
        if (!isBase(placement.building)) needs(placement.column, bases);
        if (needsSpaceport(placement.building)) needs(placement.column, port);
    }
    for (const Group& g : m_.groups)
        for (const Way& w : g.ways)
            if (std::find(w.terraformings.begin(), w.terraformings.end(), tfDysonSphere) != w.terraformings.end())
                needs(w.column, seil);

    for (int type = 0; type < kFieldTypeCount; ++type) {
        if (!isLimitedType(type)) continue;
        Expression surface = surfaceTypes_[type];
        surface.constant += fixedSurfaceTypes_[type];
        p.addRow(surface, -kInfinity, std::max(typeLimit(planet_, type), startSurfaceCount(type)));
    }
}

void ModelBuilder::addEconomy() {
    Program& p = m_.program;
    const Ressources& r = start_.ressources;
    // Living space: a housing core on the surface gives 4 while switched off.
    Expression living;
    double mostLiving = 0;
    for (int b = 0; b < kBuildingCount; ++b) {
        const double housing = info_.buildings[std::size_t(b)].housing;
        living.add(runningAnywhere(b), housing);
        mostLiving = std::max(mostLiving, housing);
    }
    living.add(count(kSurface, bldHousingCore, false), 4);
    mostLiving = std::max(4.0, mostLiving) * double(start_.width() * (start_.surfaceHeight() + start_.orbitHeight()) + 1);

    // Inhabitants: the living space, or the ticked limit when it is lower
    // (none at all under a limit of 0 or less).
    Expression inhabitants;
    if (!r.limitEnabled) {
        inhabitants = living;
    } else if (r.populationLimit > 0) {
        const double limit = r.populationLimit;
        const int inh = p.addColumn(0, limit, true, "inhabitants");
        const int limited = p.addColumn(0, 1, true, "limited");
        const double big = mostLiving + limit;
        inhabitants = column(inh);
        Expression below = column(inh);
        p.addRow(below.add(living, -1), -kInfinity, 0);
        Expression atLiving = column(inh);
        atLiving.add(living, -1).add(limited, big);  // inh >= living - big * limited
        p.addRow(atLiving, 0, kInfinity);
        Expression atLimit = column(inh);
        atLimit.add(limited, -big);  // inh >= limit - big * (1 - limited)
        p.addRow(atLimit, limit - big, kInfinity);
    }

    // Upkeep: one unit of supply per five inhabitants, rounded up.
    const int upkeep = p.addColumn(0, kInfinity, true, "upkeep");
    Expression fives = column(upkeep, 5);
    fives.add(inhabitants, -1);
    p.addRow(fives, 0, 4);

    for (int res = 0; res < kResourceCount; ++res) {
        Expression& row = m_.production[res];
        for (int b = 0; b < kBuildingCount; ++b)
            row.add(runningAnywhere(b), info_.buildings[std::size_t(b)].production[std::size_t(res)]);
    }
    // The supply bonus: one per house in operation on the surface while an
    // orbital supply station runs in orbit.
    Expression houses = count(kSurface, bldHousingCore, true);
    houses.add(count(kSurface, bldHousingAnnex, true));
    const Expression& stations = count(kOrbit, bldOrbitSupply, true);
    if (!houses.terms.empty() || houses.constant > 0) {
        double mostHouses = houses.constant;
        for (int type = 0; type < kFieldTypeCount; ++type)
            if (info_.fields[std::size_t(type)].buildable[bldHousingCore] ||
                info_.fields[std::size_t(type)].buildable[bldHousingAnnex])
                mostHouses += reachable_[kSurface][type];
        const int station = p.addColumn(0, 1, true, "supplyStation");
        const int bonus = p.addColumn(0, mostHouses, true, "supplyBonus");
        Expression needsStation = column(station);
        p.addRow(needsStation.add(stations, -1), -kInfinity, 0);
        Expression perHouse = column(bonus);
        p.addRow(perHouse.add(houses, -1), -kInfinity, 0);
        Expression whileStation = column(bonus);
        p.addRow(whileStation.add(station, -mostHouses), -kInfinity, 0);
        m_.production[resSupply].add(bonus, 1);
    }
    m_.production[resSupply].add(upkeep, -1);
    m_.production[resResearch] = Expression{}.add(m_.production[resResearch], 10);
    m_.production[resResearch].constant += r.scientists;

    for (int b = 0; b < kBuildingCount; ++b) {
        const InfoBuilding& building = info_.buildings[std::size_t(b)];
        const Expression all = standing(b);
        m_.storage.add(all, building.storage);
        m_.eps.add(all, building.eps);
        m_.attractiveness.add(all, building.attractiveness);
        workers_.add(runningAnywhere(b), building.workers);
        Expression bspCounted = runningAnywhere(b);
        if (b == bldBspDepotA || b == bldBspDepotB) bspCounted.add(count(kSurface, b, false));
        m_.bsp.add(bspCounted, building.bsp);
    }
    m_.attractiveness.constant += planet_.baseAttractiveness;

    m_.unemployed = inhabitants;
    m_.unemployed.add(workers_, -1);
    m_.unemployed.constant -= double(r.ecoGuards) + r.holodeckOperators + r.scientists + r.soldiers;
}

void ModelBuilder::addConstraints() {
    Program& p = m_.program;
    const Ressources& r = start_.ressources;
    const ProductionTotals totals = productionTotals(info_, start_);
    for (int res = 0; res < kResourceCount; ++res)
        p.addRow(m_.production[res], double(std::min(0LL, totals.perTick[std::size_t(res)])), kInfinity);
    p.addRow(m_.unemployed, double(std::min(0LL, unemployed(r))), kInfinity);

    // The places of the hired personnel stay: scientists lose theirs when
    // a lab is switched off, the others while their building stands.
    for (Personnel kind : {Personnel::Eco, Personnel::Holodeck, Personnel::Scientist}) {
        Expression places;
        for (const PersonnelPlaces& entry : kPersonnelPlaces)
            if (entry.kind == kind)
                places.add(kind == Personnel::Scientist ? runningAnywhere(entry.building) : standing(entry.building),
                           entry.places);
        Ressources hiredNow = r;
        const double hiredCount = hired(hiredNow, kind);
        if (hiredCount > 0) p.addRow(places, hiredCount, kInfinity);
    }

    for (const GoalMinimum& minimum : request_.minimums) p.addRow(m_.goal(minimum.goal), double(minimum.value), kInfinity);
    if (request_.costCap) p.addRow(capCost_, -kInfinity, double(std::max(request_.costCap->limit, startCap_)));
}

}  // namespace dz::suggest_model
