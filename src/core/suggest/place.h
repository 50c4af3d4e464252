// From the solver's counts to field-menu choices. Internal to src/core/suggest.
//
// The counts say how many fields of each group take each way and how many
// buildings of each kind stand on each side and field type; placing puts
// them on concrete fields, reusing what stands where it can (a building that
// stays needs no action, one in the other state only a switch, a field with
// another building a build-over), and orders the field-menu choices so that
// each is on the menu at its turn and none makes the planner dismiss hired
// personnel on the way.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/catalog/info.h"
#include "core/plan/act_plan.h"
#include "core/suggest/model.h"
#include "core/suggest/suggest.h"

namespace dz::suggest_place {

struct Placed {
    std::vector<SuggestChoice> choices;
    SuggestWork work;
};

// The choices that carry the solution out on `start` (economy up to date),
// or nothing when no order of them keeps the hired personnel or one of them
// is not on the field menu at any turn. Then `lacking`, when given, says how
// many more free persons the order would have needed at the point it stuck
// (0 when something else was missing).
std::optional<Placed> placeAndOrder(const Info& info, const ActPlan& start, const suggest_model::Model& model,
                                    const std::vector<double>& values, long long* lacking = nullptr);

}  // namespace dz::suggest_place
