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

ProductionTotals productionTotals(const Info& info, const ActPlan& plan) {
    ProductionTotals totals;
    auto& tick = totals.perTick;
    int bonusCount = 0;
    bool bonus = false;
    walkPlan(plan, [&](const Field& f, bool onSurface) {
        const InfoBuilding* b = buildingOn(info, f);
        if (!b) return;
        totals.storage += b->storage;
        totals.eps += b->eps;
        if (!f.inOperation) return;
        if (onSurface && (f.building == bldHousingAnnex || f.building == bldHousingCore)) ++bonusCount;
        if (!onSurface && f.building == bldOrbitSupply) bonus = true;
        for (int r = 0; r < kResourceCount; ++r) tick[r] += b->production[r];
    });
    if (bonus) tick[resSupply] += bonusCount;
    // One unit of supply per five inhabitants, rounded up.
    const int inhabitants = plan.ressources.inhabitants;
    tick[resSupply] -= inhabitants / 5 + (inhabitants % 5 != 0 ? 1 : 0);
    tick[resResearch] = tick[resResearch] * 10 + plan.ressources.scientists;
    return totals;
}

std::vector<GridRow> computeProduction(const Info& info, const ActPlan& plan, char decimalSeparator) {
    const ProductionTotals totals = productionTotals(info, plan);
    std::vector<GridRow> rows;
    rows.push_back({text("Lagerraum"), number(totals.storage)});
    rows.push_back({text("EPS"), number(totals.eps)});
    rows.push_back({"", ""});
    for (int r = 0; r < kResourceCount; ++r) {
        const long long value = totals.perTick[r];
        rows.push_back({info.resourceTypes[r].name,
                        r == resResearch ? formatTenths(value, decimalSeparator) : number(value)});
    }
    return rows;
}

// --- population and personnel ----------------------------------------------

long long unemployed(const Ressources& r) {
    // In 64 bits: counts read from a plan file may be anywhere in int32.
    return static_cast<long long>(r.inhabitants) - r.workersNeeded - r.ecoGuards - r.holodeckOperators - r.scientists -
           r.soldiers;
}

const PersonnelPlaces* personnelPlaces(int building) {
    for (const PersonnelPlaces& entry : kPersonnelPlaces)
        if (entry.building == building) return &entry;
    return nullptr;
}

bool placesCount(const Field& field) {
    const PersonnelPlaces* entry = personnelPlaces(field.building);
    return entry && (field.inOperation || entry->whileStanding);
}

std::int32_t& hired(Ressources& r, Personnel kind) {
    switch (kind) {
        case Personnel::Eco:
            return r.ecoGuards;
        case Personnel::Holodeck:
            return r.holodeckOperators;
        case Personnel::Scientist:
            return r.scientists;
        case Personnel::Soldier:
            break;
    }
    return r.soldiers;
}

std::int32_t* capacity(Ressources& r, Personnel kind) {
    switch (kind) {
        case Personnel::Eco:
            return &r.ecoCapacity;
        case Personnel::Holodeck:
            return &r.holodeckCapacity;
        case Personnel::Scientist:
            return &r.scientistCapacity;
        case Personnel::Soldier:
            break;
    }
    return nullptr;
}

namespace {

void clampPersonnel(ActPlan& plan, const std::array<int, kBuildingCount>& counts) {
    for (Personnel kind : {Personnel::Eco, Personnel::Scientist, Personnel::Holodeck}) {
        long long places = 0;
        for (const PersonnelPlaces& entry : kPersonnelPlaces)
            if (entry.kind == kind) places += static_cast<long long>(entry.places) * counts[std::size_t(entry.building)];
        std::int32_t& count = hired(plan.ressources, kind);
        if (count > places) count = static_cast<std::int32_t>(places);
    }
}

}  // namespace

void clampPersonnel(ActPlan& plan) { clampPersonnel(plan, plan.buildingCounts()); }

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
long long reputationTenths(const ActPlan& plan, const std::array<int, kBuildingCount>& counts) {
    const Ressources& r = plan.ressources;
    const long long m = std::min<long long>(plan.attractiveness, r.inhabitants);
    long long g = (m / 10) * 10;
    g += 2LL * r.ecoGuards;
    g -= 20LL * r.soldiers;
    g += 10LL * counts[bldEco];
    g -= 200LL * counts[bldRepDrain];
    g -= 100LL * counts[bldCredits600];
    return std::max<long long>(g, 0);
}

}  // namespace

PopulationNumbers updatePopulation(const Info& info, ActPlan& plan) {
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

    const std::array<int, kBuildingCount> counts = plan.buildingCounts();
    clampPersonnel(plan, counts);
    // A limit below 0 (from a plan file) means nobody lives there, not fewer than nobody.
    r.inhabitants = std::max(0, r.limitEnabled ? std::min(r.populationLimit, r.livingSpace) : r.livingSpace);

    PopulationNumbers numbers;
    if (const long long free = unemployed(r); free < 0) numbers.dismissal = dismiss(r, -free);
    numbers.reputationTenths = reputationTenths(plan, counts);
    plan.reputationGrowth = float(numbers.reputationTenths) / 10.0f;
    return numbers;
}

PopulationResult computePopulation(const Info& info, ActPlan& plan, int internalReputation, char decimalSeparator) {
    const PopulationNumbers numbers = updatePopulation(info, plan);
    const Ressources& r = plan.ressources;
    PopulationResult result;
    result.status = numbers.dismissal;
    const long long growth = numbers.reputationTenths;
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

namespace {

// What hiring and firing one person of a kind says.
struct PersonnelTexts {
    const char* hired;
    const char* fired;
};
const PersonnelTexts& personnelTexts(Personnel kind) {
    // In the order of Personnel.
    static const PersonnelTexts texts[] = {
        {"1 Umweltschützer eingestellt", "1 Umweltschützer entlassen"},
        {"1 Holodeck-Betreiber eingestellt", "1 Holodeck-Betreiber entlassen"},
        {"1 Wissenschaftler eingestellt", "1 Wissenschaftler entlassen"},
        {"1 Soldat eingestellt", "1 Soldat entlassen"},
    };
    return texts[static_cast<int>(kind)];
}

}  // namespace

std::optional<std::string> hire(Ressources& r, Personnel kind) {
    std::int32_t& count = hired(r, kind);
    const std::int32_t* places = capacity(r, kind);  // nothing: only someone unemployed is needed
    if (unemployed(r) <= 0 || (places && count >= *places)) return std::nullopt;
    ++count;
    return text(personnelTexts(kind).hired);
}

std::optional<std::string> fire(Ressources& r, Personnel kind) {
    std::int32_t& count = hired(r, kind);
    if (count <= 0) return std::nullopt;
    --count;
    return text(personnelTexts(kind).fired);
}

std::optional<std::string> populationLimitClicked(Ressources& r, bool ticked, const std::string& editText) {
    r.limitEnabled = ticked;
    if (!ticked) return std::nullopt;
    const std::optional<std::int32_t> value = parseInt32(editText);
    if (!value || *value < 0) return std::to_string(r.livingSpace);  // no count of people
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
