// The planner's one window. It builds the frame (menus, group boxes, status
// line, layout per planet type), wires the parts that do the work (the plan
// cells, the result panels, the file commands, the side dialogs) and shows
// what the core decides through PlanView.
#pragma once

#include <QMainWindow>
#include <array>

#include "core/catalog/info.h"
#include "core/layout/window_layout.h"
#include "core/plan/act_plan.h"
#include "core/planner/plan_view.h"
#include "core/planner/planner.h"
#include "core/planner/program_state.h"
#include "gui/run_mode.h"

class QAction;
class QGroupBox;
class QLabel;
class QMenu;
class QTimer;

namespace dz {

class AboutBox;
class EditHistory;
class FileCommands;
class PlanCells;
class PlanDrop;
class PlanetMenu;
class RecentPlans;
class ShareCommands;
class ResultPanels;
class ScreenFit;
class SettingsDialog;
class SuggestDialog;
class UpdateDialog;

class MainWindow : public QMainWindow, public PlanView {
    Q_OBJECT
public:
    // The window starts its start-up timer at once; see finishStartup(). In
    // batch mode nobody sees it but in its picture: it keeps no recent plans,
    // shows no edit history and asks nothing.
    MainWindow(Info& info, ActPlan& plan, ProgramState& state, RunMode mode, QWidget* parent = nullptr);

    // The folder the pictures are read from ("images" below it); the
    // program's own folder unless set otherwise.
    void setProgramDir(const QString& dir) { programDir_ = dir; }

    // Start-up, 150 ms after the window was made: the settings, the pictures
    // of the plan view and the panel icons; then startupFinished(). A missing
    // picture throws and the rest of start-up is skipped. The wait lets an
    // interactive window appear before its pictures are read.
    void finishStartup();
    // Runs start-up as soon as the event loop runs instead (batch mode, where
    // nobody waits for a window). Nothing happens once start-up has run.
    void startStartupAtOnce();
    // Its steps: the planet icons (also in "Neu" and as the window icon), the
    // field pictures and the state frames; the icons of the result panels.
    void loadPlanPictures();
    void loadPanelIcons();

    // Main menu commands.
    void newPlan(int planetType);
    void loadPlan();
    void savePlan();
    void saveScreenshot();
    void openSettings();
    void checkForUpdates();
    // "Vorschlag…": the dialog that searches for a proposal (made on first use).
    void openSuggestion();
    void showAbout();

    QString statusText(StatusPanel panel) const;

    // Names the plan in the title: its file (or, before it has one, its
    // planet type) and "*" while the history has unsaved changes. Called when
    // the plan's file or the history's unsaved state changes.
    void refreshTitle();

    Planner& planner() { return planner_; }
    FileCommands& files() { return *files_; }
    PlanCells& planCells() { return *cells_; }
    ResultPanels& resultPanels() { return *panels_; }
    EditHistory& history() { return *history_; }
    RecentPlans& recentPlans() { return *recent_; }
    // Sharing and comparing (interactive windows only).
    ShareCommands* share() { return share_; }

    // PlanView
    void setStatus(StatusPanel panel, const std::string& text) override;
    void layoutForPlanet(int p) override;
    void enablePlanControls() override;
    void resizeImageGrids(int width, int surfaceHeight, int orbitHeight) override;
    void hideCell(int x, int y, bool onSurface) override;
    void showField(int x, int y, int fieldType, bool onSurface) override;
    void showBuilding(int x, int y, int building, bool onSurface) override;
    void showProduction(const std::vector<GridRow>& rows) override;
    void showPopulation(const PopulationResult& result) override;
    void showCosts(const std::vector<GridRow>& rows) override;
    void showBsp(int bsp) override;
    void checkCostView(CostView view) override;
    void resetPopulationLimit() override;
    void showPopulationLimit(bool ticked, const std::string& text) override;
    void showInternalReputation(const std::string& text) override;

signals:
    // Start-up has read the settings and the pictures.
    void startupFinished();

protected:
    // Closing asks before unsaved changes are lost.
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    void createStatusBar();
    void createMenu();
    void applyLayout(const MainLayout& layout);
    // "Zuletzt" follows the plans loaded and saved; its entries and plans
    // dropped on the window are opened as "Laden" does.
    void connectPlanHistory();

    Info& info_;
    ActPlan& plan_;
    ProgramState& state_;
    Planner planner_;
    QString programDir_;

    QWidget* client_ = nullptr;
    ScreenFit* screenFit_ = nullptr;
    QLabel* logoPicture_ = nullptr;
    QGroupBox* surfaceBox_ = nullptr;
    QGroupBox* orbitBox_ = nullptr;
    QGroupBox* productionBox_ = nullptr;
    QGroupBox* costBox_ = nullptr;
    QGroupBox* personnelBox_ = nullptr;
    QGroupBox* informationBox_ = nullptr;
    std::array<QLabel*, kStatusPanelCount> statusPanels_{};  // indexed by StatusPanel
    PlanetMenu* newPlanMenu_ = nullptr;
    QAction* saveAction_ = nullptr;
    QAction* alphabeticalSortAction_ = nullptr;
    QTimer* startupTimer_ = nullptr;

    ResultPanels* panels_ = nullptr;
    PlanCells* cells_ = nullptr;
    FileCommands* files_ = nullptr;
    EditHistory* history_ = nullptr;
    // Only for a user at the window (not in batch mode, where nobody sees
    // it) are the recent plans kept and offered, and the history shown.
    const RunMode mode_;
    RecentPlans* recent_ = nullptr;
    ShareCommands* share_ = nullptr;
    PlanDrop* drop_ = nullptr;
    AboutBox* aboutBox_ = nullptr;
    UpdateDialog* updateDialog_ = nullptr;
    SettingsDialog* settingsDialog_ = nullptr;
    SuggestDialog* suggestDialog_ = nullptr;
    QAction* suggestAction_ = nullptr;
};

}  // namespace dz
