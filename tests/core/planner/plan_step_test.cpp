// Undo and redo through the planner's steps: random walks of field-menu
// choices, hiring and firing and the population limit on every planet type
// of our data, taken back to the new plan and done again, step by step.
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <tuple>

#include "core/catalog/catalog_files.h"
#include "core/files/plan_file.h"
#include "core/layout/field_cells.h"
#include "core/planner/planner.h"
#include "core/text/cp1252.h"
#include "support/plan_checks.h"

using namespace dz;
using plan_checks::checkBookkeeping;

namespace {

// A view that keeps what it shows now: every cell with the field it was
// drawn from, the panels, the limit controls and the status texts.
class ShowingView : public NullPlanView {
public:
    explicit ShowingView(const ActPlan& plan) : plan_(plan) {}

    void setStatus(StatusPanel panel, const std::string& text) override { status.at(std::size_t(panel)) = text; }
    void resizeImageGrids(int, int, int) override { cells.clear(); }
    void showField(int x, int y, int fieldType, bool onSurface) override {
        cells[{x, y, onSurface}] = {false, fieldType, -1, frameIndex(plan_.fieldAt(x, y, onSurface), false)};
    }
    void showBuilding(int x, int y, int building, bool onSurface) override {
        const Field& f = plan_.fieldAt(x, y, onSurface);
        cells[{x, y, onSurface}] = {true, building, f.fieldType, frameIndex(f, true)};
    }
    void showProduction(const std::vector<GridRow>& rows) override { panels.production = rows; }
    void showPopulation(const PopulationResult& result) override {
        panels.population = result;
        panels.population.status.reset();  // a dismissal goes to the personnel panel, compared on its own
    }
    void showCosts(const std::vector<GridRow>& rows) override { panels.costs = rows; }
    void showBsp(int bsp) override { panels.bsp = bsp; }
    void resetPopulationLimit() override { limit = {false, "0"}; }
    void showPopulationLimit(bool ticked, const std::string& text) override { limit = {ticked, text}; }

    struct Shown {
        bool building;
        int index;      // the building or the field type drawn
        int groundType;  // the field type a building picture shows it on
        int frame;      // operation state and ranges
        bool operator==(const Shown&) const = default;
    };
    struct Panels {
        std::vector<GridRow> production;
        PopulationResult population;
        std::vector<GridRow> costs;
        int bsp = -1;
        bool operator==(const Panels&) const = default;
    };
    std::map<std::tuple<int, int, bool>, Shown> cells;
    Panels panels;
    std::pair<bool, std::string> limit{false, "0"};
    std::array<std::string, kStatusPanelCount> status;

private:
    const ActPlan& plan_;
};

// Every cell shows its field as the plan holds it now.
void expectCellsFollowThePlan(const ShowingView& view, const ActPlan& plan) {
    for (bool onSurface : {true, false})
        for (int x = 0; x < plan.width(); ++x)
            for (int y = 0; y < (onSurface ? plan.surfaceHeight() : plan.orbitHeight()); ++y) {
                const Field& f = plan.fieldAt(x, y, onSurface);
                const auto shown = view.cells.find({x, y, onSurface});
                ASSERT_NE(shown, view.cells.end());
                const ShowingView::Shown expected = f.built ? ShowingView::Shown{true, f.building, f.fieldType, frameIndex(f, true)}
                                                            : ShowingView::Shown{false, f.fieldType, -1, frameIndex(f, false)};
                ASSERT_EQ(shown->second, expected)
                    << (onSurface ? "surface " : "orbit ") << x << "," << y;
            }
}

// What a state of the walk looked like: the saved file's lines, the whole
// snapshot and the panels.
struct Seen {
    std::vector<std::string> lines;
    PlanSnapshot snapshot;
    ShowingView::Panels panels;
};

class PlanStepWalk : public ::testing::Test {
protected:
    PlanStepWalk() { loadCatalog(info, DZ_DATA_DIR); }

    Seen seen() const { return {planLines(info, plan, state.internalReputation), planner.snapshot(), view.panels}; }

    // The state is the one seen before, on screen too.
    void expectState(const Seen& expected, const char* when, int step) {
        SCOPED_TRACE(std::string(when) + " step " + std::to_string(step));
        ASSERT_EQ(planLines(info, plan, state.internalReputation), expected.lines);
        ASSERT_EQ(planner.snapshot(), expected.snapshot);  // capacities, cover counters, texts
        ASSERT_NO_FATAL_FAILURE(checkBookkeeping(info, plan));
        ASSERT_NO_FATAL_FAILURE(expectCellsFollowThePlan(view, plan));
        ASSERT_EQ(view.panels, expected.panels);
        ASSERT_EQ(view.status, expected.snapshot.shown.status);
        ASSERT_EQ(view.limit, std::make_pair(plan.ressources.limitEnabled, expected.snapshot.shown.limitText));
    }

    // One random action as the window passes it on: a field-menu choice
    // (mostly building), hiring or firing or a release in the middle of
    // their button, or the population limit.
    void act() {
        const unsigned kind = random() % 10;
        if (kind == 0) {
            const auto people = Personnel(random() % 4);
            const unsigned half = random() % 3;
            if (half == 0) planner.recomputePersonnel();
            else if (half == 1) planner.hire(people);
            else planner.fire(people);
        } else if (kind == 1) {
            // The box ticked or unticked, with a number or a text that is none.
            const bool tick = !plan.ressources.limitEnabled;
            const std::string text = random() % 4 == 0 ? "viele" : std::to_string(random() % 60);
            planner.populationLimitEdited(text);
            if (const auto replacement = planner.populationLimitClicked(tick, text)) {
                planner.populationLimitEdited(*replacement);
                planner.populationLimitClicked(false, *replacement);
            }
            planner.recomputePersonnel();
            // The controls show what the user did with them.
            view.limit = {plan.ressources.limitEnabled, planner.snapshot().shown.limitText};
        } else {
            const bool orbit = plan.orbitHeight() > 0 && random() % 4 == 0;
            const int x = int(random() % unsigned(plan.width()));
            const int y = int(random() % unsigned(orbit ? plan.orbitHeight() : plan.surfaceHeight()));
            plan.selected = FieldSelection{x, y, !orbit};
            const std::vector<int> tags = menuTags(planner.buildFieldMenu());
            if (tags.empty()) return;
            int tag = tags[random() % tags.size()];
            std::vector<int> builds;
            for (int t : tags)
                if (t >= tagBuildBase && t < tagTerraformBase) builds.push_back(t);
            if (!builds.empty() && random() % 2 == 0) tag = builds[random() % builds.size()];
            planner.chooseMenuEntry(tag);
        }
    }

    Info info;
    ActPlan plan;
    ProgramState state;
    ShowingView view{plan};
    Planner planner{info, plan, state, view};
    std::mt19937 random{20261215};
};

}  // namespace

TEST_F(PlanStepWalk, UndoingEveryStepGivesTheNewPlanAndRedoingGivesTheEnd) {
    for (int p = 0; p < kPlanetCount; ++p) {
        SCOPED_TRACE("planet " + std::to_string(p));
        planner.newPlan(p);
        const Seen newPlan = seen();
        // The state before and after every step. Between steps only text
        // typed into the limit field may change, which is no step.
        std::vector<Seen> before, after;
        std::vector<PlanStep> steps;
        while (steps.size() < 150) {
            const Seen start = seen();
            const auto begun = planner.startStep();
            // Now and then several actions make one step, as a suggestion
            // applied at once would.
            const int actions = random() % 8 == 0 ? 4 : 1;
            for (int i = 0; i < actions; ++i) act();
            const auto step = planner.finishStep(begun, actions > 1 ? "Vorschlag" : "");
            if (!step) {
                ASSERT_EQ(planner.snapshot().plan, start.snapshot.plan) << "a change without a step";
                continue;
            }
            EXPECT_FALSE(step->text().empty());
            if (actions > 1) {
                EXPECT_EQ(step->text(), "Vorschlag");
            }
            steps.push_back(*step);
            before.push_back(start);
            after.push_back(seen());
        }

        for (std::size_t i = steps.size(); i-- > 0;) {
            planner.undo(steps[i]);
            ASSERT_NO_FATAL_FAILURE(expectState(before[i], "undo", int(i)));
        }
        EXPECT_EQ(planLines(info, plan, state.internalReputation), newPlan.lines);
        for (std::size_t i = 0; i < steps.size(); ++i) {
            planner.redo(steps[i]);
            ASSERT_NO_FATAL_FAILURE(expectState(after[i], "redo", int(i)));
        }
        EXPECT_EQ(planLines(info, plan, state.internalReputation), after.back().lines);
    }
}

TEST_F(PlanStepWalk, StepsAreNamedByTheActionsOwnText) {
    planner.newPlan(ptStandard);
    auto meadow = [&] {
        for (int x = 0; x < plan.width(); ++x)
            for (int y = 0; y < plan.surfaceHeight(); ++y)
                if (plan.current.surface[x][y].fieldType == ftMeadow && !plan.current.surface[x][y].built)
                    return FieldSelection{x, y, true};
        return FieldSelection{};
    };
    auto step = [&](auto action) {
        const auto start = planner.startStep();
        action();
        return planner.finishStep(start);
    };
    plan.selected = meadow();
    const auto built = step([&] { planner.chooseMenuEntry(tagBuildBase + bldBaseA); });
    ASSERT_TRUE(built);
    EXPECT_EQ(built->text(), info.buildings[bldBaseA].name + " gebaut");
    EXPECT_EQ(built->changedFields().size(), 1u);

    const auto hired = step([&] { planner.hire(Personnel::Soldier); });
    ASSERT_TRUE(hired);
    EXPECT_EQ(hired->text(), "1 Soldat eingestellt");
    EXPECT_TRUE(hired->changedFields().empty());

    const auto limited = step([&] {
        planner.populationLimitClicked(true, "3");
        planner.recomputePersonnel();
    });
    ASSERT_TRUE(limited);
    EXPECT_EQ(limited->text(), utf8ToCp1252("Bevölkerungsgrenze eingeschaltet"));

    // A release in the middle of a hire and fire button only shows the personnel afresh: no step.
    EXPECT_FALSE(step([&] { planner.recomputePersonnel(); }));
    // Text typed into the limit field alone is no step either.
    EXPECT_FALSE(step([&] { planner.populationLimitEdited("25"); }));

    // A step belongs to its plan: another planet's plan is refused unchanged.
    planner.newPlan(ptLargeAsteroids);
    const ActPlan other = plan;
    EXPECT_THROW(planner.undo(*built), std::invalid_argument);
    EXPECT_EQ(plan, other);
}
