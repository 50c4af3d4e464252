// The operations that change the plan as a whole and report to the view.
#pragma once

#include <optional>
#include <string>

#include "core/catalog/info.h"
#include "core/economy/economy.h"
#include "core/plan/act_plan.h"
#include "core/plan/field_menu.h"
#include "core/files/plan_file.h"
#include "core/planner/plan_step.h"
#include "core/planner/plan_view.h"
#include "core/planner/program_state.h"

namespace dz {

// Whether an area building's range is laid onto the fields it reaches or taken off them.
enum class RangeChange { Add, Remove };

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

    // Hires or fires one person of a kind (see dz::hire and dz::fire), says
    // so on the personnel panel when it happens and shows the personnel
    // afresh either way.
    void hire(Personnel kind);
    void fire(Personnel kind);
    // The population-limit box ticked or unticked. Returns the text the
    // edit box must be given when its text is no number; the caller sets it
    // and then calls recomputePersonnel().
    std::optional<std::string> populationLimitClicked(bool ticked, const std::string& editText);
    // The text of the limit field changed (the window then unticks the box).
    void populationLimitEdited(const std::string& editText) { shown_.limitText = editText; }
    void recomputePersonnel();

    // The decimal separator of the user's locale, for the production values.
    void setDecimalSeparator(char separator) { decimalSeparator_ = separator; }
    char decimalSeparator() const { return decimalSeparator_; }

    // --- the field menu and its actions, all on plan.selected ---------------

    // The menu of the selected field (see fieldMenu), sorted as the program
    // state says.
    FieldMenu buildFieldMenu() const;
    // Carries out the menu entry with this tag on the selected field; a tag
    // of no entry does nothing.
    void chooseMenuEntry(int tag);

    void buildOnSelected(int b);
    void terraformSelected(int t);
    void demolishSelected();
    void toggleSelected();
    void resetSelectedField();

    // Replaces the plan by one read from a plan file (already checked).
    void loadPlan(const LoadedPlan& loaded);

    // Lays the range of an area building at surface position (x, y) onto
    // the fields it reaches, or takes it off, and redraws those fields.
    void applyAreaWide(RangeChange change, int x, int y);
    void applyAreaNear(RangeChange change, int x, int y);
    // The same for the range of `building`, if it is one of the two area
    // buildings; nothing for any other building.
    void applyRange(int building, RangeChange change, int x, int y);

    // --- undo and redo ----------------------------------------------------------

    // The plan as it is now, with the status texts and the limit field's text.
    PlanSnapshot snapshot() const;
    // A step begins: the snapshot before it.
    struct StepStart {
        PlanSnapshot before;
    };
    StepStart startStep();
    // The step since `start`, however many actions it took, named `text` or,
    // when that is empty, by the last action's own text ("Agrarfarm
    // gebaut"). Nothing when the plan and the status texts are as they were
    // (a text typed into the limit field alone is no step).
    std::optional<PlanStep> finishStep(const StepStart& start, std::string text = {});
    // Shows the plan as it was before the step, or after it: its fields with
    // their cells, the economic values with the panels, the limit controls
    // and the status texts. Whether that is the plan as saved last is the
    // caller's to know (the window's history).
    void undo(const PlanStep& step);
    void redo(const PlanStep& step);

    const Info& info() const { return info_; }
    ActPlan& plan() { return plan_; }

private:
    struct Target {
        int x, y;
        bool onSurface;
    };
    // Which of the two ranges: the wide one (5 x 5, across into the orbit)
    // or the near one (3 x 3, on the surface).
    enum class AreaReach { Wide, Near };
    void applyArea(RangeChange change, const std::vector<Target>& targets, AreaReach reach);
    std::vector<Target> wideTargets(int x, int y) const;
    std::vector<Target> nearTargets(int x, int y) const;
    // The places a building gives to the personnel capacities (sign +1 or -1).
    void changeCapacities(int building, int sign);
    void redraw(int x, int y, bool onSurface);
    void afterBuildingChange();
    // Sets a status text and remembers it for the snapshots.
    void setStatus(StatusPanel panel, const std::string& text);
    // Sets the status text that names what an action did.
    void reportAction(StatusPanel panel, const std::string& text);
    // Shows the side of a step just written into the plan and shown_, where
    // the limit box was ticked as `limitEnabledBefore` and `shownBefore` was shown.
    void showStepSide(const PlanStep& step, bool limitEnabledBefore, const ShownTexts& shownBefore);

    Info& info_;
    ActPlan& plan_;
    ProgramState& state_;
    PlanView& view_;
    CostView costView_ = CostView::All;
    char decimalSeparator_ = '.';
    ShownTexts shown_{{"Fertig", "", ""}, "0", 0};
    // The text the last action reported for itself (empty when none did):
    // it names the step in the history.
    std::string actionText_;
};

}  // namespace dz
