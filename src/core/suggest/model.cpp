#include "core/suggest/model.h"

#include <algorithm>
#include <set>
#include <tuple>

#include "core/economy/economy.h"
#include "core/economy/personnel.h"
#include "core/plan/build_rules.h"

namespace dz::suggest_model {

Expression Model::goal(SuggestGoal g) const {
    switch (g.kind) {
        case GoalKind::Production:
            return production[std::size_t(g.resource)];
        case GoalKind::Storage:
            return storage;
        case GoalKind::Eps:
            return eps;
        case GoalKind::Bsp:
            return bsp;
        case GoalKind::Attractiveness:
            return attractiveness;
    }
    return {};
}

namespace {

constexpr int kSurface = 0, kOrbit = 1;
constexpr int kOff = 0, kOn = 1;

Expression column(int c, double coefficient = 1) {
    Expression e;
    e.add(c, coefficient);
    return e;
}

class Builder {
public:
    Builder(const Info& info, const ActPlan& start, const SuggestRequest& request, bool keepHouses, Model& model)
        : keepHouses_(keepHouses),
          info_(info),
          start_(start),
          request_(request),
          m_(model),
          planet_(info.planets.at(std::size_t(start.planetType))),
          locks_(request.locks.begin(), request.locks.end()) {}

    void build() {
        readFields();
        addWays();
        addPlacements();
        addRules();
        addEconomy();
        addConstraints();
    }

private:
    struct FieldFacts {
        FieldPosition at;
        int type, initial, building;
        bool running;
        long long capSpent;  // terraforming of the capped resource spent on the field
    };

    long long capOf(const ResourceArray& cost) const {
        return request_.costCap ? cost[std::size_t(request_.costCap->resource)] : 0;
    }
    long long buildingCap(int b) const { return capOf(info_.buildings[std::size_t(b)].buildCost); }

    Expression& count(int side, int b, bool running) { return n_[side][b][running ? kOn : kOff]; }
    Expression standing(int b) {
        Expression e;
        for (int side : {kSurface, kOrbit})
            for (int s : {kOff, kOn}) e.add(n_[side][b][s]);
        return e;
    }
    Expression runningAnywhere(int b) {
        Expression e = n_[kSurface][b][kOn];
        return e.add(n_[kOrbit][b][kOn]);
    }

    // Fixed fields count as constants; the others are gathered into groups.
    void readFields() {
        const Ressources& r = start_.ressources;
        for (int x = 0; x < start_.width(); ++x)
            for (int side : {kSurface, kOrbit}) {
                const bool onSurface = side == kSurface;
                const int height = onSurface ? start_.surfaceHeight() : start_.orbitHeight();
                for (int y = 0; y < height; ++y) {
                    const Field& f = start_.fieldAt(x, y, onSurface);
                    const FieldGrid& initialGrid = onSurface ? start_.initial.surface : start_.initial.orbit;
                    int initial = f.fieldType;
                    if (std::size_t(x) < initialGrid.size() && std::size_t(y) < initialGrid[std::size_t(x)].size())
                        initial = initialGrid[std::size_t(x)][std::size_t(y)].fieldType;
                    if (initial < 0 || initial >= kFieldTypeCount) initial = f.fieldType;
                    const CostGrid& spent = onSurface ? r.surfaceTerraformCosts : r.orbitTerraformCosts;
                    long long capSpent = 0;
                    if (std::size_t(x) < spent.size() && std::size_t(y) < spent[std::size_t(x)].size())
                        capSpent = capOf(spent[std::size_t(x)][std::size_t(y)]);
                    const FieldFacts facts{{x, y, onSurface}, f.fieldType, initial, f.built ? f.building : -1,
                                           f.inOperation, capSpent};
                    const bool fixed = locks_.count(facts.at) != 0 || (!request_.rebuild && facts.building >= 0) ||
                                       f.fieldType < 0 || f.fieldType >= kFieldTypeCount;
                    if (fixed)
                        addFixed(facts, side);
                    else
                        addToGroup(facts);
                }
            }
        if (request_.costCap) {
            const int c = request_.costCap->resource;
            startCap_ = static_cast<long long>(r.buildingCosts[std::size_t(c)]) + r.terraformCosts[std::size_t(c)];
            // What stands and was spent stays in the total unless the proposal
            // takes it away (a reset, a building that goes).
            capCost_.constant += double(r.terraformCosts[std::size_t(c)]);
        }
    }

    void addFixed(const FieldFacts& f, int side) {
        if (side == kSurface && f.type >= 0 && f.type < kFieldTypeCount) fixedSurfaceTypes_[f.type] += 1;
        if (f.building < 0) return;
        count(side, f.building, f.running).constant += 1;
        capCost_.constant += double(buildingCap(f.building));
        startTotal_[f.building] += 1;
    }

    void addToGroup(const FieldFacts& f) {
        if (f.building >= 0) startTotal_[f.building] += 1;
        if (f.at.onSurface) startSurfaceTypes_[f.type] += 1;
        const auto key = std::make_tuple(f.at.onSurface, f.type, f.initial, f.building, f.running,
                                         request_.rebuild ? f.capSpent : 0LL);
        auto [it, added] = groupOf_.try_emplace(key, int(m_.groups.size()));
        if (added) {
            Group g;
            g.onSurface = f.at.onSurface;
            g.current = f.type;
            g.initial = f.initial;
            g.building = f.building;
            g.running = f.running;
            m_.groups.push_back(std::move(g));
            groupCapSpent_.push_back(f.capSpent);
        }
        m_.groups[std::size_t(it->second)].fields.push_back(f.at);
        variableFields_ += 1;
    }

    int startSurfaceCount(int type) const { return fixedSurfaceTypes_[type] + startSurfaceTypes_[type]; }

    int endType(int from, const std::vector<int>& way) const {
        return way.empty() ? from : info_.terraformings[std::size_t(way.back())].targetField;
    }

    void addWays() {
        for (std::size_t gi = 0; gi < m_.groups.size(); ++gi) {
            Group& g = m_.groups[gi];
            const double n = double(g.fields.size());
            const std::string name = "g" + std::to_string(gi);
            for (const std::vector<int>& way : terraformingWays(info_, start_.planetType, g.current)) addWay(g, name, false, way, n);
            if (request_.rebuild && g.initial != g.current) {
                const bool limitedInitial = isLimitedType(g.initial);
                const bool resetAllowed = !g.onSurface || !limitedInitial ||
                                          startSurfaceCount(g.initial) < typeLimit(planet_, g.initial);
                if (resetAllowed)
                    for (const std::vector<int>& way : terraformingWays(info_, start_.planetType, g.initial))
                        if (way.empty() || !limitedInitial) addWay(g, name, true, way, n);
            }
            Expression all;
            for (const Way& w : g.ways) all.add(w.column, 1);
            m_.program.addRow(all, n, n);

            if (g.building >= 0) {
                // Fields kept exactly as they are: they stay of their type.
                g.keepColumn = m_.program.addColumn(0, n, true, name + "keep");
                Expression keep = column(g.keepColumn);
                keep.add(g.ways[0].column, -1);
                m_.program.addRow(keep, -kInfinity, 0);
                const InfoBuilding& b = info_.buildings[std::size_t(g.building)];
                if (keepHouses_ && g.running && b.housing > b.workers) m_.program.addRow(column(g.keepColumn), n, n);
                count(g.onSurface ? kSurface : kOrbit, g.building, g.running).add(g.keepColumn, 1);
                occupied_[g.onSurface ? kSurface : kOrbit][g.current].add(g.keepColumn, 1);
                capCost_.add(g.keepColumn, double(buildingCap(g.building)));
                // Every field not kept is demolished, built over or switched.
                m_.actions.constant += n;
                m_.actions.add(g.keepColumn, -1);
                m_.mostActions += n;
            }
        }
    }

    void addWay(Group& g, const std::string& name, bool reset, const std::vector<int>& way, double n) {
        const int type = endType(reset ? g.initial : g.current, way);
        const bool creates = isLimitedType(type) && (type != g.current || reset);
        if (creates) {
            // On the surface only under the planet's limit; in orbit not at
            // all (the limit counts the surface, whatever changes in orbit).
            if (!g.onSurface || startSurfaceCount(type) >= typeLimit(planet_, type)) return;
        }
        Way w;
        w.type = type;
        w.reset = reset;
        w.terraformings = way;
        w.column = m_.program.addColumn(0, n, true, name + "w" + std::to_string(g.ways.size()));
        const int side = g.onSurface ? kSurface : kOrbit;
        if (g.onSurface) surfaceTypes_[type].add(w.column, 1);
        capacity_[side][type].add(w.column, 1);
        reachable_[side][type] += n;
        double capDelta = reset ? -double(groupCapSpent_[std::size_t(&g - m_.groups.data())]) : 0;
        for (int t : way) capDelta += double(capOf(info_.terraformings[std::size_t(t)].cost));
        capCost_.add(w.column, capDelta);
        const double steps = double(way.size()) + (reset ? 1 : 0);
        m_.actions.add(w.column, steps);
        m_.mostActions += steps * n;
        g.ways.push_back(std::move(w));
    }

    void addPlacements() {
        for (int side : {kSurface, kOrbit})
            for (int type = 0; type < kFieldTypeCount; ++type) {
                if (reachable_[side][type] <= 0) continue;
                for (int b = 0; b < kBuildingCount; ++b) {
                    if (!info_.fields[std::size_t(type)].buildable[std::size_t(b)]) continue;
                    if (!planetAllows(info_, start_.planetType, b)) continue;
                    double most = reachable_[side][type];
                    if (isUnique(b)) most = std::min(most, 1.0);
                    for (bool running : {true, false}) {
                        if (isPassive(b) ? running : (!running && !request_.rebuild)) continue;
                        Placement p{side == kSurface, type, b, running, -1};
                        p.column = m_.program.addColumn(0, most, true,
                                                        "b" + std::to_string(b) + (running ? "on" : "off") + "s" +
                                                            std::to_string(side) + "t" + std::to_string(type));
                        count(side, b, running).add(p.column, 1);
                        newBuildings_[b].add(p.column, 1);
                        occupied_[side][type].add(p.column, 1);
                        capCost_.add(p.column, double(buildingCap(b)));
                        m_.actions.add(p.column, 1);
                        m_.placements.push_back(p);
                    }
                }
                m_.mostActions += reachable_[side][type];
            }
        for (int side : {kSurface, kOrbit})
            for (int type = 0; type < kFieldTypeCount; ++type) {
                Expression room = occupied_[side][type];
                room.add(capacity_[side][type], -1);
                if (!room.terms.empty()) m_.program.addRow(room, -kInfinity, 0);
            }
    }

    // What the field menu allows: unique buildings, the planet's caps, one
    // base of a kind, a base first, the workbee port before what needs it,
    // the Orbitalseil before a Dyson sphere, the limits of field types.
    void addRules() {
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

    void addEconomy() {
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

    void addConstraints() {
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

    bool keepHouses_;
    const Info& info_;
    const ActPlan& start_;
    const SuggestRequest& request_;
    Model& m_;
    const InfoPlanet& planet_;
    std::set<FieldPosition> locks_;

    Expression n_[2][kBuildingCount][2];
    Expression newBuildings_[kBuildingCount];
    Expression occupied_[2][kFieldTypeCount];
    Expression capacity_[2][kFieldTypeCount];
    double reachable_[2][kFieldTypeCount] = {};
    Expression surfaceTypes_[kFieldTypeCount];
    int fixedSurfaceTypes_[kFieldTypeCount] = {};
    int startSurfaceTypes_[kFieldTypeCount] = {};
    int startTotal_[kBuildingCount] = {};
    Expression workers_;
    Expression capCost_;
    long long startCap_ = 0;
    int variableFields_ = 0;
    std::map<std::tuple<bool, int, int, int, bool, long long>, int> groupOf_;
    std::vector<long long> groupCapSpent_;
};

}  // namespace

Model buildModel(const Info& info, const ActPlan& start, const SuggestRequest& request, bool keepHouses) {
    Model model;
    Builder(info, start, request, keepHouses, model).build();
    return model;
}

}  // namespace dz::suggest_model
