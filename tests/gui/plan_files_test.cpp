// Loading and saving plans in the window.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <fstream>

#include "core/catalog/catalog_files.h"
#include "core/files/plan_file.h"
#include "gui/main_window.h"
#include "gui/widgets/planet_menu.h"
#include "test_support.h"
#include "gui/widgets/panel_grid.h"

using namespace dz;

namespace {

const QString kExamples = QStringLiteral(DZ_EXAMPLES_DIR);

class PlanFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        loadCatalog(info, DZ_DATA_DIR);
        window = std::make_unique<MainWindow>(info, plan, state, QStringList{}, false);
        window->tmStartup->stop();
        window->loadImageLists();
        window->loadPanelIcons();
        window->show();
    }

    Info info;
    ActPlan plan;
    ProgramState state;
    std::unique_ptr<MainWindow> window;
};

}  // namespace

TEST_F(PlanFilesTest, LoadingAnExampleShowsThePlan) {
    ASSERT_TRUE(window->loadPlanFile(kExamples + "/standardplanet.kpls"));
    EXPECT_EQ(plan.planetType, ptStandard);
    EXPECT_FALSE(state.planChanged);
    EXPECT_TRUE(window->Speichern1->isEnabled());
    EXPECT_EQ(window->lblAns->text(), "2500");
    EXPECT_EQ(state.internalReputation, 2500);
    EXPECT_TRUE(window->lblAttrak->text().contains("+2(")) << window->lblAttrak->text().toStdString();
    int buildings = 0;
    for (int x = 0; x < plan.width(); ++x)
        for (int y = 0; y < plan.surfaceHeight(); ++y)
            if (plan.current.surface[x][y].built) {
                ++buildings;
                const auto* picture = static_cast<FieldPicture*>(window->images.cell(x, y, true)[1]);
                EXPECT_FALSE(picture->source().isEmpty()) << x << "," << y;
            }
    EXPECT_GT(buildings, 10);
    EXPECT_NE(window->grdTick->text(1, 0), "0");
}

TEST_F(PlanFilesTest, AnInvalidFileLeavesEverythingAsItWas) {
    window->menNew->entries()[ptWater]->trigger();
    state.planChanged = true;
    const ActPlan before = plan;
    QTemporaryDir dir;
    const QString bad = dir.filePath("kaputt.kpls");
    std::ofstream(bad.toStdString(), std::ios::binary) << "064\r\n0\r\n0\r\nx\r\n";
    BoxAnswer ok(QMessageBox::Ok);
    EXPECT_FALSE(window->loadPlanFile(bad));
    EXPECT_TRUE(ok.shown);
    EXPECT_EQ(ok.text, "Ungültige Datei!");
    EXPECT_EQ(plan.planetType, ptWater);
    EXPECT_EQ(plan.current, before.current);
    EXPECT_TRUE(state.planChanged);
    EXPECT_TRUE(window->isVisible()) << "the program goes on";
}

TEST_F(PlanFilesTest, SavingAddsTheExtensionAndClearsTheChangeMark) {
    ASSERT_TRUE(window->loadPlanFile(kExamples + "/wuestenplanet.kpls"));
    state.planChanged = true;
    QTemporaryDir dir;
    ASSERT_TRUE(window->savePlanFile(dir.filePath("meine Kolonie")));
    EXPECT_FALSE(state.planChanged);
    const QString saved = dir.filePath("meine Kolonie.kpls");
    ASSERT_TRUE(QFile::exists(saved));
    // What was loaded is saved again as it was.
    std::ifstream original((kExamples + "/wuestenplanet.kpls").toStdString(), std::ios::binary);
    std::ifstream copy(saved.toStdString(), std::ios::binary);
    const std::string a((std::istreambuf_iterator<char>(original)), std::istreambuf_iterator<char>());
    const std::string b((std::istreambuf_iterator<char>(copy)), std::istreambuf_iterator<char>());
    EXPECT_EQ(a, b);
}

TEST_F(PlanFilesTest, AFailedSaveKeepsTheChangeMark) {
    window->menNew->entries()[ptStandard]->trigger();
    state.planChanged = true;
    BoxAnswer ok(QMessageBox::Ok);
    EXPECT_FALSE(window->savePlanFile(QStringLiteral("/nonexistent-folder/plan")));
    EXPECT_TRUE(ok.shown);
    EXPECT_TRUE(state.planChanged);
}

TEST_F(PlanFilesTest, APopulationLimitIsShownWithoutSwitchingItOff) {
    window->menNew->entries()[ptStandard]->trigger();
    QTemporaryDir dir;
    std::vector<std::string> lines = planLines(info, plan, 0);
    lines[lines.size() - 1 - std::size_t(plan.width() * (plan.surfaceHeight() + plan.orbitHeight()))] = "25";
    lines[lines.size() - 2 - std::size_t(plan.width() * (plan.surfaceHeight() + plan.orbitHeight()))] = "1";
    const QString file = dir.filePath("grenze.kpls");
    writeLinesSafely(file.toStdString(), lines);
    ASSERT_TRUE(window->loadPlanFile(file));
    EXPECT_TRUE(window->CheckBox1->isChecked());
    EXPECT_EQ(window->Edit1->text(), "25");
    EXPECT_TRUE(plan.ressources.limitEnabled);
    EXPECT_EQ(plan.ressources.populationLimit, 25);
}

TEST_F(PlanFilesTest, APlanNamedOnTheCommandLineIsOpenedAtStartUp) {
    ActPlan other;
    MainWindow started(info, other, state, QStringList{kExamples + "/grosses_asteroidenfeld.kpls"}, false);
    started.tmStartup->stop();
    started.tmStartupTimer();
    EXPECT_EQ(other.planetType, ptLargeAsteroids);
    EXPECT_GT(other.countBuildings(bldBaseC), 0);
}
