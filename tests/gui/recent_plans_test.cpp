// "Zuletzt": the plans saved and loaded last, kept in the settings of this
// test run (gui_test_main points XDG_CONFIG_HOME to a temporary folder), and
// the folder the file dialogs open in.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>

#include "gui/recent_plans.h"
#include "gui/remembered_folders.h"
#include "gui/zoom_setting.h"
#include "gui/support/test_support.h"
#include "gui/support/window_fixture.h"
#include "gui/widgets/planet_menu.h"
#include "gui/widgets/qt_text.h"
#include "support/device_node.h"

#include <sys/sysmacros.h>


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
        window->history().markSaved();  // as after a save: no question before the new plan
        child<PlanetMenu>(window, "newPlanMenu")->entries()[p]->trigger();
        EXPECT_TRUE(window->files().savePlanFile(dir.filePath(name)));
        return toNativeFileName(dir.filePath(name + ".kpls"));
    }
    QList<QAction*> entries() { return child<QMenu>(window, "recentPlansMenu")->actions(); }

    QTemporaryDir dir;
};

// The settings file as the user may have it: a link onto a device, a pipe, a
// link onto a regular file of the user's own.
class SettingsFileTest : public WindowFixture {
protected:
    void SetUp() override {
        ASSERT_FALSE(qEnvironmentVariableIsEmpty("XDG_CONFIG_HOME")) << "the user's own settings are not for tests";
        ASSERT_TRUE(QDir().mkpath(QFileInfo(settingsFile).path()));
        QFile::remove(settingsFile);
        loadCatalog(info, DZ_DATA_DIR);
    }
    void TearDown() override {
        WindowFixture::TearDown();
        QFile::remove(settingsFile);
    }
    // Starts the window as a user does, then a plan loaded and one saved go to "Zuletzt".
    void startAndUsePlans() {
        makeWindowWithPictures();
        window->show();
        ASSERT_TRUE(window->files().loadPlanFile(QStringLiteral(DZ_EXAMPLES_DIR "/standardplanet.kpls")));
        ASSERT_TRUE(window->files().savePlanFile(dir.filePath("kolonie")));
    }
    void quit() {
        EXPECT_TRUE(window->close());
        window.reset();
    }
    std::string message() const { return window->statusBar()->currentMessage().toStdString(); }
    static struct stat statOf(const QString& file, bool followLink = true) {
        struct stat result {};
        const QByteArray name = QFile::encodeName(file);
        EXPECT_EQ(followLink ? ::stat(name, &result) : ::lstat(name, &result), 0) << name.constData();
        return result;
    }

    const QString settingsFile = qEnvironmentVariable("XDG_CONFIG_HOME") + "/Dizozodidu/Dizozodidu.conf";
    const std::string notRegular = ("Die Einstellungen in „" + settingsFile +
                                    "“ sind keine gewöhnliche Datei und werden weder gelesen noch geschrieben.")
                                       .toStdString();
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
    makeUnsavedChange();
    BoxAnswer yes(QMessageBox::Yes);
    entries()[2]->trigger();  // plan7
    EXPECT_TRUE(yes.shown);
    EXPECT_EQ(yes.title, "Warnung");
    EXPECT_EQ(plan.planetType, 7);
    EXPECT_FALSE(unsaved());
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

    makeUnsavedChange();
    BoxAnswer no(QMessageBox::No);
    EXPECT_TRUE(window->files().confirmDiscard());
    EXPECT_FALSE(no.shown) << "nobody is there to answer";
}

TEST_F(SettingsFileTest, ASettingsFileThatIsNoRegularFileIsNeitherReadNorWritten) {
    // A link onto a device node of this test (the null device's numbers).
    QTemporaryDir devices;
    const QString node = devices.filePath("geraet");
    ASSERT_TRUE(makeDevice(QFile::encodeName(node).toStdString(), kNullDevice)) << "making a device node needs root";
    ASSERT_TRUE(QFileInfo(node).exists());
    ASSERT_TRUE(QFile::link(node, settingsFile));
    startAndUsePlans();
    EXPECT_EQ(message(), notRegular);
    EXPECT_TRUE(window->recentPlans().plans().empty());
    EXPECT_FALSE(child<QMenu>(window, "zoomMenu")->isEnabled()) << "a choice could not be kept";
    EXPECT_TRUE(lastPlanFolder().isEmpty());
    quit();
    EXPECT_TRUE(S_ISLNK(statOf(settingsFile, false).st_mode));
    EXPECT_TRUE(S_ISCHR(statOf(node).st_mode)) << "the device is not replaced";
    EXPECT_EQ(statOf(node).st_rdev, makedev(1, 3));
    EXPECT_EQ(QDir(devices.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System),
              QStringList{"geraet"})
        << "no file was made beside it";
    ASSERT_TRUE(QFile::remove(settingsFile));

    // A pipe would hold up the start until someone writes into it.
    PipeGuard pipe(QFile::encodeName(settingsFile).toStdString(), std::chrono::seconds(3));
    ASSERT_TRUE(pipe.made());
    startAndUsePlans();
    EXPECT_EQ(message(), notRegular);
    EXPECT_TRUE(window->recentPlans().plans().empty());
    EXPECT_FALSE(child<QMenu>(window, "zoomMenu")->isEnabled()) << "a choice could not be kept";
    quit();
    EXPECT_FALSE(pipe.rescued()) << "the pipe was opened";
    EXPECT_TRUE(S_ISFIFO(statOf(settingsFile, false).st_mode));
}

TEST_F(SettingsFileTest, ALinkOntoARegularFileIsReadAndWrittenThroughTheLink) {
    QTemporaryDir own;
    const QString target = own.filePath("dizozodidu.conf");
    ASSERT_TRUE(QFile(target).open(QIODevice::WriteOnly));
    ASSERT_TRUE(QFile::link(target, settingsFile));
    startAndUsePlans();
    EXPECT_EQ(message(), "");
    quit();
    EXPECT_TRUE(S_ISLNK(statOf(settingsFile, false).st_mode)) << "the link stays a link";
    EXPECT_TRUE(S_ISREG(statOf(target).st_mode));

    startAndUsePlans();
    EXPECT_EQ(window->recentPlans().plans().size(), 2u);
    EXPECT_EQ(lastPlanFolder(), dir.path());
    quit();
    QFile written(target);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_TRUE(written.readAll().contains("kolonie.kpls"));
}

// "Vergrößerung": the choice is kept and becomes Qt's scale factor at the
// next start, unless the environment sets one; a kept value that is no
// choice counts as 100 %.
TEST_F(SettingsFileTest, TheChosenZoomIsKeptForTheNextStartWhereTheEnvironmentSetsNone) {
    const QByteArray environment = qgetenv("QT_SCALE_FACTOR");
    qunsetenv("QT_SCALE_FACTOR");
    makeWindowWithPictures();
    EXPECT_TRUE(child<QAction>(window, "zoomAction100")->isChecked());
    child<QAction>(window, "zoomAction150")->trigger();
    EXPECT_EQ(message(), "Die Vergrößerung 150 % gilt ab dem nächsten Start.");
    quit();

    EXPECT_TRUE(applyKeptZoom());
    EXPECT_EQ(qgetenv("QT_SCALE_FACTOR"), "1.5");
    qputenv("QT_SCALE_FACTOR", "1.25");
    EXPECT_FALSE(applyKeptZoom());
    EXPECT_EQ(qgetenv("QT_SCALE_FACTOR"), "1.25") << "the environment wins";
    qunsetenv("QT_SCALE_FACTOR");
    makeWindowWithPictures();
    EXPECT_TRUE(child<QAction>(window, "zoomAction150")->isChecked());
    child<QAction>(window, "zoomAction200")->trigger();
    quit();
    EXPECT_TRUE(applyKeptZoom());
    EXPECT_EQ(qgetenv("QT_SCALE_FACTOR"), "2");

    for (const char* kept : {"130", "zwei", "100"}) {
        qunsetenv("QT_SCALE_FACTOR");
        QSettings(settingsFile, QSettings::IniFormat).setValue("Fenster/Vergroesserung", kept);
        EXPECT_FALSE(applyKeptZoom()) << kept;
        EXPECT_TRUE(qEnvironmentVariableIsEmpty("QT_SCALE_FACTOR")) << kept;
    }
    if (environment.isNull())
        qunsetenv("QT_SCALE_FACTOR");
    else
        qputenv("QT_SCALE_FACTOR", environment);
}
