// "Vorschlag": the planner finds the colony that is best for a goal the player
// picks, proves that no colony is better, and returns it as field-menu
// choices that turn the player's plan into that colony.
//
// The economy of a plan depends only on how many of each building stand (and
// run) on each side and field type, never on where: so the proposal is an
// integer program over counts (model.h), solved exactly by COIN-OR CBC with
// one thread and limits in nodes, never in seconds: the same request gives the
// same proposal on every machine, whatever else the machine is doing. The
// solver's counts are then put on concrete fields and carried out through the
// planner's own field menu (place.h); the carried-out plan is measured with
// the ordinary economy, and it must reach exactly the value the solver
// promised and keep every constraint, or nothing is proposed.
//
// A proposal keeps these constraints:
//  - every production row per tick is at least 0, or, where the player's plan
//    is below 0 already, at least the plan's value (it may stay as bad, never
//    get worse); and at least the player's minimum rows;
//  - no missing workers and no dismissals: the inhabitants cover the workers
//    and the personnel the player has hired ("Arbeitslose" at least 0, or at
//    least the plan's value where it is below 0 already), and the places of
//    the hired personnel stay; hired personnel is never changed;
//  - every choice is on the field menu at its turn (a base first, the
//    workbee port before the orbital buildings, the Orbitalseil before a Dyson
//    sphere, unique buildings, the caps of the planet, the limits of craters,
//    core rifts and volcanoes);
//  - optionally, the total build costs of one resource ("Gesamtaufbaukosten",
//    buildings and terraformings) stay within a cap; a plan above the cap
//    already may not get dearer in that resource;
//  - locked fields keep their type, building and state.
// Without "Umbau erlauben" a proposal only adds: it builds on fields that are
// empty in the plan (terraforming them first where that helps); with it, it
// may also demolish, build over, switch and reset what stands.
//
// A window runs suggest() on a worker thread of its own: the function copies
// what it needs at the start and touches neither the caller's objects nor
// anything shared afterwards; it calls `progress` on the calling thread only,
// and stops soon after `*cancel` becomes true.
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
#include "core/suggest/goals.h"

namespace dz {

// At most `limit` of resource `resource` (0..15) in the total build costs.
struct CostCap {
    int resource = 0;
    long long limit = 0;
};

// "mindestens": the goal's value must be at least `value` (in the goal's
// unit, Forschung in tenths).
struct GoalMinimum {
    SuggestGoal goal;
    long long value = 0;
    bool operator==(const GoalMinimum&) const = default;
};

struct SuggestRequest {
    SuggestGoal goal;
    // Decides among the proposals that are equally good for `goal`.
    std::optional<SuggestGoal> thenGoal;
    std::vector<GoalMinimum> minimums;
    std::optional<CostCap> costCap;
    // "Umbau erlauben": demolish, build over, switch and reset what stands.
    bool rebuild = false;
    // Fields the proposal leaves exactly as they are.
    std::vector<FieldPosition> locks;
    // The solver's limits per goal, in branch-and-bound nodes and in simplex
    // iterations (the work of the nodes, which varies a thousandfold); 0
    // takes kSuggestNodeLimit, kSuggestIterationLimit. The limits never
    // depend on the clock.
    long long nodeLimit = 0;
    long long iterationLimit = 0;
    // An outer stop in seconds of wall time from the call, 0 for none. Only
    // the report tool sets one; a proposal cut by it depends on the machine.
    double seconds = 0;
};

inline constexpr long long kSuggestNodeLimit = 30000;
// A second stop for nodes that take unusually long.
inline constexpr long long kSuggestIterationLimit = 1000000;

// One field-menu choice: the menu entry with this tag on this field.
struct SuggestChoice {
    int x = 0;
    int y = 0;
    bool onSurface = true;
    int tag = 0;
    bool operator==(const SuggestChoice&) const = default;
};

// Reported now and then while the solver runs, and once more with done 1 at
// its end (not after a cancel).
struct SuggestProgress {
    double done = 0;                     // a rough share of the search, 0..1
    std::optional<long long> bestValue;  // goal value of the best proposal found so far
    std::optional<long long> bound;      // no colony reaches more than this
};

enum class SuggestStop {
    Proven,      // the proposal is the best there is (for the goal, then the second goal)
    NodeLimit,   // the solver stopped at a limit of its work: `bound` says how much more is possible at most
    TimeLimit,   // the outer stop in seconds cut the search (depends on the machine)
    Cancelled,   // *cancel became true: no choices
    Infeasible,  // no colony keeps the constraints (minimum rows, cap): no choices, `message` says so
    Failed,      // the proposal could not be carried out as promised: no choices, `message` says why
};

// What carrying the proposal out takes.
struct SuggestWork {
    int builds = 0;         // on an empty field
    int buildOvers = 0;     // on a field where another building stands
    int demolitions = 0;
    int switches = 0;       // switched on or off
    int terraformings = 0;  // terraformings and resets to the initial field type
    ResourceArray cost{};   // build costs of what is built and terraformed
    bool operator==(const SuggestWork&) const = default;
};

struct SuggestResult {
    std::vector<SuggestChoice> choices;  // in the order to carry them out; empty unless Proven, NodeLimit or TimeLimit
    SuggestStop stop = SuggestStop::Proven;
    std::string message;       // Windows-1252: why there is no proposal (Infeasible, Failed)
    long long startValue = 0;  // the goal's value in the player's plan
    long long value = 0;       // the goal's value once the choices are carried out
    long long bound = 0;       // no colony reaches more (equals value when Proven)
    std::optional<long long> thenStartValue;  // the second goal's, when the request has one
    std::optional<long long> thenValue;
    SuggestWork work;
};

// Finds the proposal. The plan must be one the planner made (a new or loaded
// plan, perhaps changed by field actions) with `info` set up for its planet
// type as the planner leaves it; throws std::invalid_argument (a German
// message in Windows-1252) for a plan without a planet type, a goal, minimum
// or cap resource outside its range, or a lock outside the plan. An exception
// of `progress` ends the search and is passed on.
SuggestResult suggest(const Info& info, const ActPlan& plan, const SuggestRequest& request,
                      const std::function<void(const SuggestProgress&)>& progress = {},
                      const std::atomic<bool>* cancel = nullptr);

// Whether a plan keeps the constraints of a proposal made from `start` for
// `request` (both plans with their economy up to date): the production rows,
// the minimum rows, the workers and the hired personnel, the cap and the
// locked fields.
bool keepsConstraints(const Info& info, const ActPlan& start, const ActPlan& proposal, const SuggestRequest& request);

// Carries the choices out one after the other as the window does: selects
// the field and chooses the entry if the field menu offers its tag then.
// Stops at the first choice the menu does not offer; returns how many were
// carried out.
std::size_t applyChoices(Planner& planner, const std::vector<SuggestChoice>& choices);

// A row of the preview of a proposal: a panel's row whose value changes.
struct PreviewRow {
    std::string label;  // Windows-1252, as the panel writes it
    std::string before;
    std::string after;
    bool operator==(const PreviewRow&) const = default;
};

// The rows of the production, population and cost panels and the
// indicators ("Attraktivität", "verfügbare BSP") that differ between `plan`
// and the plan once `choices` are carried out, in panel order, written as
// the panels write them.
std::vector<PreviewRow> previewRows(const Info& info, const ActPlan& plan, const std::vector<SuggestChoice>& choices,
                                    char decimalSeparator);

}  // namespace dz
