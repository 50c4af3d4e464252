#include "gui/main_window.h"

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
#include "test_support.h"
#include "gui/widgets/planet_menu.h"

using namespace dz;

namespace {

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        buildFieldTypes(info);
        // Planet 0 is the worked example of the layout; planet 9 has no orbit.
        for (int p = 0; p < kPlanetCount; ++p) setShape(p, 6 + p, 4, 2);
        setShape(0, 10, 5, 2);
        setShape(9, 10, 5, 0);
        window = std::make_unique<MainWindow>(info, plan, state, QStringList{}, false);
        window->tmStartup->stop();  // the start-up steps are tested on their own
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

    Info info;
    ActPlan plan;
    ProgramState state;
    std::unique_ptr<MainWindow> window;
};

}  // namespace

TEST_F(MainWindowTest, EmptyWindowBeforeTheFirstPlan) {
    EXPECT_EQ(window->size(), QSize(752, 705 + 19)) << "client area plus menu bar";
    EXPECT_EQ(geometryOf("grpPlanet"), QRect(8, 8, 377, 208));
    EXPECT_EQ(geometryOf("grpOrbit"), QRect(8, 222, 377, 101));
    EXPECT_EQ(geometryOf("grpTick"), QRect(8, 331, 209, 350));
    EXPECT_EQ(geometryOf("grpGesRess"), QRect(228, 331, 281, 350));
    EXPECT_EQ(geometryOf("grpPersons"), QRect(519, 331, 225, 246));
    EXPECT_EQ(geometryOf("grpInfo"), QRect(519, 583, 225, 96));
    EXPECT_EQ(geometryOf("Image1"), QRect(461, 38, 280, 200));
    EXPECT_FALSE(window->Image1->pixmap().isNull());

    EXPECT_EQ(window->grpPlanet->title(), "Oberfläche");
    EXPECT_EQ(window->grpOrbit->title(), "Orbit");
    EXPECT_EQ(window->grpTick->title(), "Produktion / Verbrauch je Tick");
    EXPECT_EQ(window->grpGesRess->title(), "Gesamtaufbaukosten");
    EXPECT_EQ(window->grpPersons->title(), "Personal");
    EXPECT_EQ(window->grpInfo->title(), "Informationen");
    EXPECT_TRUE(window->grpPlanet->isEnabled());
    EXPECT_TRUE(window->grpOrbit->isEnabled());
    for (QGroupBox* box : {window->grpTick, window->grpGesRess, window->grpPersons, window->grpInfo})
        EXPECT_FALSE(box->isEnabled()) << box->objectName().toStdString();
    EXPECT_FALSE(window->Speichern1->isEnabled());
    EXPECT_FALSE(window->AlphabetischeSortierung1->isChecked());

    EXPECT_EQ(window->statusText(0), "Fertig");
    EXPECT_EQ(window->statusText(1), "");
    EXPECT_EQ(window->statusText(2), "");
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(window->findChild<QLabel*>(QStringLiteral("statusPanel%1").arg(i))->width(), 250);
    EXPECT_EQ(window->statusBar()->height(), 19);
}

TEST_F(MainWindowTest, BlackWindowWithSmallWhiteSansFont) {
    const QWidget* client = window->centralWidget();
    EXPECT_EQ(client->palette().color(QPalette::Window), QColor(Qt::black));
    EXPECT_EQ(client->palette().color(QPalette::WindowText), QColor(Qt::white));
    EXPECT_EQ(window->grpPlanet->palette().color(QPalette::WindowText), QColor(Qt::white));
    EXPECT_EQ(window->font().pixelSize(), 11);
    EXPECT_TRUE(window->font().family() == "Verdana" || window->font().family() == "DejaVu Sans")
        << window->font().family().toStdString();
    EXPECT_EQ(window->minimumSize(), window->maximumSize()) << "fixed size";
    EXPECT_FALSE(window->windowFlags() & Qt::WindowMaximizeButtonHint);
}

TEST_F(MainWindowTest, MainMenuCaptions) {
    QStringList top;
    for (QAction* a : window->menuBar()->actions()) top << a->text();
    EXPECT_EQ(top, (QStringList{"Neu", "Laden", "Speichern", "Einstellungen", "Screenshot", "About..."}));

    QStringList planets;
    QList<int> columns;
    for (QAction* a : window->menNew->entries()) {
        planets << a->text();
        columns << window->menNew->columnOf(a);
    }
    EXPECT_EQ(planets, (QStringList{"Standardplanet", "Wüstenplanet", "Felsplanet", "Lavaplanet", "Eisplanet",
                                    "Gemäßigter Planet", "Wasserplanet", "Kleines Asteroidenfeld", "Eisasteroid",
                                    "Großes Asteroidenfeld"}));
    EXPECT_EQ(columns, (QList<int>{0, 0, 0, 0, 0, 0, 0, 1, 1, 1}));

    QStringList settings;
    for (QAction* a : window->menSettings->actions()) settings << a->text();
    EXPECT_EQ(settings, (QStringList{"Alphabetische Sortierung", "Auf Updates überprüfen", "Einstellungen"}));
    EXPECT_TRUE(window->AlphabetischeSortierung1->isCheckable());
}

TEST_F(MainWindowTest, NewPlanLaysTheWindowOutForThePlanet) {
    window->Standardplanet1Click();
    EXPECT_EQ(window->grpPlanet->geometry(), QRect(8, 8, 378, 208));
    EXPECT_EQ(window->grpOrbit->geometry(), QRect(8, 218, 378, 106));
    EXPECT_EQ(window->grpTick->geometry().top(), 330);
    EXPECT_EQ(window->grpInfo->geometry().top(), 582);
    EXPECT_EQ(window->size(), QSize(760 - 8, 756 - 8 - 23)) << "outer 760 x 756 less the frame";
    EXPECT_TRUE(state.planExists);
    EXPECT_FALSE(state.planChanged);
    EXPECT_TRUE(window->Speichern1->isEnabled());
    EXPECT_TRUE(window->grpTick->isEnabled());
    EXPECT_TRUE(window->grpGesRess->isEnabled());
    EXPECT_TRUE(window->grpPersons->isEnabled());
    EXPECT_FALSE(window->grpInfo->isEnabled()) << "stays disabled for the whole run";
}

TEST_F(MainWindowTest, PlanetWithoutOrbitHidesTheOrbitBoxUntilTheNextPlanetHasOne) {
    window->show();
    window->GroesAsteroidenfeld1Click();
    EXPECT_FALSE(window->grpOrbit->isVisible());
    EXPECT_EQ(window->grpTick->geometry().top(), 224);
    window->Standardplanet1Click();
    EXPECT_TRUE(window->grpOrbit->isVisible());
    EXPECT_EQ(window->grpOrbit->geometry().top(), 218);
}

TEST_F(MainWindowTest, NewPlanResetsTheStatusLine) {
    window->setStatus(0, "Agrarfarm gebaut");
    window->setStatus(1, "W\xFCste in Wiese terraformiert");
    window->setStatus(2, "1 Soldat eingestellt");
    EXPECT_EQ(window->statusText(1), "Wüste in Wiese terraformiert") << "Windows-1252 bytes shown as text";
    window->Eisplanet1Click();
    EXPECT_EQ(window->statusText(0), "Fertig");
    EXPECT_EQ(window->statusText(1), "");
    EXPECT_EQ(window->statusText(2), "");
}

TEST_F(MainWindowTest, ConfirmDiscardAsksOnlyWithUnsavedChanges) {
    BoxAnswer answer(QMessageBox::No);
    EXPECT_TRUE(window->confirmDiscard());
    QTest::qWait(30);
    EXPECT_FALSE(answer.shown) << "no question without changes";
}

TEST_F(MainWindowTest, ConfirmDiscardShowsTheWarning) {
    state.planChanged = true;
    {
        BoxAnswer yes(QMessageBox::Yes);
        EXPECT_TRUE(window->confirmDiscard());
        EXPECT_EQ(yes.title, "Warnung");
        EXPECT_EQ(yes.text, "Alle nichtgespeicherten Änderungen gehen verloren,\nwirklich fortsetzen?");
        EXPECT_EQ(yes.buttons, QMessageBox::Yes | QMessageBox::No);
        EXPECT_TRUE(state.planChanged) << "the question changes nothing itself";
    }
    BoxAnswer no(QMessageBox::No);
    EXPECT_FALSE(window->confirmDiscard());
}

TEST_F(MainWindowTest, AnsweringNoKeepsPlanAndWindow) {
    window->Standardplanet1Click();
    state.planChanged = true;
    const QSize before = window->size();
    {
        BoxAnswer no(QMessageBox::No);
        window->GroesAsteroidenfeld1Click();
        EXPECT_TRUE(no.shown);
        EXPECT_EQ(window->size(), before);
        EXPECT_EQ(window->grpTick->geometry().top(), 330);
        EXPECT_TRUE(state.planChanged);
        EXPECT_TRUE(state.planExists);
    }
    BoxAnswer yes(QMessageBox::Yes);
    window->GroesAsteroidenfeld1Click();
    EXPECT_TRUE(yes.shown);
    EXPECT_EQ(window->grpTick->geometry().top(), 224);
    EXPECT_FALSE(state.planChanged);
}

TEST_F(MainWindowTest, ClosingWithUnsavedChangesAsks) {
    window->show();
    state.planChanged = true;
    {
        BoxAnswer no(QMessageBox::No);
        EXPECT_FALSE(window->close());
        EXPECT_TRUE(no.shown);
        EXPECT_TRUE(window->isVisible());
        EXPECT_TRUE(state.planChanged);
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
    window->AlphabetischeSortierung1->trigger();
    EXPECT_TRUE(window->AlphabetischeSortierung1->isChecked());
    EXPECT_TRUE(state.alphabeticalSort);
    window->AlphabetischeSortierung1->trigger();
    EXPECT_FALSE(state.alphabeticalSort);
}

TEST_F(MainWindowTest, ClickingAPlanetEntryStartsThatPlanet) {
    window->show();
    auto entries = window->menNew->findChildren<PlanetMenuEntry*>();
    ASSERT_EQ(entries.size(), kPlanetCount);
    QSignalSpy triggered(window->menNew->entries()[4], &QAction::triggered);
    QTest::mouseClick(entries[4], Qt::LeftButton);
    EXPECT_TRUE(triggered.wait(500));
    EXPECT_EQ(window->grpPlanet->width(), 34 * info.planets[4].width + 38);
}

TEST_F(MainWindowTest, StartUpTimerFiresOnceAfter150MillisecondsAndReportsMissingPictures) {
    QStringList reports;
    ReporterGuard guard([&](const QString& m) { reports << m; });
    MainWindow fresh(info, plan, state, QStringList{}, false);
    fresh.setProgramDir(QStringLiteral("/nonexistent-dizozodidu"));
    EXPECT_TRUE(fresh.tmStartup->isActive());
    EXPECT_TRUE(fresh.tmStartup->isSingleShot());
    EXPECT_EQ(fresh.tmStartup->interval(), 150);
    QTest::qWait(100);
    EXPECT_TRUE(reports.isEmpty()) << "not before 150 ms";
    QTest::qWait(200);
    EXPECT_FALSE(fresh.tmStartup->isActive());
    ASSERT_EQ(reports.size(), 1) << "runs once, stops at the first missing picture";
    EXPECT_TRUE(reports[0].contains("/nonexistent-dizozodidu/images/")) << reports[0].toStdString();
    EXPECT_EQ(fresh.imlPlanets.count(), 0);
}

TEST_F(MainWindowTest, AWidePlanCoversTheDecorativePicture) {
    window->show();
    // A bright point of the picture that a 20-column plan will cover.
    const QImage picture = window->Image1->pixmap().toImage();
    QPoint inPicture;
    for (int y = 0; y < picture.height() && inPicture.isNull(); ++y)
        for (int x = 0; x < 200 && inPicture.isNull(); ++x)
            if (picture.pixelColor(x, y).lightness() > 100) inPicture = window->Image1->pos() + QPoint(x, y);
    ASSERT_FALSE(inPicture.isNull());
    EXPECT_NE(window->centralWidget()->grab().toImage().pixelColor(inPicture), QColor(Qt::black));

    setShape(5, 20, 11, 2);
    window->GemigterPlanet1Click();
    ASSERT_TRUE(window->grpPlanet->geometry().contains(inPicture));
    const QImage after = window->centralWidget()->grab().toImage();
    EXPECT_EQ(after.pixelColor(inPicture), QColor(Qt::black));
}

TEST_F(MainWindowTest, AboutBoxDisablesTheWindowUntilItCloses) {
    window->show();
    window->About1->trigger();
    EXPECT_FALSE(window->isEnabled());
    EXPECT_TRUE(window->frmAbout->isVisible());
    window->frmAbout->findChild<QPushButton*>(QStringLiteral("backButton"))->click();  // "Zurück"
    EXPECT_FALSE(window->frmAbout->isVisible());
    EXPECT_TRUE(window->isEnabled());
    window->About1->trigger();
    window->frmAbout->close();
    EXPECT_TRUE(window->isEnabled());
}

TEST_F(MainWindowTest, UpdateCheckOpensModallyFromTheMenu) {
    bool shown = false;
    QTimer::singleShot(0, [&] {
        shown = window->frmUpdate->isVisible() && window->frmUpdate->isModal();
        window->frmUpdate->reject();
    });
    window->AufUpdatesberprfen2->trigger();
    EXPECT_TRUE(shown);
}
