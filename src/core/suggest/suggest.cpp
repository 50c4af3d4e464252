#include "core/suggest/suggest.h"

#include <algorithm>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <stdexcept>
#include <thread>

#include "core/economy/economy.h"
#include "core/suggest/search.h"
#include "core/text/cp1252.h"

namespace dz {

using suggest_search::ChainControl;
using suggest_search::ChainOutcome;
using suggest_search::ChainProgress;
using suggest_search::Constraints;
using suggest_search::Problem;
using suggest_search::Slot;

namespace {

std::string text(const char* utf8) { return utf8ToCp1252(utf8); }

std::string lowerAscii(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return s;
}

long long hiredPersonnel(const Ressources& r) {
    return static_cast<long long>(r.ecoGuards) + r.holodeckOperators + r.scientists + r.soldiers;
}

// The seed of chain c: the request's seed mixed with the chain's number.
std::uint64_t chainSeed(std::uint64_t seed, int c) {
    std::uint64_t z = seed + 0x9E3779B97F4A7C15ULL * std::uint64_t(c + 1);
    z = (z ^ (z >> 33)) * 0xFF51AFD7ED558CCDULL;
    return z ^ (z >> 33);
}

struct Step {
    std::size_t slot;
    std::vector<int> tags;  // the terraformings, then the building
    std::size_t done = 0;
};

// Carries out the options of the chosen slots through the field menu of a
// planner on `plan` and returns the choices in the order they were made.
// Prerequisites (a base, the workbee port, the Orbitalseil) come in a later
// pass when a field's choice is not offered yet. Buildings that add living
// space go first, and a building that would make the planner dismiss hired
// personnel waits while anything else can be done, so that the player's
// personnel stays.
std::vector<SuggestChoice> carryOut(Info& info, ActPlan& plan, const Problem& problem, const std::vector<int>& choice) {
    std::vector<Step> steps;
    for (std::size_t s = 0; s < choice.size(); ++s) {
        if (choice[s] < 0) continue;
        const auto& option = problem.options(problem.slots()[s].startType)[std::size_t(choice[s])];
        Step step{s, {}, 0};
        for (const int t : problem.chain(option.chain)) step.tags.push_back(tagTerraformBase + t);
        step.tags.push_back(tagBuildBase + option.building);
        steps.push_back(std::move(step));
    }
    auto livingSpaceFirst = [&](const Step& a, const Step& b) {
        auto net = [&](const Step& st) {
            const InfoBuilding& building = info.buildings.at(std::size_t(st.tags.back() - tagBuildBase));
            return static_cast<long long>(building.housing) - building.workers;
        };
        return net(a) > net(b);
    };
    std::stable_sort(steps.begin(), steps.end(), livingSpaceFirst);

    ProgramState state;
    NullPlanView view;
    Planner planner(info, plan, state, view);
    std::vector<SuggestChoice> made;
    bool dismissalAllowed = false;
    while (!steps.empty()) {
        bool progress = false;
        for (Step& step : steps) {
            const Slot& slot = problem.slots()[step.slot];
            while (step.done < step.tags.size()) {
                const int tag = step.tags[step.done];
                plan.selected = FieldSelection{slot.x, slot.y, slot.onSurface};
                const std::vector<int> offered = menuTags(planner.buildFieldMenu());
                if (std::find(offered.begin(), offered.end(), tag) == offered.end()) break;
                if (!dismissalAllowed && hiredPersonnel(plan.ressources) > 0 && tag >= tagBuildBase &&
                    tag < tagBuildBase + kBuildingCount) {
                    ActPlan trial = plan;
                    ProgramState trialState;
                    Planner trialPlanner(info, trial, trialState, view);
                    trialPlanner.chooseMenuEntry(tag);
                    if (hiredPersonnel(trial.ressources) < hiredPersonnel(plan.ressources)) break;
                }
                planner.chooseMenuEntry(tag);
                made.push_back({slot.x, slot.y, slot.onSurface, tag});
                ++step.done;
                progress = true;
            }
        }
        steps.erase(std::remove_if(steps.begin(), steps.end(), [](const Step& st) { return st.done == st.tags.size(); }),
                    steps.end());
        if (progress) {
            dismissalAllowed = false;
        } else {
            if (dismissalAllowed) break;  // nothing more can be done: what is left stays out
            dismissalAllowed = true;      // one building at a time, and then waiting again
        }
    }
    return made;
}

}  // namespace

std::vector<NamedGoal> suggestGoals(const Info& info) {
    std::vector<NamedGoal> goals;
    for (int r = 0; r < kResourceCount; ++r) goals.push_back({info.resourceTypes[std::size_t(r)].name, {GoalKind::Production, r}});
    goals.push_back({text("Lagerraum"), {GoalKind::Storage, 0}});
    goals.push_back({text("EPS"), {GoalKind::Eps, 0}});
    goals.push_back({text("verfügbare BSP"), {GoalKind::Bsp, 0}});
    goals.push_back({text("Attraktivität"), {GoalKind::Attractiveness, 0}});
    return goals;
}

std::optional<SuggestGoal> goalByName(const Info& info, const std::string& name) {
    const std::string wanted = lowerAscii(name);
    for (const NamedGoal& g : suggestGoals(info))
        if (lowerAscii(g.name) == wanted) return g.goal;
    return std::nullopt;
}

long long goalValue(const Info& info, const ActPlan& plan, SuggestGoal goal) {
    switch (goal.kind) {
        case GoalKind::Production:
            return productionTotals(info, plan).perTick.at(std::size_t(goal.resource));
        case GoalKind::Storage:
            return productionTotals(info, plan).storage;
        case GoalKind::Eps:
            return productionTotals(info, plan).eps;
        case GoalKind::Bsp:
            return availableBsp(info, plan);
        case GoalKind::Attractiveness:
            return plan.attractiveness;
    }
    return 0;
}

std::string goalValueText(SuggestGoal goal, long long value, char decimalSeparator) {
    if (goal.kind == GoalKind::Production && goal.resource == resResearch) return formatTenths(value, decimalSeparator);
    return std::to_string(value);
}

long long suggestIterations(const ActPlan& plan) {
    long long empty = 0;
    for (const FieldGrid* grid : {&plan.current.surface, &plan.current.orbit})
        for (const auto& column : *grid)
            for (const Field& f : column) empty += !f.built;
    return std::max(500000LL, 6000 * empty);
}

bool keepsConstraints(const Info& info, const ActPlan& start, const ActPlan& proposal, const std::optional<CostCap>& cap) {
    const Constraints constraints(info, start, cap);
    Ressources hired = proposal.ressources;
    constraints.hireAsStart(hired);
    return constraints.shortfall(productionTotals(info, proposal), unemployed(hired), constraints.capCost(proposal.ressources)).missed == 0;
}

std::size_t applyChoices(Planner& planner, const std::vector<SuggestChoice>& choices) {
    std::size_t done = 0;
    for (const SuggestChoice& c : choices) {
        if (!planner.plan().contains(c.x, c.y, c.onSurface)) break;
        planner.plan().selected = FieldSelection{c.x, c.y, c.onSurface};
        const std::vector<int> offered = menuTags(planner.buildFieldMenu());
        if (std::find(offered.begin(), offered.end(), c.tag) == offered.end()) break;
        planner.chooseMenuEntry(c.tag);
        ++done;
    }
    return done;
}

SuggestResult suggest(const Info& info, const ActPlan& plan, const SuggestRequest& request,
                      const std::function<void(const SuggestProgress&)>& progress, const std::atomic<bool>* cancel) {
    if (plan.planetType < 0 || plan.planetType >= kPlanetCount || plan.width() == 0)
        throw std::invalid_argument(text("Für einen Vorschlag fehlt ein Plan."));
    if (request.goal.kind == GoalKind::Production && (request.goal.resource < 0 || request.goal.resource >= kResourceCount))
        throw std::invalid_argument(text("Dieses Ziel gibt es nicht."));
    if (request.costCap && (request.costCap->resource < 0 || request.costCap->resource >= kResourceCount))
        throw std::invalid_argument(text("Die Kostengrenze nennt keinen Rohstoff."));
    if (request.chains < 1 || request.chains > kMaxSuggestChains)
        throw std::invalid_argument(text("Ein Vorschlag braucht eine bis ") + std::to_string(kMaxSuggestChains) +
                                    text(" Suchen."));

    const auto begin = std::chrono::steady_clock::now();
    Info ownInfo = info;
    ActPlan start = plan;
    updatePopulation(ownInfo, start);
    SuggestResult result;
    result.startValue = result.value = goalValue(ownInfo, start, request.goal);

    const Problem problem(ownInfo, start, request);
    const long long iterations = request.iterations > 0 ? request.iterations : suggestIterations(start);
    const std::size_t chains = std::size_t(request.chains);
    ChainControl control;
    control.cancel = cancel;
    // Within what the clock can count: a budget of more than a week is a week.
    const double seconds = request.seconds > 0 ? std::min(request.seconds, 7 * 24 * 3600.0) : 0.0;
    control.deadline = begin + std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                                   std::chrono::duration<double>(seconds));
    std::vector<ChainProgress> published(chains);
    std::vector<ChainOutcome> outcomes(chains);
    std::vector<std::exception_ptr> failures(chains);
    std::mutex mutex;
    std::condition_variable finished;
    std::size_t running = chains;

    std::vector<std::thread> threads;
    try {
        for (std::size_t c = 0; c < chains; ++c)
            threads.emplace_back([&, c] {
                try {
                    outcomes[c] = suggest_search::runChain(problem, chainSeed(request.seed, int(c)), iterations,
                                                            control, published[c]);
                } catch (...) {
                    failures[c] = std::current_exception();
                }
                const std::lock_guard<std::mutex> lock(mutex);
                --running;
                finished.notify_all();
            });
    } catch (...) {
        // No thread for a chain: the ones that run stop, and the failure goes on.
        control.stop.store(true);
        for (std::thread& t : threads) t.join();
        throw;
    }

    // Progress from this thread only, about ten times a second.
    auto report = [&] {
        if (!progress) return;
        SuggestProgress p;
        double done = 0;
        for (const ChainProgress& cp : published) {
            done += cp.share.load();
            if (cp.found.load()) p.bestValue = std::max(p.bestValue.value_or(cp.bestValue.load()), cp.bestValue.load());
        }
        p.done = std::min(1.0, done / double(chains));
        progress(p);
    };
    std::exception_ptr progressFailure;
    {
        std::unique_lock<std::mutex> lock(mutex);
        while (running > 0) {
            finished.wait_for(lock, std::chrono::milliseconds(100));
            if (running == 0 || progressFailure || (cancel && cancel->load())) continue;
            lock.unlock();
            try {
                report();
            } catch (...) {
                progressFailure = std::current_exception();
                control.stop.store(true);
            }
            lock.lock();
        }
    }
    for (std::thread& t : threads) t.join();
    if (progressFailure) std::rethrow_exception(progressFailure);
    for (const std::exception_ptr& failure : failures)
        if (failure) std::rethrow_exception(failure);

    if (cancel && cancel->load()) {
        result.stop = SuggestStop::Cancelled;
        return result;
    }
    result.stop = control.timeUp.load() ? SuggestStop::TimeLimit : SuggestStop::Finished;

    // The best chain: the highest goal, then the fewest buildings, then the lowest number.
    std::size_t best = 0;
    for (std::size_t c = 1; c < chains; ++c) {
        const ChainOutcome& a = outcomes[c];
        const ChainOutcome& b = outcomes[best];
        if (a.best.goal > b.best.goal || (a.best.goal == b.best.goal && a.buildings < b.buildings)) best = c;
    }
    ActPlan proposal = start;
    result.choices = carryOut(ownInfo, proposal, problem, outcomes[best].choice);
    result.value = goalValue(ownInfo, proposal, request.goal);
    if (progress) {
        SuggestProgress p;
        p.done = 1.0;
        p.bestValue = result.value;
        progress(p);
    }
    return result;
}

}  // namespace dz
