// Two plans side by side: every row of the production, personnel and cost
// panels and the indicators, in this plan, in the other one, and the
// difference; and the fields in which the plans differ. The window's
// "Vergleichen mit…" and `dizozodidu-report --compare` show the same rows.
#pragma once

#include <string>
#include <vector>

#include "core/catalog/info.h"
#include "core/economy/economy.h"
#include "core/files/plan_file.h"
#include "core/plan/act_plan.h"

namespace dz {

// What the panels of a plan show, as the window shows it after loading it
// (costs: "Gesamt"). Texts are Windows-1252 as all texts of the core.
struct PlanFigures {
    struct Section {
        std::string title;
        std::vector<GridRow> rows;
    };
    std::vector<Section> sections;  // production, personnel, costs, information
    ActPlan plan;                   // the plan as loaded, its fields included
};

PlanFigures planFigures(Info& info, const LoadedPlan& loaded);

struct ComparedRow {
    std::string label;
    std::string thisValue;   // "–" where this plan has no such row
    std::string otherValue;  // likewise
    // This plan's value less the other's, in the form of the values ("+2",
    // "-0.4", "+199+2(+10)"); "0" for equal values, "–" where the two do not
    // compare (a row one plan lacks, a text of another form).
    std::string difference;
    int sign = 0;  // of the difference (its first number): 1, -1 or 0
};

struct ComparedSection {
    std::string title;
    std::vector<ComparedRow> rows;
};

struct PlanComparison {
    std::vector<ComparedSection> sections;
    // The fields of this plan that differ from the other plan's field at the
    // same place, or that the other plan does not have.
    std::vector<FieldPosition> differingFields;
    // Those and the other plan's fields that this plan does not have.
    int differingFieldCount = 0;
};

PlanComparison comparePlans(const PlanFigures& thisPlan, const PlanFigures& otherPlan);

// `a` less `b` in the form of the values, or "–" when they do not compare;
// `sign` gets the sign of the first number.
std::string valueDifference(const std::string& a, const std::string& b, int& sign);

}  // namespace dz
