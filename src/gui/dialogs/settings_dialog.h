// The settings dialog: the player's internal reputation, kept in saves.kpl.
#pragma once

#include "core/files/settings_file.h"
#include "gui/dialogs/borderless_dialog.h"
#include <QPoint>
#include <QString>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace dz {

struct ProgramState;

// A small borderless window with its own title strip, close symbol and
// "Speichern" button. It can be dragged by its background. Every showing reads
// the settings file again, so edits that were not saved are dropped.
class SettingsDialog : public BorderlessDialog {
    Q_OBJECT

public:
    // `setLblAns` puts a text into the main window's reputation label;
    // `recomputePopulation` is called after saving when a plan exists.
    // `settingsPath` is the settings file, by default saves.kpl in the current
    // working directory.
    SettingsDialog(ProgramState& state, std::function<void(const QString&)> setLblAns,
            std::function<void()> recomputePopulation, const QString& settingsPath = QString::fromLatin1(settingsFileName),
            QWidget* parent = nullptr);

    // Takes the reputation from the settings file into Edit1, the program
    // state and the main window's label. Without a usable file Edit1 shows "0",
    // the reputation is 0 and the label keeps its text.
    void readSettings();

    // "Speichern": takes Edit1's value, stores Edit1's text in the settings
    // file and closes the dialog. A text that is no integer, or a file that
    // cannot be written, resets Edit1 and the reputation to 0.
    void Button1Click();

    QString settingsPath() const { return settingsPath_; }

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Image1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QPushButton* Button1 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void resetReputation();

    ProgramState& state_;
    std::function<void(const QString&)> setLblAns_;
    std::function<void()> recomputePopulation_;
    QString settingsPath_;
};

}  // namespace dz
