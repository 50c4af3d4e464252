// "Vorschlag": proposals checked the way a player would check them, by
// carrying the choices out through the field menu of an ordinary planner and
// reading the ordinary economy of the result, and on a small catalog against
// every colony there is.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <tuple>

#include "core/catalog/catalog_files.h"
#include "core/files/plan_file.h"
#include "core/economy/economy.h"
#include "core/plan/build_rules.h"
#include "core/planner/planner.h"
#include "core/suggest/suggest.h"
#include "core/text/cp1252.h"
#include "support/recording_view.h"
#include "support/small_catalog.h"

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

    SuggestGoal goal(const char* name) {
        const std::optional<SuggestGoal> g = goalByName(info(), utf8ToCp1252(name));
        EXPECT_TRUE(g) << name;
        return g.value_or(SuggestGoal{});
    }

    SuggestRequest request(const char* goalName) {
        SuggestRequest r;
        r.goal = goal(goalName);
        return r;
    }

    // Carries the choices out on a copy of the plan, each on the field menu of
    // its turn, and returns the result with its economy up to date.
    ActPlan replay(const ActPlan& start, const std::vector<SuggestChoice>& choices) {
        ActPlan plan = start;
        ProgramState state;
        NullPlanView view;
        Planner planner(info(), plan, state, view);
        for (std::size_t i = 0; i < choices.size(); ++i) {
            const SuggestChoice& c = choices[i];
            plan.selected = FieldSelection{c.x, c.y, c.onSurface};
            const std::vector<int> offered = menuTags(planner.buildFieldMenu());
            EXPECT_NE(std::find(offered.begin(), offered.end(), c.tag), offered.end()) << "choice " << i;
            planner.chooseMenuEntry(c.tag);
        }
        updatePopulation(info(), plan);
        return plan;
    }

    // The proposal is proven, reaches what it says when carried out, keeps
    // every constraint and leaves the hired personnel as it was.
    ActPlan checkProposal(const ActPlan& start, const SuggestRequest& r, const SuggestResult& result) {
        EXPECT_EQ(result.stop, SuggestStop::Proven) << cp1252ToUtf8(result.message);
        EXPECT_EQ(result.value, result.bound);
        const ActPlan after = replay(start, result.choices);
        EXPECT_EQ(goalValue(info(), after, r.goal), result.value);
        EXPECT_TRUE(keepsConstraints(info(), start, after, r));
        const Ressources& a = start.ressources;
        const Ressources& b = after.ressources;
        EXPECT_EQ(std::tie(a.ecoGuards, a.holodeckOperators, a.scientists, a.soldiers),
                  std::tie(b.ecoGuards, b.holodeckOperators, b.scientists, b.soldiers));
        return after;
    }

private:
    static std::unique_ptr<Info> info_;
};

std::unique_ptr<Info> SuggestTest::info_;

const char* const kExamples[] = {"standardplanet.kpls", "wuestenplanet.kpls", "grosses_asteroidenfeld.kpls"};
const char* const kGoals[] = {"Forschung", "verfügbare BSP", "Attraktivität", "Lagerraum"};

// On every example and goal the proposal is the proven best, carried out as
// promised; adding leaves what the player built exactly as it stands.
TEST_F(SuggestTest, ProposalsAreProvenAndAddToThePlayersColony) {
    for (const char* example : kExamples) {
        Colony colony(info(), example);
        for (const char* g : kGoals) {
            SCOPED_TRACE(std::string(example) + " " + g);
            const SuggestRequest r = request(g);
            const SuggestResult result = suggest(info(), colony.plan, r);
            const ActPlan after = checkProposal(colony.plan, r, result);
            EXPECT_GT(result.value, result.startValue);
            for (int x = 0; x < colony.plan.width(); ++x)
                for (int y = 0; y < colony.plan.surfaceHeight(); ++y) {
                    if (!colony.plan.fieldAt(x, y, true).built) continue;
                    EXPECT_EQ(after.fieldAt(x, y, true), colony.plan.fieldAt(x, y, true));
                }
            EXPECT_EQ(result.work.demolitions + result.work.buildOvers, 0);
        }
    }
}

// The desert example has six scientists: no mode of the proposal dismisses
// them, nor anyone else hired.
TEST_F(SuggestTest, HiredPersonnelStaysInEveryMode) {
    Colony colony(info(), "wuestenplanet.kpls");
    ASSERT_EQ(colony.plan.ressources.scientists, 6);
    SuggestRequest plain = request("Attraktivität");
    SuggestRequest rebuild = plain;
    rebuild.rebuild = true;
    SuggestRequest locked = rebuild;
    locked.locks = {{0, 0, true}, {3, 1, true}, {1, 0, false}};
    SuggestRequest minimum = plain;
    minimum.minimums = {{goal("Nahrung"), 25}};
    for (const SuggestRequest& r : {plain, rebuild, locked, minimum}) {
        const SuggestResult result = suggest(info(), colony.plan, r);
        checkProposal(colony.plan, r, result);
    }
}

// Minimum rows bind the proposal; one no colony reaches makes it infeasible,
// with a message and no choices.
TEST_F(SuggestTest, MinimumRowsBindTheProposal) {
    Colony colony(info(), "standardplanet.kpls");
    const SuggestRequest free = request("Forschung");
    const SuggestResult unbound = suggest(info(), colony.plan, free);
    const long long food = goalValue(info(), replay(colony.plan, unbound.choices), goal("Nahrung"));

    SuggestRequest bound = free;
    bound.minimums = {{goal("Nahrung"), food + 40}, {goal("Energiekristalle"), 0}};
    const SuggestResult result = suggest(info(), colony.plan, bound);
    const ActPlan after = checkProposal(colony.plan, bound, result);
    EXPECT_GE(goalValue(info(), after, goal("Nahrung")), food + 40);
    EXPECT_LT(result.value, unbound.value);

    bound.minimums = {{goal("Nahrung"), 1'000'000}};
    const SuggestResult impossible = suggest(info(), colony.plan, bound);
    EXPECT_EQ(impossible.stop, SuggestStop::Infeasible);
    EXPECT_TRUE(impossible.choices.empty());
    EXPECT_FALSE(impossible.message.empty());
}

// A second goal decides among the proposals equal in the first.
TEST_F(SuggestTest, ASecondGoalDecidesAmongEqualProposals) {
    Colony colony(info(), "grosses_asteroidenfeld.kpls");
    const SuggestResult alone = suggest(info(), colony.plan, request("EPS"));
    SuggestRequest r = request("EPS");
    r.thenGoal = goal("Lagerraum");
    const SuggestResult then = suggest(info(), colony.plan, r);
    checkProposal(colony.plan, r, then);
    EXPECT_EQ(then.value, alone.value);
    ASSERT_TRUE(then.thenValue);
    const long long storageAlone = goalValue(info(), replay(colony.plan, alone.choices), goal("Lagerraum"));
    EXPECT_GT(*then.thenValue, storageAlone);
    EXPECT_EQ(*then.thenValue, goalValue(info(), replay(colony.plan, then.choices), goal("Lagerraum")));
}

// "Umbau erlauben" reaches further than adding; a locked field stays as it
// is even then, though the proposal would change it otherwise.
TEST_F(SuggestTest, RebuildReachesFurtherAndLocksHold) {
    Colony colony(info(), "wuestenplanet.kpls");
    SuggestRequest r = request("Attraktivität");
    r.rebuild = true;
    const SuggestResult rebuilt = suggest(info(), colony.plan, r);
    const ActPlan after = checkProposal(colony.plan, r, rebuilt);
    EXPECT_GT(rebuilt.value, suggest(info(), colony.plan, request("Attraktivität")).value);
    EXPECT_GT(rebuilt.work.demolitions + rebuilt.work.buildOvers + rebuilt.work.switches, 0);

    std::vector<FieldPosition> changed;
    for (int x = 0; x < colony.plan.width(); ++x)
        for (int y = 0; y < colony.plan.surfaceHeight(); ++y)
            if (after.fieldAt(x, y, true) != colony.plan.fieldAt(x, y, true)) changed.push_back({x, y, true});
    ASSERT_GE(changed.size(), 3u);
    r.locks = {changed[0], changed[changed.size() / 2], changed.back()};
    const SuggestResult locked = suggest(info(), colony.plan, r);
    const ActPlan kept = checkProposal(colony.plan, r, locked);
    for (const FieldPosition& at : r.locks) {
        const Field &was = colony.plan.fieldAt(at.x, at.y, at.onSurface), &is = kept.fieldAt(at.x, at.y, at.onSurface);
        EXPECT_EQ(std::tie(is.fieldType, is.building, is.inOperation), std::tie(was.fieldType, was.building, was.inOperation));
    }
    EXPECT_LE(locked.value, rebuilt.value);
}

// On the standard example the best rebuilt colony for attractiveness puts a
// building that ends switched off where a house stood; as it goes up it binds
// workers the colony cannot spare at that moment. The proposal is then the
// best colony that leaves them room: not proven, but within 1 % of the bound.
TEST_F(SuggestTest, ARebuildThatCannotBeOrderedStaysCloseToTheBound) {
    Colony colony(info(), "standardplanet.kpls");
    SuggestRequest r = request("Attraktivität");
    r.rebuild = true;
    const SuggestResult result = suggest(info(), colony.plan, r);
    ASSERT_FALSE(result.choices.empty()) << cp1252ToUtf8(result.message);
    EXPECT_EQ(result.stop, SuggestStop::NodeLimit);
    EXPECT_LT(result.value, result.bound);
    EXPECT_GE(result.value * 100, result.bound * 99);
    const ActPlan after = replay(colony.plan, result.choices);
    EXPECT_EQ(goalValue(info(), after, r.goal), result.value);
    EXPECT_TRUE(keepsConstraints(info(), colony.plan, after, r));
}

// The check of a carried-out proposal, at the edges of each constraint.
TEST_F(SuggestTest, TheConstraintCheckAtItsBoundaries) {
    Colony colony(info(), "standardplanet.kpls");
    const ActPlan& start = colony.plan;
    SuggestRequest r = request("Forschung");
    EXPECT_TRUE(keepsConstraints(info(), start, start, r));

    // Five more inhabitants eat one more unit of food: a row at its floor
    // holds, one below does not. The example's food is positive, so the floor is 0.
    const long long food = productionTotals(info(), start).perTick[resSupply];
    ASSERT_GT(food, 0);
    ActPlan hungry = start;
    hungry.ressources.inhabitants += int(5 * food);
    EXPECT_EQ(productionTotals(info(), hungry).perTick[resSupply], 0);
    hungry.ressources.workersNeeded -= int(5 * food);  // nobody missing
    EXPECT_TRUE(keepsConstraints(info(), start, hungry, r));
    hungry.ressources.inhabitants += 1;
    hungry.ressources.workersNeeded -= 1;
    EXPECT_FALSE(keepsConstraints(info(), start, hungry, r));

    // Every row, the last resource too: a building of our own on an empty
    // field takes the row exactly to its floor (0, or the plan's value where
    // it is below 0 already: the example lacks minerals), then one below.
    ASSERT_LT(productionTotals(info(), start).perTick[resMinerals], 0);
    const ProductionTotals before = productionTotals(info(), start);
    int unused = 0;  // a building the plan does not have, to take our values
    while (start.countBuildings(unused) != 0 || isPassive(unused)) ++unused;
    for (int res = 0; res < kResourceCount; ++res) {
        SCOPED_TRACE(res);
        const long long slack = before.perTick[res] - std::min(0LL, before.perTick[res]);
        const long long unit = res == resResearch ? 10 : 1;  // research counts in tenths
        Info own = info();
        InfoBuilding& probe = own.buildings[std::size_t(unused)];
        probe = InfoBuilding{};
        ActPlan proposal = start;
        Field& empty = proposal.fieldAt(17, 1, false);
        ASSERT_FALSE(empty.built);
        empty.building = unused;
        empty.built = empty.inOperation = true;
        if (slack % unit == 0) {
            probe.production[res] = std::int32_t(-slack / unit);
            EXPECT_TRUE(keepsConstraints(own, start, proposal, r));
        }
        probe.production[res] = std::int32_t(-(slack / unit + 1));
        EXPECT_FALSE(keepsConstraints(own, start, proposal, r));
    }

    // The unemployed at 0 hold, at -1 not; hired personnel may not go.
    ActPlan busy = start;
    busy.ressources.workersNeeded += int(unemployed(start.ressources));
    EXPECT_TRUE(keepsConstraints(info(), start, busy, r));
    busy.ressources.workersNeeded += 1;
    EXPECT_FALSE(keepsConstraints(info(), start, busy, r));
    ActPlan fired = start;
    fired.ressources.soldiers -= 1;
    EXPECT_FALSE(keepsConstraints(info(), start, fired, r));

    // Minimum rows on every goal, the last resource among them: exactly at it
    // holds, one below not.
    for (const NamedGoal& g : suggestGoals(info())) {
        SuggestRequest m = r;
        m.minimums = {{g.goal, goalValue(info(), start, g.goal)}};
        EXPECT_TRUE(keepsConstraints(info(), start, start, m)) << cp1252ToUtf8(g.name);
        m.minimums[0].value += 1;
        EXPECT_FALSE(keepsConstraints(info(), start, start, m)) << cp1252ToUtf8(g.name);
    }

    // A plan above its cap already may keep its costs, not raise them.
    const int metal = 4;
    const long long spent = static_cast<long long>(start.ressources.buildingCosts[metal]) + start.ressources.terraformCosts[metal];
    SuggestRequest capped = r;
    capped.costCap = CostCap{metal, spent / 2};
    EXPECT_TRUE(keepsConstraints(info(), start, start, capped));
    ActPlan dearer = start;
    dearer.ressources.buildingCosts[metal] += 1;
    EXPECT_FALSE(keepsConstraints(info(), start, dearer, capped));

    // A locked field that changed breaks the proposal.
    SuggestRequest locked = r;
    locked.locks = {{2, 3, true}};
    ActPlan moved = start;
    moved.fieldAt(2, 3, true).fieldType = ftForest;
    EXPECT_TRUE(keepsConstraints(info(), start, moved, r));
    EXPECT_FALSE(keepsConstraints(info(), start, moved, locked));
    // The range of an area building nearby reaching it changes nothing of its own.
    ActPlan covered = start;
    covered.fieldAt(2, 3, true).coverWide += 1;
    covered.fieldAt(2, 3, true).coverNear += 1;
    EXPECT_TRUE(keepsConstraints(info(), start, covered, locked));
}

// A cap on the build costs holds where the proposal without it is dearer.
TEST_F(SuggestTest, ACostCapHolds) {
    Colony colony(info(), "standardplanet.kpls");
    const int metal = 4;
    const auto total = [&](const ActPlan& p) {
        return static_cast<long long>(p.ressources.buildingCosts[metal]) + p.ressources.terraformCosts[metal];
    };
    const long long before = total(colony.plan);
    const SuggestResult free = suggest(info(), colony.plan, request("Lagerraum"));
    ASSERT_GT(total(replay(colony.plan, free.choices)), before + 2000);
    SuggestRequest r = request("Lagerraum");
    r.costCap = CostCap{metal, before + 2000};
    const SuggestResult capped = suggest(info(), colony.plan, r);
    const ActPlan after = checkProposal(colony.plan, r, capped);
    EXPECT_LE(total(after), before + 2000);
    EXPECT_LT(capped.value, free.value);
}

// The same request gives the same proposal every time; a node limit of one
// gives a proposal with an honest bound, or none.
TEST_F(SuggestTest, TheSameRequestGivesTheSameProposal) {
    Colony colony(info(), "standardplanet.kpls");
    const SuggestRequest r = request("Attraktivität");
    const SuggestResult first = suggest(info(), colony.plan, r);
    const SuggestResult second = suggest(info(), colony.plan, r);
    EXPECT_EQ(first.choices, second.choices);
    EXPECT_EQ(first.work, second.work);

    SuggestRequest quick = r;
    quick.nodeLimit = 1;
    const SuggestResult cut = suggest(info(), colony.plan, quick);
    EXPECT_GE(cut.bound, first.value);
    EXPECT_LE(cut.value, first.value);
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
    const std::vector<std::string> proposal = planLines(info(), colony.plan, 0);
    EXPECT_EQ(goalValue(info(), colony.plan, goal("Forschung")), result.value);
    colony.planner.undo(*step);
    EXPECT_EQ(planLines(info(), colony.plan, 0), lines);
    colony.planner.redo(*step);
    EXPECT_EQ(planLines(info(), colony.plan, 0), proposal);
}

// Progress comes on the calling thread; cancelling from there ends the search
// with no choices, and the plan is as it was.
TEST_F(SuggestTest, CancellingGivesThePlanBack) {
    Colony colony(info(), "standardplanet.kpls");
    const std::vector<std::string> lines = planLines(info(), colony.plan, 0);
    std::atomic<bool> cancel{false};
    const std::thread::id caller = std::this_thread::get_id();
    SuggestRequest r = request("Attraktivität");
    r.rebuild = true;
    r.thenGoal = goal("Lagerraum");
    const SuggestResult cancelled = suggest(
        info(), colony.plan, r,
        [&](const SuggestProgress& p) {
            EXPECT_EQ(std::this_thread::get_id(), caller);
            EXPECT_GE(p.done, 0.0);
            EXPECT_LE(p.done, 1.0);
            cancel = true;
        },
        &cancel);
    if (cancel) {
        EXPECT_EQ(cancelled.stop, SuggestStop::Cancelled);
        EXPECT_TRUE(cancelled.choices.empty());
    }
    EXPECT_EQ(planLines(info(), colony.plan, 0), lines);
}

// The goals go by the names the panels show; letters match in either case,
// and typed values are read in the goal's unit.
TEST_F(SuggestTest, GoalsByTheirNamesAndValues) {
    const std::vector<NamedGoal> goals = suggestGoals(info());
    ASSERT_EQ(goals.size(), std::size_t(kResourceCount + 4));
    for (const NamedGoal& g : goals) {
        EXPECT_EQ(goalByName(info(), g.name), g.goal) << cp1252ToUtf8(g.name);
        EXPECT_EQ(goalName(info(), g.goal), g.name);
    }
    EXPECT_EQ(goalByName(info(), utf8ToCp1252("verfügbare bsp")), (SuggestGoal{GoalKind::Bsp, 0}));
    EXPECT_EQ(goalByName(info(), "Gold"), std::nullopt);
    const SuggestGoal research{GoalKind::Production, resResearch};
    EXPECT_EQ(goalValueText(research, 2574, ','), "257,4");
    EXPECT_EQ(parseGoalValue(research, "2,5"), 25);
    EXPECT_EQ(parseGoalValue(research, " 12 "), 120);
    EXPECT_EQ(parseGoalValue(research, "-0.5"), -5);
    EXPECT_EQ(parseGoalValue(SuggestGoal{GoalKind::Storage, 0}, "2.5"), std::nullopt);
    EXPECT_EQ(parseGoalValue(SuggestGoal{GoalKind::Storage, 0}, "4500"), 4500);
    for (const char* bad : {"", "x", "1e3", "2,55", "1 2", "9999999999999"}) EXPECT_EQ(parseGoalValue(research, bad), std::nullopt) << bad;
}

// --- on a small catalog, against every colony there is ---------------------

using small_catalog::smallCatalog;

class SmallSuggestTest : public ::testing::Test {
protected:
    // Three surface fields (meadow, meadow, ice) and three in orbit; a few
    // buildings with values, the others carried by no field.
    SmallSuggestTest() {
        for (InfoField& f : info.fields) f.buildable.reset();
        auto set = [&](int b, int housing, int workers, int attractiveness, std::initializer_list<std::pair<int, int>> production) {
            InfoBuilding& building = info.buildings[std::size_t(b)];
            building.housing = housing;
            building.workers = workers;
            building.attractiveness = attractiveness;
            for (auto [r, v] : production) building.production[std::size_t(r)] = v;
        };
        set(bldBaseA, 20, 5, 10, {{resEnergy, 10}, {resSupply, 4}});
        set(bldHousingCore, 10, 0, 1, {{resEnergy, -1}});
        set(3, 0, 5, 0, {{resEnergy, -1}, {resSupply, 5}});
        set(bldLabSmall, 0, 10, 2, {{resEnergy, -4}, {resResearch, 2}});
        set(bldWorkbeePort, 0, 5, 0, {{resEnergy, -2}, {14, -1}});
        set(27, 0, 3, -1, {{resEnergy, -1}, {14, 2}});
        set(7, 8, 0, 3, {{resEnergy, -1}});
        set(bldLabOrbit, 0, 10, 0, {{resEnergy, -5}, {resResearch, 4}});
        for (int b : {bldBaseA, bldHousingCore, 3, bldLabSmall, bldWorkbeePort, 27}) info.fields[ftMeadow].buildable.set(b);
        for (int b : {7, 27}) info.fields[3].buildable.set(b);
        for (int b : {bldPlanetYieldA, bldLabOrbit}) info.fields[ftSpace].buildable.set(b);
        InfoPlanet& planet = info.planets[ptStandard];
        small_catalog::shapePlanet(planet, 3, 1, 1, [](int x, int) { return x < 2 ? ftMeadow : 3; });
        planet.yieldA = 6;
        planet.baseAttractiveness = 0;
        planner.newPlan(ptStandard);
    }

    // The best goal value of every colony the field menu can make, found by
    // trying every end state of every field.
    long long bestByTrying(SuggestGoal g) {
        struct Option {
            std::vector<int> tags;
        };
        std::vector<std::pair<FieldPosition, std::vector<Option>>> fields;
        for (int x = 0; x < 3; ++x)
            for (bool onSurface : {true, false}) {
                std::vector<Option> options{{{}}};
                const int type = plan.fieldAt(x, 0, onSurface).fieldType;
                for (int t : {-1, 3 /* ice to meadow */}) {
                    if (t >= 0 && type != 3) continue;
                    const int end = t >= 0 ? ftMeadow : type;
                    for (int b = 0; b < kBuildingCount; ++b) {
                        if (!info.fields[std::size_t(end)].buildable[std::size_t(b)]) continue;
                        Option o;
                        if (t >= 0) o.tags.push_back(tagTerraformBase + t);
                        o.tags.push_back(tagBuildBase + b);
                        options.push_back(o);
                    }
                }
                fields.push_back({{x, 0, onSurface}, options});
            }
        long long best = goalValue(info, plan, g);
        std::vector<std::size_t> pick(fields.size(), 0);
        SuggestRequest r;
        r.goal = g;
        while (true) {
            ActPlan trial = plan;
            ProgramState s;
            NullPlanView v;
            Planner p(info, trial, s, v);
            // Bases first, then the port, then the rest: any order the menu allows.
            bool possible = true;
            for (int round = 0; round < 3 && possible; ++round)
                for (std::size_t f = 0; f < fields.size() && possible; ++f) {
                    const std::vector<int>& tags = fields[f].second[pick[f]].tags;
                    if (tags.empty()) continue;
                    const int b = tags.back() - tagBuildBase;
                    const int wanted = b == bldBaseA ? 0 : b == bldWorkbeePort ? 1 : 2;
                    if (wanted != round) continue;
                    for (int tag : tags) {
                        trial.selected = FieldSelection{fields[f].first.x, 0, fields[f].first.onSurface};
                        const std::vector<int> menu = menuTags(p.buildFieldMenu());
                        if (std::find(menu.begin(), menu.end(), tag) == menu.end()) {
                            possible = false;
                            break;
                        }
                        p.chooseMenuEntry(tag);
                    }
                }
            if (possible) {
                updatePopulation(info, trial);
                if (keepsConstraints(info, plan, trial, r)) best = std::max(best, goalValue(info, trial, g));
            }
            std::size_t f = 0;
            while (f < fields.size() && ++pick[f] == fields[f].second.size()) pick[f++] = 0;
            if (f == fields.size()) break;
        }
        return best;
    }

    Info info = smallCatalog();
    ActPlan plan;
    ProgramState state;
    RecordingView view;
    Planner planner{info, plan, state, view};
};

TEST_F(SmallSuggestTest, TheProposalIsTheBestColonyThereIs) {
    for (SuggestGoal g : {SuggestGoal{GoalKind::Production, resResearch}, SuggestGoal{GoalKind::Attractiveness, 0},
                          SuggestGoal{GoalKind::Production, resSupply}}) {
        SuggestRequest r;
        r.goal = g;
        const SuggestResult result = suggest(info, plan, r);
        EXPECT_EQ(result.stop, SuggestStop::Proven) << cp1252ToUtf8(result.message);
        EXPECT_EQ(result.value, bestByTrying(g)) << int(g.kind) << " " << g.resource;
        EXPECT_GT(result.value, result.startValue);
    }
}

}  // namespace
