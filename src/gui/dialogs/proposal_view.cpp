#include "gui/dialogs/proposal_view.h"

#include <QHeaderView>
#include <QLabel>
#include <QStringList>
#include <QTableWidget>
#include <algorithm>
#include <optional>
#include <utility>

#include "gui/widgets/labels.h"
#include "gui/widgets/qt_text.h"

namespace dz {

namespace {

// Share of the bound reached, in whole percent (rounded down: 99.6 % is not
// the best there is). Nothing where the bound is no positive amount.
std::optional<long long> percentOfBound(long long value, long long bound) {
    if (bound <= 0 || value < 0) return std::nullopt;
    return std::min<long long>(100, value / bound * 100 + value % bound * 100 / bound);
}

}  // namespace

ProposalView::ProposalView(QWidget* parent, int right) : QWidget(parent) {
    setObjectName(QStringLiteral("proposalView"));
    valueLabel_ = makeWrappingLabel(this, "valueLabel", QRect(14, 4, right - 14, 16));
    QFont bold = valueLabel_->font();
    bold.setBold(true);
    valueLabel_->setFont(bold);
    boundLabel_ = makeWrappingLabel(this, "boundLabel", QRect(14, 22, right - 14, 16));
    thenValueLabel_ = makeWrappingLabel(this, "thenValueLabel", QRect(14, 40, right - 14, 16));

    QLabel* previewCaption = makeLabel(this, "previewCaption", QStringLiteral("&Was sich ändert:"), 14, 62);
    previewTable_ = new QTableWidget(0, 3, this);
    previewTable_->setObjectName(QStringLiteral("previewTable"));
    previewTable_->setAccessibleName(QStringLiteral("Was sich ändert"));
    previewTable_->setGeometry(14, 80, right - 14, 150);
    previewTable_->setHorizontalHeaderLabels({QStringLiteral("Zeile"), QStringLiteral("vorher"), QStringLiteral("nachher")});
    previewTable_->verticalHeader()->hide();
    previewTable_->verticalHeader()->setDefaultSectionSize(18);
    previewTable_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    previewTable_->horizontalHeader()->resizeSection(1, 80);
    previewTable_->horizontalHeader()->resizeSection(2, 80);
    previewTable_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    previewTable_->setSelectionBehavior(QAbstractItemView::SelectRows);
    previewTable_->setSelectionMode(QAbstractItemView::SingleSelection);
    previewTable_->setTabKeyNavigation(false);
    previewCaption->setBuddy(previewTable_);
    workLabel_ = makeWrappingLabel(this, "workLabel", QRect(14, 236, right - 14, 74));  // all 16 costs fit
}

void ProposalView::showProposal(const Info& info, const ActPlan& plan, char decimalSeparator,
                                const SuggestRequest& searched, const SuggestResult& result) {
    const auto valueText = [&](SuggestGoal goal, long long value) {
        return fromCp1252(goalValueText(goal, value, decimalSeparator));
    };
    const SuggestGoal goal = searched.goal;
    valueLabel_->setText(QStringLiteral("%1: %2 → %3")
                             .arg(fromCp1252(goalName(info, goal)), valueText(goal, result.startValue),
                                  valueText(goal, result.value)));
    if (searched.thenGoal && result.thenStartValue && result.thenValue)
        thenValueLabel_->setText(QStringLiteral("Danach: %1: %2 → %3")
                                     .arg(fromCp1252(goalName(info, *searched.thenGoal)),
                                          valueText(*searched.thenGoal, *result.thenStartValue),
                                          valueText(*searched.thenGoal, *result.thenValue)));
    else
        thenValueLabel_->clear();
    if (result.stop == SuggestStop::Proven) {
        boundLabel_->setText(QStringLiteral("bestmöglich"));
    } else {
        QString bound = QStringLiteral("höchstens %1 möglich").arg(valueText(goal, result.bound));
        if (const auto percent = percentOfBound(result.value, result.bound))
            bound += QStringLiteral(" (%1 % davon erreicht)").arg(*percent);
        boundLabel_->setText(bound);
    }

    const std::vector<PreviewRow> rows = previewRows(info, plan, result.choices, decimalSeparator);
    previewTable_->clearContents();
    previewTable_->setRowCount(int(rows.size()));
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const PreviewRow& row = rows[r];
        int column = 0;
        for (const std::string* text : {&row.label, &row.before, &row.after}) {
            auto* item = new QTableWidgetItem(text->empty() ? QStringLiteral("–") : fromCp1252(*text));
            if (column > 0) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            previewTable_->setItem(int(r), column++, item);
        }
    }

    const SuggestWork& work = result.work;
    QStringList steps;
    for (const auto& [count, name] : {std::pair{work.builds, "Neubauten"}, std::pair{work.buildOvers, "Umbauten"},
                                      std::pair{work.demolitions, "Abrisse"}, std::pair{work.switches, "Schaltungen"},
                                      std::pair{work.terraformings, "Terraforming"}})
        if (count != 0) steps << QStringLiteral("%1: %2").arg(QString::fromLatin1(name)).arg(count);
    QStringList costs;
    for (std::size_t r = 0; r < work.cost.size() && r < info.resourceTypes.size(); ++r)
        if (work.cost[r] != 0) costs << QStringLiteral("%1 %2").arg(work.cost[r]).arg(fromCp1252(info.resourceTypes[r].name));
    workLabel_->setText(QStringLiteral("Dafür: %1\nBaukosten: %2")
                            .arg(steps.isEmpty() ? QStringLiteral("nichts") : steps.join(QStringLiteral(", ")),
                                 costs.isEmpty() ? QStringLiteral("keine") : costs.join(QStringLiteral(", "))));
}

}  // namespace dz
