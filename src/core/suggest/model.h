// The proposal as an integer program over counts. Internal to src/core/suggest.
//
// The economy of a plan depends only on how many of each building stand on
// each side (surface, orbit) and run or not, and where the planet limits
// field types, on how many surface fields have each type; never on where a
// building stands (area buildings only colour frames). So the fields that the
// proposal may change are gathered into groups of interchangeable fields
// (same side, current and initial field type and, in rebuild mode, the same
// building in the same state), and the program decides
//  - how many fields of a group take each of the group's ways: stay, or a
//    chain of terraformings (perhaps after a reset to the initial type),
//  - how many fields of a group keep exactly what stands (rebuild mode),
//  - how many buildings of each kind stand newly, in which state, on each
//    side and field type.
// Every rule of the economy is linear in these counts or linearises exactly
// (the upkeep rounded up, the supply bonus, a population limit), so the
// program's optimum is the best colony there is.
#pragma once

#include <string>
#include <vector>

#include "core/catalog/info.h"
#include "core/plan/act_plan.h"
#include "core/suggest/linear_program.h"
#include "core/suggest/suggest.h"

namespace dz::suggest_model {

// One way a field of a group may go: the terraformings of `way` (after a
// reset to the initial type when `reset`), ending at field type `type`.
struct Way {
    int type = 0;
    bool reset = false;
    std::vector<int> terraformings;
    int column = -1;  // how many fields of the group take this way
};

// Interchangeable fields the proposal may change.
struct Group {
    bool onSurface = true;
    int current = 0;     // field type now
    int initial = 0;     // field type of the planet's template
    int building = -1;   // what stands on them (rebuild mode), -1 for none
    bool running = false;
    std::vector<FieldPosition> fields;
    std::vector<Way> ways;  // ways[0] is staying as it is
    int keepColumn = -1;    // fields kept exactly as they are (a building stands)
};

// Buildings the proposal puts up (or switches) on fields of one side and type.
struct Placement {
    bool onSurface = true;
    int type = 0;
    int building = 0;
    bool running = true;
    int column = -1;
};

struct Model {
    Program program;
    std::vector<Group> groups;
    std::vector<Placement> placements;
    // The rows of the panels over the counts: production per tick of every
    // resource (Forschung in tenths), storage, EPS, BSP and attractiveness.
    Expression production[kResourceCount];
    Expression storage, eps, bsp, attractiveness;
    // The persons free at the end: inhabitants less workers and hired personnel.
    Expression unemployed;
    // The number of field-menu actions the proposal takes, to decide among
    // proposals equal in the goals: fewer is better.
    Expression actions;
    double mostActions = 0;  // an upper bound of `actions`

    Expression goal(SuggestGoal goal) const;
};

// The program of a request on a plan whose economy is up to date: every
// constraint of a proposal is a row; the goals are left to the solver.
// `keepHouses`: houses in operation stay as they are (a rebuild whose best
// colony has no order of field-menu choices that keeps the personnel may
// have one without taking the houses away).
Model buildModel(const Info& info, const ActPlan& start, const SuggestRequest& request, bool keepHouses = false);

}  // namespace dz::suggest_model
