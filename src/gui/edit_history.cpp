#include "gui/edit_history.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QUndoStack>
#include <QWidget>
#include <algorithm>
#include <utility>

#include "core/planner/planner.h"
#include "gui/widgets/qt_text.h"

namespace dz {

namespace {

// One step of the plan. When it is pushed, the action has changed the plan
// already, so its first redo does nothing.
class StepCommand : public QUndoCommand {
public:
    StepCommand(Planner& planner, PlanStep step)
        : QUndoCommand(fromCp1252(step.text())), planner_(planner), step_(std::move(step)) {}

    void undo() override { planner_.undo(step_); }
    void redo() override {
        if (pushed_) {
            pushed_ = false;
            return;
        }
        planner_.redo(step_);
    }
    bool marksPlanChanged() const { return step_.marksPlanChanged(); }

private:
    Planner& planner_;
    PlanStep step_;
    bool pushed_ = true;
};

// "Rückgängig: Agrarfarm gebaut"; a "&" in a name is a letter, not a shortcut mark.
QString entryText(const QString& verb, const QString& step) {
    if (step.isEmpty()) return verb;
    return verb + QStringLiteral(": ") + QString(step).replace(QLatin1Char('&'), QLatin1String("&&"));
}

}  // namespace

EditHistory::EditHistory(Planner& planner, ProgramState& state, QWidget* window)
    : QObject(window),
      planner_(planner),
      state_(state),
      stack_(new QUndoStack(this)),
      menu_(new QMenu(QStringLiteral("&Bearbeiten"), window)) {
    setObjectName(QStringLiteral("editHistory"));
    menu_->setObjectName(QStringLiteral("editMenu"));
    menu_->setFont(window->font());
    undoAction_ = menu_->addAction(QStringLiteral("Rückgängig"), this, &EditHistory::undo);
    undoAction_->setObjectName(QStringLiteral("undoAction"));
    undoAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    redoAction_ = menu_->addAction(QStringLiteral("Wiederholen"), this, &EditHistory::redo);
    redoAction_->setObjectName(QStringLiteral("redoAction"));
    redoAction_->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    // The shortcuts work while the window is active, whether the menu bar shows the menu or not.
    window->addAction(undoAction_);
    window->addAction(redoAction_);
    stack_->setUndoLimit(kDefaultUndoLimit);
    connect(stack_, &QUndoStack::indexChanged, this, &EditHistory::updateActions);
    updateActions();
}

void EditHistory::perform(const std::function<void()>& action, const std::string& text) {
    if (depth_ > 0) {
        action();
        return;
    }
    const Planner::StepStart start = planner_.startStep();
    ++depth_;
    try {
        action();
    } catch (...) {
        // What the action changed before it failed is a step as well, so
        // that it can be taken back.
        --depth_;
        if (auto step = planner_.finishStep(start, text)) push(std::move(*step));
        throw;
    }
    --depth_;
    if (auto step = planner_.finishStep(start, text)) push(std::move(*step));
}

void EditHistory::push(PlanStep step) {
    const int index = stack_->index();
    if (index < savedIndex_) {
        // The steps above go, the saved state with them: from now on it is
        // reached through the state here.
        differsFromSaved_ = changedAt(index);
        savedIndex_ = index;
    }
    // At its limit the stack drops its oldest steps as this one comes, and
    // the indexes below move down with them. A saved state among the dropped
    // ones is out of reach: it is reached through the oldest state left.
    const int limit = stack_->undoLimit();
    const int dropped = limit > 0 ? std::max(0, index + 1 - limit) : 0;
    if (savedIndex_ < dropped) {
        differsFromSaved_ = changedAt(dropped);
        savedIndex_ = dropped;
    }
    savedIndex_ -= dropped;
    stack_->push(new StepCommand(planner_, std::move(step)));
}

void EditHistory::undo() {
    if (!stack_->canUndo()) return;
    stack_->undo();
    followPlanChanged();
}

void EditHistory::redo() {
    if (!stack_->canRedo()) return;
    stack_->redo();
    followPlanChanged();
}

void EditHistory::clear() {
    stack_->clear();
    savedIndex_ = 0;
    differsFromSaved_ = false;
    emit planChangedFollowed(state_.planChanged);
}

void EditHistory::setUndoLimit(int steps) {
    stack_->clear();  // QUndoStack takes a new limit only while it is empty
    stack_->setUndoLimit(steps);
    clear();
}

void EditHistory::markSaved() {
    savedIndex_ = stack_->index();
    differsFromSaved_ = false;
    emit planChangedFollowed(state_.planChanged);
}

bool EditHistory::changedAt(int index) const {
    bool changed = differsFromSaved_;
    for (int i = std::min(index, savedIndex_); i < std::max(index, savedIndex_) && !changed; ++i)
        changed = static_cast<const StepCommand*>(stack_->command(i))->marksPlanChanged();
    return changed;
}

void EditHistory::followPlanChanged() {
    state_.planChanged = changedAt(stack_->index());
    emit planChangedFollowed(state_.planChanged);
}

void EditHistory::updateActions() {
    undoAction_->setText(entryText(QStringLiteral("Rückgängig"), stack_->undoText()));
    undoAction_->setEnabled(stack_->canUndo());
    redoAction_->setText(entryText(QStringLiteral("Wiederholen"), stack_->redoText()));
    redoAction_->setEnabled(stack_->canRedo());
}

}  // namespace dz
