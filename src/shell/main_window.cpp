#include "shell/main_window.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>
#include <QTimer>
#include <cstdio>

#include "shell/application.h"
#include "shell/decoration.h"
#include "shell/planet_menu.h"
#include "view/qt_text.h"

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
using MenuHandler = void (TfrmMain::*)();
const MenuHandler kPlanetHandlers[kPlanetCount] = {
    &TfrmMain::Standardplanet1Click, &TfrmMain::Wstenplanet1Click,   &TfrmMain::Felsplanet1Click,
    &TfrmMain::Lavaplanet1Click,     &TfrmMain::Eisplanet1Click,     &TfrmMain::GemigterPlanet1Click,
    &TfrmMain::Wasserplanet1Click,   &TfrmMain::kleinesAsteroidenfeld1Click, &TfrmMain::Eisasteroid1Click,
    &TfrmMain::GroesAsteroidenfeld1Click,
};
}  // namespace

QFont programFont() {
    const QString family = QFontDatabase::hasFamily(QStringLiteral("Verdana")) ? QStringLiteral("Verdana")
                                                                                : QStringLiteral("DejaVu Sans");
    QFont font(family);
    font.setPixelSize(11);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

TfrmMain::TfrmMain(Info& info, ProgramState& state, QStringList arguments, bool batchMode, QWidget* parent)
    : QMainWindow(parent), info_(info), state_(state), arguments_(std::move(arguments)), batchMode_(batchMode) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Dizozodidu – Kolonieplaner"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFont(programFont());
    createControls();
    createMenu();
    applyLayout(designLayout());

    tmStartup = new QTimer(this);
    tmStartup->setObjectName(QStringLiteral("tmStartup"));
    tmStartup->setSingleShot(true);
    tmStartup->setInterval(150);
    connect(tmStartup, &QTimer::timeout, this, &TfrmMain::tmStartupTimer);
    tmStartup->start();
}

void TfrmMain::createControls() {
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
}

void TfrmMain::createMenu() {
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

    Laden1 = bar->addAction(QStringLiteral("Laden"), this, &TfrmMain::Laden1Click);
    Laden1->setObjectName(QStringLiteral("Laden1"));
    Speichern1 = bar->addAction(QStringLiteral("Speichern"), this, &TfrmMain::Speichern1Click);
    Speichern1->setObjectName(QStringLiteral("Speichern1"));
    Speichern1->setEnabled(false);

    menSettings = bar->addMenu(QStringLiteral("Einstellungen"));
    menSettings->setObjectName(QStringLiteral("Einstellungen1"));
    menSettings->setFont(font());
    AlphabetischeSortierung1 = menSettings->addAction(QStringLiteral("Alphabetische Sortierung"));
    AlphabetischeSortierung1->setObjectName(QStringLiteral("AlphabetischeSortierung1"));
    AlphabetischeSortierung1->setCheckable(true);
    AlphabetischeSortierung1->setChecked(false);
    connect(AlphabetischeSortierung1, &QAction::triggered, this, &TfrmMain::AlphabetischeSortierung1Click);
    AufUpdatesberprfen2 = menSettings->addAction(QStringLiteral("Auf Updates überprüfen"), this,
                                                 &TfrmMain::AufUpdatesberprfen2Click);
    AufUpdatesberprfen2->setObjectName(QStringLiteral("AufUpdatesberprfen2"));
    AufUpdatesberprfen1 = menSettings->addAction(QStringLiteral("Einstellungen"), this,
                                                 &TfrmMain::AufUpdatesberprfen1Click);
    AufUpdatesberprfen1->setObjectName(QStringLiteral("AufUpdatesberprfen1"));

    Screenshot1 = bar->addAction(QStringLiteral("Screenshot"), this, &TfrmMain::Screenshot1Click);
    Screenshot1->setObjectName(QStringLiteral("Screenshot1"));
    About1 = bar->addAction(QStringLiteral("About..."), this, &TfrmMain::About1Click);
    About1->setObjectName(QStringLiteral("About1"));
}

void TfrmMain::applyLayout(const MainLayout& layout) {
    grpPlanet->setGeometry(toQRect(layout.grpPlanet));
    grpOrbit->setGeometry(toQRect(layout.grpOrbit));
    grpTick->setGeometry(toQRect(layout.grpTick));
    grpGesRess->setGeometry(toQRect(layout.grpGesRess));
    grpPersons->setGeometry(toQRect(layout.grpPersons));
    grpInfo->setGeometry(toQRect(layout.grpInfo));
    grpOrbit->setVisible(layout.orbitVisible);
    setFixedSize(windowSizeFor(layout));
}

void TfrmMain::setStatus(int panel, const std::string& text) {
    if (panel < 0 || panel >= int(statusPanels_.size())) return;
    statusPanels_[panel]->setText(fromCp1252(text));
}

QString TfrmMain::statusText(int panel) const {
    if (panel < 0 || panel >= int(statusPanels_.size())) return {};
    return statusPanels_[panel]->text();
}

void TfrmMain::layoutForPlanet(int p) {
    const InfoPlanet& planet = info_.planets.at(p);
    applyLayout(dz::layoutForPlanet(planet.width, planet.surfaceHeight, planet.orbitHeight));
}

bool TfrmMain::confirmDiscard() {
    if (!state_.planChanged) return true;
    if (batchMode_) return true;  // nobody to ask; batch mode never changes a plan
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Warnung"),
                    QStringLiteral("Alle nichtgespeicherten Änderungen gehen verloren,\nwirklich fortsetzen?"),
                    QMessageBox::Yes | QMessageBox::No, this);
    box.setObjectName(QStringLiteral("confirmDiscardBox"));
    return box.exec() == QMessageBox::Yes;
}

void TfrmMain::newPlan(int p) {
    state_.planExists = true;
    for (QGroupBox* box : {grpTick, grpGesRess, grpPersons}) box->setEnabled(true);
    Speichern1->setEnabled(true);
    setStatus(0, "Fertig");
    setStatus(1, "");
    setStatus(2, "");
    layoutForPlanet(p);
    state_.planChanged = false;
}

void TfrmMain::newPlanClick(int p) {
    if (confirmDiscard()) newPlan(p);
}

void TfrmMain::Standardplanet1Click() { newPlanClick(0); }
void TfrmMain::Wstenplanet1Click() { newPlanClick(1); }
void TfrmMain::Felsplanet1Click() { newPlanClick(2); }
void TfrmMain::Lavaplanet1Click() { newPlanClick(3); }
void TfrmMain::Eisplanet1Click() { newPlanClick(4); }
void TfrmMain::GemigterPlanet1Click() { newPlanClick(5); }
void TfrmMain::Wasserplanet1Click() { newPlanClick(6); }
void TfrmMain::kleinesAsteroidenfeld1Click() { newPlanClick(7); }
void TfrmMain::Eisasteroid1Click() { newPlanClick(8); }
void TfrmMain::GroesAsteroidenfeld1Click() { newPlanClick(9); }

// Loading, saving, the dialogs and the screenshot arrive with their own
// modules; until then their menu commands do nothing.
void TfrmMain::Laden1Click() {}
void TfrmMain::Speichern1Click() {}
void TfrmMain::AufUpdatesberprfen2Click() {}
void TfrmMain::AufUpdatesberprfen1Click() {}
void TfrmMain::Screenshot1Click() {}
void TfrmMain::About1Click() {}

void TfrmMain::AlphabetischeSortierung1Click() {
    // The action toggles its own check mark; the flag follows it.
    state_.alphabeticalSort = AlphabetischeSortierung1->isChecked();
}

void TfrmMain::tmStartupTimer() {
    tmStartup->stop();
    // Qt widgets are double-buffered already.

    const QString a1 = arguments_.value(0);
    if (a1 == QLatin1String("IMAGES")) {
        // Rendering a plan to a picture needs the plan file reader and the
        // screenshot, which this build does not have yet: fail loudly.
        if (auto* app = DizozodiduApplication::instance())
            app->reportError(QStringLiteral("Der Stapelbetrieb (IMAGES) ist in dieser Version noch nicht verfügbar."));
        return;
    }
}

void TfrmMain::closeEvent(QCloseEvent* event) {
    if (confirmDiscard())
        event->accept();
    else
        event->ignore();
}

}  // namespace dz
