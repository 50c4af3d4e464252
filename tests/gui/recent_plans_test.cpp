// "Zuletzt": the plans saved and loaded last, kept in the settings of this
// test run (gui_test_main points XDG_CONFIG_HOME to a temporary folder), and
// the folder the file dialogs open in.
#include <gtest/gtest.h>

#include <QFileDialog>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>

#include "gui/recent_plans.h"
#include "gui/remembered_folders.h"
#include "gui/support/test_support.h"
#include "gui/support/window_fixture.h"
#include "gui/widgets/planet_menu.h"
#include "gui/widgets/qt_text.h"

using namespace dz;

namespace {

class RecentPlansTest : public WindowFixture {
protected:
    void SetUp() override {
        ASSERT_FALSE(qEnvironmentVariableIsEmpty("XDG_CONFIG_HOME")) << "the user's own settings are not for tests";
        QSettings(QSettings::NativeFormat, QSettings::UserScope, "Dizozodidu", "Dizozodidu").clear();
        makeShippedWindow();
    }

    // Saves a new plan of planet type p as dir/<name>.kpls.
    std::filesystem::path saveNewPlan(int p, const QString& name) {
        state.planChanged = false;
        child<PlanetMenu>(window, "newPlanMenu")->entries()[p]->trigger();
        EXPECT_TRUE(window->files().savePlanFile(dir.filePath(name)));
        return toNativeFileName(dir.filePath(name + ".kpls"));
    }
    QList<QAction*> entries() { return child<QMenu>(window, "recentPlansMenu")->actions(); }

    QTemporaryDir dir;
};

}  // namespace

TEST_F(RecentPlansTest, TheLastEightPlansSavedOrLoadedComeFirstAndOpenInOneChoice) {
    ASSERT_EQ(entries().size(), 1);
    EXPECT_FALSE(entries()[0]->isEnabled()) << "nothing to choose yet";

    std::vector<std::filesystem::path> saved;
    for (int p = 0; p < 9; ++p) saved.push_back(saveNewPlan(p, QStringLiteral("plan%1").arg(p)));
    const auto& plans = window->recentPlans().plans();
    ASSERT_EQ(plans.size(), 8u);
    EXPECT_EQ(plans.front(), saved[8]);
    EXPECT_EQ(plans.back(), saved[1]) << "the oldest went";
    EXPECT_TRUE(entries()[0]->text().startsWith("&1 plan8.kpls")) << entries()[0]->text().toStdString();

    ASSERT_TRUE(window->files().loadPlanFile(saved[3]));
    ASSERT_EQ(plans.size(), 8u) << "no entry twice";
    EXPECT_EQ(plans.front(), saved[3]);
    EXPECT_EQ(plans[1], saved[8]);
    EXPECT_EQ(RecentPlans(window.get(), true).plans(), plans) << "kept in the settings";
    EXPECT_EQ(lastPlanFolder(), dir.path());

    // An entry loads its plan as "Laden" would, asking first about unsaved changes.
    state.planChanged = true;
    BoxAnswer yes(QMessageBox::Yes);
    entries()[2]->trigger();  // plan7
    EXPECT_TRUE(yes.shown);
    EXPECT_EQ(yes.title, "Warnung");
    EXPECT_EQ(plan.planetType, 7);
    EXPECT_FALSE(state.planChanged);
    EXPECT_EQ(plans.front(), saved[7]);

    // "Laden" still opens its dialog at once, in the folder used last.
    QString shownFolder;
    QTimer::singleShot(20, [&] {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            shownFolder = dialog->directory().absolutePath();
            dialog->reject();
        }
    });
    child<QAction>(window, "loadAction")->trigger();
    EXPECT_EQ(shownFolder, QDir(dir.path()).absolutePath());
}

TEST_F(RecentPlansTest, AnEntryWhoseFileIsGoneIsRemovedWithAMessage) {
    const auto gone = saveNewPlan(ptWater, QStringLiteral("weg"));
    const auto kept = saveNewPlan(ptStandard, QStringLiteral("da"));
    std::filesystem::remove(gone);
    const ActPlan before = plan;

    entries()[1]->trigger();  // weg.kpls
    EXPECT_EQ(window->recentPlans().plans(), std::vector<std::filesystem::path>{kept});
    EXPECT_EQ(entries().size(), 1);
    EXPECT_EQ(window->statusBar()->currentMessage(), "„weg.kpls“ gibt es nicht mehr; aus „Zuletzt“ entfernt.");
    EXPECT_EQ(plan, before);
    EXPECT_EQ(RecentPlans(window.get(), true).plans().size(), 1u);
}

TEST_F(RecentPlansTest, PicturesAreOfferedThePlansFolderUntilAPictureIsSavedElsewhere) {
    EXPECT_TRUE(lastPictureFolder().isEmpty());
    saveNewPlan(ptStandard, QStringLiteral("plan"));
    EXPECT_EQ(lastPictureFolder(), dir.path());

    QTemporaryDir pictures;
    ASSERT_TRUE(pictures.isValid());
    rememberPictureFolder(pictures.filePath(QStringLiteral("kolonie.jpeg")));
    EXPECT_EQ(lastPictureFolder(), pictures.path());
    EXPECT_EQ(lastPlanFolder(), dir.path()) << "the plans keep their own folder";
    saveNewPlan(ptWater, QStringLiteral("wasser"));
    EXPECT_EQ(lastPictureFolder(), pictures.path()) << "a plan saved later does not move the pictures";
}

TEST_F(RecentPlansTest, BatchModeOffersNoRecentPlansKeepsNoneAndAsksNothing) {
    makeWindowWithPictures(RunMode::Batch);
    QStringList top;
    for (QAction* a : window->menuBar()->actions()) top << a->text();
    EXPECT_EQ(top, (QStringList{"&Neu", "&Laden", "&Speichern", "&Einstellungen", "S&creenshot", "&About..."}))
        << "its picture shows neither \"Zuletzt\" nor \"Bearbeiten\": " << top.join(", ").toStdString();

    ASSERT_TRUE(window->files().loadPlanFile(QStringLiteral(DZ_EXAMPLES_DIR "/standardplanet.kpls")));
    EXPECT_TRUE(window->recentPlans().plans().empty());
    EXPECT_TRUE(QSettings(QSettings::NativeFormat, QSettings::UserScope, "Dizozodidu", "Dizozodidu").allKeys().isEmpty())
        << "the user's settings stay as they were";

    state.planChanged = true;
    BoxAnswer no(QMessageBox::No);
    EXPECT_TRUE(window->files().confirmDiscard());
    EXPECT_FALSE(no.shown) << "nobody is there to answer";
}
