// Sharing and comparing plans, in "Bearbeiten": "Plan als Code kopieren",
// "Plan aus Code einfügen" (Ctrl+V where no text field takes it), "Bild
// kopieren" (Ctrl+Shift+C) and "Vergleichen mit…", whose window marks the
// fields that differ and follows the plan on screen.
#pragma once

#include <QObject>
#include <QPointer>
#include <filesystem>

#include "core/catalog/info.h"
#include "core/plan/act_plan.h"
#include "core/planner/program_state.h"
#include "gui/dialogs/compare_window.h"

class QAction;
class QMainWindow;
class QMenu;

namespace dz {

class CompareWindow;
class FileCommands;
class PlanCells;
class ResultPanels;

class ShareCommands : public QObject {
    Q_OBJECT
public:
    // Adds the commands to `menu`; their shortcuts belong to `window`.
    ShareCommands(Info& info, const ActPlan& plan, const ProgramState& state, FileCommands& files, PlanCells& cells,
                  ResultPanels& panels, QMainWindow* window, QMenu* menu);

    void copyPlanCode();
    void pastePlanCode();
    void copyPicture();
    // "Vergleichen mit…": asks for a plan file and opens the comparison.
    void compareWithDialog();
    // Opens the comparison with a plan file; a file that is no plan is
    // reported as "Ungültige Datei!". Returns whether the window opened.
    bool compareWith(const std::filesystem::path& file);
    CompareWindow* compareWindow() const { return compare_; }

    // The commands need a plan: enabled once there is one.
    void planExists(bool exists);

private:
    void showStatus(const QString& text);

    Info& info_;
    const ActPlan& plan_;
    const ProgramState& state_;
    FileCommands& files_;
    PlanCells& cells_;
    ResultPanels& panels_;
    QMainWindow* window_;
    QAction* copyCode_;
    QAction* compareAction_;
    QPointer<CompareWindow> compare_;
};

}  // namespace dz
