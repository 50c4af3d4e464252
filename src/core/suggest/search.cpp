// The search problem: the slots and their options, the constraints and the
// evaluation of a plan (search.h); the chains are in chain.cpp.
#include "core/suggest/search.h"

#include <algorithm>

#include "core/economy/economy.h"
#include "core/plan/build_rules.h"

namespace dz::suggest_search {

bool limitedType(int f) { return f == ftCrater || f == ftCoreRift || f == ftVolcano; }

namespace {

// What building b adds to the goal, in the goal's unit.
long long goalContribution(const InfoBuilding& b, SuggestGoal goal) {
    switch (goal.kind) {
        case GoalKind::Production:
            return goal.resource == resResearch ? 10LL * b.production[std::size_t(goal.resource)]
                                                : b.production[std::size_t(goal.resource)];
        case GoalKind::Storage:
            return b.storage;
        case GoalKind::Eps:
            return b.eps;
        case GoalKind::Bsp:
            return b.bsp;
        case GoalKind::Attractiveness:
            return b.attractiveness;
    }
    return 0;
}

}  // namespace

Constraints::Constraints(const Info& info, const ActPlan& start, const std::optional<CostCap>& cap) : cap_(cap) {
    const Ressources& r = start.ressources;
    ecoGuards_ = r.ecoGuards;
    holodeckOperators_ = r.holodeckOperators;
    scientists_ = r.scientists;
    soldiers_ = r.soldiers;
    const ProductionTotals totals = productionTotals(info, start);
    for (int i = 0; i < kResourceCount; ++i) {
        floors_[i] = std::min(0LL, totals.perTick[std::size_t(i)]);
        long long most = 1;
        for (const InfoBuilding& b : info.buildings) most = std::max<long long>(most, b.production[std::size_t(i)]);
        rowScales_[i] = double(i == resResearch ? 10 * most : most);
    }
    freeFloor_ = std::min(0LL, unemployed(r));
    long long housing = 1;
    for (const InfoBuilding& b : info.buildings) housing = std::max<long long>(housing, b.housing);
    freeScale_ = double(housing);
    if (cap) {
        startCapCost_ = capCost(r);
        capLimit_ = std::max(cap->limit, startCapCost_);
        long long most = 1;
        for (const InfoBuilding& b : info.buildings) most = std::max<long long>(most, b.buildCost[std::size_t(cap->resource)]);
        for (const InfoTerraforming& t : info.terraformings) most = std::max<long long>(most, t.cost[std::size_t(cap->resource)]);
        capScale_ = double(most);
    }
}

void Constraints::hireAsStart(Ressources& r) const {
    r.ecoGuards = ecoGuards_;
    r.holodeckOperators = holodeckOperators_;
    r.scientists = scientists_;
    r.soldiers = soldiers_;
}

long long Constraints::capCost(const Ressources& r) const {
    if (!cap_) return 0;
    return static_cast<long long>(r.buildingCosts[std::size_t(cap_->resource)]) + r.terraformCosts[std::size_t(cap_->resource)];
}

Shortfall Constraints::shortfall(const ProductionTotals& totals, long long unemployed, long long capCost) const {
    Shortfall missing;
    auto miss = [&](int constraint, long long by, double scale) {
        missing.amount += double(by) / scale;
        missing.missed |= std::uint32_t(1) << constraint;
    };
    for (int i = 0; i < kResourceCount; ++i)
        if (totals.perTick[std::size_t(i)] < floors_[i]) miss(i, floors_[i] - totals.perTick[std::size_t(i)], rowScales_[i]);
    if (unemployed < freeFloor_) miss(kUnemployedConstraint, freeFloor_ - unemployed, freeScale_);
    if (cap_ && capCost > capLimit_) miss(kCapConstraint, capCost - capLimit_, capScale_);
    return missing;
}

Problem::Problem(const Info& info, const ActPlan& start, const SuggestRequest& request)
    : info_(info), start_(start), goal_(request.goal), constraints_(info, start, request.costCap) {
    // The slots: every empty field of the plan, column by column, surface first.
    for (int x = 0; x < start.width(); ++x) {
        for (int onSurface = 1; onSurface >= 0; --onSurface) {
            const int height = onSurface ? start.surfaceHeight() : start.orbitHeight();
            for (int y = 0; y < height; ++y) {
                const Field& f = start.fieldAt(x, y, onSurface);
                if (!f.built && f.fieldType >= 0 && f.fieldType < kFieldTypeCount)
                    slots_.push_back({x, y, onSurface == 1, f.fieldType});
            }
        }
    }

    // The options of each field type: the field types its terraformings reach
    // (the shortest way to each), and the buildings each of them carries.
    const int capResource = request.costCap ? request.costCap->resource : 0;
    options_.resize(kFieldTypeCount);
    byBuilding_.assign(kFieldTypeCount, std::vector<std::vector<int>>(kBuildingCount));
    helping_.assign(kFieldTypeCount, std::vector<std::vector<int>>(kCapConstraint + 1));
    for (int from = 0; from < kFieldTypeCount; ++from) {
        std::vector<int> wayTo(kFieldTypeCount, -1);  // chain index per reached field type
        std::vector<int> order{from};
        chains_.push_back({});
        wayTo[std::size_t(from)] = int(chains_.size()) - 1;
        for (std::size_t next = 0; next < order.size(); ++next) {
            const int type = order[next];
            if (next > 0 && limitedType(type)) continue;
            for (int t = 0; t < kTerraformingCount; ++t) {
                if (!info.fields[std::size_t(type)].terraformable[std::size_t(t)]) continue;
                const int target = info.terraformings[std::size_t(t)].targetField;
                if (target < 0 || target >= kFieldTypeCount || wayTo[std::size_t(target)] >= 0) continue;
                std::vector<int> way = chains_[std::size_t(wayTo[std::size_t(type)])];
                way.push_back(t);
                chains_.push_back(std::move(way));
                wayTo[std::size_t(target)] = int(chains_.size()) - 1;
                order.push_back(target);
            }
        }
        for (const int type : order) {
            const int c = wayTo[std::size_t(type)];
            long long terraformCost = 0;
            for (const int t : chains_[std::size_t(c)]) terraformCost += info.terraformings[std::size_t(t)].cost[std::size_t(capResource)];
            for (int b = 0; b < kBuildingCount; ++b) {
                if (!info.fields[std::size_t(type)].buildable[std::size_t(b)]) continue;
                const InfoBuilding& building = info.buildings[std::size_t(b)];
                const long long cost = terraformCost + building.buildCost[std::size_t(capResource)];
                std::uint32_t hurts = 0;
                for (int i = 0; i < kResourceCount; ++i)
                    if (building.production[std::size_t(i)] < 0) hurts |= std::uint32_t(1) << i;
                if (building.workers > building.housing) hurts |= std::uint32_t(1) << kUnemployedConstraint;
                // Living space brings inhabitants, who eat.
                if (building.housing > 0) hurts |= std::uint32_t(1) << resSupply;
                if (cost > 0) hurts |= std::uint32_t(1) << kCapConstraint;
                const int o = int(options_[std::size_t(from)].size());
                options_[std::size_t(from)].push_back({c, type, b, cost, hurts});
                byBuilding_[std::size_t(from)][std::size_t(b)].push_back(o);
                auto& helping = helping_[std::size_t(from)];
                for (int i = 0; i < kResourceCount; ++i)
                    if (building.production[std::size_t(i)] > 0 && !isPassive(b)) helping[std::size_t(i)].push_back(o);
                if (building.housing > building.workers && !isPassive(b)) helping[kUnemployedConstraint].push_back(o);
                if (cost <= 0) helping[kCapConstraint].push_back(o);
            }
        }
    }

    long long best = 1;
    for (const InfoBuilding& b : info.buildings) best = std::max(best, goalContribution(b, goal_));
    goalScale_ = double(best);
}

Evaluation Problem::evaluate(ActPlan& plan, long long capCost) const {
    Ressources& r = plan.ressources;
    constraints_.hireAsStart(r);
    updatePopulation(info_, plan);
    // A dismissal shows as missing unemployed when counted with the player's personnel.
    constraints_.hireAsStart(r);
    const ProductionTotals totals = productionTotals(info_, plan);
    Evaluation e;
    e.shortfall = constraints_.shortfall(totals, unemployed(r), capCost);
    switch (goal_.kind) {
        case GoalKind::Production:
            e.goal = totals.perTick[std::size_t(goal_.resource)];
            break;
        case GoalKind::Storage:
            e.goal = totals.storage;
            break;
        case GoalKind::Eps:
            e.goal = totals.eps;
            break;
        case GoalKind::Bsp:
            e.goal = availableBsp(info_, plan);
            break;
        case GoalKind::Attractiveness:
            e.goal = plan.attractiveness;
            break;
    }
    return e;
}

}  // namespace dz::suggest_search
