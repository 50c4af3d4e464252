// Undo and redo in the window: a QUndoStack with one command per user action
// (a field-menu choice, a click on a hire and fire button, the population
// limit, a "Vorschlag" carried out), the main menu's "Bearbeiten" with
// "Rückgängig: …" and "Wiederholen: …", and whether the plan differs from
// the one saved or loaded last. The planner takes the snapshots and shows
// the steps (core/planner/plan_step.h).
#pragma once

#include <QObject>
#include <functional>
#include <string>

#include "core/planner/plan_step.h"

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
    EditHistory(Planner& planner, QWidget* window);

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
    // A new plan or a loaded one: the history starts empty, at the plan as
    // saved.
    void clear();
    // Keeps at most `steps` steps from now on (kDefaultUndoLimit unless set);
    // the history starts empty, as for a new plan.
    void setUndoLimit(int steps);
    // The plan was saved: the state here is the one the file holds.
    void markSaved();

    // Whether the plan differs from the one saved or loaded last: every step
    // changes what "Speichern" writes, so it does unless undo or redo lead
    // back to exactly that state. A saved state that the steps above it
    // replaced, or that dropped off at the limit, is out of reach: the plan
    // differs until it is saved again. The window's title, the question
    // before unsaved changes are lost and everything else ask here.
    bool hasUnsavedChanges() const;

    QMenu* menu() const { return menu_; }
    QUndoStack& stack() const { return *stack_; }

signals:
    // hasUnsavedChanges() turned: after any step, undo, redo, a save and a new history.
    void unsavedChangesChanged(bool unsaved);

private:
    void updateActions();

    Planner& planner_;
    QUndoStack* stack_;
    QMenu* menu_;
    QAction* undoAction_;
    QAction* redoAction_;
    int depth_ = 0;  // actions running inside perform()
};

}  // namespace dz
