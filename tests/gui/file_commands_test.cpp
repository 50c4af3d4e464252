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
#include "gui/support/window_fixture.h"
#include "gui/widgets/planet_menu.h"
#include "gui/support/test_support.h"
#include "gui/widgets/panel_grid.h"

using namespace dz;

namespace {

const QString kExamples = QStringLiteral(DZ_EXAMPLES_DIR);

class PlanFilesTest : public WindowFixture {
protected:
    void SetUp() override {
        makeShippedWindow();
    }

};

}  // namespace

TEST_F(PlanFilesTest, LoadingAnExampleShowsThePlan) {
    ASSERT_TRUE(window->files().loadPlanFile(kExamples + "/standardplanet.kpls"));
    EXPECT_EQ(plan.planetType, ptStandard);
    EXPECT_TRUE(child<QAction>(window, "saveAction")->isEnabled());
    EXPECT_EQ(child<QLabel>(window, "internalReputationLabel")->text(), "2500");
    EXPECT_EQ(state.internalReputation, 2500);
    EXPECT_TRUE(child<QLabel>(window, "attractivenessLabel")->text().contains("+2(")) << child<QLabel>(window, "attractivenessLabel")->text().toStdString();
    int buildings = 0;
    for (int x = 0; x < plan.width(); ++x)
        for (int y = 0; y < plan.surfaceHeight(); ++y)
            if (plan.current.surface[x][y].built) {
                ++buildings;
                const auto* picture = static_cast<FieldPicture*>(window->planCells().cell(x, y, true)[1]);
                EXPECT_FALSE(picture->source().isEmpty()) << x << "," << y;
            }
    EXPECT_GT(buildings, 10);
    EXPECT_NE(child<PanelGrid>(window, "productionGrid")->text(1, 0), "0");
}

TEST_F(PlanFilesTest, AnInvalidFileLeavesEverythingAsItWas) {
    child<PlanetMenu>(window, "newPlanMenu")->entries()[ptWater]->trigger();
    makeUnsavedChange();
    const ActPlan before = plan;
    QTemporaryDir dir;
    const QString bad = dir.filePath("kaputt.kpls");
    std::ofstream(bad.toStdString(), std::ios::binary) << "064\r\n0\r\n0\r\nx\r\n";
    BoxAnswer ok(QMessageBox::Ok);
    EXPECT_FALSE(window->files().loadPlanFile(bad));
    EXPECT_TRUE(ok.shown);
    EXPECT_EQ(ok.text, "Ungültige Datei!");
    // Below the message the reason, then the file name, broken after a "/" only.
    const qsizetype reason = ok.informativeText.indexOf("Zeile 5");
    const qsizetype file = ok.informativeText.indexOf("kaputt.kpls");
    EXPECT_TRUE(reason >= 0 && file > reason) << ok.informativeText.toStdString();
    EXPECT_TRUE(ok.informativeText.contains("/&#8203;kaputt.kpls")) << ok.informativeText.toStdString();
    EXPECT_EQ(plan.planetType, ptWater);
    EXPECT_EQ(plan.current, before.current);
    EXPECT_TRUE(unsaved());
    EXPECT_TRUE(window->isVisible()) << "the program goes on";
}

TEST_F(PlanFilesTest, SavingAddsTheExtensionAndWritesThePlanAsLoaded) {
    ASSERT_TRUE(window->files().loadPlanFile(kExamples + "/wuestenplanet.kpls"));
    QTemporaryDir dir;
    ASSERT_TRUE(window->files().savePlanFile(dir.filePath("meine Kolonie")));
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
    child<PlanetMenu>(window, "newPlanMenu")->entries()[ptStandard]->trigger();
    makeUnsavedChange();
    BoxAnswer ok(QMessageBox::Ok);
    EXPECT_FALSE(window->files().savePlanFile(QStringLiteral("/nonexistent-folder/plan")));
    EXPECT_TRUE(ok.shown);
    EXPECT_TRUE(unsaved());
    EXPECT_TRUE(window->windowTitle().startsWith("Standardplanet*"));
}

TEST_F(PlanFilesTest, APopulationLimitIsShownWithoutSwitchingItOff) {
    child<PlanetMenu>(window, "newPlanMenu")->entries()[ptStandard]->trigger();
    QTemporaryDir dir;
    std::vector<std::string> lines = planLines(info, plan, 0);
    lines[lines.size() - 1 - std::size_t(plan.width() * (plan.surfaceHeight() + plan.orbitHeight()))] = "25";
    lines[lines.size() - 2 - std::size_t(plan.width() * (plan.surfaceHeight() + plan.orbitHeight()))] = "1";
    const QString file = dir.filePath("grenze.kpls");
    writeLinesSafely(file.toStdString(), lines);
    ASSERT_TRUE(window->files().loadPlanFile(file));
    EXPECT_TRUE(child<QCheckBox>(window, "populationLimitBox")->isChecked());
    EXPECT_EQ(child<QLineEdit>(window, "populationLimitEdit")->text(), "25");
    EXPECT_TRUE(plan.ressources.limitEnabled);
    EXPECT_EQ(plan.ressources.populationLimit, 25);
}

TEST_F(PlanFilesTest, TheTitleNamesThePlanByItsFileOrItsPlanetType) {
    // Whether it marks unsaved changes is the history's (edit_history_test).
    EXPECT_EQ(window->windowTitle(), "Dizozodidu");
    child<PlanetMenu>(window, "newPlanMenu")->entries()[ptStandard]->trigger();
    EXPECT_EQ(window->windowTitle(), "Standardplanet – Dizozodidu") << "a new plan is named after its planet";
    QTemporaryDir dir;
    ASSERT_TRUE(window->files().savePlanFile(dir.filePath("kolonie")));
    EXPECT_EQ(window->windowTitle(), "kolonie.kpls – Dizozodidu");
    child<PlanetMenu>(window, "newPlanMenu")->entries()[ptIceAsteroid]->trigger();
    EXPECT_EQ(window->windowTitle(), "Eisasteroid – Dizozodidu") << "the file belongs to the plan before";
    ASSERT_TRUE(window->files().loadPlanFile(kExamples + "/wuestenplanet.kpls"));
    EXPECT_EQ(window->windowTitle(), "wuestenplanet.kpls – Dizozodidu");
}
