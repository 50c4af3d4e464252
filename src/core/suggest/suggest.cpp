#include "core/suggest/suggest.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <stdexcept>

#include "core/economy/economy.h"
#include "core/suggest/model.h"
#include "core/suggest/place.h"
#include "core/suggest/solver.h"
#include "core/text/cp1252.h"

namespace dz {

namespace {

// How often a rebuild whose best colony cannot be ordered is solved again
// with room for the persons that were lacking, before the houses are kept.
constexpr int kRoomAttempts = 3;

std::string text(const char* utf8) { return utf8ToCp1252(utf8); }

bool validGoal(SuggestGoal goal) {
    return goal.kind != GoalKind::Production || (goal.resource >= 0 && goal.resource < kResourceCount);
}

void checkRequest(const ActPlan& plan, const SuggestRequest& request) {
    if (plan.planetType < 0 || plan.planetType >= kPlanetCount || plan.width() == 0)
        throw std::invalid_argument(text("Für einen Vorschlag fehlt ein Plan."));
    if (!validGoal(request.goal) || (request.thenGoal && !validGoal(*request.thenGoal)))
        throw std::invalid_argument(text("Dieses Ziel gibt es nicht."));
    for (const GoalMinimum& m : request.minimums)
        if (!validGoal(m.goal)) throw std::invalid_argument(text("Diesen Mindestwert gibt es nicht."));
    if (request.costCap && (request.costCap->resource < 0 || request.costCap->resource >= kResourceCount))
        throw std::invalid_argument(text("Die Kostengrenze nennt keinen Rohstoff."));
    for (const FieldPosition& lock : request.locks)
        if (!plan.contains(lock.x, lock.y, lock.onSurface))
            throw std::invalid_argument(text("Ein gesperrtes Feld liegt außerhalb des Plans."));
}

long long capCost(const ActPlan& plan, const CostCap& cap) {
    return static_cast<long long>(plan.ressources.buildingCosts[std::size_t(cap.resource)]) +
           plan.ressources.terraformCosts[std::size_t(cap.resource)];
}

}  // namespace

bool keepsConstraints(const Info& info, const ActPlan& start, const ActPlan& proposal, const SuggestRequest& request) {
    const ProductionTotals before = productionTotals(info, start);
    const ProductionTotals after = productionTotals(info, proposal);
    for (int r = 0; r < kResourceCount; ++r)
        if (after.perTick[std::size_t(r)] < std::min(0LL, before.perTick[std::size_t(r)])) return false;
    for (const GoalMinimum& m : request.minimums)
        if (goalValue(info, proposal, m.goal) < m.value) return false;
    const Ressources& a = start.ressources;
    const Ressources& b = proposal.ressources;
    if (b.ecoGuards != a.ecoGuards || b.holodeckOperators != a.holodeckOperators || b.scientists != a.scientists ||
        b.soldiers != a.soldiers)
        return false;
    if (unemployed(b) < std::min(0LL, unemployed(a))) return false;
    if (request.costCap && capCost(proposal, *request.costCap) > std::max(request.costCap->limit, capCost(start, *request.costCap)))
        return false;
    // A locked field keeps its type, building and state; the range of an
    // area building built nearby may still reach it.
    const auto standsAsItWas = [&](const FieldPosition& at) {
        const Field& was = start.fieldAt(at.x, at.y, at.onSurface);
        const Field& is = proposal.fieldAt(at.x, at.y, at.onSurface);
        return was.fieldType == is.fieldType && was.building == is.building && was.inOperation == is.inOperation;
    };
    for (const FieldPosition& lock : request.locks)
        if (!start.contains(lock.x, lock.y, lock.onSurface) || !proposal.contains(lock.x, lock.y, lock.onSurface) ||
            !standsAsItWas(lock))
            return false;
    return true;
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

std::vector<PreviewRow> previewRows(const Info& info, const ActPlan& plan, const std::vector<SuggestChoice>& choices,
                                    char decimalSeparator) {
    Info ownInfo = info;
    ActPlan before = plan;
    updatePopulation(ownInfo, before);
    ActPlan after = before;
    ProgramState state;
    NullPlanView view;
    Planner planner(ownInfo, after, state, view);
    applyChoices(planner, choices);

    struct Panels {
        std::vector<GridRow> rows;
    };
    auto panels = [&](ActPlan& p) {
        std::vector<GridRow> rows = computeProduction(ownInfo, p, decimalSeparator);
        for (GridRow& row : computePopulation(ownInfo, p, 0, decimalSeparator).rows) rows.push_back(std::move(row));
        for (GridRow& row : computeCosts(ownInfo, p, CostView::All)) {
            row.label = text("Baukosten ") + row.label;
            rows.push_back(std::move(row));
        }
        rows.push_back({text("Attraktivität"), std::to_string(p.attractiveness)});
        rows.push_back({text("verfügbare BSP"), std::to_string(availableBsp(ownInfo, p))});
        return rows;
    };
    const std::vector<GridRow> a = panels(before);
    const std::vector<GridRow> b = panels(after);
    std::vector<PreviewRow> changed;
    // The population panel has fewer rows while workers are missing: rows
    // are matched by label.
    for (const GridRow& row : b) {
        if (row.label.empty()) continue;
        const auto old = std::find_if(a.begin(), a.end(), [&](const GridRow& r) { return r.label == row.label; });
        const std::string was = old == a.end() ? "" : old->value;
        if (was != row.value) changed.push_back({row.label, was, row.value});
    }
    for (const GridRow& row : a) {
        if (row.label.empty()) continue;
        if (std::none_of(b.begin(), b.end(), [&](const GridRow& r) { return r.label == row.label; }))
            changed.push_back({row.label, row.value, ""});
    }
    return changed;
}

namespace {

using suggest_model::Expression;
using suggest_model::Model;
using suggest_solver::Outcome;
using suggest_solver::Solution;

double valueOf(const Expression& e, const std::vector<double>& values) {
    double sum = e.constant;
    for (const auto& [c, v] : e.terms) sum += v * values[std::size_t(c)];
    return sum;
}

long long rounded(double v) { return std::llround(v); }

SuggestStop stopOf(Outcome o) {
    switch (o) {
        case Outcome::Optimal:
            return SuggestStop::Proven;
        case Outcome::NodeLimit:
            return SuggestStop::NodeLimit;
        case Outcome::TimeLimit:
            return SuggestStop::TimeLimit;
        case Outcome::Cancelled:
            return SuggestStop::Cancelled;
        case Outcome::Infeasible:
            break;
    }
    return SuggestStop::Infeasible;
}

// The worse of two stops of the two stages of a request with a second goal.
SuggestStop worse(SuggestStop a, SuggestStop b) { return int(a) > int(b) ? a : b; }

}  // namespace

SuggestResult suggest(const Info& info, const ActPlan& plan, const SuggestRequest& request,
                      const std::function<void(const SuggestProgress&)>& progress, const std::atomic<bool>* cancel) {
    checkRequest(plan, request);
    const auto begin = std::chrono::steady_clock::now();
    Info ownInfo = info;
    ActPlan start = plan;
    updatePopulation(ownInfo, start);
    SuggestResult result;
    result.startValue = result.value = result.bound = goalValue(ownInfo, start, request.goal);
    if (request.thenGoal) result.thenStartValue = result.thenValue = goalValue(ownInfo, start, *request.thenGoal);

    Model model = suggest_model::buildModel(ownInfo, start, request);
    suggest_solver::Limits limits;
    limits.nodes = request.nodeLimit > 0 ? request.nodeLimit : kSuggestNodeLimit;
    limits.iterations = request.iterationLimit > 0 ? request.iterationLimit : kSuggestIterationLimit;
    limits.cancel = cancel;
    if (request.seconds > 0)
        limits.deadline = begin + std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                                      std::chrono::duration<double>(std::min(request.seconds, 7 * 24 * 3600.0)));

    // Among proposals equal in the goals, the one with the fewest actions:
    // their weight together stays below 0.2, so a gap of 0.5 still proves
    // the goal, whose values are whole numbers.
    const double weight = 0.2 / (model.mostActions + 1);
    const double slack = weight * model.mostActions;
    constexpr double gap = 0.5;
    const int stages = request.thenGoal ? 2 : 1;
    auto reporter = [&](int stage) -> suggest_solver::Progress {
        if (!progress) return {};
        return [&, stage](std::optional<double> best, double bound, double used) {
            SuggestProgress p;
            p.done = (double(stage) + used) / stages * 0.95;
            if (stage == 0) {
                if (best) p.bestValue = rounded(*best);
                p.bound = std::llround(std::floor(bound + (stages == 1 ? slack : 0) + 1e-6));
            } else {
                p.bestValue = result.value;
                p.bound = result.bound;
            }
            progress(p);
        };
    };

    Expression first = model.goal(request.goal);
    if (stages == 1) first.add(model.actions, -weight);
    Solution solution = suggest_solver::maximise(model.program, first, gap, limits, nullptr, reporter(0));
    result.stop = stopOf(solution.outcome);
    if (solution.found) {
        result.value = rounded(valueOf(model.goal(request.goal), solution.values));
        result.bound = std::max(result.value, std::llround(std::floor(solution.bound + (stages == 1 ? slack : 0) + 1e-6)));
    }
    if (result.stop == SuggestStop::Proven) result.bound = result.value;
    if (result.stop == SuggestStop::Cancelled) return result;
    if (result.stop == SuggestStop::Infeasible) {
        result.value = result.bound = result.startValue;
        result.message = text("Kein Vorschlag: keine Kolonie erreicht alle Mindestwerte unter diesen Bedingungen.");
        return result;
    }
    if (!solution.found) {
        result.value = result.startValue;
        // The bound holds even when the search found no colony in its limit.
        result.bound = std::max(result.startValue, std::llround(std::floor(solution.bound + (stages == 1 ? slack : 0) + 1e-6)));
        result.message = text("Kein Vorschlag: die Suche hat in ihrer Grenze keine Kolonie gefunden.");
        return result;
    }

    if (stages == 2) {
        // The second goal among the colonies that reach the first goal's value.
        suggest_model::Program second = model.program;
        second.addRow(model.goal(request.goal), double(result.value), suggest_model::kInfinity);
        Expression then = model.goal(*request.thenGoal);
        then.add(model.actions, -weight);
        const Solution more = suggest_solver::maximise(second, then, gap, limits, &solution.values, reporter(1));
        if (more.outcome == Outcome::Cancelled) {
            result.stop = SuggestStop::Cancelled;
            return result;
        }
        if (more.found) {
            solution = more;
            result.stop = worse(result.stop, stopOf(more.outcome));
        } else {
            result.stop = worse(result.stop, more.outcome == Outcome::TimeLimit ? SuggestStop::TimeLimit : SuggestStop::NodeLimit);
        }
    }

    long long lacking = 0;
    std::optional<suggest_place::Placed> placed =
        suggest_place::placeAndOrder(ownInfo, start, model, solution.values, &lacking);
    if (!placed && request.rebuild) {
        // The best colony has no order of field-menu choices that keeps the
        // personnel: a building that ends switched off binds its workers for
        // a moment as it goes up, where a house went before. The best colony
        // that leaves the persons free that were lacking, a few times, and
        // last the best one that keeps the houses in operation. None is
        // proven best any more; the bound says how far it may be.
        bool cancelled = false;
        std::vector<double> values = solution.values;
        // Solves `candidate`; when its best colony can be ordered, it becomes
        // the proposal. False when the solver found no colony.
        auto solveAgain = [&](const Model& candidate) {
            Expression goal = candidate.goal(request.goal);
            goal.add(candidate.actions, -weight);
            const Solution found =
                suggest_solver::maximise(candidate.program, goal, gap, limits, nullptr, reporter(stages - 1));
            cancelled = found.outcome == Outcome::Cancelled;
            if (cancelled || !found.found) return false;
            values = found.values;
            lacking = 0;
            placed = suggest_place::placeAndOrder(ownInfo, start, candidate, found.values, &lacking);
            if (placed) {
                model = candidate;
                solution = found;
                result.stop = worse(result.stop, found.outcome == Outcome::TimeLimit ? SuggestStop::TimeLimit
                                                                                     : SuggestStop::NodeLimit);
            }
            return true;
        };
        Model roomy = model;
        for (int attempt = 0; attempt < kRoomAttempts && !placed && !cancelled && lacking > 0; ++attempt) {
            roomy.program.addRow(roomy.unemployed, valueOf(roomy.unemployed, values) + double(lacking),
                                 suggest_model::kInfinity);
            if (!solveAgain(roomy)) break;
        }
        if (!placed && !cancelled) solveAgain(suggest_model::buildModel(ownInfo, start, request, true));
        if (cancelled) {
            result.stop = SuggestStop::Cancelled;
            return result;
        }
    }
    const long long promised = rounded(valueOf(model.goal(request.goal), solution.values));
    auto failed = [&](const char* why) {
        result.stop = SuggestStop::Failed;
        result.value = result.startValue;
        result.thenValue = result.thenStartValue;
        result.message = text(why);
        return result;
    };
    if (!placed)
        return failed("Kein Vorschlag: die beste Kolonie lässt sich nicht über das Feldmenü bauen, ohne Personal zu entlassen.");

    // The proof of the pudding: carried out through the field menu and
    // measured with the ordinary economy, the proposal must reach exactly
    // what the solver promised and keep every constraint.
    ActPlan after = start;
    ProgramState state;
    NullPlanView view;
    Planner planner(ownInfo, after, state, view);
    if (applyChoices(planner, placed->choices) != placed->choices.size())
        return failed("Kein Vorschlag: ein Schritt des Vorschlags steht nicht im Feldmenü.");
    updatePopulation(ownInfo, after);
    if (goalValue(ownInfo, after, request.goal) != promised || !keepsConstraints(ownInfo, start, after, request) ||
        (request.thenGoal && goalValue(ownInfo, after, *request.thenGoal) !=
                                 rounded(valueOf(model.goal(*request.thenGoal), solution.values))))
        return failed("Kein Vorschlag: die gebaute Kolonie erreicht nicht den berechneten Wert.");

    result.choices = placed->choices;
    result.work = placed->work;
    result.value = promised;
    if (request.thenGoal) result.thenValue = goalValue(ownInfo, after, *request.thenGoal);
    if (progress) {
        SuggestProgress p;
        p.done = 1.0;
        p.bestValue = result.value;
        p.bound = result.bound;
        progress(p);
    }
    return result;
}

}  // namespace dz
