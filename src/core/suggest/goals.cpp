#include "core/suggest/goals.h"

#include <algorithm>

#include "core/economy/economy.h"
#include "core/text/cp1252.h"

namespace dz {

namespace {

std::string text(const char* utf8) { return utf8ToCp1252(utf8); }

std::string lowerAscii(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return s;
}

bool tenths(SuggestGoal goal) { return goal.kind == GoalKind::Production && goal.resource == resResearch; }

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

}  // namespace dz
