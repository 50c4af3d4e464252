// "Vorschlag": the planner searches for the colony that is best for a goal the
// player picks, and returns it as field-menu choices that turn the player's
// plan into that colony.
//
// A proposal only adds: it builds on fields that are empty in the player's
// plan (surface and orbit) and may terraform such fields first; it never
// demolishes, switches or builds over anything that stands. It keeps these
// constraints, measured with the ordinary economy computation:
//  - every production row per tick is at least 0, or, where the player's plan
//    is below 0 already, at least the plan's value (it may stay as bad, never
//    get worse);
//  - no missing workers and no dismissals: the inhabitants cover the workers
//    and the personnel the player has hired (the "Arbeitslose" row is at
//    least 0, or at least the plan's value where it is below 0 already);
//  - every choice is on the field menu at its turn (a base first, the
//    workbee port before the orbital buildings, the Orbitalseil before a Dyson
//    sphere, the caps of the planet);
//  - optionally, the total build costs of one resource ("Gesamtaufbaukosten",
//    buildings and terraformings) stay within a cap; a plan above the cap
//    already gets only additions that cost nothing of that resource.
// Personnel is left as the player hired it.
//
// The search (suggest.cpp, search.cpp) runs a fixed number of simulated
// annealing chains, each on a thread of its own with a seed of its own drawn
// from the request's seed, for a fixed number of iterations; the best
// proposal of all chains wins, ties going to the lower chain. The same plan,
// goal, cap, seed, iteration count and chain count give the same proposal on
// every machine and however the threads are scheduled. The time budget is an
// outer stop: where it cannot hold the iterations on the machine, each chain
// shortens its schedule to end within it, and the search says so
// (SuggestStop::TimeLimit); that proposal depends on the speed of the machine.
//
// A window runs suggest() on a worker thread of its own: the function copies
// the catalog and the plan at the start and touches neither the caller's
// objects nor anything shared afterwards; it calls `progress` on the calling
// thread only, and stops soon after `*cancel` becomes true.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/catalog/info.h"
#include "core/plan/act_plan.h"
#include "core/planner/planner.h"

namespace dz {

// What a proposal maximises: a row of the production panel ("Lagerraum",
// "EPS" or a resource per tick), the available BSP or the attractiveness.
enum class GoalKind { Production, Storage, Eps, Bsp, Attractiveness };

struct SuggestGoal {
    GoalKind kind = GoalKind::Production;
    int resource = 0;  // the resource of GoalKind::Production, 0..15
    bool operator==(const SuggestGoal&) const = default;
};

struct NamedGoal {
    std::string name;  // Windows-1252, as the panels write it
    SuggestGoal goal;
};

// Every goal under the name the program shows for it, in the order of a goal
// list: the 16 resources of the production panel, "Lagerraum", "EPS",
// "verfügbare BSP", "Attraktivität".
std::vector<NamedGoal> suggestGoals(const Info& info);

// The goal of a name of suggestGoals() (Windows-1252); letters A to Z match
// either case. Nothing for a name of no goal.
std::optional<SuggestGoal> goalByName(const Info& info, const std::string& name);

// A goal's value in a plan whose economy is up to date (as the planner keeps
// it): the production panel's row (Forschung in tenths, as productionTotals
// counts it), availableBsp, or the plan's attractiveness.
long long goalValue(const Info& info, const ActPlan& plan, SuggestGoal goal);

// A goal value written as the panels write it: Forschung with one decimal.
std::string goalValueText(SuggestGoal goal, long long value, char decimalSeparator);

// At most `limit` of resource `resource` (0..15) in the total build costs.
struct CostCap {
    int resource = 0;
    long long limit = 0;
};

struct SuggestRequest {
    SuggestGoal goal;
    std::optional<CostCap> costCap;
    std::uint64_t seed = 1;
    // Iterations of each chain; 0 takes suggestIterations() of the plan.
    long long iterations = 0;
    // The outer stop, in seconds of wall time from the call (see above).
    double seconds = 5.0;
    // Independent chains, each on a thread of its own, 1..kMaxSuggestChains.
    int chains = 2;
};

inline constexpr int kMaxSuggestChains = 64;

// The iterations a chain runs by default on a plan: 6,000 per empty field,
// at least 500,000; the largest planet takes about 2 s on two free cores.
long long suggestIterations(const ActPlan& plan);

// One field-menu choice: the menu entry with this tag on this field.
struct SuggestChoice {
    int x = 0;
    int y = 0;
    bool onSurface = true;
    int tag = 0;
    bool operator==(const SuggestChoice&) const = default;
};

// Reported about ten times a second while the search runs, and once more
// with done 1 and the proposal's value at its end (not after a cancel).
struct SuggestProgress {
    double done = 0;                     // share of the search run, 0..1
    std::optional<long long> bestValue;  // goal value of the best proposal so far that keeps the constraints
};

enum class SuggestStop {
    Finished,   // every chain ran its iterations
    TimeLimit,  // the time budget could not hold the iterations: the search was shortened
    Cancelled,  // *cancel became true: no choices
};

struct SuggestResult {
    std::vector<SuggestChoice> choices;  // in the order to carry them out; empty when cancelled
    SuggestStop stop = SuggestStop::Finished;
    long long startValue = 0;  // the goal's value in the player's plan
    long long value = 0;       // the goal's value once the choices are carried out
};

// Searches for the proposal. The plan must be one the planner made (a new or
// loaded plan, perhaps changed by field actions) with `info` set up for its
// planet type as the planner leaves it; throws std::invalid_argument (a
// German message in Windows-1252) for a plan without a planet type, a goal or
// cap resource outside its range or a number of chains outside
// 1..kMaxSuggestChains. An exception of `progress` ends the search and is
// passed on.
SuggestResult suggest(const Info& info, const ActPlan& plan, const SuggestRequest& request,
                      const std::function<void(const SuggestProgress&)>& progress = {},
                      const std::atomic<bool>* cancel = nullptr);

// Whether a plan keeps the constraints of a proposal made from `start` (both
// with their economy up to date): the production rows, the workers and
// personnel, and the cap.
bool keepsConstraints(const Info& info, const ActPlan& start, const ActPlan& proposal,
                      const std::optional<CostCap>& cap);

// Carries the choices out one after the other as the window does: selects
// the field and chooses the entry if the field menu offers its tag then.
// Stops at the first choice the menu does not offer; returns how many were
// carried out.
std::size_t applyChoices(Planner& planner, const std::vector<SuggestChoice>& choices);

}  // namespace dz
