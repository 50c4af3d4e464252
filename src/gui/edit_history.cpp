#include "gui/edit_history.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QUndoStack>
#include <QWidget>
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

EditHistory::EditHistory(Planner& planner, QWidget* window)
    : QObject(window),
      planner_(planner),
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
    // The stack's clean state is the saved one. It forgets that state when
    // steps above it are replaced or it drops off at the undo limit, which
    // is what the plan is then: changed until it is saved again.
    connect(stack_, &QUndoStack::cleanChanged, this, [this](bool clean) { emit unsavedChangesChanged(!clean); });
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

void EditHistory::push(PlanStep step) { stack_->push(new StepCommand(planner_, std::move(step))); }

void EditHistory::undo() {
    if (stack_->canUndo()) stack_->undo();
}

void EditHistory::redo() {
    if (stack_->canRedo()) stack_->redo();
}

void EditHistory::clear() { stack_->clear(); }

void EditHistory::setUndoLimit(int steps) {
    stack_->clear();  // QUndoStack takes a new limit only while it is empty
    stack_->setUndoLimit(steps);
}

void EditHistory::markSaved() { stack_->setClean(); }

bool EditHistory::hasUnsavedChanges() const { return !stack_->isClean(); }

void EditHistory::updateActions() {
    undoAction_->setText(entryText(QStringLiteral("Rückgängig"), stack_->undoText()));
    undoAction_->setEnabled(stack_->canUndo());
    redoAction_->setText(entryText(QStringLiteral("Wiederholen"), stack_->redoText()));
    redoAction_->setEnabled(stack_->canRedo());
}

}  // namespace dz
