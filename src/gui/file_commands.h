// The commands of the main menu that work with files: "Laden", "Speichern" and
// "Screenshot", and the question before unsaved changes are lost.
#pragma once

#include <QObject>
#include <QString>
#include <filesystem>

#include "core/catalog/info.h"
#include "core/plan/act_plan.h"
#include "core/planner/program_state.h"
#include "gui/run_mode.h"

class QWidget;

namespace dz {

class EditHistory;
class Planner;

class FileCommands : public QObject {
    Q_OBJECT
public:
    // `window` is the main window: the parent of the dialogs and what a
    // screenshot pictures. In batch mode a refused plan is reported on stderr.
    // A plan loaded or saved is the one `history` compares with.
    FileCommands(const Info& info, const ActPlan& plan, ProgramState& state, Planner& planner, EditHistory& history,
                 RunMode mode, QWidget* window);

    // Asks before unsaved changes (as the history tells them) are lost; true
    // when the caller may go on. Batch mode asks nobody (and never changes a
    // plan).
    bool confirmDiscard();
    // Loads a plan file as "Laden" does after its dialog: confirmDiscard,
    // then loadPlanFile (a plan from "Zuletzt" or dropped on the window).
    bool openPlan(const std::filesystem::path& file);

    // "Laden": asks for a plan file after confirmDiscard and loads it.
    void loadWithDialog();
    // "Speichern": asks for a name and saves the plan.
    void saveWithDialog();
    // "Screenshot": asks for a name and saves the window's picture.
    void screenshotWithDialog();

    // Loads a plan file. On any problem the plan and the window stay as they
    // were and "Ungültige Datei!" is reported with the reason; returns
    // whether the plan was loaded.
    bool loadPlanFile(const QString& file);
    // The same for a name as the system has it (from the command line).
    bool loadPlanFile(const std::filesystem::path& file);
    // "Plan aus Code einfügen": reads a plan code; a broken one is reported
    // as "Ungültige Datei!" with the reason. A good one is loaded as "Laden"
    // loads a file, after confirmDiscard; the plan then has no file.
    bool loadPlanCode(const QString& code);
    // Saves the plan under a name the ".kpls" rule makes of `chosen`; a
    // failure is shown and leaves the unsaved changes as they were.
    bool savePlanFile(const QString& chosen);
    // Writes the window's picture and says how it went.
    void takeScreenshot(const QString& name);

    // The file the plan was last loaded from or saved to; empty for a new
    // plan. The window's title names it.
    const QString& planFile() const { return planFile_; }
    void setPlanFile(const QString& file);

signals:
    void planFileChanged();
    // A plan file was loaded or saved (the name as it was opened or written).
    void planLoaded(const std::filesystem::path& file);
    void planSaved(const std::filesystem::path& file);

private:
    const Info& info_;
    const ActPlan& plan_;
    ProgramState& state_;
    Planner& planner_;
    EditHistory& history_;
    RunMode mode_;
    QWidget* window_;
    QString planFile_;
};

}  // namespace dz
