// "Vorschlag…" in the window: the search runs beside the window, its proposal
// becomes one undo step, and cancelling leaves the plan as it was.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "core/files/plan_file.h"
#include "gui/dialogs/suggest_dialog.h"
#include "gui/edit_history.h"
#include "gui/support/test_support.h"
#include "gui/support/window_fixture.h"

using namespace dz;

namespace {

class SuggestDialogTest : public WindowFixture {
protected:
    void SetUp() override {
        makeShippedWindow();
        ASSERT_FALSE(child<QAction>(window, "suggestAction")->isEnabled()) << "nothing to add to before a plan exists";
        window->newPlan(ptStandard);
        ASSERT_TRUE(child<QAction>(window, "suggestAction")->isEnabled());
        startLines = lines();
        child<QAction>(window, "suggestAction")->trigger();
        dialog = child<SuggestDialog>(window, "suggestDialog");
        ASSERT_TRUE(dialog->isVisible());
    }
    void TearDown() override {
        dialog->reject();
        WindowFixture::TearDown();
    }

    std::vector<std::string> lines() { return planLines(info, plan, state.internalReputation); }
    void chooseGoal(const QString& name) {
        auto* goals = child<QComboBox>(dialog, "goalBox");
        const int index = goals->findText(name);
        ASSERT_GE(index, 0) << name.toStdString();
        goals->setCurrentIndex(index);
    }

    SuggestDialog* dialog = nullptr;
    std::vector<std::string> startLines;
};

}  // namespace

TEST_F(SuggestDialogTest, TheProposalIsOneUndoStepNamedAfterTheGoal) {
    chooseGoal(QStringLiteral("Forschung"));
    dialog->setBudget(10000, 30);
    QSignalSpy ended(dialog, &SuggestDialog::searchEnded);
    QTest::mouseClick(child<QPushButton>(dialog, "startButton"), Qt::LeftButton);
    EXPECT_TRUE(dialog->searching());
    EXPECT_EQ(lines(), startLines) << "the plan is not touched while the search runs";
    ASSERT_TRUE(ended.wait(60000));
    EXPECT_TRUE(ended.at(0).at(1).toBool()) << "a new Standardplanet has room for research";
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_NE(lines(), startLines);
    EXPECT_GT(goalValue(info, plan, *goalByName(info, "Forschung")), 0) << "the proposal raises the goal";

    QAction* undo = child<QAction>(window, "undoAction");
    EXPECT_EQ(undo->text(), QStringLiteral("Rückgängig: Vorschlag: Forschung"));
    window->history().undo();
    EXPECT_EQ(lines(), startLines) << "one undo gives the player's plan back";
    EXPECT_FALSE(undo->isEnabled()) << "the whole proposal was a single step";
}

TEST_F(SuggestDialogTest, CancellingLeavesThePlanAndTheHistoryAsTheyWere) {
    dialog->setBudget(1'000'000'000, 600);
    QSignalSpy ended(dialog, &SuggestDialog::searchEnded);
    QTest::mouseClick(child<QPushButton>(dialog, "startButton"), Qt::LeftButton);
    ASSERT_TRUE(dialog->searching());
    QTest::qWait(50);
    QTest::mouseClick(child<QPushButton>(dialog, "cancelButton"), Qt::LeftButton);
    EXPECT_FALSE(dialog->searching()) << "Abbrechen waits for the search to stop";
    EXPECT_FALSE(dialog->isVisible());
    ASSERT_EQ(ended.count(), 1);
    EXPECT_EQ(ended.at(0).at(0).value<SuggestStop>(), SuggestStop::Cancelled);
    QTest::qWait(50);  // anything the search still sent is dropped
    EXPECT_EQ(lines(), startLines);
    EXPECT_FALSE(child<QAction>(window, "undoAction")->isEnabled());
}
