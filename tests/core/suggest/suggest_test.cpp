// "Vorschlag": proposals checked the way a player would check them, by
// carrying the choices out through the field menu of an ordinary planner and
// reading the ordinary economy of the result.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <tuple>

#include "core/catalog/catalog_files.h"
#include "core/files/plan_file.h"
#include "core/planner/planner.h"
#include "core/suggest/suggest.h"
#include "core/text/cp1252.h"
#include "support/plan_checks.h"
#include "support/recording_view.h"

using namespace dz;

namespace {

// A planner with one of the example plans loaded.
struct Colony {
    Colony(Info& info, const std::string& example) : planner(info, plan, state, view) {
        planner.loadPlan(readPlanFile(std::string(DZ_EXAMPLES_DIR) + "/" + example, info));
    }
    ActPlan plan;
    ProgramState state;
    RecordingView view;
    Planner planner;
};

class SuggestTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        info_ = std::make_unique<Info>();
        loadCatalog(*info_, DZ_DATA_DIR);
    }
    static void TearDownTestSuite() { info_.reset(); }

    Info& info() { return *info_; }

    SuggestRequest request(const char* goal, std::uint64_t seed = 7) {
        SuggestRequest r;
        const std::optional<SuggestGoal> g = goalByName(info(), utf8ToCp1252(goal));
        EXPECT_TRUE(g) << goal;
        r.goal = g.value_or(SuggestGoal{});
        r.seed = seed;
        r.iterations = 10000;  // short, and the same on every machine
        r.seconds = 600;       // never the stop here
        return r;
    }

    // Carries the choices out as a player would, each on the field menu of its turn.
    static void replay(Colony& colony, const std::vector<SuggestChoice>& choices) {
        for (std::size_t i = 0; i < choices.size(); ++i) {
            const SuggestChoice& c = choices[i];
            ASSERT_TRUE(colony.plan.contains(c.x, c.y, c.onSurface)) << "choice " << i;
            colony.plan.selected = FieldSelection{c.x, c.y, c.onSurface};
            const std::vector<int> offered = menuTags(colony.planner.buildFieldMenu());
            ASSERT_NE(std::find(offered.begin(), offered.end(), c.tag), offered.end())
                << "choice " << i << ": tag " << c.tag << " on (" << c.x << ", " << c.y << ")";
            colony.planner.chooseMenuEntry(c.tag);
        }
    }

    static long long totalCost(const ActPlan& plan, int resource) {
        return static_cast<long long>(plan.ressources.buildingCosts[resource]) + plan.ressources.terraformCosts[resource];
    }

private:
    static std::unique_ptr<Info> info_;
};

std::unique_ptr<Info> SuggestTest::info_;

// What each goal of these tests means in the economy of a plan.
long long measured(const Info& info, const ActPlan& plan, const std::string& goal) {
    if (goal == "Forschung") return productionTotals(info, plan).perTick[resResearch];
    if (goal == "verfügbare BSP") return availableBsp(info, plan);
    if (goal == "Attraktivität") return plan.attractiveness;
    ADD_FAILURE() << "no measure for " << goal;
    return 0;
}

}  // namespace

// The player's colony stands as it was, every choice was on the menu at its
// turn, and the economy of the result keeps the constraints: production rows
// at 0 or above (or not below the player's value where it was negative: the
// standard planet example lacks minerals and fuel), nobody missing or
// dismissed. The goal grows, to the value the proposal names.
TEST_F(SuggestTest, ProposalsKeepTheConstraintsAndThePlayersColony) {
    const std::pair<const char*, const char*> cases[] = {
        {"standardplanet.kpls", "Forschung"},
        {"standardplanet.kpls", "Attraktivität"},
        {"wuestenplanet.kpls", "verfügbare BSP"},
        {"grosses_asteroidenfeld.kpls", "Forschung"},
    };
    for (const auto& [example, goal] : cases) {
        SCOPED_TRACE(std::string(example) + ", " + goal);
        Colony colony(info(), example);
        const ActPlan start = colony.plan;
        const ProductionTotals before = productionTotals(info(), start);
        if (std::string(example) == "standardplanet.kpls") {
            ASSERT_LT(before.perTick[resMinerals], 0) << "a row below 0 to keep";
            ASSERT_GT(start.ressources.scientists, 0) << "personnel to keep";
        }

        const SuggestResult result = suggest(info(), colony.plan, request(goal));
        EXPECT_EQ(result.stop, SuggestStop::Finished);
        ASSERT_NO_FATAL_FAILURE(replay(colony, result.choices));
        ASSERT_NO_FATAL_FAILURE(plan_checks::checkBookkeeping(info(), colony.plan));

        for (int x = 0; x < start.width(); ++x)
            for (bool onSurface : {true, false})
                for (int y = 0; y < (onSurface ? start.surfaceHeight() : start.orbitHeight()); ++y) {
                    const Field& was = start.fieldAt(x, y, onSurface);
                    if (!was.built) continue;
                    const Field& is = colony.plan.fieldAt(x, y, onSurface);
                    EXPECT_EQ(is.building, was.building) << x << ", " << y;
                    EXPECT_EQ(is.inOperation, was.inOperation) << x << ", " << y;
                    EXPECT_EQ(is.fieldType, was.fieldType) << x << ", " << y;
                }

        const ProductionTotals after = productionTotals(info(), colony.plan);
        for (int r = 0; r < kResourceCount; ++r)
            EXPECT_GE(after.perTick[r], std::min(0LL, before.perTick[r])) << cp1252ToUtf8(info().resourceTypes[r].name);
        EXPECT_EQ(colony.view.population.rows.size(), 7u) << "no missing workers";
        const Ressources& r0 = start.ressources;
        const Ressources& r1 = colony.plan.ressources;
        EXPECT_EQ(std::tie(r1.ecoGuards, r1.holodeckOperators, r1.scientists, r1.soldiers),
                  std::tie(r0.ecoGuards, r0.holodeckOperators, r0.scientists, r0.soldiers))
            << "nobody dismissed";
        EXPECT_GE(unemployed(r1), 0);

        EXPECT_EQ(result.startValue, measured(info(), start, goal));
        EXPECT_EQ(result.value, measured(info(), colony.plan, goal));
        EXPECT_GT(result.value, result.startValue);
    }
}

// Chains on threads of their own, yet the same seed gives the same choices.
TEST_F(SuggestTest, TheSameSeedGivesTheSameProposal) {
    Colony colony(info(), "standardplanet.kpls");
    SuggestRequest r = request("Forschung", 11);
    r.chains = 3;
    const SuggestResult first = suggest(info(), colony.plan, r);
    const SuggestResult second = suggest(info(), colony.plan, r);
    ASSERT_FALSE(first.choices.empty());
    EXPECT_EQ(first.choices, second.choices);
    EXPECT_EQ(first.value, second.value);
}

// With a cap on the total build costs of metal, the proposal stays within it
// where it would not without.
TEST_F(SuggestTest, ACostCapHolds) {
    const int metal = 4;
    Colony free(info(), "wuestenplanet.kpls");
    const long long startCost = totalCost(free.plan, metal);
    const SuggestResult uncapped = suggest(info(), free.plan, request("verfügbare BSP"));
    ASSERT_NO_FATAL_FAILURE(replay(free, uncapped.choices));
    const long long cap = startCost + (totalCost(free.plan, metal) - startCost) / 3;
    ASSERT_GT(totalCost(free.plan, metal), cap);

    Colony capped(info(), "wuestenplanet.kpls");
    SuggestRequest r = request("verfügbare BSP");
    r.costCap = CostCap{metal, cap};
    const SuggestResult result = suggest(info(), capped.plan, r);
    ASSERT_NO_FATAL_FAILURE(replay(capped, result.choices));
    EXPECT_LE(totalCost(capped.plan, metal), cap);
    EXPECT_EQ(computeCosts(info(), capped.plan, CostView::All)[metal].value, std::to_string(totalCost(capped.plan, metal)));
    EXPECT_GT(result.value, result.startValue);
}

// A window carries the proposal out as one step "Vorschlag: <goal>": one
// undo gives the player's plan back line for line, one redo the proposal.
TEST_F(SuggestTest, AProposalIsOneStepThatUndoesToTheStartingLines) {
    Colony colony(info(), "standardplanet.kpls");
    const std::vector<std::string> lines = planLines(info(), colony.plan, 0);
    const SuggestResult result = suggest(info(), colony.plan, request("Forschung"));
    const Planner::StepStart start = colony.planner.startStep();
    ASSERT_EQ(applyChoices(colony.planner, result.choices), result.choices.size());
    const std::optional<PlanStep> step = colony.planner.finishStep(start, utf8ToCp1252("Vorschlag: Forschung"));
    ASSERT_TRUE(step);
    EXPECT_EQ(step->text(), utf8ToCp1252("Vorschlag: Forschung"));
    const std::vector<std::string> proposal = planLines(info(), colony.plan, 0);
    EXPECT_EQ(goalValue(info(), colony.plan, SuggestGoal{GoalKind::Production, resResearch}), result.value);
    colony.planner.undo(*step);
    EXPECT_EQ(planLines(info(), colony.plan, 0), lines);
    colony.planner.redo(*step);
    EXPECT_EQ(planLines(info(), colony.plan, 0), proposal);
    EXPECT_NE(proposal, lines);
}

// Progress comes on the calling thread; cancelling from there ends the search
// soon with no choices, and the plan is as it was. A time budget of nothing
// stops it before the first change.
TEST_F(SuggestTest, CancellingOrNoTimeGivesThePlanBack) {
    Colony colony(info(), "standardplanet.kpls");
    const std::vector<std::string> lines = planLines(info(), colony.plan, 0);
    SuggestRequest r = request("Forschung");
    r.iterations = 1'000'000'000;  // far more than the test waits for
    std::atomic<bool> cancel{false};
    int reports = 0;
    const std::thread::id caller = std::this_thread::get_id();
    const SuggestResult cancelled = suggest(
        info(), colony.plan, r,
        [&](const SuggestProgress& p) {
            EXPECT_EQ(std::this_thread::get_id(), caller);
            EXPECT_GE(p.done, 0.0);
            EXPECT_LE(p.done, 1.0);
            EXPECT_TRUE(p.bestValue.has_value());
            ++reports;
            cancel = true;
        },
        &cancel);
    EXPECT_EQ(cancelled.stop, SuggestStop::Cancelled);
    EXPECT_TRUE(cancelled.choices.empty());
    EXPECT_EQ(reports, 1);
    EXPECT_EQ(planLines(info(), colony.plan, 0), lines);

    r.seconds = 0;
    const SuggestResult noTime = suggest(info(), colony.plan, r);
    EXPECT_EQ(noTime.stop, SuggestStop::TimeLimit);
    EXPECT_TRUE(noTime.choices.empty());
    EXPECT_EQ(noTime.value, noTime.startValue);
}

// The goals go by the names the panels show; letters match in either case.
TEST_F(SuggestTest, GoalsByTheirNames) {
    const std::vector<NamedGoal> goals = suggestGoals(info());
    ASSERT_EQ(goals.size(), std::size_t(kResourceCount + 4));
    for (int r = 0; r < kResourceCount; ++r) EXPECT_EQ(goals[r].name, info().resourceTypes[r].name);
    for (const NamedGoal& g : goals) EXPECT_EQ(goalByName(info(), g.name), g.goal) << cp1252ToUtf8(g.name);
    EXPECT_EQ(goalByName(info(), utf8ToCp1252("verfügbare bsp")), (SuggestGoal{GoalKind::Bsp, 0}));
    EXPECT_EQ(goalByName(info(), "forschung"), (SuggestGoal{GoalKind::Production, resResearch}));
    EXPECT_EQ(goalByName(info(), "Gold"), std::nullopt);
    EXPECT_EQ(goalValueText(SuggestGoal{GoalKind::Production, resResearch}, 2574, ','), "257,4");
    EXPECT_EQ(goalValueText(SuggestGoal{GoalKind::Bsp, 0}, 2574, ','), "2574");
}
