// Undo and redo in the window: the "Bearbeiten" entries, their keys, what a
// step takes back on screen, and planChanged following the history.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>

#include "core/files/plan_file.h"
#include "gui/edit_history.h"
#include "gui/support/test_support.h"
#include "gui/support/window_fixture.h"
#include "gui/widgets/planet_menu.h"
#include "gui/widgets/qt_text.h"
#include "gui/widgets/up_down_button.h"

using namespace dz;

namespace {

class EditHistoryTest : public WindowFixture {
protected:
    void SetUp() override {
        makeShippedWindow();
        ASSERT_TRUE(window->files().loadPlanFile(QStringLiteral(DZ_EXAMPLES_DIR "/standardplanet.kpls")));
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    void TearDown() override {
        child<QMenu>(window, "fieldMenu")->hide();
        WindowFixture::TearDown();
    }

    QAction* undoEntry() { return child<QAction>(window, "undoAction"); }
    QAction* redoEntry() { return child<QAction>(window, "redoAction"); }
    void key(int key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
        QTest::keyClick(window.get(), Qt::Key(key), modifiers);
    }

    // Right-clicks the n-th free meadow and chooses the first building its
    // menu offers; returns that building's name.
    QString buildOnMeadow(int n) {
        for (int x = 0; x < plan.width(); ++x)
            for (int y = 0; y < plan.surfaceHeight(); ++y) {
                const Field& f = plan.current.surface[x][y];
                if (f.fieldType != ftMeadow || f.built || n-- > 0) continue;
                built = {x, y};
                QTest::mouseClick(window->planCells().cell(x, y, true)[1], Qt::RightButton, {}, QPoint(10, 10));
                QAction* first = child<QMenu>(window, "fieldMenu")->actions().at(0)->menu()->actions().at(0);
                first->trigger();
                child<QMenu>(window, "fieldMenu")->hide();
                return first->text();
            }
        ADD_FAILURE() << "no free meadow";
        return {};
    }
    const Field& builtField() { return plan.current.surface[built.first][built.second]; }

    std::pair<int, int> built{-1, -1};
};

}  // namespace

TEST_F(EditHistoryTest, BearbeitenNamesTheStepsItTakesBackAndRedoes) {
    EXPECT_EQ(undoEntry()->text(), "Rückgängig");
    EXPECT_EQ(redoEntry()->text(), "Wiederholen");
    EXPECT_FALSE(undoEntry()->isEnabled()) << "a loaded plan starts an empty history";
    EXPECT_FALSE(redoEntry()->isEnabled());
    const QString statusBefore = window->statusText(StatusPanel::Buildings);
    const std::vector<std::string> linesBefore = planLines(info, plan, state.internalReputation);

    const QString name = buildOnMeadow(0);
    ASSERT_TRUE(builtField().built);
    EXPECT_EQ(undoEntry()->text(), "Rückgängig: " + name + " gebaut");
    EXPECT_TRUE(undoEntry()->isEnabled());
    EXPECT_FALSE(redoEntry()->isEnabled());

    key(Qt::Key_Z);
    EXPECT_FALSE(builtField().built);
    EXPECT_TRUE(static_cast<FieldPicture*>(window->planCells().cell(built.first, built.second, true)[1])->source().isEmpty())
        << "the cell shows the meadow again";
    EXPECT_EQ(window->statusText(StatusPanel::Buildings), statusBefore);
    EXPECT_EQ(planLines(info, plan, state.internalReputation), linesBefore);
    EXPECT_FALSE(undoEntry()->isEnabled());
    EXPECT_EQ(redoEntry()->text(), "Wiederholen: " + name + " gebaut");
    EXPECT_TRUE(redoEntry()->isEnabled());

    key(Qt::Key_Y);
    EXPECT_TRUE(builtField().built);
    EXPECT_EQ(window->statusText(StatusPanel::Buildings), name + " gebaut");
    key(Qt::Key_Z);
    key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(builtField().built);

    // The limit field changes the box: both together are one step.
    auto* box = child<QCheckBox>(window, "populationLimitBox");
    auto* edit = child<QLineEdit>(window, "populationLimitEdit");
    edit->setText(QStringLiteral("5"));
    EXPECT_EQ(undoEntry()->text(), "Rückgängig: " + name + " gebaut") << "typing alone is no step";
    box->click();
    ASSERT_TRUE(plan.ressources.limitEnabled);
    EXPECT_EQ(undoEntry()->text(), "Rückgängig: Bevölkerungsgrenze eingeschaltet");
    QTest::keyClick(edit, Qt::Key_0);
    EXPECT_FALSE(box->isChecked());
    EXPECT_EQ(undoEntry()->text(), "Rückgängig: Bevölkerungsgrenze ausgeschaltet");
    window->history().undo();
    EXPECT_TRUE(box->isChecked());
    EXPECT_EQ(edit->text(), "5");
    EXPECT_TRUE(plan.ressources.limitEnabled);
    window->history().undo();
    EXPECT_FALSE(box->isChecked());
    EXPECT_FALSE(plan.ressources.limitEnabled);

    BoxAnswer yes(QMessageBox::Yes);
    child<PlanetMenu>(window, "newPlanMenu")->entries()[ptWater]->trigger();
    EXPECT_FALSE(undoEntry()->isEnabled()) << "a new plan starts an empty history";
    EXPECT_FALSE(redoEntry()->isEnabled());
}

TEST_F(EditHistoryTest, PlanChangedFollowsTheHistory) {
    buildOnMeadow(0);
    EXPECT_TRUE(state.planChanged);
    window->history().undo();
    EXPECT_FALSE(state.planChanged) << "back at the loaded plan";
    {
        BoxAnswer no(QMessageBox::No);
        EXPECT_TRUE(window->files().confirmDiscard());
        EXPECT_FALSE(no.shown) << "no question";
    }
    window->history().redo();
    EXPECT_TRUE(state.planChanged);

    QTemporaryDir dir;
    ASSERT_TRUE(window->files().savePlanFile(dir.filePath("kolonie")));
    EXPECT_FALSE(state.planChanged);
    window->history().undo();
    EXPECT_TRUE(state.planChanged) << "the saved plan has the building";
    window->history().redo();
    EXPECT_FALSE(state.planChanged) << "back at the saved plan";

    // Hiring is a step but, as without a history, no unsaved change.
    QTest::mouseClick(child<UpDownButton>(window, "soldiersButton"), Qt::LeftButton, {}, QPoint(8, 2));
    ASSERT_EQ(undoEntry()->text(), "Rückgängig: 1 Soldat eingestellt");
    EXPECT_FALSE(state.planChanged);
    window->history().undo();
    EXPECT_FALSE(state.planChanged);

    // Undoing past the saved plan and going another way: the saved plan is
    // out of reach, and every state differs from it.
    window->history().undo();  // the first building
    buildOnMeadow(1);
    EXPECT_TRUE(state.planChanged);
    window->history().undo();
    EXPECT_TRUE(state.planChanged) << "the saved plan had the first building";
}

TEST_F(EditHistoryTest, OnlyTheNewestStepsAreKeptAndTheSavedPlanIsFollowedPastTheOldest) {
    EditHistory& history = window->history();
    EXPECT_EQ(history.stack().undoLimit(), EditHistory::kDefaultUndoLimit);
    history.setUndoLimit(3);
    std::vector<std::vector<std::string>> linesAfter;
    for (int n = 0; n < 5; ++n) {
        buildOnMeadow(0);
        linesAfter.push_back(planLines(info, plan, state.internalReputation));
    }
    EXPECT_EQ(history.stack().count(), 3) << "the newest three steps";
    while (history.stack().canUndo()) history.undo();
    EXPECT_EQ(planLines(info, plan, state.internalReputation), linesAfter[1]) << "the two oldest steps went";
    EXPECT_TRUE(state.planChanged) << "the loaded plan is out of reach";
    while (history.stack().canRedo()) history.redo();
    EXPECT_EQ(planLines(info, plan, state.internalReputation), linesAfter[4]);

    // Saved, then two more steps push the two oldest out: the saved state stays where it is.
    QTemporaryDir dir;
    ASSERT_TRUE(window->files().savePlanFile(dir.filePath("kolonie")));
    buildOnMeadow(0);
    buildOnMeadow(0);
    EXPECT_EQ(history.stack().count(), 3);
    history.undo();
    EXPECT_TRUE(state.planChanged);
    history.undo();
    EXPECT_FALSE(state.planChanged) << "back at the saved plan";
    history.undo();
    EXPECT_TRUE(state.planChanged);
    EXPECT_FALSE(history.stack().canUndo());
}
