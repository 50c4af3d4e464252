// The command line in the running program: a plan named there is opened once
// start-up has finished; "IMAGES" (exactly) selects batch mode.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QTimer>
#include <filesystem>
#include <memory>

#include "app/application.h"
#include "core/catalog/catalog_files.h"
#include "gui/edit_history.h"
#include "gui/main_window.h"

using namespace dz;

// The program's window over our data, its start-up timer stopped: the tests
// run start-up themselves.
class CommandLineWindow : public ::testing::Test {
protected:
    void SetUp() override {
        loadCatalog(info, DZ_DATA_DIR);
        window = std::make_unique<MainWindow>(info, plan, state, RunMode::Interactive);
        startupTimer()->stop();
        window->setProgramDir(QString::fromUtf8(DZ_PROGRAM_DIR));
    }
    QTimer* startupTimer() const { return window->findChild<QTimer*>(QStringLiteral("startupTimer")); }

    Info info;
    ActPlan plan;
    ProgramState state;
    std::unique_ptr<MainWindow> window;
};

TEST(CommandLine, OnlyTheExactWordImagesSelectsBatchMode) {
    EXPECT_EQ(parseCommandLine({}).mode, RunMode::Interactive);
    EXPECT_TRUE(parseCommandLine({}).planFile.empty());
    const CommandLine open = parseCommandLine({"images"});
    EXPECT_EQ(open.mode, RunMode::Interactive) << "a plan file may be called images";
    EXPECT_EQ(open.planFile, "images");
    const CommandLine batch = parseCommandLine({"IMAGES", "plan.kpls"});
    EXPECT_EQ(batch.mode, RunMode::Batch);
    EXPECT_EQ(batch.planFile, "plan.kpls");
    EXPECT_TRUE(parseCommandLine({"IMAGES"}).planFile.empty());
}

TEST_F(CommandLineWindow, APlanNamedThereIsOpenedWhenStartUpHasFinished) {
    followCommandLine(*window, parseCommandLine({DZ_EXAMPLES_DIR "/grosses_asteroidenfeld.kpls"}));
    EXPECT_EQ(plan.planetType, -1) << "not before start-up has finished";
    window->finishStartup();
    EXPECT_EQ(plan.planetType, ptLargeAsteroids);
    EXPECT_GT(plan.countBuildings(bldBaseC), 0);
    EXPECT_FALSE(window->history().hasUnsavedChanges());
}

TEST_F(CommandLineWindow, APlanNameThatIsNoUtf8IsOpenedByItsBytes) {
    // "Kolonie_ä.kpls" as a Windows-1252 system names it: 0xE4 is no UTF-8.
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const std::string name = folder.path().toStdString() + "/Kolonie_\xE4.kpls";
    std::filesystem::copy_file(DZ_EXAMPLES_DIR "/standardplanet.kpls", name);

    const CommandLine command = parseCommandLine({QByteArray::fromStdString(name)});
    EXPECT_EQ(command.planFile.native(), name) << "byte for byte";
    followCommandLine(*window, command);
    window->finishStartup();
    EXPECT_EQ(plan.planetType, ptStandard);
    EXPECT_FALSE(window->history().hasUnsavedChanges());
}

TEST_F(CommandLineWindow, BatchModeStartsTheWindowsStartUpAtOnce) {
    QTimer* startup = startupTimer();
    startup->start();  // as the window starts it
    followCommandLine(*window, parseCommandLine({"plan.kpls"}));
    EXPECT_EQ(startup->interval(), 150) << "an interactive window appears before its pictures are read";
    followCommandLine(*window, parseCommandLine({"IMAGES", "plan.kpls"}));
    EXPECT_TRUE(startup->isActive());
    EXPECT_EQ(startup->interval(), 0) << "batch mode waits for nothing";
    startup->stop();  // the window has no pictures here, and batch mode would end the event loop
}
