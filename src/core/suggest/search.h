// The search behind suggest(): the problem as the chains see it, and one
// simulated annealing chain over it. Internal to src/core/suggest.
//
// A chain works on a plan of its own: the player's plan with, on each of the
// fields that are empty there (the slots), at most one option of the field's
// type: the terraformings that lead to a field type, then a building on it.
// A change is taken only when the rules allow it: canTerraform and canBuild
// are asked on the chain's plan with the slot emptied, so every option stands
// as the field menu would offer it with all other buildings there. When one
// of the buildings others may need goes (isPrerequisite), or a field under a
// planet limit takes its limited type again, the slots are checked again and
// what is no longer allowed goes too. So every state can be carried out
// through the field menu in some order. The economy of the plan is the
// ordinary one (updatePopulation, productionTotals, availableBsp); a state
// that misses a constraint is allowed on the way, at a price that grows over
// the run.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/catalog/info.h"
#include "core/economy/economy.h"
#include "core/plan/act_plan.h"
#include "core/suggest/suggest.h"

namespace dz::suggest_search {

// Field types whose number on the surface the planet limits. A way of
// terraformings ends at one of them (or starts there): going through one
// would need a place under the limit on the way.
bool limitedType(int f);

// A field that is empty in the player's plan.
struct Slot {
    int x = 0;
    int y = 0;
    bool onSurface = true;
    int startType = 0;
};

// What a slot may become: the terraformings of chain `chain`, which lead to
// field type `type`, then building `building`.
struct Option {
    int chain = 0;
    int type = 0;
    int building = 0;
    long long capCost = 0;  // of the capped resource, terraformings and building
    std::uint32_t hurts = 0;  // bit i: the option works against constraint i
};

// The constraints by number: the 16 production rows, then the unemployed,
// then the cap.
inline constexpr int kUnemployedConstraint = kResourceCount;
inline constexpr int kCapConstraint = kResourceCount + 1;

struct Shortfall {
    // By how much the constraints are missed, each in units of what one
    // building can make up; exactly 0 when they all hold.
    double amount = 0;
    std::uint32_t missed = 0;  // bit i: constraint i is missed
};

struct Evaluation {
    long long goal = 0;
    Shortfall shortfall;
    bool feasible() const { return shortfall.missed == 0; }
};

// The constraints of a proposal, measured against the player's plan.
class Constraints {
public:
    // `start` must have its economy up to date.
    Constraints(const Info& info, const ActPlan& start, const std::optional<CostCap>& cap);

    // Sets the hired personnel back to the player's.
    void hireAsStart(Ressources& r) const;
    // The total build cost of the capped resource (0 without a cap).
    long long capCost(const Ressources& r) const;
    long long startCapCost() const { return startCapCost_; }

    // By how much a plan misses the constraints, each in units of what one
    // building can make up; exactly 0 when they all hold. `unemployed` is
    // counted with the player's personnel, so a dismissal shows as missing.
    Shortfall shortfall(const ProductionTotals& totals, long long unemployed, long long capCost) const;

private:
    std::int32_t ecoGuards_ = 0, holodeckOperators_ = 0, scientists_ = 0, soldiers_ = 0;
    long long floors_[kResourceCount] = {};
    double rowScales_[kResourceCount] = {};
    long long freeFloor_ = 0;
    double freeScale_ = 1;
    std::optional<CostCap> cap_;
    long long startCapCost_ = 0;
    long long capLimit_ = 0;
    double capScale_ = 1;
};

class Problem {
public:
    // `start` must have its economy up to date; `info` and `start` must
    // outlive the problem.
    Problem(const Info& info, const ActPlan& start, const SuggestRequest& request);

    const Info& info() const { return info_; }
    const ActPlan& start() const { return start_; }
    const std::vector<Slot>& slots() const { return slots_; }
    const std::vector<Option>& options(int fieldType) const { return options_[std::size_t(fieldType)]; }
    // The options of a field type that put up `building`.
    const std::vector<int>& optionsBuilding(int fieldType, int building) const {
        return byBuilding_[std::size_t(fieldType)][std::size_t(building)];
    }
    // The options of a field type that help with a missed constraint: make
    // a production row grow, give more living space than work, cost nothing
    // of the capped resource.
    const std::vector<int>& optionsHelping(int fieldType, int constraint) const {
        return helping_[std::size_t(fieldType)][std::size_t(constraint)];
    }
    const std::vector<int>& chain(int c) const { return chains_[std::size_t(c)]; }
    long long startCapCost() const { return constraints_.startCapCost(); }
    // What one building adds to the goal at most (at least 1).
    double goalScale() const { return goalScale_; }

    // Evaluates a chain's plan, whose personnel it first sets back to the
    // player's; `capCost` is its total build cost of the capped resource.
    Evaluation evaluate(ActPlan& plan, long long capCost) const;

private:
    const Info& info_;
    const ActPlan& start_;
    SuggestGoal goal_;
    std::vector<Slot> slots_;
    std::vector<std::vector<int>> chains_;
    std::vector<std::vector<Option>> options_;             // per field type
    std::vector<std::vector<std::vector<int>>> byBuilding_;  // per field type and building
    std::vector<std::vector<std::vector<int>>> helping_;     // per field type and constraint
    Constraints constraints_;
    double goalScale_ = 1;
};

// Shared by the chains and the thread that waits for them.
struct ChainControl {
    const std::atomic<bool>* cancel = nullptr;
    std::chrono::steady_clock::time_point deadline;
    std::atomic<bool> timeUp{false};
    std::atomic<bool> stop{false};  // set by the waiting thread: end now
};

// What a chain publishes while it runs, for the progress report.
struct ChainProgress {
    std::atomic<double> share{0};  // of the chain's schedule run
    std::atomic<bool> found{false};
    std::atomic<long long> bestValue{0};
};

struct ChainOutcome {
    std::vector<int> choice;  // option index per slot, -1 for an empty slot
    Evaluation best;
    int buildings = 0;
};

// Runs one chain for `iterations` iterations. When the time to the deadline
// would not hold them, the chain shortens its schedule to what it does hold
// (and sets timeUp): the result then depends on the speed of the machine.
ChainOutcome runChain(const Problem& problem, std::uint64_t seed, long long iterations, ChainControl& control,
                      ChainProgress& progress);

}  // namespace dz::suggest_search
