// One simulated annealing chain over the search problem (search.h).
#include <algorithm>
#include <bit>
#include <cmath>

#include "core/economy/economy.h"
#include "core/plan/build_rules.h"
#include "core/suggest/search.h"

namespace dz::suggest_search {

namespace {

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
