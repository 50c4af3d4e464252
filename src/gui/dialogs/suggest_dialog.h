// "Vorschlag": the player picks a goal and, if wanted, a cap on the build
// costs of one resource; the search runs on a worker thread while the window
// stays responsive, a progress bar shows how far it is and the best value so
// far, and "Abbrechen" stops it. The plan is not touched until the search has
// ended; then the proposal is carried out through the ordinary field actions
// as one undo step "Vorschlag: <goal>".
#pragma once

#include <QString>
#include <atomic>
#include <memory>
#include <optional>
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

namespace dz {

class EditHistory;
class Planner;

class SuggestDialog : public BorderlessDialog {
    Q_OBJECT
public:
    SuggestDialog(const Info& info, Planner& planner, EditHistory& history, QWidget* parent = nullptr);
    ~SuggestDialog() override;

    // The search's budget; the window uses the defaults of the core (a few
    // seconds), tests a short one.
    void setBudget(long long iterations, double seconds);
    bool searching() const { return worker_.joinable(); }
    // Closes the dialog; a search that runs is stopped first and changes nothing.
    void reject() override;

signals:
    // The search has ended and what it found was carried out (or not: a
    // cancelled search and an empty proposal change nothing).
    void searchEnded(dz::SuggestStop stop, bool applied);

protected:
    void showEvent(QShowEvent* event) override;
    void closeSymbolClicked() override;

private:
    void start();
    void cancel();
    // On the window's thread, with the worker finished.
    void finish(const SuggestResult& result, const QString& failure);
    void showProgress(const SuggestProgress& progress);
    void setSearching(bool on);
    SuggestGoal chosenGoal() const;

    const Info& info_;
    Planner& planner_;
    EditHistory& history_;
    std::vector<NamedGoal> goals_;
    long long iterations_ = 0;
    double seconds_ = 5.0;

    QComboBox* goalBox_ = nullptr;
    QCheckBox* capCheck_ = nullptr;
    QComboBox* capResourceBox_ = nullptr;
    QSpinBox* capEdit_ = nullptr;
    QProgressBar* progressBar_ = nullptr;
    QLabel* bestLabel_ = nullptr;
    QPushButton* startButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;

    std::thread worker_;
    // Shared with the worker: it may outlive a queued message to the dialog.
    std::shared_ptr<std::atomic<bool>> cancelFlag_;
    SuggestGoal searchedGoal_;
};

}  // namespace dz
