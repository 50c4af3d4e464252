#include "core/economy/economy.h"

#include <algorithm>
#include <cstdlib>

#include "core/text/cp1252.h"
#include "core/text/text_file.h"

namespace dz {

namespace {

// The building standing on a field, or nothing.
const InfoBuilding* buildingOn(const Info& info, const Field& field) {
    if (field.building < 0 || field.building >= kBuildingCount) return nullptr;
    return &info.buildings[std::size_t(field.building)];
}

// Walks the plan as every computation does: per column the surface fields,
// then the orbit fields of that column.
template <typename Visit>
void walkPlan(const ActPlan& plan, Visit visit) {
    for (std::size_t x = 0; x < plan.current.surface.size(); ++x) {
        for (const Field& f : plan.current.surface[x]) visit(f, true);
        if (x < plan.current.orbit.size())
            for (const Field& f : plan.current.orbit[x]) visit(f, false);
    }
}

std::string text(const char* utf8) { return utf8ToCp1252(utf8); }

std::string number(long long value) { return std::to_string(value); }

std::int32_t clampToInt32(long long value) {
    return std::int32_t(std::clamp<long long>(value, INT32_MIN, INT32_MAX));
}

}  // namespace

std::string formatTenths(long long tenths, char decimalSeparator) {
    const bool negative = tenths < 0;
    const long long magnitude = std::llabs(tenths);
    std::string result = negative ? "-" : "";
    result += std::to_string(magnitude / 10);
    result += decimalSeparator;
    result += char('0' + magnitude % 10);
    return result;
}

std::string signedText(long long value) {
    std::string result = value >= 0 ? "+" : "";
    result += std::to_string(value);
    return result;
}

// --- production per tick ---------------------------------------------------

std::vector<GridRow> computeProduction(const Info& info, const ActPlan& plan, char decimalSeparator) {
    // Whole units for every resource; resource 8 is kept in tenths because
    // every scientist adds 0.1.
    std::array<long long, kResourceCount> tick{};
    long long storage = 0, eps = 0;
    int bonusCount = 0;
    bool bonus = false;
    walkPlan(plan, [&](const Field& f, bool onSurface) {
        const InfoBuilding* b = buildingOn(info, f);
        if (!b) return;
        storage += b->storage;
        eps += b->eps;
        if (!f.inOperation) return;
        if (onSurface && (f.building == bldHousingAnnex || f.building == bldHousingCore)) ++bonusCount;
        if (!onSurface && f.building == bldOrbitSupply) bonus = true;
        for (int r = 0; r < kResourceCount; ++r) tick[r] += b->production[r];
    });
    if (bonus) tick[resSupply] += bonusCount;
    // One unit of supply per five inhabitants, rounded up.
    const int inhabitants = plan.ressources.inhabitants;
    tick[resSupply] -= inhabitants / 5 + (inhabitants % 5 != 0 ? 1 : 0);

    std::vector<GridRow> rows;
    rows.push_back({text("Lagerraum"), number(storage)});
    rows.push_back({text("EPS"), number(eps)});
    rows.push_back({"", ""});
    for (int r = 0; r < kResourceCount; ++r) {
        const std::string value = r == resResearch
                                      ? formatTenths(tick[r] * 10 + plan.ressources.scientists, decimalSeparator)
                                      : number(tick[r]);
        rows.push_back({info.resourceTypes[r].name, value});
    }
    return rows;
}

// --- population and personnel ----------------------------------------------

long long unemployed(const Ressources& r) {
    // In 64 bits: counts read from a plan file may be anywhere in int32.
    return static_cast<long long>(r.inhabitants) - r.workersNeeded - r.ecoGuards - r.holodeckOperators - r.scientists -
           r.soldiers;
}

void clampPersonnel(ActPlan& plan) {
    Ressources& r = plan.ressources;
    r.ecoGuards = std::min(r.ecoGuards, 10 * plan.countBuildings(bldEco));
    r.scientists = std::min(r.scientists, 5 * plan.countBuildings(bldLabSmall) + 10 * plan.countBuildings(bldLabLarge) +
                                              10 * plan.countBuildings(bldLabOrbit));
    r.holodeckOperators =
        std::min(r.holodeckOperators, 4 * (plan.countBuildings(bldHolodeckA) + plan.countBuildings(bldHolodeckB)));
}

namespace {

// Takes `missing` persons away, kind by kind, and names the kind that covered the rest.
std::optional<std::string> dismiss(Ressources& r, long long missing) {
    struct Kind {
        int* count;
        const char* message;
    };
    const Kind order[] = {
        {&r.ecoGuards, " Umweltschützer entlassen"},
        {&r.scientists, " Wissenschaftler entlassen"},
        {&r.holodeckOperators, " Holodeckbetreiber entlassen"},
        {&r.soldiers, " Soldaten entlassen"},
    };
    for (const Kind& kind : order) {
        if (*kind.count >= missing) {
            *kind.count -= static_cast<int>(missing);
            return std::to_string(missing) + text(kind.message);
        }
        missing -= *kind.count;
        *kind.count = 0;
    }
    return std::nullopt;  // not enough personnel: the buildings lack workers
}

Indicators computeIndicators(const ActPlan& plan, int internalReputation) {
    const Ressources& r = plan.ressources;
    Indicators ind;
    const long long a = plan.attractiveness;
    const long long rep = internalReputation / 1000;
    const long long p = 10LL * r.soldiers + 5LL * r.holodeckOperators;
    ind.attractiveness = signedText(a) + signedText(rep) + "(" + signedText(p) + ")";
    if (rep + a + p < r.workersNeeded && plan.countBuildings(bldCredits600) == 0) {
        ind.attractivenessColour = LabelColour::Red;
        ind.attractivenessCaptionColour = LabelColour::Red;
    } else {
        ind.attractivenessColour = LabelColour::Green;
        ind.attractivenessCaptionColour = LabelColour::White;
    }
    return ind;
}

// Reputation growth per tick in tenths, never negative.
long long reputationTenths(const ActPlan& plan) {
    const Ressources& r = plan.ressources;
    const long long m = std::min<long long>(plan.attractiveness, r.inhabitants);
    long long g = (m / 10) * 10;
    g += 2LL * r.ecoGuards;
    g -= 20LL * r.soldiers;
    g += 10LL * plan.countBuildings(bldEco);
    g -= 200LL * plan.countBuildings(bldRepDrain);
    g -= 100LL * plan.countBuildings(bldCredits600);
    return std::max<long long>(g, 0);
}

}  // namespace

PopulationResult computePopulation(const Info& info, ActPlan& plan, int internalReputation, char decimalSeparator) {
    Ressources& r = plan.ressources;
    const int p = plan.planetType;
    // Summed in 64 bits and kept within int32: the values come from the data
    // files, which may hold any int32.
    long long livingSpace = 0, workersNeeded = 0;
    long long attractiveness = (p >= 0 && p < kPlanetCount) ? info.planets[std::size_t(p)].baseAttractiveness : 0;
    plan.reputationGrowth = 0.0f;

    walkPlan(plan, [&](const Field& f, bool onSurface) {
        if (onSurface && f.building == bldHousingCore) livingSpace += 4;
        const InfoBuilding* b = buildingOn(info, f);
        if (!b) return;
        if (f.built) attractiveness += b->attractiveness;
        if (f.inOperation) {
            // A housing core gives 4 while switched off and its housing while on.
            if (onSurface && f.building == bldHousingCore) livingSpace -= 4;
            livingSpace += b->housing;
            workersNeeded += b->workers;
        }
    });
    r.livingSpace = clampToInt32(livingSpace);
    r.workersNeeded = clampToInt32(workersNeeded);
    plan.attractiveness = clampToInt32(attractiveness);

    clampPersonnel(plan);
    r.inhabitants = r.limitEnabled ? std::min(r.populationLimit, r.livingSpace) : r.livingSpace;

    PopulationResult result;
    if (const long long free = unemployed(r); free < 0) result.status = dismiss(r, -free);

    const long long growth = reputationTenths(plan);
    plan.reputationGrowth = float(growth) / 10.0f;
    result.indicators = computeIndicators(plan, internalReputation);
    if (growth > 0) {
        result.indicators.reputationGrowth = std::string(1, '+').append(formatTenths(growth, decimalSeparator));
        result.indicators.reputationGrowthColour = LabelColour::Green;
    } else {
        result.indicators.reputationGrowth = formatTenths(0, decimalSeparator);
        result.indicators.reputationGrowthColour = LabelColour::Grey;
    }

    result.rows.push_back({text("verfügb. Wohnraum"), number(r.livingSpace)});
    result.rows.push_back({text("Arbeiter"), number(r.workersNeeded)});
    if (r.workersNeeded > r.inhabitants) {
        result.rows.push_back({text("Fehlende Arbeiter!"), number(static_cast<long long>(r.inhabitants) - r.workersNeeded)});
        result.buttonsEnabled = false;
    } else {
        result.rows.push_back({text("Arbeitslose"), number(unemployed(r))});
        result.rows.push_back({text("Ökos"), number(r.ecoGuards)});
        result.rows.push_back({text("Holodeckbetreiber"), number(r.holodeckOperators)});
        result.rows.push_back({text("Wissenschaftler"), number(r.scientists)});
        result.rows.push_back({text("Soldaten"), number(r.soldiers)});
        result.buttonsEnabled = true;
    }
    return result;
}

std::optional<std::string> hireOrFire(Ressources& r, Personnel kind, int y, int buttonHeight) {
    struct Rule {
        int* count;
        const int* capacity;  // nothing: only someone unemployed is needed
        const char* hired;
        const char* fired;
    };
    const Rule rules[] = {
        {&r.ecoGuards, &r.ecoCapacity, "1 Umweltschützer eingestellt", "1 Umweltschützer entlassen"},
        {&r.holodeckOperators, &r.holodeckCapacity, "1 Holodeck-Betreiber eingestellt", "1 Holodeck-Betreiber entlassen"},
        {&r.scientists, &r.scientistCapacity, "1 Wissenschaftler eingestellt", "1 Wissenschaftler entlassen"},
        {&r.soldiers, nullptr, "1 Soldat eingestellt", "1 Soldat entlassen"},
    };
    const Rule& rule = rules[static_cast<int>(kind)];
    const int half = buttonHeight / 2;
    if (y < half) {
        if (unemployed(r) > 0 && (!rule.capacity || *rule.count < *rule.capacity)) {
            ++*rule.count;
            return text(rule.hired);
        }
    } else if (y > half) {
        if (*rule.count > 0) {
            --*rule.count;
            return text(rule.fired);
        }
    }
    return std::nullopt;
}

std::optional<std::string> populationLimitClicked(Ressources& r, bool ticked, const std::string& editText) {
    r.limitEnabled = ticked;
    if (!ticked) return std::nullopt;
    const std::optional<std::int32_t> value = parseInt32(editText);
    if (!value) return std::to_string(r.livingSpace);
    if (*value <= r.livingSpace) r.populationLimit = *value;
    return std::nullopt;
}

// --- total build costs and BSP ---------------------------------------------

std::vector<GridRow> computeCosts(const Info& info, const ActPlan& plan, CostView view) {
    const Ressources& r = plan.ressources;
    std::vector<GridRow> rows;
    for (int i = 0; i < kResourceCount; ++i) {
        long long sum = 0;
        if (view != CostView::Terraformings) sum += r.buildingCosts[i];
        if (view != CostView::Buildings) sum += r.terraformCosts[i];
        rows.push_back({info.resourceTypes[i].name, number(sum)});
    }
    const long long credits = view == CostView::Terraformings
                                  ? 0
                                  : 600LL * plan.countBuildings(bldCredits600) + 550LL * plan.countBuildings(bldCredits550);
    rows.push_back({text("Credits"), number(credits)});
    return rows;
}

int availableBsp(const Info& info, const ActPlan& plan) {
    long long sum = 0;
    walkPlan(plan, [&](const Field& f, bool onSurface) {
        const InfoBuilding* b = buildingOn(info, f);
        if (!b) return;
        const bool depot = f.building == bldBspDepotA || f.building == bldBspDepotB;
        if (f.inOperation || (onSurface && depot)) sum += b->bsp;
    });
    return static_cast<int>(sum);
}

}  // namespace dz
