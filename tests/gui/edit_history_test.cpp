// Undo and redo in the window: the "Bearbeiten" entries, their keys, what a
// step takes back on screen, and the unsaved changes as the history tells them.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>
#include <functional>

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

// Every kind of step, and what it leaves: the title's "*" and the question
// before unsaved changes are lost both follow the history, and going back
// (undo, or redo after an undo) to the plan as saved or loaded clears them.
TEST_F(EditHistoryTest, EveryKindOfStepIsAnUnsavedChangeUntilUndoneOrSaved) {
    QTemporaryDir dir;
    auto save = [&] { ASSERT_TRUE(window->files().savePlanFile(dir.filePath("kolonie"))); };
    auto soldiers = [&] { return child<UpDownButton>(window, "soldiersButton"); };
    auto hire = [&] {
        const int before = plan.ressources.soldiers;
        QTest::mouseClick(soldiers(), Qt::LeftButton, {}, QPoint(8, 2));
        ASSERT_EQ(plan.ressources.soldiers, before + 1);
    };
    auto fire = [&] {
        const int before = plan.ressources.soldiers;
        QTest::mouseClick(soldiers(), Qt::LeftButton, {}, QPoint(8, soldiers()->height() - 2));
        ASSERT_EQ(plan.ressources.soldiers, before - 1);
    };
    // A proposal carried out as "Vorschlag" does it: a field-menu choice on
    // every free meadow in one call of the history, one step.
    auto suggestion = [&] {
        const ActPlan before = plan;
        const int steps = window->history().stack().count();
        window->history().perform(
            [&] {
                for (int x = 0; x < plan.width(); ++x)
                    for (int y = 0; y < plan.surfaceHeight(); ++y) {
                        if (plan.current.surface[x][y].fieldType != ftMeadow || plan.current.surface[x][y].built)
                            continue;
                        plan.selected = FieldSelection{x, y, true};
                        const FieldMenu menu = window->planner().buildFieldMenu();
                        if (!menu.empty() && menu[0].submenu && !menu[0].entries.empty())
                            window->planner().chooseMenuEntry(menu[0].entries[0].tag);
                    }
            },
            "Vorschlag: Forschung");
        int changed = 0;
        for (int x = 0; x < plan.width(); ++x)
            for (int y = 0; y < plan.surfaceHeight(); ++y)
                changed += plan.current.surface[x][y] != before.current.surface[x][y];
        ASSERT_GE(changed, 20);
        ASSERT_EQ(window->history().stack().count(), steps + 1);
    };
    auto undo = [&] { window->history().undo(); };
    auto redo = [&] { window->history().redo(); };
    // Each case starts at the loaded example, prepares (`before`, leaving
    // the plan changed or not), takes the step and goes back to the plan as
    // saved or loaded (`back`), where nothing is unsaved.
    struct Case {
        const char* step;
        std::function<void()> before;
        bool unsavedBefore;
        std::function<void()> act;
        bool unsavedAfter;
        std::function<void()> back;
    };
    const Case cases[] = {
        {"Bauen", [] {}, false, [&] { buildOnMeadow(0); }, true, undo},
        {"einstellen", [] {}, false, hire, true, undo},
        {"entlassen", [&] { hire(), save(); }, false, fire, true, undo},
        {"Bevölkerungsgrenze", [] {}, false, [&] { child<QCheckBox>(window, "populationLimitBox")->click(); }, true,
         undo},
        {"Vorschlag", [] {}, false, suggestion, true, undo},
        {"Rückgängig nach Speichern", [&] { buildOnMeadow(0), save(); }, false, undo, true, redo},
        {"Wiederholen nach Speichern", [&] { buildOnMeadow(0), undo(), save(); }, false, redo, true, undo},
        {"Speichern", [&] { buildOnMeadow(0); }, true, save, false, [] {}},
        {"Laden", [&] { buildOnMeadow(0); }, true,
         [&] { ASSERT_TRUE(window->files().loadPlanFile(QStringLiteral(DZ_EXAMPLES_DIR "/wuestenplanet.kpls"))); },
         false, undo},
        {"Neu", [&] { buildOnMeadow(0); }, true,
         [&] {
             BoxAnswer yes(QMessageBox::Yes);
             child<PlanetMenu>(window, "newPlanMenu")->entries()[ptWater]->trigger();
             ASSERT_TRUE(yes.shown);
         },
         false, undo},
    };
    // The title marks it, and the question comes (answered No, it stops the caller).
    auto expectUnsaved = [&](bool unsaved, const char* when) {
        SCOPED_TRACE(when);
        EXPECT_EQ(window->windowTitle().contains(QLatin1Char('*')), unsaved) << window->windowTitle().toStdString();
        BoxAnswer no(QMessageBox::No);
        EXPECT_EQ(window->files().confirmDiscard(), !unsaved);
        EXPECT_EQ(no.shown, unsaved);
        if (no.shown) {
            EXPECT_EQ(no.title, "Warnung");
        }
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.step);
        ASSERT_TRUE(window->files().loadPlanFile(QStringLiteral(DZ_EXAMPLES_DIR "/standardplanet.kpls")));
        c.before();
        expectUnsaved(c.unsavedBefore, "before the step");
        c.act();
        expectUnsaved(c.unsavedAfter, "after the step");
        c.back();
        expectUnsaved(false, "back at the saved plan");
    }
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
    EXPECT_TRUE(unsaved()) << "the loaded plan is out of reach";
    while (history.stack().canRedo()) history.redo();
    EXPECT_EQ(planLines(info, plan, state.internalReputation), linesAfter[4]);

    // Saved, then two more steps push the two oldest out: the saved state stays where it is.
    QTemporaryDir dir;
    ASSERT_TRUE(window->files().savePlanFile(dir.filePath("kolonie")));
    buildOnMeadow(0);
    buildOnMeadow(0);
    EXPECT_EQ(history.stack().count(), 3);
    history.undo();
    EXPECT_TRUE(unsaved());
    history.undo();
    EXPECT_FALSE(unsaved()) << "back at the saved plan";
    history.undo();
    EXPECT_TRUE(unsaved());
    EXPECT_FALSE(history.stack().canUndo());
}
