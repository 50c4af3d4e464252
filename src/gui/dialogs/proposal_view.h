// What a "Vorschlag" brings, before the player takes it: the goal's value
// before and after with how close it is to the best possible, the panel rows
// that change, and the actions and build costs it takes.
#pragma once

#include <QWidget>

#include "core/suggest/suggest.h"

class QLabel;
class QTableWidget;

namespace dz {

class ProposalView : public QWidget {
    Q_OBJECT
public:
    // `right`: the right edge of the texts and the table.
    ProposalView(QWidget* parent, int right);

    // Shows `result`, found for `searched` on `plan` (the plan before it).
    void showProposal(const Info& info, const ActPlan& plan, char decimalSeparator, const SuggestRequest& searched,
                      const SuggestResult& result);

private:
    QLabel* valueLabel_ = nullptr;
    QLabel* thenValueLabel_ = nullptr;
    QLabel* boundLabel_ = nullptr;
    QTableWidget* previewTable_ = nullptr;
    QLabel* workLabel_ = nullptr;
};

}  // namespace dz
