// The goals of "Vorschlag": the rows a proposal may aim at, their names,
// their values in a plan, and the values as the player reads and types them.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/catalog/info.h"
#include "core/plan/act_plan.h"

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

// The name of a goal as suggestGoals() gives it.
std::string goalName(const Info& info, SuggestGoal goal);

// A goal's value in a plan whose economy is up to date (as the planner keeps
// it): the production panel's row (Forschung in tenths, as productionTotals
// counts it), availableBsp, or the plan's attractiveness.
long long goalValue(const Info& info, const ActPlan& plan, SuggestGoal goal);

// A goal value written as the panels write it: Forschung with one decimal.
std::string goalValueText(SuggestGoal goal, long long value, char decimalSeparator);

// A value the player typed for a goal ("20", Forschung also "2.5" or "2,5"),
// in the goal's unit (Forschung in tenths). Nothing for text that is no such
// number; negative values are allowed.
std::optional<long long> parseGoalValue(SuggestGoal goal, const std::string& text);

}  // namespace dz
