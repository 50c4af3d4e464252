// The operations that change the plan as a whole and report to the view.
#pragma once

#include "catalog/info.h"
#include "plan/act_plan.h"
#include "plan/plan_view.h"
#include "plan/program_state.h"

namespace dz {

class Planner {
public:
    Planner(Info& info, ActPlan& plan, ProgramState& state, PlanView& view)
        : info_(info), plan_(plan), state_(state), view_(view) {}

    // A new, empty plan of planet type p (0..9) drawn from the planet's template.
    void newPlan(int p);
    // The empty state of the planet type in plan.planetType.
    void resetPlan();

    const Info& info() const { return info_; }
    ActPlan& plan() { return plan_; }

private:
    Info& info_;
    ActPlan& plan_;
    ProgramState& state_;
    PlanView& view_;
};

}  // namespace dz
