#include "core/suggest/suggest.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "core/economy/economy.h"
#include "core/text/cp1252.h"
#include "core/text/text_file.h"

namespace dz {

namespace {

std::string text(const char* utf8) { return utf8ToCp1252(utf8); }

std::string lowerAscii(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return s;
}

bool validGoal(SuggestGoal goal) {
    return goal.kind != GoalKind::Production || (goal.resource >= 0 && goal.resource < kResourceCount);
}

bool tenths(SuggestGoal goal) { return goal.kind == GoalKind::Production && goal.resource == resResearch; }

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

long long hiredCount(const Ressources& r) {
    return static_cast<long long>(r.ecoGuards) + r.holodeckOperators + r.scientists + r.soldiers;
}

long long capCost(const ActPlan& plan, const CostCap& cap) {
    return static_cast<long long>(plan.ressources.buildingCosts[std::size_t(cap.resource)]) +
           plan.ressources.terraformCosts[std::size_t(cap.resource)];
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

std::string goalName(const Info& info, SuggestGoal goal) {
    for (const NamedGoal& g : suggestGoals(info))
        if (g.goal == goal) return g.name;
    return {};
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
    if (tenths(goal)) return formatTenths(value, decimalSeparator);
    return std::to_string(value);
}

std::optional<long long> parseGoalValue(SuggestGoal goal, const std::string& typed) {
    std::string s = typed;
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.pop_back();
    s.erase(0, std::min(s.size(), s.find_first_not_of(" \t")));
    bool negative = false;
    if (!s.empty() && (s[0] == '-' || s[0] == '+')) {
        negative = s[0] == '-';
        s.erase(0, 1);
    }
    std::string whole = s, fraction;
    if (const std::size_t point = s.find_first_of(".,"); point != std::string::npos) {
        whole = s.substr(0, point);
        fraction = s.substr(point + 1);
        if (!tenths(goal) || fraction.size() != 1) return std::nullopt;
    }
    if (whole.empty() || whole.size() > 12) return std::nullopt;
    for (const char c : whole + fraction)
        if (c < '0' || c > '9') return std::nullopt;
    long long value = std::stoll(whole);
    if (tenths(goal)) value = value * 10 + (fraction.empty() ? 0 : fraction[0] - '0');
    return negative ? -value : value;
}

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
    for (const FieldPosition& lock : request.locks)
        if (!start.contains(lock.x, lock.y, lock.onSurface) || !proposal.contains(lock.x, lock.y, lock.onSurface) ||
            start.fieldAt(lock.x, lock.y, lock.onSurface) != proposal.fieldAt(lock.x, lock.y, lock.onSurface))
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

SuggestResult suggest(const Info& info, const ActPlan& plan, const SuggestRequest& request,
                      const std::function<void(const SuggestProgress&)>& progress, const std::atomic<bool>* cancel) {
    checkRequest(plan, request);
    (void)hiredCount;
    (void)progress;
    (void)cancel;
    Info ownInfo = info;
    ActPlan start = plan;
    updatePopulation(ownInfo, start);
    SuggestResult result;
    result.startValue = result.value = result.bound = goalValue(ownInfo, start, request.goal);
    result.stop = SuggestStop::Failed;
    result.message = text("Die Suche ist noch nicht fertig.");
    return result;
}

}  // namespace dz
