#include "core/suggest/model.h"

#include <algorithm>
#include <string>
#include <tuple>

#include "core/plan/build_rules.h"
#include "core/suggest/model_builder.h"

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

void ModelBuilder::build() {
    readFields();
    addWays();
    addPlacements();
    addRules();
    addEconomy();
    addConstraints();
}

void ModelBuilder::readFields() {
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

void ModelBuilder::addFixed(const FieldFacts& f, int side) {
    if (side == kSurface && f.type >= 0 && f.type < kFieldTypeCount) fixedSurfaceTypes_[f.type] += 1;
    if (f.building < 0) return;
    count(side, f.building, f.running).constant += 1;
    capCost_.constant += double(buildingCap(f.building));
    startTotal_[f.building] += 1;
}

void ModelBuilder::addToGroup(const FieldFacts& f) {
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

void ModelBuilder::addWays() {
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

void ModelBuilder::addWay(Group& g, const std::string& name, bool reset, const std::vector<int>& way, double n) {
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

void ModelBuilder::addPlacements() {
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

Model buildModel(const Info& info, const ActPlan& start, const SuggestRequest& request, bool keepHouses) {
    Model model;
    ModelBuilder(info, start, request, keepHouses, model).build();
    return model;
}

}  // namespace dz::suggest_model
