// Undo and redo in the core: a snapshot of everything a change of the plan
// can touch, and a step, which keeps only what differs between the snapshot
// before a change and the one after it, in both directions. The window keeps
// the steps in its history; the planner takes the snapshots and shows a
// step's either side (Planner::startStep, finishStep, undo, redo).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/plan/act_plan.h"
#include "core/planner/plan_view.h"

namespace dz {

// What the planner shows beside the plan and keeps for the snapshots.
struct ShownTexts {
    std::array<std::string, kStatusPanelCount> status;  // indexed by StatusPanel
    // The text of the population-limit field, which may differ from the
    // limit in the plan (the limit is taken from it when the box is ticked).
    std::string limitText;
    // The available BSP as the information panel shows it: switching a
    // building on or off leaves it until the costs are shown again.
    int bsp = 0;
    bool operator==(const ShownTexts&) const = default;
};

// The plan as the saved file, the cells, the result panels and the three
// status panels show it. A snapshot of the largest planet is some 30 KB.
struct PlanSnapshot {
    ActPlan plan;  // without the selection: choosing a field changes nothing
    ShownTexts shown;
    bool operator==(const PlanSnapshot&) const = default;
};

class PlanStep {
public:
    // The difference between two snapshots of one plan. Throws
    // std::invalid_argument when the snapshots have different shapes.
    PlanStep(const PlanSnapshot& before, const PlanSnapshot& after, std::string text);

    // What the step did, in the words of its status text ("Agrarfarm gebaut").
    const std::string& text() const { return text_; }

    struct Position {
        std::int32_t x, y;
        bool onSurface;
    };
    // The fields whose content, state, cover counters or terraforming costs differ.
    std::vector<Position> changedFields() const;

    // Writes the side before (or after) the step into a plan of the same
    // shape (its selection stays) and into the texts shown beside it.
    void writeBefore(ActPlan& plan, ShownTexts& shown) const;
    void writeAfter(ActPlan& plan, ShownTexts& shown) const;

private:
    // Everything of one field position.
    struct FieldState {
        Field field;
        std::int32_t initialType = 0;
        ResourceArray terraformCost{};
        bool operator==(const FieldState&) const = default;
    };
    struct FieldChange {
        Position at;
        FieldState before, after;
    };
    // Everything outside the grids, each as a whole: the plan with empty
    // grids (its economic values) and the texts shown. A member added later
    // to the plan, its economic values or the texts goes with every step.
    struct Rest {
        ActPlan plan;
        ShownTexts shown;
    };
    static Rest restOf(const PlanSnapshot& snapshot);
    void write(const Rest& rest, bool after, ActPlan& plan, ShownTexts& shown) const;

    // The plan the step belongs to: its planet type and the sizes of its grids.
    struct Shape {
        std::int32_t planetType, width, surfaceHeight, orbitHeight;
        bool operator==(const Shape&) const = default;
    };
    static Shape shapeOf(const ActPlan& plan) {
        return {plan.planetType, plan.width(), plan.surfaceHeight(), plan.orbitHeight()};
    }

    Shape shape_;
    std::vector<FieldChange> fields_;
    Rest before_, after_;
    std::string text_;
};

}  // namespace dz
