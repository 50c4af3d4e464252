// Ordering the field-menu choices of a proposal. Internal to src/core/suggest.
//
// Every field the proposal changes is a job: its actions in order (demolish,
// reset, terraform, build, switch). The jobs are interleaved so that each
// action is on the field menu at its turn and none makes the planner dismiss
// hired personnel: prerequisites first, then the jobs that free persons, then
// those that bind them; where nothing can go on, a finished building is
// switched off for a while to free its workers.
#pragma once

#include <optional>
#include <vector>

#include "core/catalog/info.h"
#include "core/plan/act_plan.h"
#include "core/suggest/place.h"

namespace dz::suggest_place {

struct FieldJob {
    FieldPosition at;
    std::vector<int> tags;  // field-menu tags, in order
};

// The choices of all jobs, carried out on a copy of `start` (economy up to
// date) as they are ordered, with what they cost; nothing when no order keeps
// the personnel. Then `lacking`, when given, says how many more free persons
// were needed where the order stuck (0 when something else was missing).
std::optional<Placed> orderChoices(const Info& info, const ActPlan& start, const std::vector<FieldJob>& jobs,
                                   long long* lacking);

}  // namespace dz::suggest_place
