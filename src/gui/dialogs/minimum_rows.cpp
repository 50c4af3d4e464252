#include "gui/dialogs/minimum_rows.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <algorithm>
#include <optional>
#include <utility>

#include "gui/widgets/qt_text.h"

namespace dz {

namespace {

QPushButton* makeButton(QWidget* parent, const char* name, const QString& text, QRect where) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(where);
    button->setAutoDefault(false);
    return button;
}

}  // namespace

MinimumRows::MinimumRows(const std::vector<NamedGoal>& goals, std::function<QString(SuggestGoal, long long)> valueText,
                         QWidget* parent)
    : QWidget(parent), goals_(goals), valueText_(std::move(valueText)) {
    goalBox_ = new QComboBox(this);
    goalBox_->setObjectName(QStringLiteral("minimumGoalBox"));
    goalBox_->setAccessibleName(QStringLiteral("mindestens, Zeile"));
    goalBox_->setGeometry(0, 1, 150, 22);
    for (const NamedGoal& goal : goals_) goalBox_->addItem(fromCp1252(goal.name));
    edit_ = new QLineEdit(this);
    edit_->setObjectName(QStringLiteral("minimumEdit"));
    edit_->setAccessibleName(QStringLiteral("mindestens, Wert"));
    edit_->setGeometry(156, 1, 54, 22);
    addButton_ = makeButton(this, "addMinimumButton", QStringLiteral("&Hinzufügen"), QRect(216, 0, 80, 24));
    connect(addButton_, &QPushButton::clicked, this, &MinimumRows::add);
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("minimumList"));
    list_->setAccessibleName(QStringLiteral("Mindestwerte"));
    list_->setGeometry(0, 29, 210, 52);
    removeButton_ = makeButton(this, "removeMinimumButton", QStringLiteral("&Entfernen"), QRect(216, 29, 80, 24));
    removeButton_->setEnabled(false);
    connect(removeButton_, &QPushButton::clicked, this, &MinimumRows::remove);
}

bool MinimumRows::valueHasFocus() const { return edit_->hasFocus(); }

void MinimumRows::setSearching(bool on) {
    for (QWidget* w : {static_cast<QWidget*>(goalBox_), static_cast<QWidget*>(edit_), static_cast<QWidget*>(addButton_),
                       static_cast<QWidget*>(list_)})
        w->setEnabled(!on);
    removeButton_->setEnabled(!on && !minimums_.empty());
}

void MinimumRows::add() {
    const int index = goalBox_->currentIndex();
    if (index < 0 || std::size_t(index) >= goals_.size()) return;
    const SuggestGoal goal = goals_[std::size_t(index)].goal;
    const QString name = goalBox_->currentText();
    const QString typed = edit_->text().trimmed();
    const std::optional<long long> value = parseGoalValue(goal, toCp1252(typed));
    if (!value) {
        // The goal's own rule says whether it takes a decimal (Forschung does).
        const bool decimal = parseGoalValue(goal, "0,5").has_value();
        const QString wanted = decimal ? QStringLiteral("eine Zahl mit höchstens einer Nachkommastelle, z. B. 2,5")
                                       : QStringLiteral("eine ganze Zahl, z. B. 20");
        emit message(typed.isEmpty() ? QStringLiteral("Bitte für %1 einen Mindestwert eingeben: %2.").arg(name, wanted)
                                     : QStringLiteral("„%1“ ist kein Wert für %2: bitte %3 eingeben.").arg(typed, name, wanted));
        edit_->setFocus(Qt::OtherFocusReason);
        edit_->selectAll();
        return;
    }
    const QString text = QStringLiteral("%1: mindestens %2").arg(name, valueText_(goal, *value));
    const auto same = std::find_if(minimums_.begin(), minimums_.end(), [&](const GoalMinimum& m) { return m.goal == goal; });
    if (same != minimums_.end()) {
        same->value = *value;
        list_->item(int(same - minimums_.begin()))->setText(text);
        list_->setCurrentRow(int(same - minimums_.begin()));
    } else {
        minimums_.push_back(GoalMinimum{goal, *value});
        list_->addItem(text);
        list_->setCurrentRow(list_->count() - 1);
    }
    removeButton_->setEnabled(true);
    emit message(QString());
    edit_->clear();
}

void MinimumRows::remove() {
    const int row = list_->currentRow();
    if (row < 0 || std::size_t(row) >= minimums_.size()) return;
    minimums_.erase(minimums_.begin() + row);
    delete list_->takeItem(row);
    removeButton_->setEnabled(!minimums_.empty());
    if (minimums_.empty()) goalBox_->setFocus(Qt::OtherFocusReason);
}

}  // namespace dz
