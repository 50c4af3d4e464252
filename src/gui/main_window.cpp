#include "gui/main_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLocale>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>

#include "core/files/settings_file.h"
#include "gui/decoration.h"
#include "gui/edit_history.h"
#include "gui/dialogs/about_box.h"
#include "gui/dialogs/settings_dialog.h"
#include "gui/dialogs/suggest_dialog.h"
#include "gui/dialogs/update_dialog.h"
#include "gui/file_commands.h"
#include "gui/guide_key.h"
#include "gui/menu_keys.h"
#include "gui/plan_cells.h"
#include "gui/plan_drop.h"
#include "gui/problem_report.h"
#include "gui/recent_plans.h"
#include "gui/result_panels.h"
#include "gui/screen_fit.h"
#include "gui/share_commands.h"
#include "gui/user_settings.h"
#include "gui/zoom_setting.h"
#include "gui/widgets/style.h"
#include "gui/widgets/planet_menu.h"
#include "gui/widgets/program_icon.h"
#include "gui/widgets/qt_text.h"

namespace dz {

namespace {

QRect toQRect(const Rect& r) { return QRect(r.left, r.top, r.width, r.height); }

QPalette blackPalette(QPalette palette) {
    for (auto group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Window, Qt::black);
        palette.setColor(group, QPalette::WindowText, Qt::white);
    }
    palette.setColor(QPalette::Disabled, QPalette::Window, Qt::black);
    palette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(128, 128, 128));
    return palette;
}

QGroupBox* makeGroup(QWidget* parent, const char* name, const QString& title) {
    auto* box = new QGroupBox(title, parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setAutoFillBackground(true);  // opaque: a wide plan covers the picture behind it
    return box;
}

// The caption bar and the frame are the window manager's; the metrics of the
// layout count them, so the Qt window is the outer size minus them.
QSize windowSizeFor(const MainLayout& layout) {
    return QSize(layout.clientWidth(), layout.clientHeight() + FrameMetrics::menuBar);
}
// The part between menu bar and status line, where the group boxes stand.
QSize contentSizeFor(const MainLayout& layout) {
    return QSize(layout.clientWidth(), layout.clientHeight() - FrameMetrics::statusBar);
}

// The "Neu" entries, in planet-type order; the second column starts with the small asteroid field.
const char* const kPlanetCaptions[kPlanetCount] = {
    "Standardplanet", "Wüstenplanet", "Felsplanet", "Lavaplanet", "Eisplanet",
    "Gemäßigter Planet", "Wasserplanet", "Kleines Asteroidenfeld", "Eisasteroid", "Großes Asteroidenfeld",
};
constexpr int kSecondColumnStart = ptSmallAsteroids;

// The window's title: the product, after the plan's name once there is a
// plan, with a mark while it has unsaved changes.
QString titleFor(const QString& plan, bool changed) {
    if (plan.isEmpty()) return QStringLiteral("Dizozodidu");
    return plan + (changed ? QStringLiteral("*") : QString()) + QStringLiteral(" – Dizozodidu");
}

// The decimal separator of the user's locale, for the production values.
char localeDecimalSeparator() {
    const QString separator = QLocale().decimalPoint();
    return separator.size() == 1 && separator[0].unicode() < 0x80 ? char(separator[0].unicode()) : '.';
}

}  // namespace

MainWindow::MainWindow(Info& info, ActPlan& plan, ProgramState& state, RunMode mode, QWidget* parent)
    : QMainWindow(parent),
      info_(info),
      plan_(plan),
      state_(state),
      planner_(info, plan, state, *this),
      programDir_(QCoreApplication::applicationDirPath()),
      mode_(mode) {
    plan_.selected = FieldSelection{-1, -1, false};
    plan_.planetType = -1;
    setObjectName(QStringLiteral("mainWindow"));
    setWindowTitle(titleFor(QString(), false));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFont(programFont());
    history_ = new EditHistory(planner_, this);
    createControls();
    createStatusBar();
    cells_ = new PlanCells(info_, plan_, planner_, *history_, surfaceBox_, orbitBox_, this);
    files_ = new FileCommands(info_, plan_, state_, planner_, *history_, mode_, this);
    // Batch mode leaves the user's settings alone; unusable settings are named once.
    recent_ = new RecentPlans(this, mode_ == RunMode::Interactive);
    if (mode_ == RunMode::Interactive && !UserSettings::usable())
        statusBar()->showMessage(UserSettings::notUsableText(), 30000);
    drop_ = new PlanDrop(this);
    addGuideKey(this, [this] { return programDir_; });
    connectPlanHistory();
    createMenu();
    // The title names the plan's file and follows the history's unsaved changes.
    connect(files_, &FileCommands::planFileChanged, this, &MainWindow::refreshTitle);
    connect(history_, &EditHistory::unsavedChangesChanged, this, &MainWindow::refreshTitle);
    planner_.setDecimalSeparator(localeDecimalSeparator());
    panels_->setDecimalSeparator(planner_.decimalSeparator());
    applyLayout(designLayout());

    // The side windows live as long as the main window: about box, update check, settings.
    aboutBox_ = new AboutBox(this);
    updateDialog_ = new UpdateDialog(this);
    settingsDialog_ = new SettingsDialog(
        state_, [this](const QString& text) { panels_->showInternalReputation(text); },
        [this] { planner_.computePopulation(); }, QString::fromLatin1(settingsFileName), this);
    connect(settingsDialog_, &SettingsDialog::notSaved, this,
            [this](const QString& why) { showMessage(this, QMessageBox::Warning, QStringLiteral("Einstellungen"), why); });

    startupTimer_ = new QTimer(this);
    startupTimer_->setObjectName(QStringLiteral("startupTimer"));
    startupTimer_->setSingleShot(true);
    startupTimer_->setInterval(150);
    connect(startupTimer_, &QTimer::timeout, this, &MainWindow::finishStartup);
    startupTimer_->start();
}

void MainWindow::createControls() {
    client_ = new QWidget(this);
    client_->setObjectName(QStringLiteral("client"));
    client_->setAutoFillBackground(true);
    client_->setPalette(blackPalette(client_->palette()));
    screenFit_ = new ScreenFit(this, client_);

    // Created first, so the group boxes cover it where a wide plan reaches it.
    logoPicture_ = new QLabel(client_);
    logoPicture_->setObjectName(QStringLiteral("logoPicture"));
    logoPicture_->setGeometry(461, 38, 280, 200);
    logoPicture_->setPixmap(drawDecoration(280, 200, logoPicture_->devicePixelRatioF()));

    surfaceBox_ = makeGroup(client_, "surfaceBox", QStringLiteral("Oberfläche"));
    orbitBox_ = makeGroup(client_, "orbitBox", QStringLiteral("Orbit"));
    productionBox_ = makeGroup(client_, "productionBox", QStringLiteral("Produktion / Verbrauch je Tick"));
    costBox_ = makeGroup(client_, "costBox", QStringLiteral("Gesamtaufbaukosten"));
    personnelBox_ = makeGroup(client_, "personnelBox", QStringLiteral("Personal"));
    informationBox_ = makeGroup(client_, "informationBox", QStringLiteral("Informationen"));
    for (QGroupBox* box : {productionBox_, costBox_, personnelBox_, informationBox_}) box->setEnabled(false);
    panels_ = new ResultPanels(info_, planner_, *history_, {productionBox_, costBox_, personnelBox_, informationBox_},
                               this);
}

void MainWindow::createStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("statusBar"));
    bar->setSizeGripEnabled(false);
    bar->setFixedHeight(FrameMetrics::statusBar);
    for (std::size_t i = 0; i < statusPanels_.size(); ++i) {
        auto* panel = new QLabel(bar);
        panel->setObjectName(QStringLiteral("statusPanel%1").arg(i));
        panel->setFixedWidth(250);
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        bar->addWidget(panel);
        statusPanels_[i] = panel;
    }
    statusPanels_[std::size_t(StatusPanel::Buildings)]->setText(QStringLiteral("Fertig"));
}

void MainWindow::createMenu() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("mainMenu"));
    bar->setFixedHeight(FrameMetrics::menuBar);
    // Every caption has its Alt key (the underlined letter); the commands of
    // the menu bar itself have the usual shortcuts, shown as their tool tips.
    showMenuBarToolTips(bar);

    newPlanMenu_ = new PlanetMenu(QStringLiteral("&Neu"), bar);
    newPlanMenu_->setObjectName(QStringLiteral("newPlanMenu"));
    newPlanMenu_->setFont(font());
    for (int p = 0; p < kPlanetCount; ++p) {
        QAction* action = newPlanMenu_->addEntry(QString::fromUtf8(kPlanetCaptions[p]), p == kSecondColumnStart);
        action->setObjectName(QStringLiteral("newPlanAction%1").arg(p));
        connect(action, &QAction::triggered, this, [this, p] { newPlan(p); });
    }
    bar->addMenu(newPlanMenu_);

    // "Zuletzt" and "Bearbeiten" are the interactive window's: batch mode's
    // picture shows the menu bar without them.
    QAction* load = bar->addAction(QStringLiteral("&Laden"), this, &MainWindow::loadPlan);
    load->setObjectName(QStringLiteral("loadAction"));
    load->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    setShortcutToolTip(load);
    if (mode_ == RunMode::Interactive) bar->addMenu(recent_->menu());
    saveAction_ = bar->addAction(QStringLiteral("&Speichern"), this, &MainWindow::savePlan);
    saveAction_->setObjectName(QStringLiteral("saveAction"));
    saveAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    setShortcutToolTip(saveAction_);
    saveAction_->setEnabled(false);
    if (mode_ == RunMode::Interactive) {
        bar->addMenu(history_->menu());
        share_ = new ShareCommands(info_, plan_, state_, *files_, *cells_, *panels_, this, history_->menu());
    }

    QMenu* settings = bar->addMenu(QStringLiteral("&Einstellungen"));
    settings->setObjectName(QStringLiteral("settingsMenu"));
    settings->setFont(font());
    alphabeticalSortAction_ = settings->addAction(QStringLiteral("&Alphabetische Sortierung"));
    alphabeticalSortAction_->setObjectName(QStringLiteral("alphabeticalSortAction"));
    alphabeticalSortAction_->setCheckable(true);
    // The action toggles its own check mark; the flag follows it.
    connect(alphabeticalSortAction_, &QAction::triggered, this,
            [this] { state_.alphabeticalSort = alphabeticalSortAction_->isChecked(); });
    settings->addAction(QStringLiteral("Auf &Updates überprüfen"), this, &MainWindow::checkForUpdates)
        ->setObjectName(QStringLiteral("checkForUpdatesAction"));
    settings->addAction(QStringLiteral("&Einstellungen"), this, &MainWindow::openSettings)
        ->setObjectName(QStringLiteral("settingsAction"));
    suggestAction_ = settings->addAction(QStringLiteral("&Vorschlag…"), this, &MainWindow::openSuggestion);
    suggestAction_->setObjectName(QStringLiteral("suggestAction"));
    suggestAction_->setEnabled(false);  // searching needs a plan to add to
    if (mode_ == RunMode::Interactive) settings->addMenu(new ZoomMenu(this));

    QAction* screenshot = bar->addAction(QStringLiteral("S&creenshot"), this, &MainWindow::saveScreenshot);
    screenshot->setObjectName(QStringLiteral("screenshotAction"));
    screenshot->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    setShortcutToolTip(screenshot);
    bar->addAction(QStringLiteral("&About..."), this, &MainWindow::showAbout)->setObjectName(QStringLiteral("aboutAction"));

    // Closing by key, with the question before unsaved changes are lost.
    auto* quit = new QAction(QStringLiteral("Beenden"), this);
    quit->setObjectName(QStringLiteral("quitAction"));
    quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(quit, &QAction::triggered, this, &QWidget::close);
    addAction(quit);
}

void MainWindow::connectPlanHistory() {
    connect(files_, &FileCommands::planLoaded, recent_, &RecentPlans::planUsed);
    connect(files_, &FileCommands::planSaved, recent_, &RecentPlans::planUsed);
    connect(recent_, &RecentPlans::openRequested, files_, &FileCommands::openPlan);
    connect(drop_, &PlanDrop::planDropped, files_, &FileCommands::openPlan);
}

void MainWindow::applyLayout(const MainLayout& layout) {
    surfaceBox_->setGeometry(toQRect(layout.surfaceBox));
    orbitBox_->setGeometry(toQRect(layout.orbitBox));
    productionBox_->setGeometry(toQRect(layout.productionBox));
    costBox_->setGeometry(toQRect(layout.costBox));
    personnelBox_->setGeometry(toQRect(layout.personnelBox));
    informationBox_->setGeometry(toQRect(layout.informationBox));
    orbitBox_->setVisible(layout.orbitVisible);
    screenFit_->setDesignedSize(windowSizeFor(layout), contentSizeFor(layout));
}

void MainWindow::finishStartup() {
    startupTimer_->stop();
    settingsDialog_->readSettings();
    // A missing picture throws: the rest of start-up is skipped and the
    // message is shown where exceptions of event handlers end up.
    loadPlanPictures();
    loadPanelIcons();
    emit startupFinished();
}

void MainWindow::startStartupAtOnce() {
    if (!startupTimer_->isActive()) return;
    startupTimer_->setInterval(0);
    startupTimer_->start();
}

void MainWindow::loadPlanPictures() {
    const auto& entries = newPlanMenu_->entries();
    cells_->loadPictures(programDir_, [&entries](int p, const QPixmap& icon) { entries[p]->setIcon(QIcon(icon)); });
    // The program's icon; its 16-pixel size is the temperate planet, which
    // stands in for it when the icon files are missing.
    const QIcon icon = programIcon(programDir_);
    setWindowIcon(icon.isNull() ? QIcon(cells_->planetIcons().at(ptTemperate)) : icon);
}

void MainWindow::loadPanelIcons() { panels_->loadIcons(programDir_); }

// --- menu commands -----------------------------------------------------------

void MainWindow::newPlan(int planetType) {
    if (!files_->confirmDiscard()) return;
    planner_.newPlan(planetType);
    history_->clear();
    files_->setPlanFile(QString());  // a new plan has no file yet
}

void MainWindow::refreshTitle() {
    // A plan without a file is named after its planet type.
    QString plan;
    if (!files_->planFile().isEmpty())
        plan = QFileInfo(files_->planFile()).fileName();
    else if (state_.planExists && plan_.planetType >= 0 && plan_.planetType < kPlanetCount)
        plan = fromCp1252(info_.planets[std::size_t(plan_.planetType)].name);
    setWindowTitle(titleFor(plan, history_->hasUnsavedChanges()));
}

void MainWindow::loadPlan() { files_->loadWithDialog(); }
void MainWindow::savePlan() { files_->saveWithDialog(); }
void MainWindow::saveScreenshot() { files_->screenshotWithDialog(); }
void MainWindow::openSettings() { settingsDialog_->exec(); }
void MainWindow::checkForUpdates() { updateDialog_->exec(); }

void MainWindow::openSuggestion() {
    if (!state_.planExists) return;
    if (!suggestDialog_)
        suggestDialog_ = new SuggestDialog(
            info_, planner_, [this](const auto& change, const auto& name) { history_->perform(change, name); },
            [this] { return cells_->locks().positions(); }, this);
    // Modal, but without a local event loop: the search reports through the window's loop.
    suggestDialog_->open();
}

void MainWindow::showAbout() {
    // The about box enables the main window again however it is closed.
    setEnabled(false);
    aboutBox_->show();
    aboutBox_->raise();
}

void MainWindow::closeEvent(QCloseEvent* event) { event->setAccepted(files_->confirmDiscard()); }

// --- what the core shows -------------------------------------------------------

void MainWindow::setStatus(StatusPanel panel, const std::string& text) {
    statusPanels_.at(std::size_t(panel))->setText(fromCp1252(text));
}

QString MainWindow::statusText(StatusPanel panel) const { return statusPanels_.at(std::size_t(panel))->text(); }

void MainWindow::layoutForPlanet(int p) {
    // Every new and every loaded plan comes through here: its fields start unlocked.
    cells_->clearLocks();
    const InfoPlanet& planet = info_.planets.at(p);
    applyLayout(dz::layoutForPlanet(planet.width, planet.surfaceHeight, planet.orbitHeight));
}

void MainWindow::enablePlanControls() {
    for (QGroupBox* box : {productionBox_, costBox_, personnelBox_}) box->setEnabled(true);
    saveAction_->setEnabled(true);
    suggestAction_->setEnabled(true);
    if (share_) share_->planExists(true);
}

void MainWindow::resizeImageGrids(int width, int surfaceHeight, int orbitHeight) {
    cells_->resize(width, surfaceHeight, orbitHeight);
}
void MainWindow::hideCell(int x, int y, bool onSurface) { cells_->hideCell(x, y, onSurface); }
void MainWindow::showField(int x, int y, int fieldType, bool onSurface) { cells_->showField(x, y, fieldType, onSurface); }
void MainWindow::showBuilding(int x, int y, int building, bool onSurface) {
    cells_->showBuilding(x, y, building, onSurface);
}

void MainWindow::showProduction(const std::vector<GridRow>& rows) { panels_->showProduction(rows); }
void MainWindow::showPopulation(const PopulationResult& result) { panels_->showPopulation(result); }
void MainWindow::showCosts(const std::vector<GridRow>& rows) { panels_->showCosts(rows); }
void MainWindow::showBsp(int bsp) { panels_->showBsp(bsp); }
void MainWindow::checkCostView(CostView view) { panels_->checkCostView(view); }
void MainWindow::resetPopulationLimit() { panels_->resetPopulationLimit(); }
void MainWindow::showPopulationLimit(bool ticked, const std::string& text) { panels_->showPopulationLimit(ticked, text); }
void MainWindow::showInternalReputation(const std::string& text) { panels_->showInternalReputation(fromCp1252(text)); }

}  // namespace dz
