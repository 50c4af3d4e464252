// MainWindow: the planner's one window. It shows what the core decided and hands
// user input to it; the frame (menus, status line, layout, questions) and the
// plan view live here.
#pragma once

#include <QMainWindow>
#include <QStringList>
#include <array>

#include "core/catalog/info.h"
#include "core/plan/act_plan.h"
#include "core/planner/plan_view.h"
#include "core/planner/planner.h"
#include "core/planner/program_state.h"
#include "core/layout/window_layout.h"
#include "gui/widgets/image_list.h"
#include "gui/widgets/plan_graphic.h"

class QAction;
class QCheckBox;
class QGroupBox;
class QLineEdit;
class QRadioButton;
class QLabel;
class QMenu;
class QTimer;

namespace dz {

class PanelGrid;
class PlanetMenu;
class AboutBox;
class SettingsDialog;
class UpdateDialog;
class UpDownButton;

class MainWindow : public QMainWindow, public PlanView {
    Q_OBJECT
public:
    // `arguments` are the program arguments without the program name.
    MainWindow(Info& info, ActPlan& plan, ProgramState& state, QStringList arguments, bool batchMode,
             QWidget* parent = nullptr);

    // The folder the pictures are read from ("images" below it); the
    // program's own folder unless set otherwise.
    void setProgramDir(const QString& dir) { programDir_ = dir; }

    // PlanView
    void setStatus(int panel, const std::string& text) override;
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

    // Loads a plan file. On any problem the plan and the window stay as they
    // were and the message "Ungültige Datei!" is shown (stderr in batch mode);
    // returns whether the plan was loaded.
    bool loadPlanFile(const QString& file);
    // Saves the plan under a name the ".kpls" rule makes of `chosen`; a
    // failure is shown and leaves planChanged as it was.
    bool savePlanFile(const QString& chosen);

    QString statusText(int panel) const;

    // Asks before unsaved changes are lost; true when the caller may go on.
    bool confirmDiscard();

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
    // Batch mode: loads the plan, writes its picture beside it, ends the program.
    void runBatch(const QString& planFile);
    // Writes the window's picture and says how it went.
    void takeScreenshot(const QString& name);
    // Start-up: the planet icons, field pictures and state frames.
    void loadImageLists();
    // Start-up: the people, storage and EPS icons and the resource icons.
    void loadPanelIcons();

    // Result panels.
    void rbtAllClick();
    void rbtBuildingsClick();
    void rbtTerraformingsClick();
    void CheckBox1Click();
    void Edit1Change();
    void udOekoMouseUp(QPoint position);
    void udHolodeckMouseUp(QPoint position);
    void udStudyMouseUp(QPoint position);
    void udSoldierMouseUp(QPoint position);

    // Mouse button released over a field picture: the right button selects
    // the field and fills the field menu, which then opens at the mouse.
    void PopupOpen(FieldPicture* picture, Qt::MouseButton button, QPoint position);
    // Fills menPopup for the selected field.
    void buildFieldMenu();
    // A field menu entry was chosen.
    void PopupClick(int tag);

    // Controls, for the handlers of later parts and for tests.
    QGroupBox* grpPlanet = nullptr;
    QGroupBox* grpOrbit = nullptr;
    QGroupBox* grpTick = nullptr;
    QGroupBox* grpGesRess = nullptr;
    QGroupBox* grpPersons = nullptr;
    QGroupBox* grpInfo = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* imgFree = nullptr;
    QLabel* imgGrenze = nullptr;
    QLabel* imgWork = nullptr;
    QLabel* imgWorkless = nullptr;
    QLabel* imgOeko = nullptr;
    QLabel* imgHolo = nullptr;
    QLabel* imgStudy = nullptr;
    QLabel* imgSoldier = nullptr;
    QLabel* imgLager = nullptr;
    QLabel* imgEps = nullptr;
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
    SettingsDialog* frmSet = nullptr;        // the settings dialog
    UpdateDialog* frmUpdate = nullptr;  // the update check
    AboutBox* frmAbout = nullptr;    // the about box
    PanelGrid* grdTick = nullptr;
    PanelGrid* grdPeople = nullptr;
    PanelGrid* grdGesRess = nullptr;
    QRadioButton* rbtAll = nullptr;
    QRadioButton* rbtBuildings = nullptr;
    QRadioButton* rbtTerraformings = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    UpDownButton* udOeko = nullptr;
    UpDownButton* udHolodeck = nullptr;
    UpDownButton* udStudy = nullptr;
    UpDownButton* udSoldier = nullptr;
    QLabel* Label2 = nullptr;  // "Attraktivität:"
    QLabel* lblAns = nullptr;  // the internal reputation
    QLabel* lblAttrak = nullptr;
    QLabel* lblAnsehen = nullptr;
    QLabel* lblBSP = nullptr;

    ImageList imlPlanets{16};
    ImageList imlFields{32};
    ImageList imlOthers{34};
    PlanGraphic images;    // the cells of the plan view
    Graphic panelIcons;    // the resource icons beside the result panels

protected:
    // FormClose: closing asks before unsaved changes are lost.
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    void createPanelIconControls();
    void createResultControls();
    void hireOrFire(Personnel kind, UpDownButton* button, QPoint position);
    void createMenu();
    void applyLayout(const MainLayout& layout);
    void newPlanClick(int p);
    // Gives a cell new frame and picture controls; returns them.
    std::pair<QLabel*, FieldPicture*> replaceCell(int x, int y, bool onSurface);
    void setFrame(QLabel* frame, const Field& field, bool showsBuilding);
    QLabel* makeIcon(QWidget* box, const std::string& catalogPath, int left, int top);
    void addMenuEntry(QMenu* menu, const MenuEntry& entry);

    Info& info_;
    ActPlan& plan_;
    ProgramState& state_;
    Planner planner_;
    QStringList arguments_;
    bool batchMode_;
    QString programDir_;
    PictureCache buildingPictures_;
    QWidget* client_ = nullptr;
    std::array<QLabel*, 3> statusPanels_{};
};

}  // namespace dz
