#include "gui/main_window.h"
#include "gui/support/window_fixture.h"

#include <gtest/gtest.h>

#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

#include "core/catalog/builtin_tables.h"
#include "gui/dialogs/about_box.h"
#include "gui/dialogs/update_dialog.h"
#include "gui/support/test_support.h"
#include "gui/widgets/planet_menu.h"

using namespace dz;

namespace {

class MainWindowTest : public WindowFixture {
protected:
    void SetUp() override {
        buildFieldTypes(info);
        // Planet 0 is the worked example of the layout; planet 9 has no orbit.
        for (int p = 0; p < kPlanetCount; ++p) setShape(p, 6 + p, 4, 2);
        setShape(0, 10, 5, 2);
        setShape(9, 10, 5, 0);
        for (InfoPlanet& planet : info.planets) planet.image = "p\\test.gif";  // named, not there
        makeWindow();  // the start-up steps are tested on their own
    }

    QRect geometryOf(const char* name) const { return window->findChild<QWidget*>(name)->geometry(); }

    void setShape(int p, int width, int surfaceHeight, int orbitHeight) {
        InfoPlanet& planet = info.planets[p];
        planet.width = width;
        planet.surfaceHeight = surfaceHeight;
        planet.orbitHeight = orbitHeight;
        planet.surface.assign(width, std::vector<std::int32_t>(surfaceHeight, ftMeadow));
        planet.orbit.assign(width, std::vector<std::int32_t>(orbitHeight, ftSpace));
    }

};

}  // namespace

TEST_F(MainWindowTest, EmptyWindowBeforeTheFirstPlan) {
    EXPECT_EQ(window->size(), QSize(752, 705 + 19)) << "client area plus menu bar";
    EXPECT_EQ(geometryOf("surfaceBox"), QRect(8, 8, 377, 208));
    EXPECT_EQ(geometryOf("orbitBox"), QRect(8, 222, 377, 101));
    EXPECT_EQ(geometryOf("productionBox"), QRect(8, 331, 209, 350));
    EXPECT_EQ(geometryOf("costBox"), QRect(228, 331, 281, 350));
    EXPECT_EQ(geometryOf("personnelBox"), QRect(519, 331, 225, 246));
    EXPECT_EQ(geometryOf("informationBox"), QRect(519, 583, 225, 96));
    EXPECT_EQ(geometryOf("logoPicture"), QRect(461, 38, 280, 200));
    EXPECT_FALSE(child<QLabel>(window, "logoPicture")->pixmap().isNull());

    EXPECT_EQ(child<QGroupBox>(window, "surfaceBox")->title(), "Oberfläche");
    EXPECT_EQ(child<QGroupBox>(window, "orbitBox")->title(), "Orbit");
    EXPECT_EQ(child<QGroupBox>(window, "productionBox")->title(), "Produktion / Verbrauch je Tick");
    EXPECT_EQ(child<QGroupBox>(window, "costBox")->title(), "Gesamtaufbaukosten");
    EXPECT_EQ(child<QGroupBox>(window, "personnelBox")->title(), "Personal");
    EXPECT_EQ(child<QGroupBox>(window, "informationBox")->title(), "Informationen");
    EXPECT_TRUE(child<QGroupBox>(window, "surfaceBox")->isEnabled());
    EXPECT_TRUE(child<QGroupBox>(window, "orbitBox")->isEnabled());
    for (QGroupBox* box : {child<QGroupBox>(window, "productionBox"), child<QGroupBox>(window, "costBox"), child<QGroupBox>(window, "personnelBox"), child<QGroupBox>(window, "informationBox")})
        EXPECT_FALSE(box->isEnabled()) << box->objectName().toStdString();
    EXPECT_FALSE(child<QAction>(window, "saveAction")->isEnabled());
    EXPECT_FALSE(child<QAction>(window, "alphabeticalSortAction")->isChecked());

    EXPECT_EQ(window->statusText(StatusPanel::Buildings), "Fertig");
    EXPECT_EQ(window->statusText(StatusPanel::Terraforming), "");
    EXPECT_EQ(window->statusText(StatusPanel::Personnel), "");
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(window->findChild<QLabel*>(QStringLiteral("statusPanel%1").arg(i))->width(), 250);
    EXPECT_EQ(window->statusBar()->height(), 19);
}

TEST_F(MainWindowTest, BlackWindowWithSmallWhiteSansFont) {
    const QWidget* client = child<QWidget>(window, "client");
    EXPECT_EQ(client->palette().color(QPalette::Window), QColor(Qt::black));
    EXPECT_EQ(client->palette().color(QPalette::WindowText), QColor(Qt::white));
    EXPECT_EQ(child<QGroupBox>(window, "surfaceBox")->palette().color(QPalette::WindowText), QColor(Qt::white));
    EXPECT_EQ(window->font().pixelSize(), 11);
    EXPECT_TRUE(window->font().family() == "Verdana" || window->font().family() == "DejaVu Sans")
        << window->font().family().toStdString();
    EXPECT_EQ(window->minimumSize(), window->maximumSize()) << "fixed size";
    EXPECT_FALSE(window->windowFlags() & Qt::WindowMaximizeButtonHint);
}

TEST_F(MainWindowTest, MainMenuCaptions) {
    QStringList top;
    for (QAction* a : window->menuBar()->actions()) top << a->text();
    EXPECT_EQ(top, (QStringList{"&Neu", "&Laden", "&Zuletzt", "&Speichern", "&Bearbeiten", "&Einstellungen", "S&creenshot",
                                "&About..."}))
        << "the captions, each with its Alt key (the letter after &)";

    QStringList planets;
    QList<int> columns;
    for (QAction* a : child<PlanetMenu>(window, "newPlanMenu")->entries()) {
        planets << a->text();
        columns << child<PlanetMenu>(window, "newPlanMenu")->columnOf(a);
    }
    EXPECT_EQ(planets, (QStringList{"Standardplanet", "Wüstenplanet", "Felsplanet", "Lavaplanet", "Eisplanet",
                                    "Gemäßigter Planet", "Wasserplanet", "Kleines Asteroidenfeld", "Eisasteroid",
                                    "Großes Asteroidenfeld"}));
    EXPECT_EQ(columns, (QList<int>{0, 0, 0, 0, 0, 0, 0, 1, 1, 1}));

    QStringList settings;
    for (QAction* a : child<QMenu>(window, "settingsMenu")->actions()) settings << a->text();
    // "Vorschlag…" and "Vergrößerung" come after the three entries the menu always had.
    EXPECT_EQ(settings, (QStringList{"&Alphabetische Sortierung", "Auf &Updates überprüfen", "&Einstellungen",
                                     "&Vorschlag…", "Ver&größerung"}));
    EXPECT_TRUE(child<QAction>(window, "alphabeticalSortAction")->isCheckable());
}

TEST_F(MainWindowTest, NewPlanLaysTheWindowOutForThePlanet) {
    window->newPlan(0);
    EXPECT_EQ(child<QGroupBox>(window, "surfaceBox")->geometry(), QRect(8, 8, 378, 208));
    EXPECT_EQ(child<QGroupBox>(window, "orbitBox")->geometry(), QRect(8, 218, 378, 106));
    EXPECT_EQ(child<QGroupBox>(window, "productionBox")->geometry().top(), 330);
    EXPECT_EQ(child<QGroupBox>(window, "informationBox")->geometry().top(), 582);
    EXPECT_EQ(window->size(), QSize(760 - 8, 756 - 8 - 23)) << "outer 760 x 756 less the frame";
    EXPECT_TRUE(state.planExists);
    EXPECT_FALSE(unsaved());
    EXPECT_TRUE(child<QAction>(window, "saveAction")->isEnabled());
    EXPECT_TRUE(child<QGroupBox>(window, "productionBox")->isEnabled());
    EXPECT_TRUE(child<QGroupBox>(window, "costBox")->isEnabled());
    EXPECT_TRUE(child<QGroupBox>(window, "personnelBox")->isEnabled());
    EXPECT_FALSE(child<QGroupBox>(window, "informationBox")->isEnabled()) << "stays disabled for the whole run";
}

TEST_F(MainWindowTest, PlanetWithoutOrbitHidesTheOrbitBoxUntilTheNextPlanetHasOne) {
    window->show();
    window->newPlan(9);
    EXPECT_FALSE(child<QGroupBox>(window, "orbitBox")->isVisible());
    EXPECT_EQ(child<QGroupBox>(window, "productionBox")->geometry().top(), 224);
    window->newPlan(0);
    EXPECT_TRUE(child<QGroupBox>(window, "orbitBox")->isVisible());
    EXPECT_EQ(child<QGroupBox>(window, "orbitBox")->geometry().top(), 218);
}

TEST_F(MainWindowTest, NewPlanResetsTheStatusLine) {
    window->setStatus(StatusPanel::Buildings, "Agrarfarm gebaut");
    window->setStatus(StatusPanel::Terraforming, "W\xFCste in Wiese terraformiert");
    window->setStatus(StatusPanel::Personnel, "1 Soldat eingestellt");
    EXPECT_EQ(window->statusText(StatusPanel::Terraforming), "Wüste in Wiese terraformiert")
        << "Windows-1252 bytes shown as text";
    window->newPlan(4);
    EXPECT_EQ(window->statusText(StatusPanel::Buildings), "Fertig");
    EXPECT_EQ(window->statusText(StatusPanel::Terraforming), "");
    EXPECT_EQ(window->statusText(StatusPanel::Personnel), "");
}

TEST_F(MainWindowTest, ConfirmDiscardAsksOnlyWithUnsavedChanges) {
    BoxAnswer answer(QMessageBox::No);
    EXPECT_TRUE(window->files().confirmDiscard());
    QTest::qWait(30);
    EXPECT_FALSE(answer.shown) << "no question without changes";
}

TEST_F(MainWindowTest, ConfirmDiscardShowsTheWarning) {
    window->newPlan(0);
    makeUnsavedChange();
    {
        BoxAnswer yes(QMessageBox::Yes);
        EXPECT_TRUE(window->files().confirmDiscard());
        EXPECT_EQ(yes.title, "Warnung");
        EXPECT_EQ(yes.text, "Alle nichtgespeicherten Änderungen gehen verloren,\nwirklich fortsetzen?");
        EXPECT_EQ(yes.buttons, QMessageBox::Yes | QMessageBox::No);
        EXPECT_EQ(yes.buttonTexts, (QStringList{"&Ja", "&Nein"})) << "German even without Qt's translation";
        EXPECT_TRUE(unsaved()) << "the question changes nothing itself";
    }
    BoxAnswer no(QMessageBox::No);
    EXPECT_FALSE(window->files().confirmDiscard());
}

TEST_F(MainWindowTest, AnsweringNoKeepsPlanAndWindow) {
    window->newPlan(0);
    makeUnsavedChange();
    const QSize before = window->size();
    {
        BoxAnswer no(QMessageBox::No);
        window->newPlan(9);
        EXPECT_TRUE(no.shown);
        EXPECT_EQ(window->size(), before);
        EXPECT_EQ(child<QGroupBox>(window, "productionBox")->geometry().top(), 330);
        EXPECT_TRUE(unsaved());
        EXPECT_TRUE(state.planExists);
    }
    BoxAnswer yes(QMessageBox::Yes);
    window->newPlan(9);
    EXPECT_TRUE(yes.shown);
    EXPECT_EQ(child<QGroupBox>(window, "productionBox")->geometry().top(), 224);
    EXPECT_FALSE(unsaved());
}

TEST_F(MainWindowTest, ClosingWithUnsavedChangesAsks) {
    window->show();
    window->newPlan(0);
    makeUnsavedChange();
    {
        BoxAnswer no(QMessageBox::No);
        EXPECT_FALSE(window->close());
        EXPECT_TRUE(no.shown);
        EXPECT_TRUE(window->isVisible());
        EXPECT_TRUE(unsaved());
    }
    BoxAnswer yes(QMessageBox::Yes);
    EXPECT_TRUE(window->close());
    EXPECT_FALSE(window->isVisible());
}

TEST_F(MainWindowTest, ClosingASavedPlanAsksNothing) {
    window->show();
    BoxAnswer answer(QMessageBox::No);
    EXPECT_TRUE(window->close());
    QTest::qWait(30);
    EXPECT_FALSE(answer.shown);
}

TEST_F(MainWindowTest, AlphabeticalSortFollowsTheCheckMark) {
    child<QAction>(window, "alphabeticalSortAction")->trigger();
    EXPECT_TRUE(child<QAction>(window, "alphabeticalSortAction")->isChecked());
    EXPECT_TRUE(state.alphabeticalSort);
    child<QAction>(window, "alphabeticalSortAction")->trigger();
    EXPECT_FALSE(state.alphabeticalSort);
}

TEST_F(MainWindowTest, ClickingAPlanetEntryStartsThatPlanet) {
    window->show();
    auto entries = child<PlanetMenu>(window, "newPlanMenu")->findChildren<PlanetMenuEntry*>();
    ASSERT_EQ(entries.size(), kPlanetCount);
    QSignalSpy triggered(child<PlanetMenu>(window, "newPlanMenu")->entries()[4], &QAction::triggered);
    QTest::mouseClick(entries[4], Qt::LeftButton);
    EXPECT_TRUE(triggered.wait(500));
    EXPECT_EQ(child<QGroupBox>(window, "surfaceBox")->width(), 34 * info.planets[4].width + 38);
}

TEST_F(MainWindowTest, StartUpTimerFiresOnceAfter150MillisecondsAndReportsMissingPictures) {
    QStringList reports;
    ReporterGuard guard([&](const QString& m) { reports << m; });
    MainWindow fresh(info, plan, state, RunMode::Interactive);
    fresh.setProgramDir(QStringLiteral("/nonexistent-dizozodidu"));
    EXPECT_TRUE(child<QTimer>(fresh, "startupTimer")->isActive());
    EXPECT_TRUE(child<QTimer>(fresh, "startupTimer")->isSingleShot());
    EXPECT_EQ(child<QTimer>(fresh, "startupTimer")->interval(), 150);
    QTest::qWait(100);
    EXPECT_TRUE(reports.isEmpty()) << "not before 150 ms";
    QTest::qWait(200);
    EXPECT_FALSE(child<QTimer>(fresh, "startupTimer")->isActive());
    ASSERT_EQ(reports.size(), 1) << "runs once, stops at the first missing picture";
    EXPECT_TRUE(reports[0].contains("/nonexistent-dizozodidu/images/")) << reports[0].toStdString();
    EXPECT_EQ(fresh.planCells().planetIcons().count(), 0);
}

TEST_F(MainWindowTest, AWidePlanCoversTheDecorativePicture) {
    window->show();
    // A bright point of the picture that a 20-column plan will cover.
    const QImage picture = child<QLabel>(window, "logoPicture")->pixmap().toImage();
    QPoint inPicture;
    for (int y = 0; y < picture.height() && inPicture.isNull(); ++y)
        for (int x = 0; x < 200 && inPicture.isNull(); ++x)
            if (picture.pixelColor(x, y).lightness() > 100) inPicture = child<QLabel>(window, "logoPicture")->pos() + QPoint(x, y);
    ASSERT_FALSE(inPicture.isNull());
    EXPECT_NE(window->centralWidget()->grab().toImage().pixelColor(inPicture), QColor(Qt::black));

    setShape(5, 20, 11, 2);
    window->newPlan(5);
    ASSERT_TRUE(child<QGroupBox>(window, "surfaceBox")->geometry().contains(inPicture));
    const QImage after = window->centralWidget()->grab().toImage();
    EXPECT_EQ(after.pixelColor(inPicture), QColor(Qt::black));
}

TEST_F(MainWindowTest, AboutBoxDisablesTheWindowUntilItCloses) {
    window->show();
    child<QAction>(window, "aboutAction")->trigger();
    EXPECT_FALSE(window->isEnabled());
    EXPECT_TRUE(child<AboutBox>(window, "aboutBox")->isVisible());
    child<AboutBox>(window, "aboutBox")->findChild<QPushButton*>(QStringLiteral("backButton"))->click();  // "Zurück"
    EXPECT_FALSE(child<AboutBox>(window, "aboutBox")->isVisible());
    EXPECT_TRUE(window->isEnabled());
    child<QAction>(window, "aboutAction")->trigger();
    child<AboutBox>(window, "aboutBox")->close();
    EXPECT_TRUE(window->isEnabled());
}

TEST_F(MainWindowTest, UpdateCheckOpensModallyFromTheMenu) {
    bool shown = false;
    QTimer::singleShot(0, [&] {
        shown = child<UpdateDialog>(window, "updateDialog")->isVisible() && child<UpdateDialog>(window, "updateDialog")->isModal();
        child<UpdateDialog>(window, "updateDialog")->reject();
    });
    child<QAction>(window, "checkForUpdatesAction")->trigger();
    EXPECT_TRUE(shown);
}
