// "mindestens" in "Vorschlag…": a row of the goal list, its value, "Hinzufügen",
// the list of the minimums so far and "Entfernen". One minimum per row: a
// new value for a row replaces the old one. A value is read by the rules of
// its row (Forschung takes one decimal, the others whole numbers).
#pragma once

#include <QString>
#include <QWidget>
#include <functional>
#include <vector>

#include "core/suggest/goals.h"
#include "core/suggest/suggest.h"

class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace dz {

class MinimumRows : public QWidget {
    Q_OBJECT
public:
    // `valueText` writes a goal's value as the panels do.
    MinimumRows(const std::vector<NamedGoal>& goals, std::function<QString(SuggestGoal, long long)> valueText,
                QWidget* parent);

    const std::vector<GoalMinimum>& minimums() const { return minimums_; }
    // The row list, for the caption that names the controls.
    QComboBox* goalBox() const { return goalBox_; }
    bool valueHasFocus() const;
    // While a search runs, nothing can be added or removed.
    void setSearching(bool on);
    // Adds the typed value for the chosen row, or says what is wrong with it.
    void add();

signals:
    // What the player should know about the last addition; empty when it was taken.
    void message(const QString& text);

private:
    void remove();

    std::vector<NamedGoal> goals_;
    std::function<QString(SuggestGoal, long long)> valueText_;
    std::vector<GoalMinimum> minimums_;  // as the list shows them
    QComboBox* goalBox_ = nullptr;
    QLineEdit* edit_ = nullptr;
    QPushButton* addButton_ = nullptr;
    QListWidget* list_ = nullptr;
    QPushButton* removeButton_ = nullptr;
};

}  // namespace dz
