// "Vergleichen mit…": the plan on screen beside another plan file. For every
// row of the production, personnel and cost panels and the indicators the
// value here, there and the difference (here less there), coloured as the
// panels colour values; above them how many fields differ. The window
// follows the plan on screen: refresh() takes its figures again.
#pragma once

#include <QDialog>
#include <QString>
#include <functional>

#include "core/planner/plan_comparison.h"

class QLabel;
class QTableWidget;

namespace dz {

class CompareWindow : public QDialog {
    Q_OBJECT
public:
    // `current` gives the figures of the plan on screen; `other` are those of
    // the plan file `otherName`.
    CompareWindow(std::function<PlanFigures()> current, PlanFigures other, const QString& otherName,
                  QWidget* parent);

    // Compares again with the plan on screen as it is now.
    void refresh();

    QTableWidget* table() const { return table_; }
    const PlanComparison& comparison() const { return comparison_; }

signals:
    // After every comparison: the fields of the plan on screen that differ.
    void differingFields(const std::vector<FieldPosition>& fields);

private:
    std::function<PlanFigures()> current_;
    PlanFigures other_;
    PlanComparison comparison_;
    QLabel* summary_;
    QTableWidget* table_;
};

}  // namespace dz
