// "Vorschlag…" in the window: the options reach the search, the proposal is
// shown before it is taken, taking it is one undo step, discarding or
// cancelling leaves plan and history as they were.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <QUndoStack>
#include <chrono>
#include <thread>

#include "core/files/plan_file.h"
#include "gui/dialogs/dialog_test_support.h"
#include "gui/dialogs/suggest_dialog.h"
#include "gui/edit_history.h"
#include "gui/support/test_support.h"
#include "gui/support/window_fixture.h"
#include "gui/widgets/panel_grid.h"
#include "gui/widgets/qt_text.h"

using namespace dz;

namespace {

// Stands in for the engine: remembers the request and answers as told.
struct StandIn {
    std::optional<SuggestRequest> seen;
    SuggestResult answer;
    std::optional<SuggestProgress> progress;  // sent once, then the stand-in waits for the cancel flag

    SuggestDialog::Engine engine() {
        return [this](const Info&, const ActPlan&, const SuggestRequest& request,
                      const std::function<void(const SuggestProgress&)>& report, const std::atomic<bool>* cancel) {
            seen = request;
            if (!progress) return answer;
            report(*progress);
            while (!cancel->load()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
            SuggestResult cancelled;
            cancelled.stop = SuggestStop::Cancelled;
            return cancelled;
        };
    }
};

class SuggestDialogTest : public WindowFixture {
protected:
    void SetUp() override {
        makeShippedWindow();
        ASSERT_FALSE(child<QAction>(window, "suggestAction")->isEnabled()) << "nothing to add to before a plan exists";
        window->newPlan(ptStandard);
        ASSERT_TRUE(child<QAction>(window, "suggestAction")->isEnabled());
        startLines = lines();
        openDialog();
    }
    void TearDown() override {
        dialog->reject();
        WindowFixture::TearDown();
    }

    void openDialog() {
        child<QAction>(window, "suggestAction")->trigger();
        dialog = child<SuggestDialog>(window, "suggestDialog");
        ASSERT_TRUE(dialog->isVisible());
    }
    std::vector<std::string> lines() { return planLines(info, plan, state.internalReputation); }
    void choose(const char* box, const QString& text) {
        auto* combo = child<QComboBox>(dialog, box);
        const int index = combo->findText(text);
        ASSERT_GE(index, 0) << text.toStdString();
        combo->setCurrentIndex(index);
    }
    void addMinimum(const QString& row, const QString& value) {
        choose("minimumGoalBox", row);
        auto* edit = child<QLineEdit>(dialog, "minimumEdit");
        edit->clear();
        QTest::keyClicks(edit, value);
        QTest::mouseClick(child<QPushButton>(dialog, "addMinimumButton"), Qt::LeftButton);
    }
    // Clicks "Suchen" and waits for the search to end.
    void search() {
        QSignalSpy ended(dialog, &SuggestDialog::searchEnded);
        QTest::mouseClick(child<QPushButton>(dialog, "startButton"), Qt::LeftButton);
        ASSERT_TRUE(ended.count() > 0 || ended.wait(60000));
    }
    QString text(const char* label) { return child<QLabel>(dialog, label)->text(); }
    QString decimal(const char* whole, char tenth) {
        return QString::fromLatin1(whole) + QChar(window->planner().decimalSeparator()) + QChar(tenth);
    }

    // The tag of the submenu entry `name` in the field menu of the field (x, y) on the surface.
    int menuTag(int x, int y, const char* name) {
        plan.selected = FieldSelection{x, y, true};
        for (const MenuEntry& entry : window->planner().buildFieldMenu())
            for (const MenuEntry& item : entry.entries)
                if (item.caption == name) return item.tag;
        ADD_FAILURE() << "no " << name << " on field " << x << "," << y;
        return -1;
    }
    // The empty meadows of the surface.
    std::vector<std::pair<int, int>> meadows() {
        std::vector<std::pair<int, int>> found;
        for (int x = 0; x < plan.width(); ++x)
            for (int y = 0; y < plan.surfaceHeight(); ++y)
                if (plan.current.surface[x][y].fieldType == ftMeadow && !plan.current.surface[x][y].built)
                    found.push_back({x, y});
        EXPECT_GE(found.size(), 2u);
        return found;
    }
    // A proposal of two buildings on meadows of the new Standardplanet.
    std::vector<SuggestChoice> twoBuildings() {
        const auto empty = meadows();
        const auto [x0, y0] = empty[0];
        const auto [x1, y1] = empty[1];
        return {{x0, y0, true, menuTag(x0, y0, "Koloniezentrale")}, {x1, y1, true, tagBuildBase + farm()}};
    }
    int farm() {
        for (std::size_t b = 0; b < info.buildings.size(); ++b)
            if (info.buildings[b].name == "Agrarfarm") return int(b);
        ADD_FAILURE() << "no Agrarfarm in the catalog";
        return 0;
    }
    void proposeTwoBuildings(SuggestStop stop = SuggestStop::Proven) {
        standIn.answer.choices = twoBuildings();
        standIn.answer.stop = stop;
        standIn.answer.startValue = 120;
        standIn.answer.value = 240;
        standIn.answer.bound = stop == SuggestStop::Proven ? 240 : 320;
        standIn.answer.work.builds = 2;
        standIn.answer.work.cost[2] = 1500;
        dialog->setEngine(standIn.engine());
        choose("goalBox", QStringLiteral("Forschung"));
        search();
        ASSERT_TRUE(dialog->showsProposal());
    }
    // The preview's rows: label, before, after.
    std::vector<std::array<QString, 3>> preview() {
        auto* table = child<QTableWidget>(dialog, "previewTable");
        std::vector<std::array<QString, 3>> rows;
        for (int r = 0; r < table->rowCount(); ++r)
            rows.push_back({table->item(r, 0)->text(), table->item(r, 1)->text(), table->item(r, 2)->text()});
        return rows;
    }

    SuggestDialog* dialog = nullptr;
    StandIn standIn;
    std::vector<std::string> startLines;
};

}  // namespace

TEST_F(SuggestDialogTest, EveryOptionReachesTheSearch) {
    dialog->setEngine(standIn.engine());
    standIn.answer.stop = SuggestStop::Proven;

    // As the dialog opens: research, no second goal, no minimum, no cap, no rebuilding, no locks.
    search();
    ASSERT_TRUE(standIn.seen);
    EXPECT_EQ(standIn.seen->goal, *goalByName(info, "Forschung"));
    EXPECT_FALSE(standIn.seen->thenGoal);
    EXPECT_TRUE(standIn.seen->minimums.empty());
    EXPECT_FALSE(standIn.seen->costCap);
    EXPECT_FALSE(standIn.seen->rebuild);
    EXPECT_TRUE(standIn.seen->locks.empty());
    EXPECT_EQ(standIn.seen->nodeLimit, 0) << "the core's node limit";
    EXPECT_EQ(standIn.seen->seconds, 0) << "never a limit in time";

    choose("goalBox", QStringLiteral("Energie"));
    choose("thenGoalBox", QStringLiteral("verfügbare BSP"));
    addMinimum(QStringLiteral("Forschung"), QStringLiteral("2,5"));
    addMinimum(QStringLiteral("Nahrung"), QStringLiteral("20"));
    addMinimum(QStringLiteral("Attraktivität"), QStringLiteral("-3"));
    addMinimum(QStringLiteral("Nahrung"), QStringLiteral("30"));  // a new value for a row replaces the old one
    auto* minimums = child<QListWidget>(dialog, "minimumList");
    minimums->setCurrentRow(2);
    QTest::mouseClick(child<QPushButton>(dialog, "removeMinimumButton"), Qt::LeftButton);
    child<QCheckBox>(dialog, "capCheck")->setChecked(true);
    child<QSpinBox>(dialog, "capEdit")->setValue(500);
    choose("capResourceBox", QStringLiteral("Baumaterial"));
    child<QCheckBox>(dialog, "rebuildCheck")->setChecked(true);
    window->planCells().toggleLock({3, 2, true});
    window->planCells().toggleLock({0, 0, false});
    search();
    EXPECT_EQ(standIn.seen->goal, *goalByName(info, "Energie"));
    EXPECT_EQ(standIn.seen->thenGoal, goalByName(info, "verf\xfc" "gbare BSP"));
    EXPECT_EQ(standIn.seen->minimums, (std::vector<GoalMinimum>{{*goalByName(info, "Forschung"), 25},
                                                                {*goalByName(info, "Nahrung"), 30}}));
    ASSERT_TRUE(standIn.seen->costCap);
    EXPECT_EQ(standIn.seen->costCap->limit, 500);
    EXPECT_EQ(info.resourceTypes[std::size_t(standIn.seen->costCap->resource)].name, "Baumaterial");
    EXPECT_TRUE(standIn.seen->rebuild);
    EXPECT_EQ(standIn.seen->locks, (std::vector<FieldPosition>{{0, 0, false}, {3, 2, true}}));
}

TEST_F(SuggestDialogTest, AMinimumIsReadByTheRulesOfItsRow) {
    addMinimum(QStringLiteral("Energie"), QStringLiteral("2,5"));
    EXPECT_EQ(child<QListWidget>(dialog, "minimumList")->count(), 0) << "Energie counts whole units";
    EXPECT_TRUE(text("messageLabel").contains(QStringLiteral("ganze Zahl"))) << text("messageLabel").toStdString();
    addMinimum(QStringLiteral("Forschung"), QStringLiteral("viel"));
    EXPECT_EQ(child<QListWidget>(dialog, "minimumList")->count(), 0);
    EXPECT_TRUE(text("messageLabel").contains(QStringLiteral("„viel“ ist kein Wert für Forschung")))
        << text("messageLabel").toStdString();
    addMinimum(QStringLiteral("Forschung"), QStringLiteral("2.5"));
    ASSERT_EQ(child<QListWidget>(dialog, "minimumList")->count(), 1);
    EXPECT_EQ(child<QListWidget>(dialog, "minimumList")->item(0)->text(),
              QStringLiteral("Forschung: mindestens ") + decimal("2", '5'));
    EXPECT_TRUE(text("messageLabel").isEmpty());
}

TEST_F(SuggestDialogTest, TakingTheProposalIsOneUndoStepThatShowsWhatThePreviewSaid) {
    proposeTwoBuildings();
    EXPECT_EQ(lines(), startLines) << "the plan is not touched before the player takes the proposal";
    EXPECT_EQ(text("valueLabel"), QStringLiteral("Forschung: ") + decimal("12", '0') + QStringLiteral(" → ") +
                                      decimal("24", '0'));
    EXPECT_EQ(text("boundLabel"), QStringLiteral("bestmöglich"));
    EXPECT_TRUE(text("workLabel").contains(QStringLiteral("Neubauten: 2")));
    EXPECT_TRUE(text("workLabel").contains(QStringLiteral("1500 ") + fromCp1252(info.resourceTypes[2].name)));
    const auto rows = preview();
    ASSERT_FALSE(rows.empty());

    QTest::mouseClick(child<QPushButton>(dialog, "applyButton"), Qt::LeftButton);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(plan.fieldAt(standIn.answer.choices[1].x, standIn.answer.choices[1].y, true).building, farm());
    // Every production row the preview names now reads its "after" value.
    auto* production = child<PanelGrid>(window, "productionGrid");
    int compared = 0;
    for (const auto& [label, before, after] : rows)
        for (int r = 0; r < production->rowCount(); ++r)
            if (production->text(0, r) == label) {
                EXPECT_EQ(production->text(1, r), after) << label.toStdString();
                ++compared;
            }
    EXPECT_GT(compared, 0) << "the preview names production rows";

    QAction* undo = child<QAction>(window, "undoAction");
    EXPECT_EQ(undo->text(), QStringLiteral("Rückgängig: Vorschlag: Forschung"));
    window->history().undo();
    EXPECT_EQ(lines(), startLines) << "one undo gives the player's plan back";
    EXPECT_FALSE(undo->isEnabled()) << "the whole proposal was a single step";
}

TEST_F(SuggestDialogTest, DiscardingLeavesPlanAndHistoryAsTheyWere) {
    // A step of the player's own first, so that the history is not empty.
    const auto [x, y] = meadows().back();
    window->history().perform([&] { window->planner().chooseMenuEntry(menuTag(x, y, "Wald erschaffen")); });
    ASSERT_EQ(plan.fieldAt(x, y, true).fieldType, ftForest);
    startLines = lines();
    const int steps = window->history().stack().count();
    const QString title = window->windowTitle();

    proposeTwoBuildings();
    QTest::mouseClick(child<QPushButton>(dialog, "discardButton"), Qt::LeftButton);
    EXPECT_FALSE(dialog->showsProposal());
    EXPECT_TRUE(dialog->isVisible()) << "back to the options for another search";
    EXPECT_TRUE(child<QPushButton>(dialog, "startButton")->isVisible());
    EXPECT_EQ(lines(), startLines);
    EXPECT_EQ(window->history().stack().count(), steps);
    EXPECT_EQ(window->history().stack().index(), steps);
    EXPECT_EQ(window->windowTitle(), title);

    search();
    EXPECT_TRUE(dialog->showsProposal()) << "the player can search again";
    QTest::keyClick(dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(lines(), startLines) << "Escape drops the proposal as well";
    EXPECT_EQ(window->history().stack().count(), steps);
}

TEST_F(SuggestDialogTest, AProposalShortOfProofSaysHowMuchMoreIsPossible) {
    proposeTwoBuildings(SuggestStop::NodeLimit);
    EXPECT_EQ(text("boundLabel"),
              QStringLiteral("höchstens ") + decimal("32", '0') + QStringLiteral(" möglich (75 % davon erreicht)"));

    // Without a positive bound there is no share to tell.
    QTest::mouseClick(child<QPushButton>(dialog, "discardButton"), Qt::LeftButton);
    standIn.answer.value = -5;
    standIn.answer.bound = 0;
    choose("goalBox", QStringLiteral("Energie"));
    search();
    EXPECT_EQ(text("boundLabel"), QStringLiteral("höchstens 0 möglich"));
}

TEST_F(SuggestDialogTest, WithoutAProposalTheDialogSaysWhy) {
    dialog->setEngine(standIn.engine());
    standIn.answer.stop = SuggestStop::Proven;
    search();
    EXPECT_FALSE(dialog->showsProposal());
    EXPECT_EQ(text("messageLabel"), QStringLiteral("Kein Vorschlag: dieser Plan ist für das Ziel schon bestmöglich."));

    standIn.answer.stop = SuggestStop::Infeasible;
    standIn.answer.message = "Kein Plan erf\xfcllt die Mindestwerte.";  // Windows-1252, as the core writes
    search();
    EXPECT_EQ(text("messageLabel"), QStringLiteral("Kein Plan erfüllt die Mindestwerte."));
    EXPECT_EQ(lines(), startLines);
    EXPECT_FALSE(child<QAction>(window, "undoAction")->isEnabled());
}

TEST_F(SuggestDialogTest, CancellingLeavesThePlanAndTheHistoryAsTheyWere) {
    standIn.progress = SuggestProgress{0.5, 60, 90};
    dialog->setEngine(standIn.engine());
    QSignalSpy ended(dialog, &SuggestDialog::searchEnded);
    QTest::mouseClick(child<QPushButton>(dialog, "startButton"), Qt::LeftButton);
    ASSERT_TRUE(dialog->searching());
    ASSERT_TRUE(QTest::qWaitFor([&] { return text("messageLabel").startsWith(QStringLiteral("Bester")); }, 10000));
    EXPECT_EQ(text("messageLabel"), QStringLiteral("Bester Wert bisher: ") + decimal("6", '0') +
                                        QStringLiteral(", höchstens ") + decimal("9", '0') + QStringLiteral(" möglich"));
    QTest::mouseClick(child<QPushButton>(dialog, "cancelButton"), Qt::LeftButton);
    EXPECT_FALSE(dialog->searching()) << "Abbrechen waits for the search to stop";
    EXPECT_FALSE(dialog->isVisible());
    ASSERT_EQ(ended.count(), 1);
    EXPECT_EQ(ended.at(0).at(0).value<SuggestStop>(), SuggestStop::Cancelled);
    QTest::qWait(20);  // anything the search still sent is dropped
    EXPECT_EQ(lines(), startLines);
    EXPECT_FALSE(child<QAction>(window, "undoAction")->isEnabled());
}

TEST_F(SuggestDialogTest, TheWholeDialogWorksFromTheKeyboard) {
    standIn.answer.choices = twoBuildings();
    dialog->setEngine(standIn.engine());
    QApplication::setActiveWindow(dialog);
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
    auto keys = [](int key, Qt::KeyboardModifiers modifiers = Qt::AltModifier) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
    };
    keys(Qt::Key_M);
    EXPECT_EQ(QApplication::focusWidget(), child<QComboBox>(dialog, "minimumGoalBox"));
    keys(Qt::Key_Tab, Qt::NoModifier);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("7"));
    keys(Qt::Key_Return, Qt::NoModifier);
    EXPECT_EQ(child<QListWidget>(dialog, "minimumList")->count(), 1) << "Return adds the minimum";
    EXPECT_FALSE(dialog->searching()) << "and starts no search";
    keys(Qt::Key_U);  // buttons answer their Alt key with a short animated click
    EXPECT_TRUE(QTest::qWaitFor([&] { return child<QCheckBox>(dialog, "rebuildCheck")->isChecked(); }, 5000));

    QSignalSpy ended(dialog, &SuggestDialog::searchEnded);
    keys(Qt::Key_S);
    ASSERT_TRUE(ended.wait(10000));
    ASSERT_TRUE(dialog->showsProposal());
    EXPECT_EQ(standIn.seen->minimums.size(), 1u);
    EXPECT_TRUE(standIn.seen->rebuild);
    keys(Qt::Key_B);  // "Übernehmen"; the hidden options' Alt+B does not count
    EXPECT_TRUE(QTest::qWaitFor([&] { return !dialog->isVisible(); }, 5000));
    EXPECT_EQ(window->history().stack().count(), 1);
    EXPECT_FALSE(child<QCheckBox>(dialog, "capCheck")->isChecked());
}

// The real engine, end to end: a new Standardplanet has room for research,
// and the best colony for it is proven.
TEST_F(SuggestDialogTest, TheEngineProposesTheBestColonyForResearch) {
    choose("goalBox", QStringLiteral("Forschung"));
    search();
    ASSERT_TRUE(dialog->showsProposal()) << text("messageLabel").toStdString();
    EXPECT_EQ(text("boundLabel"), QStringLiteral("bestmöglich"));
    EXPECT_EQ(lines(), startLines);
    QTest::mouseClick(child<QPushButton>(dialog, "applyButton"), Qt::LeftButton);
    EXPECT_GT(goalValue(info, plan, *goalByName(info, "Forschung")), 0) << "the proposal raises the goal";
    EXPECT_EQ(window->history().stack().count(), 1);
}
