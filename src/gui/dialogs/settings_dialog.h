// The settings dialog: the player's internal reputation, kept in saves.kpl.
#pragma once

#include "core/files/settings_file.h"
#include "gui/dialogs/borderless_dialog.h"
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
    // `showReputation` puts a text into the main window's reputation label;
    // `recomputePopulation` is called after saving when a plan exists.
    // `settingsPath` is the settings file, by default saves.kpl in the current
    // working directory.
    SettingsDialog(ProgramState& state, std::function<void(const QString&)> showReputation,
            std::function<void()> recomputePopulation, const QString& settingsPath = QString::fromLatin1(settingsFileName),
            QWidget* parent = nullptr);

    // Takes the reputation from the settings file into the edit field, the
    // program state and the main window's label. Without a usable file the
    // field shows "0", the reputation is 0 and the label keeps its text.
    void readSettings();

    QString settingsPath() const { return settingsPath_; }

signals:
    // The settings file could not be written; `message` says why, with the
    // system's reason.
    void notSaved(const QString& message);

protected:
    void showEvent(QShowEvent* event) override;

private:
    // "Speichern": takes the typed value, stores the typed text in the
    // settings file and closes the dialog. A text that is no integer, or a file
    // that cannot be written, resets the field and the reputation to 0; the
    // latter is told with notSaved.
    void save();
    void resetReputation();

    ProgramState& state_;
    std::function<void(const QString&)> showReputation_;
    std::function<void()> recomputePopulation_;
    QString settingsPath_;

    QLabel* titleLabel_ = nullptr;
    QLabel* reputationCaption_ = nullptr;
    QLineEdit* reputationEdit_ = nullptr;
    QPushButton* saveButton_ = nullptr;
};

}  // namespace dz
