// TfrmMain: the planner's one window. It shows what the core decided and hands
// user input to it; the frame (menus, status line, layout, questions) lives here.
#pragma once

#include <QMainWindow>
#include <QStringList>
#include <array>

#include "catalog/info.h"
#include "plan/plan_view.h"
#include "plan/program_state.h"
#include "plan/window_layout.h"

class QAction;
class QGroupBox;
class QLabel;
class QMenu;
class QTimer;

namespace dz {

class PlanetMenu;

class TfrmMain : public QMainWindow, public PlanView {
    Q_OBJECT
public:
    // `arguments` are the program arguments without the program name.
    TfrmMain(Info& info, ProgramState& state, QStringList arguments, bool batchMode, QWidget* parent = nullptr);

    // PlanView
    void setStatus(int panel, const std::string& text) override;
    void layoutForPlanet(int p) override;

    QString statusText(int panel) const;

    // Asks before unsaved changes are lost; true when the caller may go on.
    bool confirmDiscard();

    // Starts a plan of planet type p (0..9).
    void newPlan(int p);

    // Main menu handlers.
    void Standardplanet1Click();
    void Wstenplanet1Click();
    void Felsplanet1Click();
    void Lavaplanet1Click();
    void Eisplanet1Click();
    void GemigterPlanet1Click();
    void Wasserplanet1Click();
    void kleinesAsteroidenfeld1Click();
    void Eisasteroid1Click();
    void GroesAsteroidenfeld1Click();
    void Laden1Click();
    void Speichern1Click();
    void AlphabetischeSortierung1Click();
    void AufUpdatesberprfen2Click();
    void AufUpdatesberprfen1Click();
    void Screenshot1Click();
    void About1Click();

    // The one-shot start-up timer: finishes start-up once the window runs.
    void tmStartupTimer();

    // Controls, for the handlers of later parts and for tests.
    QGroupBox* grpPlanet = nullptr;
    QGroupBox* grpOrbit = nullptr;
    QGroupBox* grpTick = nullptr;
    QGroupBox* grpGesRess = nullptr;
    QGroupBox* grpPersons = nullptr;
    QGroupBox* grpInfo = nullptr;
    QLabel* Image1 = nullptr;
    PlanetMenu* menNew = nullptr;
    QMenu* menSettings = nullptr;
    QMenu* menPopup = nullptr;
    QAction* Laden1 = nullptr;
    QAction* Speichern1 = nullptr;
    QAction* AlphabetischeSortierung1 = nullptr;
    QAction* AufUpdatesberprfen2 = nullptr;
    QAction* AufUpdatesberprfen1 = nullptr;
    QAction* Screenshot1 = nullptr;
    QAction* About1 = nullptr;
    QTimer* tmStartup = nullptr;

protected:
    // FormClose: closing asks before unsaved changes are lost.
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    void createMenu();
    void applyLayout(const MainLayout& layout);
    void newPlanClick(int p);

    Info& info_;
    ProgramState& state_;
    QStringList arguments_;
    bool batchMode_;
    QWidget* client_ = nullptr;
    std::array<QLabel*, 3> statusPanels_{};
};

// The font of the window: Verdana 8 pt (11 pixels), or a similar sans font
// where Verdana is not installed.
QFont programFont();

}  // namespace dz
