// The colony's economy: production per tick, population and personnel,
// attractiveness, reputation, BSP and the total build costs. Every
// computation reads the plan and the catalog and returns plain texts for the
// result panels; the window only copies them into its controls. Texts are
// Windows-1252 bytes like the catalog's names.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/catalog/info.h"
#include "core/economy/personnel.h"
#include "core/plan/act_plan.h"

namespace dz {

// One row of a result grid: a label and a value text.
struct GridRow {
    std::string label;
    std::string value;
    bool operator==(const GridRow&) const = default;
};

// --- production per tick ---------------------------------------------------

// The sums behind the production panel and the summary of a plan file.
struct ProductionTotals {
    // Change per tick of every resource in whole units: what the buildings in
    // operation produce, the supply bonus and the inhabitants' upkeep.
    // Research (resResearch) is in tenths, since every scientist adds 0.1.
    std::array<long long, kResourceCount> perTick{};
    long long storage = 0;  // of every building, in operation or not
    long long eps = 0;      // likewise
};
ProductionTotals productionTotals(const Info& info, const ActPlan& plan);

// "Lagerraum", "EPS", an empty spacer row, then one row per resource with its
// change per tick: no decimals, one decimal for resource 8, written with
// `decimalSeparator`.
std::vector<GridRow> computeProduction(const Info& info, const ActPlan& plan, char decimalSeparator);

// --- population and personnel ----------------------------------------------

enum class LabelColour { White, Green, Grey, Red };

// The indicator labels of the "Informationen" panel.
struct Indicators {
    std::string attractiveness;  // "+120+3(+40)"
    LabelColour attractivenessColour = LabelColour::Green;
    LabelColour attractivenessCaptionColour = LabelColour::White;
    std::string reputationGrowth;  // "+2.6" or "0.0"
    LabelColour reputationGrowthColour = LabelColour::Grey;
    bool operator==(const Indicators&) const = default;
};

struct PopulationResult {
    std::vector<GridRow> rows;          // 7 rows, or 3 when workers are missing
    bool buttonsEnabled = true;         // the four hire and fire buttons
    std::optional<std::string> status;  // a dismissal, for status panel 2
    Indicators indicators;
    bool operator==(const PopulationResult&) const = default;
};

// The numbers of the population computation, without the texts of the panels.
struct PopulationNumbers {
    std::optional<std::string> dismissal;  // the status text of a dismissal
    long long reputationTenths = 0;        // reputation growth per tick in tenths
};

// Recomputes living space, workers, inhabitants, dismissals, attractiveness
// and reputation growth into the plan. The inhabitants are the living space,
// or the ticked limit when it is lower, and never fewer than 0.
PopulationNumbers updatePopulation(const Info& info, ActPlan& plan);

// updatePopulation, and what the panels show of it.
PopulationResult computePopulation(const Info& info, ActPlan& plan, int internalReputation, char decimalSeparator);

// Lowers hired personnel to the places the buildings of the plan provide,
// counted from the buildings whatever their state. No message.
void clampPersonnel(ActPlan& plan);

long long unemployed(const Ressources& r);

// Hires one person of a kind if someone is unemployed and a place is free
// (soldiers need no place). Returns the status text when someone was hired.
std::optional<std::string> hire(Ressources& r, Personnel kind);
// Fires one person of a kind if one is hired. Returns the status text when
// someone was fired.
std::optional<std::string> fire(Ressources& r, Personnel kind);

// The population-limit check box was ticked or unticked with `editText` in
// the edit box. Returns the text the edit box must be given when that text
// is no number or a negative one (the window's own change handling then
// unticks the box).
std::optional<std::string> populationLimitClicked(Ressources& r, bool ticked, const std::string& editText);

// --- total build costs and BSP ---------------------------------------------

enum class CostView { All, Buildings, Terraformings };

// 16 resource rows and the "Credits" row.
std::vector<GridRow> computeCosts(const Info& info, const ActPlan& plan, CostView view);

// BSP of the buildings in operation, and of the two depots in any state on the surface.
int availableBsp(const Info& info, const ActPlan& plan);

// --- number texts ----------------------------------------------------------

// A value in tenths written with one decimal ("-0.5", "12.0").
std::string formatTenths(long long tenths, char decimalSeparator);
// "+5" for 0 and more, "-5" below.
std::string signedText(long long value);

}  // namespace dz
