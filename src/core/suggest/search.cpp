#include "core/suggest/search.h"

#include <algorithm>
#include <bit>
#include <cmath>

#include "core/economy/economy.h"
#include "core/plan/build_rules.h"

namespace dz::suggest_search {

namespace {

// Field types whose number on the surface the planet limits. A way of
// terraformings ends at one of them (or starts there): going through one
// would need a place under the limit on the way.
bool limitedType(int f) { return f == ftCrater || f == ftCoreRift || f == ftVolcano; }

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

// splitmix64: small, fast and the same on every platform.
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    // 0..n-1, n > 0.
    std::size_t below(std::size_t n) { return std::size_t(next() % n); }
    // [0, 1)
    double unit() { return double(next() >> 11) * 0x1.0p-53; }

private:
    std::uint64_t state_;
};

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

namespace {

// One chain: its plan, the option of every slot, its random numbers.
class Chain {
public:
    Chain(const Problem& problem, std::uint64_t seed)
        : problem_(problem), info_(problem.info()), plan_(problem.start()), random_(seed),
          choice_(problem.slots().size(), -1), capCost_(problem.startCapCost()) {}

    ChainOutcome run(long long iterations, ChainControl& control, ChainProgress& progress);

private:
    const Option& option(std::size_t s, int o) const {
        return problem_.options(problem_.slots()[s].startType)[std::size_t(o)];
    }
    Field& field(std::size_t s) {
        const Slot& slot = problem_.slots()[s];
        return plan_.fieldAt(slot.x, slot.y, slot.onSurface);
    }

    // Puts option o (-1: nothing) on slot s without asking the rules.
    void set(std::size_t s, int o);
    // Whether the rules allow option o on slot s, which is empty now.
    bool allowed(std::size_t s, int o);

    // The changes of one move, which undo() takes back.
    void beginMove() {
        moved_.clear();
        before_.clear();
        checkAll_ = false;
        checkTypes_ = 0;
    }
    void change(std::size_t s, int o);
    void undo() {
        for (std::size_t i = moved_.size(); i-- > 0;) set(moved_[i], before_[i]);
    }
    // change(s, o) if the rules allow option o on slot s; false (and slot s
    // as it was) if not.
    bool put(std::size_t s, int o);
    // Clears every slot whose option the rules no longer allow with the
    // others there, until all that stay are allowed: what needed something
    // that went goes with it.
    void dropUnsupported();
    // Repair of a state that misses constraints; see run().
    bool repair(std::uint32_t missed, Evaluation& next);

    // One of the constraints of a non-empty set, at random.
    int anyOf(std::uint32_t set) {
        int constraint = 0;
        for (std::size_t pick = random_.below(std::size_t(std::popcount(set))) + 1;; ++constraint)
            if ((set >> constraint & 1U) && --pick == 0) return constraint;
    }
    double score(const Evaluation& e, int buildings, double weight) const {
        return double(e.goal) / problem_.goalScale() - weight * e.shortfall.amount - 1e-3 * buildings;
    }

    const Problem& problem_;
    const Info& info_;
    ActPlan plan_;
    Random random_;
    std::vector<int> choice_;  // option per slot, -1: empty
    long long capCost_;
    int buildings_ = 0;
    std::vector<std::size_t> moved_;
    std::vector<int> before_;
    bool checkAll_ = false;        // a prerequisite went: every slot is checked again
    std::uint32_t checkTypes_ = 0;  // bit f: slots terraformed into limited field type f are checked again
};

void Chain::set(std::size_t s, int o) {
    const int old = choice_[s];
    if (old >= 0) {
        capCost_ -= option(s, old).capCost;
        --buildings_;
    }
    Field& f = field(s);
    if (o < 0) {
        f.fieldType = problem_.slots()[s].startType;
        f.building = -1;
        f.built = false;
        f.inOperation = false;
    } else {
        const Option& opt = option(s, o);
        capCost_ += opt.capCost;
        ++buildings_;
        f.fieldType = opt.type;
        f.building = opt.building;
        f.built = true;
        f.inOperation = !isPassive(opt.building);
    }
    choice_[s] = o;
}

bool Chain::allowed(std::size_t s, int o) {
    const Option& opt = option(s, o);
    const Slot& slot = problem_.slots()[s];
    plan_.selected = FieldSelection{slot.x, slot.y, slot.onSurface};
    Field& f = field(s);
    bool ok = true;
    for (const int t : problem_.chain(opt.chain)) {
        if (!canTerraform(info_, plan_, t)) {
            ok = false;
            break;
        }
        f.fieldType = info_.terraformings[std::size_t(t)].targetField;
    }
    ok = ok && canBuild(info_, plan_, opt.building);
    f.fieldType = slot.startType;
    return ok;
}

void Chain::change(std::size_t s, int o) {
    const int old = choice_[s];
    if (old >= 0) {
        // Others may have needed what goes: a prerequisite, or a place under
        // a limit of field types that the slot takes again.
        const Option& gone = option(s, old);
        const int startType = problem_.slots()[s].startType;
        if (isPrerequisite(gone.building)) checkAll_ = true;
        if (limitedType(startType) && gone.type != startType) checkTypes_ |= std::uint32_t(1) << startType;
    }
    moved_.push_back(s);
    before_.push_back(old);
    set(s, o);
}

bool Chain::put(std::size_t s, int o) {
    const int old = choice_[s];
    set(s, -1);
    const bool ok = o < 0 || allowed(s, o);
    set(s, old);
    if (ok) change(s, o);
    return ok;
}

void Chain::dropUnsupported() {
    while (checkAll_ || checkTypes_ != 0) {
        const bool all = checkAll_;
        const std::uint32_t types = checkTypes_;
        checkAll_ = false;
        checkTypes_ = 0;
        for (std::size_t s = 0; s < choice_.size(); ++s) {
            const int o = choice_[s];
            if (o < 0) continue;
            const Option& opt = option(s, o);
            if (!all && !((types >> opt.type & 1U) && !problem_.chain(opt.chain).empty())) continue;
            set(s, -1);
            const bool ok = allowed(s, o);
            set(s, o);
            if (!ok) change(s, -1);
        }
    }
}

bool Chain::repair(std::uint32_t missed, Evaluation& next) {
    const std::size_t slots = choice_.size();
    bool changed = false;
    for (int step = 0; step < 4 && missed != 0; ++step) {
        const int constraint = anyOf(missed);
        bool done = false;
        if (random_.below(2) == 0) {
            // Take away buildings that work against the constraint until it
            // holds, nothing more works against it, or eight have gone.
            int taken = 0;
            for (std::size_t k = 0, at = random_.below(slots); k < slots && taken < 8; ++k, at = (at + 1) % slots) {
                if (choice_[at] < 0 || !(option(at, choice_[at]).hurts >> constraint & 1U)) continue;
                change(at, -1);
                dropUnsupported();
                done = true;
                ++taken;
                next = problem_.evaluate(plan_, capCost_);
                if (!(next.shortfall.missed >> constraint & 1U)) break;
            }
        } else {
            // Put up one that helps with it, on an empty slot preferably.
            for (int tries = 0; tries < 16 && !done; ++tries) {
                const std::size_t at = random_.below(slots);
                const auto& helping = problem_.optionsHelping(problem_.slots()[at].startType, constraint);
                if (helping.empty() || (choice_[at] >= 0 && random_.below(2) == 0)) continue;
                const int o = helping[random_.below(helping.size())];
                if (o != choice_[at]) done = put(at, o);
            }
            if (done) {
                dropUnsupported();
                next = problem_.evaluate(plan_, capCost_);
            }
        }
        if (!done) break;
        changed = true;
        missed = next.shortfall.missed;
    }
    return changed;
}

ChainOutcome Chain::run(long long iterations, ChainControl& control, ChainProgress& progress) {
    const std::size_t slots = choice_.size();
    ChainOutcome outcome;
    outcome.choice = choice_;
    outcome.best = problem_.evaluate(plan_, capCost_);
    progress.bestValue.store(outcome.best.goal);
    progress.found.store(true);
    if (slots == 0) return outcome;
    Evaluation current = outcome.best;
    int currentBuildings = 0;

    // Temperature and the price of a shortfall, in units of what one
    // building adds to the goal, change geometrically over the run.
    const double hot = 1.0, cold = 0.01, cheap = 0.3, dear = 300.0;
    // The schedule runs over `planned` iterations: all of them, unless the
    // time budget cannot hold them at the speed of the last stretch, then as
    // many as it holds. Its share of the run only ever grows. A run starts
    // several times slower than it ends (repairs are dear while much is
    // missed), so the first 40 % of the time are not judged and a run is
    // shortened only when the speed of the last stretch would need twice the
    // time that is left.
    using Clock = std::chrono::steady_clock;
    using Seconds = std::chrono::duration<double>;
    const Clock::time_point begin = Clock::now();
    Clock::time_point sampled = begin;
    const double budget = Seconds(control.deadline - begin).count();
    const double stretch = 0.1 * budget;
    long long sampledAt = 0;
    double planned = double(iterations);
    double share = 0;
    long long it = 0;
    for (; double(it) < planned; ++it) {
        if ((it & 255) == 0) {
            progress.share.store(share);
            if (control.stop.load() || (control.cancel && control.cancel->load())) break;
            const Clock::time_point now = Clock::now();
            if (now >= control.deadline) {
                control.timeUp.store(true);
                break;
            }
            if (Seconds(now - sampled).count() >= stretch && it > sampledAt) {
                const double perIteration = Seconds(now - sampled).count() / double(it - sampledAt);
                const double left = Seconds(control.deadline - now).count();
                const double holds = double(it) + 0.9 * left / perIteration;
                const bool judged = Seconds(now - begin).count() >= 0.4 * budget;
                if (judged && perIteration * double(iterations - it) > 2 * left) {
                    planned = std::max(double(it) + 1, holds);
                    control.timeUp.store(true);
                } else if (planned < double(iterations)) {
                    planned = std::min(double(iterations), holds);
                }
                sampled = now;
                sampledAt = it;
            }
        }
        share = std::max(share, double(it) / planned);
        const double temperature = hot * std::pow(cold / hot, share);
        const double weight = cheap * std::pow(dear / cheap, share);
        beginMove();
        Evaluation next;
        const std::size_t s = random_.below(slots);
        const int kind = int(random_.below(8));
        if (!current.feasible() && kind < 2) {
            // Repair: for a missed constraint, take away what works against
            // it or put up something that helps; for what is missed then,
            // again: a supply chain, or housing with its workers, in one move.
            if (!repair(current.shortfall.missed, next)) continue;
        } else {
            if (choice_[s] >= 0 && kind < 4) {
                // Move the building to an empty slot that can carry it.
                const std::size_t to = random_.below(slots);
                const int building = option(s, choice_[s]).building;
                const auto& there = problem_.optionsBuilding(problem_.slots()[to].startType, building);
                if (choice_[to] >= 0 || there.empty()) continue;
                change(s, -1);
                if (!put(to, there[random_.below(there.size())])) {
                    undo();
                    continue;
                }
            } else {
                // Put another option on the slot, or clear it.
                const auto& options = problem_.options(problem_.slots()[s].startType);
                int o = -1;
                if (choice_[s] < 0 || random_.below(5) != 0) {
                    if (options.empty()) continue;
                    o = int(random_.below(options.size()));
                }
                if (o == choice_[s] || !put(s, o)) continue;
            }
            dropUnsupported();
            next = problem_.evaluate(plan_, capCost_);
        }

        const double delta = score(next, buildings_, weight) - score(current, currentBuildings, weight);
        if (delta < 0 && random_.unit() >= std::exp(delta / temperature)) {
            undo();
            continue;
        }
        current = next;
        currentBuildings = buildings_;
        if (next.feasible() && (next.goal > outcome.best.goal ||
                                (next.goal == outcome.best.goal && buildings_ < outcome.buildings))) {
            outcome.best = next;
            outcome.buildings = buildings_;
            outcome.choice = choice_;
            progress.bestValue.store(next.goal);
        }
    }
    progress.share.store(1.0);

    // Back to the best state, then without every building that adds nothing to it.
    for (std::size_t s = 0; s < slots; ++s) set(s, -1);
    for (std::size_t s = 0; s < slots; ++s) set(s, outcome.choice[s]);
    for (std::size_t s = 0; s < slots; ++s) {
        if (choice_[s] < 0) continue;
        beginMove();
        change(s, -1);
        dropUnsupported();
        const Evaluation e = problem_.evaluate(plan_, capCost_);
        if (e.feasible() && e.goal >= outcome.best.goal) {
            outcome.best = e;
            outcome.buildings = buildings_;
        } else {
            undo();
        }
    }
    outcome.choice = choice_;
    return outcome;
}

}  // namespace

ChainOutcome runChain(const Problem& problem, std::uint64_t seed, long long iterations, ChainControl& control,
                      ChainProgress& progress) {
    Chain chain(problem, seed);
    return chain.run(iterations, control, progress);
}

}  // namespace dz::suggest_search
