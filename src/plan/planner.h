// The operations that change the plan as a whole and report to the view.
#pragma once

#include "catalog/info.h"
#include "economy/economy.h"
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

    // The economy, computed and shown. The population comes first where
    // both run: production reads the inhabitants and scientists it leaves.
    void computePopulation();
    void computeProduction();
    // Shows a total-cost view and remembers it as the checked one; "Gesamt"
    // also refreshes the available BSP.
    void refreshCosts(CostView view);
    void refreshCheckedCosts() { refreshCosts(costView_); }
    CostView costView() const { return costView_; }

    // A hire and fire button released at height y of a button `buttonHeight` high.
    void hireOrFire(Personnel kind, int y, int buttonHeight);
    // The population-limit box ticked or unticked. Returns the text the
    // edit box must be given when its text is no number; the caller sets it
    // and then calls recomputePersonnel().
    std::optional<std::string> populationLimitClicked(bool ticked, const std::string& editText);
    void recomputePersonnel();

    // The decimal separator of the user's locale, for the production values.
    void setDecimalSeparator(char separator) { decimalSeparator_ = separator; }
    char decimalSeparator() const { return decimalSeparator_; }

    const Info& info() const { return info_; }
    ActPlan& plan() { return plan_; }

private:
    Info& info_;
    ActPlan& plan_;
    ProgramState& state_;
    PlanView& view_;
    CostView costView_ = CostView::All;
    char decimalSeparator_ = '.';
};

}  // namespace dz
