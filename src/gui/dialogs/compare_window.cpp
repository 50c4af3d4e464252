#include "gui/dialogs/compare_window.h"

#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/economy/economy.h"
#include "gui/widgets/panel_grid.h"
#include "gui/widgets/qt_text.h"

namespace dz {

namespace {

QTableWidgetItem* item(const QString& text, Qt::Alignment alignment = Qt::AlignRight | Qt::AlignVCenter) {
    auto* cell = new QTableWidgetItem(text);
    cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    cell->setTextAlignment(alignment);
    return cell;
}

}  // namespace

CompareWindow::CompareWindow(std::function<PlanFigures()> current, PlanFigures other, const QString& otherName,
                             QWidget* parent)
    : QDialog(parent), current_(std::move(current)), other_(std::move(other)), summary_(new QLabel(this)),
      table_(new QTableWidget(this)) {
    setObjectName(QStringLiteral("compareWindow"));
    setWindowTitle(QStringLiteral("Vergleich mit %1").arg(otherName));
    setAttribute(Qt::WA_DeleteOnClose);
    summary_->setObjectName(QStringLiteral("compareSummary"));
    table_->setObjectName(QStringLiteral("compareTable"));
    table_->setColumnCount(4);
    table_->setHorizontalHeaderLabels(
        {QString(), QStringLiteral("Dieser Plan"), otherName, QStringLiteral("Unterschied")});
    table_->verticalHeader()->hide();
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary_);
    layout->addWidget(table_);
    refresh();
    // As wide as the four columns, as high as fits beside them.
    const int width = table_->horizontalHeader()->length() + table_->verticalScrollBar()->sizeHint().width() +
                      2 * table_->frameWidth() + layout->contentsMargins().left() + layout->contentsMargins().right();
    resize(width, 640);
}

void CompareWindow::refresh() {
    comparison_ = comparePlans(current_(), other_);
    const int fields = comparison_.differingFieldCount;
    summary_->setText(fields == 0 ? QStringLiteral("Alle Felder sind gleich.")
                                  : QStringLiteral("%1 %2 sich (im Plan gelb markiert).")
                                        .arg(fields)
                                        .arg(fields == 1 ? QStringLiteral("Feld unterscheidet")
                                                         : QStringLiteral("Felder unterscheiden")));
    int rows = 0;
    for (const ComparedSection& section : comparison_.sections) rows += 1 + int(section.rows.size());
    table_->setRowCount(rows);
    int row = 0;
    for (const ComparedSection& section : comparison_.sections) {
        auto* title = item(fromCp1252(section.title), Qt::AlignLeft | Qt::AlignVCenter);
        QFont bold = title->font();
        bold.setBold(true);
        title->setFont(bold);
        table_->setItem(row, 0, title);
        for (int column = 1; column < 4; ++column) table_->setItem(row, column, item(QString()));
        ++row;
        for (const ComparedRow& compared : section.rows) {
            table_->setItem(row, 0, item(fromCp1252(compared.label), Qt::AlignLeft | Qt::AlignVCenter));
            table_->setItem(row, 1, item(fromCp1252(compared.thisValue)));
            table_->setItem(row, 2, item(fromCp1252(compared.otherValue)));
            auto* difference = item(fromCp1252(compared.difference));
            const LabelColour colour =
                compared.sign > 0 ? LabelColour::Green : (compared.sign < 0 ? LabelColour::Red : LabelColour::Grey);
            difference->setForeground(labelColour(colour));
            table_->setItem(row, 3, difference);
            ++row;
        }
    }
    emit differingFields(comparison_.differingFields);
}

}  // namespace dz
