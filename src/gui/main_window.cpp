#include "gui/main_window.h"

#include <QBuffer>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFileDialog>
#include <QLineEdit>
#include <QLocale>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QCoreApplication>
#include <QMovie>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QStatusBar>
#include <QTimer>
#include <cstdio>

#include "core/files/plan_file.h"
#include "core/files/settings_file.h"
#include "gui/export/screenshot.h"
#include "gui/dialogs/about_box.h"
#include "gui/dialogs/settings_dialog.h"
#include "gui/dialogs/update_dialog.h"
#include "core/layout/field_cells.h"
#include "app/application.h"
#include "gui/decoration.h"
#include "gui/style.h"
#include "gui/widgets/planet_menu.h"
#include "gui/widgets/labels.h"
#include "gui/widgets/panel_grid.h"
#include "gui/widgets/qt_text.h"
#include "gui/widgets/up_down_button.h"

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

const char* const kPlanetCaptions[kPlanetCount] = {
    "Standardplanet", "Wüstenplanet", "Felsplanet", "Lavaplanet", "Eisplanet",
    "Gemäßigter Planet", "Wasserplanet", "Kleines Asteroidenfeld", "Eisasteroid", "Großes Asteroidenfeld",
};
const char* const kPlanetActionNames[kPlanetCount] = {
    "Standardplanet1", "Wstenplanet1",         "Felsplanet1",  "Lavaplanet1",           "Eisplanet1",
    "GemigterPlanet1", "Wasserplanet1", "kleinesAsteroidenfeld1", "Eisasteroid1", "GroesAsteroidenfeld1",
};
constexpr int kSecondColumnStart = ptSmallAsteroids;

}  // namespace

namespace {
using MenuHandler = void (MainWindow::*)();
const MenuHandler kPlanetHandlers[kPlanetCount] = {
    &MainWindow::Standardplanet1Click, &MainWindow::Wstenplanet1Click,   &MainWindow::Felsplanet1Click,
    &MainWindow::Lavaplanet1Click,     &MainWindow::Eisplanet1Click,     &MainWindow::GemigterPlanet1Click,
    &MainWindow::Wasserplanet1Click,   &MainWindow::kleinesAsteroidenfeld1Click, &MainWindow::Eisasteroid1Click,
    &MainWindow::GroesAsteroidenfeld1Click,
};
}  // namespace

MainWindow::MainWindow(Info& info, ActPlan& plan, ProgramState& state, QStringList arguments, bool batchMode,
                   QWidget* parent)
    : QMainWindow(parent),
      info_(info),
      plan_(plan),
      state_(state),
      planner_(info, plan, state, *this),
      arguments_(std::move(arguments)),
      batchMode_(batchMode),
      programDir_(QCoreApplication::applicationDirPath()) {
    plan_.selected = FieldSelection{-1, -1, false};
    plan_.planetType = -1;
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Dizozodidu – Kolonieplaner"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFont(programFont());
    createControls();
    createMenu();
    // Production values use the decimal separator of the user's locale.
    const QString separator = QLocale().decimalPoint();
    planner_.setDecimalSeparator(separator.size() == 1 && separator[0].unicode() < 0x80 ? char(separator[0].unicode())
                                                                                         : '.');
    for (PanelGrid* grid : {grdTick, grdPeople, grdGesRess}) grid->setDecimalSeparator(planner_.decimalSeparator());
    applyLayout(designLayout());

    // The side windows live as long as the main window: about box, update
    // check and settings, in this order.
    frmAbout = new AboutBox(this);
    frmAbout->setObjectName(QStringLiteral("frmAbout"));
    frmUpdate = new UpdateDialog(this);
    frmUpdate->setObjectName(QStringLiteral("frmUpdate"));
    frmSet = new SettingsDialog(
        state_, [this](const QString& text) { lblAns->setText(text); }, [this] { planner_.computePopulation(); },
        QString::fromLatin1(settingsFileName), this);
    frmSet->setObjectName(QStringLiteral("frmSet"));

    tmStartup = new QTimer(this);
    tmStartup->setObjectName(QStringLiteral("tmStartup"));
    tmStartup->setSingleShot(true);
    tmStartup->setInterval(150);
    connect(tmStartup, &QTimer::timeout, this, &MainWindow::tmStartupTimer);
    tmStartup->start();
}

void MainWindow::createControls() {
    client_ = new QWidget(this);
    client_->setObjectName(QStringLiteral("client"));
    client_->setAutoFillBackground(true);
    client_->setPalette(blackPalette(client_->palette()));
    setCentralWidget(client_);

    // Created first, so the group boxes cover it where a wide plan reaches it.
    Image1 = new QLabel(client_);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(461, 38, 280, 200);
    Image1->setPixmap(drawDecoration(280, 200));

    grpPlanet = makeGroup(client_, "grpPlanet", QStringLiteral("Oberfläche"));
    grpOrbit = makeGroup(client_, "grpOrbit", QStringLiteral("Orbit"));
    grpTick = makeGroup(client_, "grpTick", QStringLiteral("Produktion / Verbrauch je Tick"));
    grpGesRess = makeGroup(client_, "grpGesRess", QStringLiteral("Gesamtaufbaukosten"));
    grpPersons = makeGroup(client_, "grpPersons", QStringLiteral("Personal"));
    grpInfo = makeGroup(client_, "grpInfo", QStringLiteral("Informationen"));
    for (QGroupBox* box : {grpTick, grpGesRess, grpPersons, grpInfo}) box->setEnabled(false);
    createPanelIconControls();
    createResultControls();

    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("barStatus"));
    bar->setSizeGripEnabled(false);
    bar->setFixedHeight(FrameMetrics::statusBar);
    for (int i = 0; i < 3; ++i) {
        auto* panel = new QLabel(bar);
        panel->setObjectName(QStringLiteral("statusPanel%1").arg(i));
        panel->setFixedWidth(250);
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        bar->addWidget(panel);
        statusPanels_[i] = panel;
    }
    statusPanels_[0]->setText(QStringLiteral("Fertig"));

    menPopup = new QMenu(this);
    menPopup->setObjectName(QStringLiteral("menPopup"));
    menPopup->setFont(font());
}

void MainWindow::createPanelIconControls() {
    // Until the pictures are loaded the people icons show a small placeholder
    // figure; the storage and EPS boxes stay empty.
    QPixmap placeholder(7, 15);
    placeholder.fill(Qt::black);
    {
        QPainter p(&placeholder);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(160, 160, 160));
        p.drawEllipse(1, 0, 5, 5);
        p.drawRect(1, 6, 5, 9);
    }
    struct Placement {
        QLabel** control;
        const char* name;
        QGroupBox* box;
        int left, top;
    };
    const Placement people[] = {
        {&imgFree, "imgFree", grpPersons, 16, 77},       {&imgGrenze, "imgGrenze", grpPersons, 30, 53},
        {&imgWork, "imgWork", grpPersons, 16, 101},      {&imgWorkless, "imgWorkless", grpPersons, 16, 125},
        {&imgOeko, "imgOeko", grpPersons, 16, 149},      {&imgHolo, "imgHolo", grpPersons, 16, 172},
        {&imgStudy, "imgStudy", grpPersons, 16, 196},    {&imgSoldier, "imgSoldier", grpPersons, 16, 220},
    };
    for (const Placement& p : people) {
        auto* icon = new QLabel(p.box);
        icon->setObjectName(QString::fromLatin1(p.name));
        icon->setPixmap(placeholder);
        icon->setGeometry(p.left, p.top, placeholder.width(), placeholder.height());
        *p.control = icon;
    }
    imgLager = new QLabel(grpTick);
    imgLager->setObjectName(QStringLiteral("imgLager"));
    imgLager->setGeometry(10, 24, 17, 17);
    imgEps = new QLabel(grpTick);
    imgEps->setObjectName(QStringLiteral("imgEps"));
    imgEps->setGeometry(10, 40, 17, 17);
    for (QLabel* box : {imgLager, imgEps}) box->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void MainWindow::createResultControls() {
    // Production per tick: storage, EPS, a spacer and one row per resource.
    grdTick = new PanelGrid(GridKind::Tick, grpTick);
    grdTick->setObjectName(QStringLiteral("grdTick"));
    grdTick->setGeometry(32, 24, 174, 297);

    // Total build costs and the three views.
    rbtAll = new QRadioButton(QStringLiteral("Gesamt"), grpGesRess);
    rbtBuildings = new QRadioButton(QStringLiteral("Gebäude"), grpGesRess);
    rbtTerraformings = new QRadioButton(QStringLiteral("Terraformings"), grpGesRess);
    const std::tuple<QRadioButton*, const char*, int> radios[] = {
        {rbtAll, "rbtAll", 10}, {rbtBuildings, "rbtBuildings", 88}, {rbtTerraformings, "rbtTerraformings", 172}};
    for (auto [radio, name, left] : radios) {
        radio->setObjectName(QString::fromLatin1(name));
        radio->move(left, 21);
        radio->adjustSize();
    }
    connect(rbtAll, &QRadioButton::clicked, this, &MainWindow::rbtAllClick);
    connect(rbtBuildings, &QRadioButton::clicked, this, &MainWindow::rbtBuildingsClick);
    connect(rbtTerraformings, &QRadioButton::clicked, this, &MainWindow::rbtTerraformingsClick);
    grdGesRess = new PanelGrid(GridKind::Costs, grpGesRess);
    grdGesRess->setObjectName(QStringLiteral("grdGesRess"));
    grdGesRess->setGeometry(32, 47, 225, 290);

    // Personnel: the population limit above the grid, hire and fire beside rows 3 to 6.
    CheckBox1 = new QCheckBox(grpPersons);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    CheckBox1->move(12, 52);
    CheckBox1->adjustSize();
    connect(CheckBox1, &QCheckBox::toggled, this, &MainWindow::CheckBox1Click);
    makeLabel(grpPersons, "lblAnsCaption", QStringLiteral("internes Ansehen:"), 12, 26);
    lblAns = makeLabel(grpPersons, "lblAns", QString(), 130, 26);
    lblAns->setFixedWidth(85);
    makeLabel(grpPersons, "lblGrenze", QStringLiteral("Bevölkerungsgrenze:"), 50, 53);
    Edit1 = new QLineEdit(QStringLiteral("0"), grpPersons);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(165, 49, 50, 20);
    connect(Edit1, &QLineEdit::textChanged, this, &MainWindow::Edit1Change);
    grdPeople = new PanelGrid(GridKind::People, grpPersons);
    grdPeople->setObjectName(QStringLiteral("grdPeople"));
    grdPeople->setGeometry(29, 72, 169, 170);
    const std::tuple<UpDownButton**, const char*, void (MainWindow::*)(QPoint)> buttons[] = {
        {&udOeko, "udOeko", &MainWindow::udOekoMouseUp},
        {&udHolodeck, "udHolodeck", &MainWindow::udHolodeckMouseUp},
        {&udStudy, "udStudy", &MainWindow::udStudyMouseUp},
        {&udSoldier, "udSoldier", &MainWindow::udSoldierMouseUp},
    };
    int row = 3;
    for (auto [button, name, handler] : buttons) {
        *button = new UpDownButton(grpPersons);
        (*button)->setObjectName(QString::fromLatin1(name));
        (*button)->setGeometry(200, 72 + 24 * row + 1, 17, 22);
        connect(*button, &UpDownButton::released, this, handler);
        ++row;
    }

    // Indicators.
    Label2 = makeLabel(grpInfo, "Label2", QStringLiteral("Attraktivität:"), 10, 22);
    makeLabel(grpInfo, "Label3", QStringLiteral("Ansehenszuwachs:"), 10, 44);
    makeLabel(grpInfo, "Label4", QStringLiteral("verfügbare BSP:"), 10, 66);
    lblAttrak = makeLabel(grpInfo, "lblAttrak", QString(), 120, 22);
    lblAnsehen = makeLabel(grpInfo, "lblAnsehen", QString(), 120, 44);
    lblBSP = makeLabel(grpInfo, "lblBSP", QString(), 120, 66);
    for (QLabel* label : {Label2, lblAttrak, lblAnsehen, lblBSP}) {
        label->setFixedWidth(label == Label2 ? 105 : 100);
        setLabelColour(label, Qt::white);
    }
    for (QLabel* label : grpInfo->findChildren<QLabel*>()) setLabelColour(label, Qt::white);
}

void MainWindow::createMenu() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("menMain"));
    bar->setFixedHeight(FrameMetrics::menuBar);

    menNew = new PlanetMenu(QStringLiteral("Neu"), bar);
    menNew->setObjectName(QStringLiteral("Neu1"));
    menNew->setFont(font());
    for (int p = 0; p < kPlanetCount; ++p) {
        QAction* action = menNew->addEntry(QString::fromUtf8(kPlanetCaptions[p]), p == kSecondColumnStart);
        action->setObjectName(QString::fromLatin1(kPlanetActionNames[p]));
        connect(action, &QAction::triggered, this, kPlanetHandlers[p]);
    }
    bar->addMenu(menNew);

    Laden1 = bar->addAction(QStringLiteral("Laden"), this, &MainWindow::Laden1Click);
    Laden1->setObjectName(QStringLiteral("Laden1"));
    Speichern1 = bar->addAction(QStringLiteral("Speichern"), this, &MainWindow::Speichern1Click);
    Speichern1->setObjectName(QStringLiteral("Speichern1"));
    Speichern1->setEnabled(false);

    menSettings = bar->addMenu(QStringLiteral("Einstellungen"));
    menSettings->setObjectName(QStringLiteral("Einstellungen1"));
    menSettings->setFont(font());
    AlphabetischeSortierung1 = menSettings->addAction(QStringLiteral("Alphabetische Sortierung"));
    AlphabetischeSortierung1->setObjectName(QStringLiteral("AlphabetischeSortierung1"));
    AlphabetischeSortierung1->setCheckable(true);
    AlphabetischeSortierung1->setChecked(false);
    connect(AlphabetischeSortierung1, &QAction::triggered, this, &MainWindow::AlphabetischeSortierung1Click);
    AufUpdatesberprfen2 = menSettings->addAction(QStringLiteral("Auf Updates überprüfen"), this,
                                                 &MainWindow::AufUpdatesberprfen2Click);
    AufUpdatesberprfen2->setObjectName(QStringLiteral("AufUpdatesberprfen2"));
    AufUpdatesberprfen1 = menSettings->addAction(QStringLiteral("Einstellungen"), this,
                                                 &MainWindow::AufUpdatesberprfen1Click);
    AufUpdatesberprfen1->setObjectName(QStringLiteral("AufUpdatesberprfen1"));

    Screenshot1 = bar->addAction(QStringLiteral("Screenshot"), this, &MainWindow::Screenshot1Click);
    Screenshot1->setObjectName(QStringLiteral("Screenshot1"));
    About1 = bar->addAction(QStringLiteral("About..."), this, &MainWindow::About1Click);
    About1->setObjectName(QStringLiteral("About1"));
}

void MainWindow::applyLayout(const MainLayout& layout) {
    grpPlanet->setGeometry(toQRect(layout.grpPlanet));
    grpOrbit->setGeometry(toQRect(layout.grpOrbit));
    grpTick->setGeometry(toQRect(layout.grpTick));
    grpGesRess->setGeometry(toQRect(layout.grpGesRess));
    grpPersons->setGeometry(toQRect(layout.grpPersons));
    grpInfo->setGeometry(toQRect(layout.grpInfo));
    grpOrbit->setVisible(layout.orbitVisible);
    setFixedSize(windowSizeFor(layout));
}

void MainWindow::setStatus(int panel, const std::string& text) {
    if (panel < 0 || panel >= int(statusPanels_.size())) return;
    statusPanels_[panel]->setText(fromCp1252(text));
}

QString MainWindow::statusText(int panel) const {
    if (panel < 0 || panel >= int(statusPanels_.size())) return {};
    return statusPanels_[panel]->text();
}

void MainWindow::layoutForPlanet(int p) {
    const InfoPlanet& planet = info_.planets.at(p);
    applyLayout(dz::layoutForPlanet(planet.width, planet.surfaceHeight, planet.orbitHeight));
}

bool MainWindow::confirmDiscard() {
    if (!state_.planChanged) return true;
    if (batchMode_) return true;  // nobody to ask; batch mode never changes a plan
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Warnung"),
                    QStringLiteral("Alle nichtgespeicherten Änderungen gehen verloren,\nwirklich fortsetzen?"),
                    QMessageBox::Yes | QMessageBox::No, this);
    box.setObjectName(QStringLiteral("confirmDiscardBox"));
    return box.exec() == QMessageBox::Yes;
}

void MainWindow::enablePlanControls() {
    for (QGroupBox* box : {grpTick, grpGesRess, grpPersons}) box->setEnabled(true);
    Speichern1->setEnabled(true);
}

void MainWindow::newPlanClick(int p) {
    if (confirmDiscard()) planner_.newPlan(p);
}

// --- plan view -------------------------------------------------------------

void MainWindow::resizeImageGrids(int width, int surfaceHeight, int orbitHeight) {
    images.resize(width, surfaceHeight, orbitHeight);
}

void MainWindow::hideCell(int x, int y, bool onSurface) { releaseCell(images.cell(x, y, onSurface)); }

std::pair<QLabel*, FieldPicture*> MainWindow::replaceCell(int x, int y, bool onSurface) {
    Cell& cell = images.cell(x, y, onSurface);
    if (cell[0] && cell[1]) {
        // The cell's controls get their new content in place: for the user
        // that is the same as new controls, and it is far cheaper than
        // making and destroying widgets for every field an action redraws.
        auto* picture = static_cast<FieldPicture*>(cell[1]);
        QMovie* movie = picture->movie();
        picture->clear();
        if (movie) {
            QIODevice* device = movie->device();
            delete movie;
            delete device;
        }
        cell[0]->clear();
        return {cell[0], picture};
    }
    releaseCell(cell);
    QGroupBox* box = onSurface ? grpPlanet : grpOrbit;

    auto* frame = new QLabel(box);
    const Rect f = frameRect(x, y);
    frame->setGeometry(f.left, f.top, f.width, f.height);
    frame->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    cell[0] = frame;

    auto* picture = new FieldPicture(fieldKey(x, y, onSurface), menPopup, box);
    const Rect p = pictureRect(x, y);
    picture->setGeometry(p.left, p.top, p.width, p.height);
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    connect(picture, &FieldPicture::mouseUp, this, &MainWindow::PopupOpen);
    cell[1] = picture;

    frame->show();
    picture->show();
    return {frame, picture};
}

void MainWindow::setFrame(QLabel* frame, const Field& field, bool showsBuilding) {
    // Without the frames (start-up stopped early) the cell has no frame picture.
    const int index = frameIndex(field, showsBuilding);
    if (index < imlOthers.count()) frame->setPixmap(imlOthers.at(index));
}

void MainWindow::showField(int x, int y, int fieldType, bool onSurface) {
    const InfoField& type = info_.fields.at(std::size_t(fieldType));
    const Field& field = plan_.fieldAt(x, y, onSurface);
    auto [frame, picture] = replaceCell(x, y, onSurface);
    setFrame(frame, field, false);
    picture->setSource(QString());
    if (fieldType < imlFields.count()) picture->setPixmap(imlFields.at(fieldType));
    picture->setToolTip(fromCp1252(type.name));
}

void MainWindow::showBuilding(int x, int y, int building, bool onSurface) {
    const InfoBuilding& b = info_.buildings.at(std::size_t(building));
    const Field& field = plan_.fieldAt(x, y, onSurface);
    const InfoField& type = info_.fields.at(std::size_t(field.fieldType));
    const QString path = imagePath(programDir_, type.imageDir + "\\" + b.imageDir + "\\0.gif");
    // Read before the cell changes: a missing picture leaves the cell as it was.
    const PictureCache::Picture& picture = buildingPictures_.get(path);

    auto [frame, control] = replaceCell(x, y, onSurface);
    setFrame(frame, field, true);
    if (onSurface && picture.animated) {
        // On the surface the GIF runs; in the orbit it is a still picture.
        auto* buffer = new QBuffer(control);
        buffer->setData(picture.bytes);
        auto* movie = new QMovie(buffer, QByteArray(), control);
        control->setMovie(movie);
        movie->start();
    } else {
        control->setPixmap(picture.still);
    }
    control->setSource(path);
    control->setToolTip(fromCp1252(b.name));
}

void MainWindow::showProduction(const std::vector<GridRow>& rows) { grdTick->setRows(rows); }

void MainWindow::showPopulation(const PopulationResult& result) {
    grdPeople->setRows(result.rows);
    for (UpDownButton* button : {udOeko, udHolodeck, udStudy, udSoldier}) button->setEnabled(result.buttonsEnabled);
    const Indicators& ind = result.indicators;
    lblAttrak->setText(fromCp1252(ind.attractiveness));
    setLabelColour(lblAttrak, labelColour(ind.attractivenessColour));
    setLabelColour(Label2, labelColour(ind.attractivenessCaptionColour));
    lblAnsehen->setText(fromCp1252(ind.reputationGrowth));
    setLabelColour(lblAnsehen, labelColour(ind.reputationGrowthColour));
}

void MainWindow::showCosts(const std::vector<GridRow>& rows) { grdGesRess->setRows(rows); }

void MainWindow::showBsp(int bsp) { lblBSP->setText(QString::number(bsp)); }

void MainWindow::checkCostView(CostView view) {
    QRadioButton* radio = view == CostView::All ? rbtAll : view == CostView::Buildings ? rbtBuildings : rbtTerraformings;
    radio->setChecked(true);
}

void MainWindow::resetPopulationLimit() {
    const QSignalBlocker box(CheckBox1);
    const QSignalBlocker edit(Edit1);
    CheckBox1->setChecked(false);
    Edit1->setText(QStringLiteral("0"));
}

void MainWindow::showPopulationLimit(bool ticked, const std::string& text) {
    const QSignalBlocker box(CheckBox1);
    const QSignalBlocker edit(Edit1);
    CheckBox1->setChecked(ticked);
    Edit1->setText(fromCp1252(text));
}

void MainWindow::showInternalReputation(const std::string& text) { lblAns->setText(fromCp1252(text)); }

bool MainWindow::loadPlanFile(const QString& file) {
    LoadedPlan loaded;
    try {
        loaded = readPlanFile(file.toStdString(), info_);
    } catch (const PlanFileError& e) {
        const QString reason = QString::fromUtf8(e.what());
        if (batchMode_) {
            std::fprintf(stderr, "dizozodidu: %s: Ungültige Datei! %s\n", file.toLocal8Bit().constData(),
                         reason.toLocal8Bit().constData());
        } else {
            QMessageBox box(QMessageBox::Warning, QStringLiteral("Dizozodidu"), QStringLiteral("Ungültige Datei!"),
                            QMessageBox::Ok, this);
            box.setInformativeText(file + QStringLiteral("\n") + reason);
            box.exec();
        }
        return false;
    }
    planner_.loadPlan(loaded);
    return true;
}

bool MainWindow::savePlanFile(const QString& chosen) {
    const std::string name = planFileName(chosen.toStdString());
    try {
        savePlan(name, info_, plan_, state_.internalReputation);
    } catch (const std::exception& e) {
        QMessageBox::critical(this, QStringLiteral("Dizozodidu"),
                              QStringLiteral("Der Plan konnte nicht gespeichert werden.\n\n%1").arg(QString::fromUtf8(e.what())));
        return false;
    }
    state_.planChanged = false;
    return true;
}

void MainWindow::rbtAllClick() { planner_.refreshCosts(CostView::All); }
void MainWindow::rbtBuildingsClick() { planner_.refreshCosts(CostView::Buildings); }
void MainWindow::rbtTerraformingsClick() { planner_.refreshCosts(CostView::Terraformings); }

void MainWindow::CheckBox1Click() {
    const auto replacement = planner_.populationLimitClicked(CheckBox1->isChecked(), toCp1252(Edit1->text()));
    // Setting the text unticks the box through Edit1Change, which switches the limit off again.
    if (replacement) Edit1->setText(fromCp1252(*replacement));
    planner_.recomputePersonnel();
}

void MainWindow::Edit1Change() { CheckBox1->setChecked(false); }

void MainWindow::hireOrFire(Personnel kind, UpDownButton* button, QPoint position) {
    planner_.hireOrFire(kind, position.y(), button->height());
}

void MainWindow::udOekoMouseUp(QPoint position) { hireOrFire(Personnel::Eco, udOeko, position); }
void MainWindow::udHolodeckMouseUp(QPoint position) { hireOrFire(Personnel::Holodeck, udHolodeck, position); }
void MainWindow::udStudyMouseUp(QPoint position) { hireOrFire(Personnel::Scientist, udStudy, position); }
void MainWindow::udSoldierMouseUp(QPoint position) { hireOrFire(Personnel::Soldier, udSoldier, position); }

void MainWindow::PopupOpen(FieldPicture* picture, Qt::MouseButton button, QPoint) {
    if (button != Qt::RightButton) return;
    const FieldSelection selected = decodeFieldKey(picture->fieldKey());
    if (!plan_.contains(selected.x, selected.y, selected.onSurface)) return;
    plan_.selected = selected;
    buildFieldMenu();
}

void MainWindow::buildFieldMenu() {
    // The menu is made anew for every right click; the old entries and
    // submenus go.
    qDeleteAll(menPopup->findChildren<QMenu*>(QString(), Qt::FindDirectChildrenOnly));
    menPopup->clear();
    for (const MenuEntry& entry : planner_.buildFieldMenu()) addMenuEntry(menPopup, entry);
}

void MainWindow::addMenuEntry(QMenu* menu, const MenuEntry& entry) {
    // A "&" in a name is a letter, not a shortcut mark.
    const QString caption = fromCp1252(entry.caption).replace(QLatin1Char('&'), QLatin1String("&&"));
    if (entry.submenu) {
        auto* submenu = new QMenu(caption, menPopup);
        submenu->setFont(font());
        for (const MenuEntry& child : entry.entries) addMenuEntry(submenu, child);
        menu->addMenu(submenu);
        return;
    }
    QAction* action = menu->addAction(caption);
    action->setData(entry.tag);
    connect(action, &QAction::triggered, this, [this, tag = entry.tag] { PopupClick(tag); });
}

void MainWindow::PopupClick(int tag) { planner_.chooseMenuEntry(tag); }

// --- start-up pictures -----------------------------------------------------

void MainWindow::loadImageLists() {
    imlFields.clear();
    imlPlanets.clear();
    imlOthers.clear();
    const auto& entries = menNew->entries();
    for (int p = 0; p < kPlanetCount; ++p) {
        addToImageList(imagePath(programDir_, info_.planets[p].image), imlPlanets);
        entries[p]->setIcon(QIcon(imlPlanets.at(p)));
    }
    setWindowIcon(QIcon(imlPlanets.at(ptTemperate)));
    for (int t = 0; t < kFieldTypeCount; ++t)
        addToImageList(imagePath(programDir_, info_.fields[t].imageDir + "\\0.gif"), imlFields);
    for (const char* file : kFrameFiles) addToImageList(imagePath(programDir_, file), imlOthers);
}

QLabel* MainWindow::makeIcon(QWidget* box, const std::string& catalogPath, int left, int top) {
    const QImage picture = readPicture(imagePath(programDir_, catalogPath));
    auto* icon = new QLabel(box);
    icon->setPixmap(QPixmap::fromImage(picture));
    icon->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    icon->setGeometry(left, top, 16, 16);
    icon->show();
    return icon;
}

void MainWindow::loadPanelIcons() {
    const std::pair<QLabel*, const char*> people[] = {
        {imgFree, "bev\\max.gif"},     {imgGrenze, "bev\\grenze.gif"},         {imgWork, "bev\\work.gif"},
        {imgWorkless, "bev\\free.gif"}, {imgOeko, "bev\\umwelt.gif"},          {imgHolo, "bev\\holo.gif"},
        {imgStudy, "bev\\wissenschaftler.gif"}, {imgSoldier, "bev\\soldat.gif"},
    };
    for (auto [icon, file] : people) {
        const QImage picture = readPicture(imagePath(programDir_, file));
        icon->setPixmap(QPixmap::fromImage(picture));
        icon->resize(picture.size());  // the people icons take the size of their picture
    }
    imgLager->setPixmap(QPixmap::fromImage(readPicture(imagePath(programDir_, "w\\30.gif"))));
    imgEps->setPixmap(QPixmap::fromImage(readPicture(imagePath(programDir_, "b\\beamfrom_o.gif"))));

    panelIcons.rows.assign(kResourceCount + 1, Cell{nullptr, nullptr});
    for (int r = 0; r < kResourceCount; ++r) {
        const std::string& file = info_.resourceTypes[r].image;
        panelIcons.rows[r][0] = makeIcon(grpTick, file, 10, 64 + 16 * r);
        panelIcons.rows[r][1] = makeIcon(grpGesRess, file, 10, 48 + 16 * r);
    }
    panelIcons.rows[kResourceCount][1] = makeIcon(grpGesRess, "w\\31.gif", 10, 304);
}

void MainWindow::Standardplanet1Click() { newPlanClick(0); }
void MainWindow::Wstenplanet1Click() { newPlanClick(1); }
void MainWindow::Felsplanet1Click() { newPlanClick(2); }
void MainWindow::Lavaplanet1Click() { newPlanClick(3); }
void MainWindow::Eisplanet1Click() { newPlanClick(4); }
void MainWindow::GemigterPlanet1Click() { newPlanClick(5); }
void MainWindow::Wasserplanet1Click() { newPlanClick(6); }
void MainWindow::kleinesAsteroidenfeld1Click() { newPlanClick(7); }
void MainWindow::Eisasteroid1Click() { newPlanClick(8); }
void MainWindow::GroesAsteroidenfeld1Click() { newPlanClick(9); }

namespace {
const QString kPlanFilter = QStringLiteral("DizozodiduSaves (*.kpls)");
}  // namespace

void MainWindow::Laden1Click() {
    if (!confirmDiscard()) return;
    const QString file = QFileDialog::getOpenFileName(this, QStringLiteral("Laden"), QString(), kPlanFilter);
    if (file.isEmpty()) return;
    loadPlanFile(file);
}

void MainWindow::Speichern1Click() {
    QFileDialog dialog(this, QStringLiteral("Speichern"), QString(), kPlanFilter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    savePlanFile(dialog.selectedFiles().first());
}

void MainWindow::AufUpdatesberprfen2Click() { frmUpdate->exec(); }
void MainWindow::AufUpdatesberprfen1Click() { frmSet->exec(); }
void MainWindow::Screenshot1Click() {
    QFileDialog dialog(this, QStringLiteral("Screenshot"), QString(), QStringLiteral("JPEG-Grafikdatei (*.jpeg)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        QMessageBox::warning(this, QStringLiteral("Screenshot"), screenshotCancelledText());
        return;
    }
    takeScreenshot(dialog.selectedFiles().first());
}

void MainWindow::takeScreenshot(const QString& name) {
    if (saveScreenshot(this, name) == ScreenshotResult::Saved)
        QMessageBox::information(this, QStringLiteral("Screenshot"), screenshotSavedText());
    else
        QMessageBox::warning(this, QStringLiteral("Screenshot"), screenshotFailedText(name));
}
void MainWindow::About1Click() {
    // The about box enables the main window again however it is closed.
    setEnabled(false);
    frmAbout->show();
    frmAbout->raise();
}

void MainWindow::AlphabetischeSortierung1Click() {
    // The action toggles its own check mark; the flag follows it.
    state_.alphabeticalSort = AlphabetischeSortierung1->isChecked();
}

void MainWindow::tmStartupTimer() {
    tmStartup->stop();
    // Qt widgets are double-buffered already.

    frmSet->readSettings();
    // A missing picture throws: the rest of start-up is skipped and the
    // message is shown where exceptions of event handlers end up.
    loadImageLists();
    loadPanelIcons();

    const QString a1 = arguments_.value(0);
    if (!a1.isEmpty() && a1 != QLatin1String("IMAGES")) {
        loadPlanFile(a1);
        return;
    }
    if (a1 == QLatin1String("IMAGES")) runBatch(arguments_.value(1));
}

void MainWindow::runBatch(const QString& planFile) {
    // The plan becomes a picture beside it: silent on success, a message on
    // stderr and a non-zero exit status on any failure.
    auto fail = [](const QString& message) {
        std::fprintf(stderr, "dizozodidu: %s\n", message.toLocal8Bit().constData());
        QCoreApplication::exit(kExitFailure);
    };
    if (planFile.isEmpty()) return fail(QStringLiteral("Aufruf: dizozodidu IMAGES plan.kpls"));
    if (!loadPlanFile(planFile)) return QCoreApplication::exit(kExitFailure);  // the reason is on stderr
    QString error;
    const QString target = screenshotTarget(planFile);
    if (!writeJpeg(captureWindow(this), target, &error))
        return fail(screenshotFailedText(planFile) + QStringLiteral(" ") + error);
    close();
    QCoreApplication::exit(0);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (confirmDiscard())
        event->accept();
    else
        event->ignore();
}

}  // namespace dz
