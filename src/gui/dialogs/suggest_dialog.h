// "Vorschlag": the player picks a goal, if wanted a second goal that decides
// among equally good proposals ("Danach"), minimum rows ("mindestens"), a cap
// on the build costs of one resource, whether what stands may be rebuilt
// ("Umbau erlauben"), and the window adds the fields locked in the plan view.
// The search runs on a worker thread while the window stays responsive; a bar
// shows how far it is, the best value so far and how much is possible at
// most, and "Abbrechen" stops it.
//
// The plan is not touched by the search. A proposal is shown first: the goal's
// value before and after, whether it is the best there is, the panel rows that
// change and what it takes to build. "Übernehmen" carries it out through the
// ordinary field actions as one undo step "Vorschlag: <goal>"; "Verwerfen"
// leaves plan and history as they were and returns to the options.
#pragma once

#include <QString>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "core/suggest/suggest.h"
#include "gui/dialogs/borderless_dialog.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QStackedWidget;

namespace dz {

class MinimumRows;
class ProposalView;
class Planner;

class SuggestDialog : public BorderlessDialog {
    Q_OBJECT
public:
    // What searches: suggest() itself, or a stand-in of a test.
    using Engine = std::function<SuggestResult(const Info&, const ActPlan&, const SuggestRequest&,
                                               const std::function<void(const SuggestProgress&)>&,
                                               const std::atomic<bool>*)>;
    // Carries out `change` as one undo step named `name` (the window's edit history).
    using StepRunner = std::function<void(const std::function<void()>& change, const std::string& name)>;
    // `lockedFields` gives the fields locked in the plan view when a search starts.
    SuggestDialog(const Info& info, Planner& planner, StepRunner runStep,
                  std::function<std::vector<FieldPosition>()> lockedFields, QWidget* parent = nullptr);
    ~SuggestDialog() override;

    // Tests search with a stand-in; it runs on the worker thread as suggest() does.
    void setEngine(Engine engine) { engine_ = std::move(engine); }
    bool searching() const { return worker_.joinable(); }
    // A proposal is shown and waits for "Übernehmen" or "Verwerfen".
    bool showsProposal() const { return proposal_.has_value(); }
    // Closes the dialog; a search that runs is stopped first, a proposal shown
    // is dropped, and neither changes anything.
    void reject() override;

signals:
    // The search has ended: with a proposal to look at, with a message why
    // there is none, or cancelled.
    void searchEnded(dz::SuggestStop stop);

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeSymbolClicked() override;

private:
    void buildOptionsPage(QWidget* page);
    void buildProposalPage(QWidget* page);
    SuggestRequest request() const;
    void start();
    void cancel();
    // On the window's thread, with the worker finished.
    void finish(const SuggestResult& result, const QString& failure);
    void showProgress(const SuggestProgress& progress);
    void showProposal(const SuggestResult& result);
    void takeProposal();
    void discardProposal();
    void showOptions(const QString& message);
    void setSearching(bool on);
    SuggestGoal goalAt(int index) const;
    QString valueText(SuggestGoal goal, long long value) const;

    const Info& info_;
    Planner& planner_;
    StepRunner runStep_;
    std::function<std::vector<FieldPosition>()> lockedFields_;
    Engine engine_;
    std::vector<NamedGoal> goals_;

    QStackedWidget* pages_ = nullptr;
    QComboBox* goalBox_ = nullptr;
    QComboBox* thenGoalBox_ = nullptr;
    MinimumRows* minimumRows_ = nullptr;
    QCheckBox* capCheck_ = nullptr;
    QComboBox* capResourceBox_ = nullptr;
    QSpinBox* capEdit_ = nullptr;
    QCheckBox* rebuildCheck_ = nullptr;
    QProgressBar* progressBar_ = nullptr;
    QLabel* messageLabel_ = nullptr;
    QPushButton* startButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;

    ProposalView* proposalView_ = nullptr;
    QPushButton* applyButton_ = nullptr;
    QPushButton* discardButton_ = nullptr;

    std::thread worker_;
    // Shared with the worker: it may outlive a queued message to the dialog.
    std::shared_ptr<std::atomic<bool>> cancelFlag_;
    SuggestRequest searched_;
    std::optional<SuggestResult> proposal_;
};

}  // namespace dz
