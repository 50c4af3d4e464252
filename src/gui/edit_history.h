// Undo and redo in the window: a QUndoStack with one command per user action
// (a field-menu choice, a click on a hire and fire button, the population
// limit), the main menu's "Bearbeiten" with "Rückgängig: …" and
// "Wiederholen: …", and planChanged as the history tells it. The planner
// takes the snapshots and shows the steps (core/planner/plan_step.h).
#pragma once

#include <QObject>
#include <functional>
#include <string>

#include "core/planner/plan_step.h"
#include "core/planner/program_state.h"

class QAction;
class QMenu;
class QUndoStack;
class QWidget;

namespace dz {

class Planner;

class EditHistory : public QObject {
    Q_OBJECT
public:
    // The most steps kept; beyond it the oldest go. A step keeps the fields
    // it changed and the plan's values without its grids twice (before and
    // after), some 2 KB for a building on the largest planet: 10,000 steps
    // are some 20 MB, and more than a user takes back in a session.
    static constexpr int kDefaultUndoLimit = 10000;

    // The menu belongs to `window`, whose shortcuts Ctrl+Z, Ctrl+Y and Ctrl+Shift+Z become.
    EditHistory(Planner& planner, ProgramState& state, QWidget* window);

    // Runs what the user asked for as one step, named `text` (Windows-1252
    // bytes, as the core's texts) or, when it is empty, by the action's own
    // status text. An action started while another runs (a control that
    // changes another control) belongs to the outer step. Nothing is added
    // when nothing changed. Many changes made at once are one step when one
    // call performs them all:
    //     history.perform([&] { for (int tag : tags) planner.chooseMenuEntry(tag); }, name);
    void perform(const std::function<void()>& action, const std::string& text = {});
    // Adds a step whose change the plan and the window show already, made
    // from the snapshots before and after it:
    //     const auto start = planner.startStep();  ...changes...
    //     if (auto step = planner.finishStep(start, name)) history.push(std::move(*step));
    void push(PlanStep step);

    void undo();
    void redo();
    // A new plan or a loaded one: the history starts empty.
    void clear();
    // Keeps at most `steps` steps from now on (kDefaultUndoLimit unless set);
    // the history starts empty.
    void setUndoLimit(int steps);
    // The plan was saved: undoing or redoing back to here clears planChanged.
    void markSaved();

    QMenu* menu() const { return menu_; }
    QUndoStack& stack() const { return *stack_; }

signals:
    // planChanged may have changed: after undo, redo, a save and a new history.
    void planChangedFollowed(bool planChanged);

private:
    // Whether a step that counts as an unsaved change lies between the state
    // at `index` and the one saved or loaded last.
    bool changedAt(int index) const;
    void followPlanChanged();
    void updateActions();

    Planner& planner_;
    ProgramState& state_;
    QUndoStack* stack_;
    QMenu* menu_;
    QAction* undoAction_;
    QAction* redoAction_;
    int depth_ = 0;  // actions running inside perform()
    // The saved state: its index in the stack, or, once further steps have
    // replaced it, the index where the history left it and whether that
    // state differed from it already.
    int savedIndex_ = 0;
    bool differsFromSaved_ = false;
};

}  // namespace dz
