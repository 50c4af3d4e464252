#include "core/planner/plan_comparison.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <optional>

#include "core/planner/planner.h"

namespace dz {

namespace {

constexpr const char* kMissing = "\x96";  // "–" in Windows-1252

// The panels' contents, caught as the planner shows them.
class FigureView : public NullPlanView {
public:
    PopulationResult population;
    std::vector<GridRow> production, costs;
    int bsp = 0;

    void showProduction(const std::vector<GridRow>& rows) override { production = rows; }
    void showPopulation(const PopulationResult& result) override { population = result; }
    void showCosts(const std::vector<GridRow>& rows) override { costs = rows; }
    void showBsp(int value) override { bsp = value; }
};

// A value split into its numbers and the text between them: "+64+0(+0)" is
// the numbers +64, +0, +0 in the form "#(#)" with the signs kept apart.
struct Number {
    double value = 0;
    int decimals = 0;
    bool plusSign = false;
};
struct Split {
    std::vector<Number> numbers;
    std::string form;  // '#' for each number
};

std::optional<Split> split(const std::string& text) {
    Split result;
    for (std::size_t i = 0; i < text.size();) {
        const char c = text[i];
        const bool signStart = (c == '+' || c == '-') && i + 1 < text.size() && std::isdigit((unsigned char)text[i + 1]);
        if (!signStart && !std::isdigit((unsigned char)c)) {
            result.form += c;
            ++i;
            continue;
        }
        Number n;
        n.plusSign = c == '+';
        const bool negative = c == '-';
        if (signStart) ++i;
        double whole = 0;
        while (i < text.size() && std::isdigit((unsigned char)text[i])) whole = whole * 10 + (text[i++] - '0');
        if (i + 1 < text.size() && (text[i] == '.' || text[i] == ',') && std::isdigit((unsigned char)text[i + 1])) {
            ++i;
            double scale = 0.1;
            while (i < text.size() && std::isdigit((unsigned char)text[i])) {
                whole += (text[i++] - '0') * scale;
                scale /= 10;
                ++n.decimals;
            }
        }
        n.value = negative ? -whole : whole;
        result.numbers.push_back(n);
        result.form += '#';
    }
    if (result.numbers.empty()) return std::nullopt;
    return result;
}

std::string formatted(double value, int decimals, bool withSign, char separator) {
    char text[64];
    std::snprintf(text, sizeof text, withSign ? "%+.*f" : "%.*f", decimals, value);
    std::string out = text;
    std::replace(out.begin(), out.end(), '.', separator);
    return out;
}

char separatorOf(const std::string& a, const std::string& b) {
    return (a.find(',') != std::string::npos || b.find(',') != std::string::npos) ? ',' : '.';
}

}  // namespace

std::string valueDifference(const std::string& a, const std::string& b, int& sign) {
    sign = 0;
    const std::optional<Split> x = split(a), y = split(b);
    if (!x || !y || x->form != y->form || x->numbers.size() != y->numbers.size()) return kMissing;
    std::string out;
    std::size_t n = 0;
    for (char c : x->form) {
        if (c != '#') {
            out += c;
            continue;
        }
        const int decimals = std::max(x->numbers[n].decimals, y->numbers[n].decimals);
        const double scale = std::pow(10.0, decimals);
        const double d = (std::llround(x->numbers[n].value * scale) - std::llround(y->numbers[n].value * scale)) / scale;
        if (n == 0) sign = d > 0 ? 1 : (d < 0 ? -1 : 0);
        // A lone number has a sign unless it is 0; in a form of several every number has one.
        const bool several = x->numbers.size() > 1;
        // The difference of whole tenths (or units) is an exact 0 where they are equal, never -0.
        out += formatted(d, decimals, d != 0 || several, separatorOf(a, b));
        ++n;
    }
    return out;
}

PlanFigures planFigures(Info& info, const LoadedPlan& loaded) {
    PlanFigures figures;
    ProgramState state;
    FigureView view;
    Planner planner(info, figures.plan, state, view);
    planner.loadPlan(loaded);
    const Indicators& ind = view.population.indicators;
    figures.sections = {
        {"Produktion / Verbrauch je Tick", view.production},
        {"Personal", view.population.rows},
        {"Gesamtaufbaukosten", view.costs},
        {"Informationen",
         {{"Attraktivit\xe4t", ind.attractiveness},
          {"Ansehenszuwachs", ind.reputationGrowth},
          {"verf\xfcgbare BSP", std::to_string(view.bsp)}}},
    };
    return figures;
}

PlanComparison comparePlans(const PlanFigures& thisPlan, const PlanFigures& otherPlan) {
    PlanComparison result;
    for (std::size_t s = 0; s < thisPlan.sections.size(); ++s) {
        const auto& mine = thisPlan.sections[s].rows;
        const auto& theirs = s < otherPlan.sections.size() ? otherPlan.sections[s].rows : std::vector<GridRow>{};
        ComparedSection section{thisPlan.sections[s].title, {}};
        const auto find = [](const std::vector<GridRow>& rows, const std::string& label) -> const GridRow* {
            for (const GridRow& row : rows)
                if (row.label == label) return &row;
            return nullptr;
        };
        auto add = [&](const std::string& label) {
            const GridRow* a = find(mine, label);
            const GridRow* b = find(theirs, label);
            ComparedRow row{label, a ? a->value : kMissing, b ? b->value : kMissing, kMissing, 0};
            if (a && b && a->value.empty() && b->value.empty()) row.difference.clear();  // a gap between rows
            else if (a && b) row.difference = valueDifference(a->value, b->value, row.sign);
            section.rows.push_back(row);
        };
        for (const GridRow& row : mine) add(row.label);
        for (const GridRow& row : theirs)
            if (!find(mine, row.label)) add(row.label);
        result.sections.push_back(section);
    }
    const auto compareGrids = [&](const FieldGrid& mine, const FieldGrid& theirs, bool surface) {
        const std::size_t width = std::max(mine.size(), theirs.size());
        for (std::size_t x = 0; x < width; ++x) {
            const std::size_t heightA = x < mine.size() ? mine[x].size() : 0;
            const std::size_t heightB = x < theirs.size() ? theirs[x].size() : 0;
            for (std::size_t y = 0; y < std::max(heightA, heightB); ++y) {
                bool differs = y >= heightA || y >= heightB;
                if (!differs) {
                    const Field& a = mine[x][y];
                    const Field& b = theirs[x][y];
                    differs = a.fieldType != b.fieldType || a.building != b.building || a.inOperation != b.inOperation;
                }
                if (!differs) continue;
                ++result.differingFieldCount;
                if (y < heightA) result.differingFields.push_back({int(x), int(y), surface});
            }
        }
    };
    compareGrids(thisPlan.plan.current.surface, otherPlan.plan.current.surface, true);
    compareGrids(thisPlan.plan.current.orbit, otherPlan.plan.current.orbit, false);
    return result;
}

}  // namespace dz
