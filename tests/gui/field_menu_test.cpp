// A right click on a field opens its menu; choosing an entry changes the
// plan, the field's picture, the status line and the panels.
#include <gtest/gtest.h>

#include <QApplication>
#include <QGroupBox>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "core/catalog/catalog_files.h"
#include "core/layout/field_cells.h"
#include "gui/edit_history.h"
#include "gui/file_commands.h"
#include "gui/main_window.h"
#include "gui/support/window_fixture.h"
#include "gui/widgets/planet_menu.h"
#include "gui/widgets/panel_grid.h"

using namespace dz;

namespace {

class FieldMenuTest : public WindowFixture {
protected:
    void SetUp() override {
        makeShippedWindow();
        child<PlanetMenu>(window, "newPlanMenu")->entries()[ptStandard]->trigger();
    }
    void TearDown() override { child<QMenu>(window, "fieldMenu")->hide(); }

    // The first surface field of a field type, and its picture.
    FieldPicture* firstPicture(int fieldType, int skip = 0) {
        for (int x = 0; x < plan.width(); ++x)
            for (int y = 0; y < plan.surfaceHeight(); ++y)
                if (plan.current.surface[x][y].fieldType == fieldType && skip-- == 0)
                    return static_cast<FieldPicture*>(window->planCells().cell(x, y, true)[1]);
        return nullptr;
    }

    // Right-clicks a picture and returns the entries of the menu that opens.
    QList<QAction*> rightClick(FieldPicture* picture) {
        child<QMenu>(window, "fieldMenu")->hide();
        QTest::mouseClick(picture, Qt::RightButton, {}, QPoint(10, 10));
        return child<QMenu>(window, "fieldMenu")->actions();
    }

    static QStringList texts(const QList<QAction*>& actions) {
        QStringList result;
        for (QAction* a : actions) result << a->text();
        return result;
    }

    static QAction* entry(const QList<QAction*>& actions, const QString& text) {
        for (QAction* a : actions)
            if (a->text() == text) return a;
        return nullptr;
    }

};

}  // namespace

TEST_F(FieldMenuTest, RightClickOpensTheMenuAndAnEntryBuilds) {
    FieldPicture* meadow = firstPicture(ftMeadow);
    ASSERT_NE(meadow, nullptr);
    const FieldSelection cell = decodeFieldKey(meadow->fieldKey());
    const auto top = rightClick(meadow);
    EXPECT_TRUE(child<QMenu>(window, "fieldMenu")->isVisible());
    EXPECT_EQ(plan.selected, cell);
    ASSERT_EQ(texts(top), (QStringList{"Bauen", "Terraforming", "", "Für Vorschlag sperren"}));
    const auto buildings = top[0]->menu()->actions();
    EXPECT_EQ(texts(buildings), (QStringList{"Koloniezentrale", "Große Koloniezentrale"}));
    EXPECT_EQ(texts(top[1]->menu()->actions()), QStringList{"Wald erschaffen"});

    child<QMenu>(window, "fieldMenu")->hide();
    buildings[0]->trigger();
    EXPECT_EQ(plan.fieldAt(cell.x, cell.y, true).building, bldBaseA);
    EXPECT_TRUE(unsaved());
    EXPECT_EQ(window->statusText(StatusPanel::Buildings), "Koloniezentrale gebaut");
    EXPECT_EQ(child<PanelGrid>(window, "personnelGrid")->text(1, 0), "50");
    EXPECT_EQ(child<PanelGrid>(window, "productionGrid")->text(1, 0), "800") << "storage of the centre";
    FieldPicture* now = static_cast<FieldPicture*>(window->planCells().cell(cell.x, cell.y, true)[1]);
    EXPECT_EQ(now->toolTip(), "Koloniezentrale");
    EXPECT_TRUE(now->source().endsWith("/images/m/2/zentrale/0.gif")) << now->source().toStdString();

    // The built field offers demolishing and switching off.
    EXPECT_EQ(texts(rightClick(now)), (QStringList{"Abreißen", "Betrieb einstellen", "Bauen", "", "Für Vorschlag sperren"}));
}

TEST_F(FieldMenuTest, OtherButtonsOpenNoMenu) {
    FieldPicture* meadow = firstPicture(ftMeadow);
    child<QMenu>(window, "fieldMenu")->clear();
    QTest::mouseClick(meadow, Qt::LeftButton);
    EXPECT_FALSE(child<QMenu>(window, "fieldMenu")->isVisible());
    EXPECT_TRUE(child<QMenu>(window, "fieldMenu")->actions().isEmpty());
}

TEST_F(FieldMenuTest, TerraformingAndResetThroughTheMenu) {
    FieldPicture* meadow = firstPicture(ftMeadow);
    const FieldSelection cell = decodeFieldKey(meadow->fieldKey());
    entry(rightClick(meadow)[1]->menu()->actions(), "Wald erschaffen")->trigger();
    EXPECT_EQ(plan.fieldAt(cell.x, cell.y, true).fieldType, ftForest);
    EXPECT_EQ(window->statusText(StatusPanel::Terraforming), "Wiese in Wald terraformiert");
    EXPECT_EQ(child<PanelGrid>(window, "costGrid")->text(1, 1), "30") << "Nahrung spent on the forest";
    FieldPicture* forest = static_cast<FieldPicture*>(window->planCells().cell(cell.x, cell.y, true)[1]);
    EXPECT_EQ(forest->toolTip(), "Wald");
    const auto terraform = rightClick(forest)[1]->menu()->actions();
    ASSERT_FALSE(terraform.isEmpty());
    EXPECT_EQ(terraform[0]->text(), "Anfangszustand (Wiese)");
    terraform[0]->trigger();
    EXPECT_EQ(plan.fieldAt(cell.x, cell.y, true).fieldType, ftMeadow);
    EXPECT_EQ(child<PanelGrid>(window, "costGrid")->text(1, 1), "0");
}

TEST_F(FieldMenuTest, AreaBuildingFramesItsNeighbours) {
    entry(rightClick(firstPicture(ftMeadow))[0]->menu()->actions(), "Koloniezentrale")->trigger();
    FieldPicture* meadow = firstPicture(ftMeadow, 30);
    const FieldSelection cell = decodeFieldKey(meadow->fieldKey());
    QAction* shield = entry(rightClick(meadow)[0]->menu()->actions(), "Kleiner Schildgenerator");
    ASSERT_NE(shield, nullptr);
    shield->trigger();
    const int nx = (cell.x + 1) % plan.width();
    EXPECT_EQ(plan.fieldAt(nx, cell.y, true).coverNear, 1);
    const QImage frame = window->planCells().cell(nx, cell.y, true)[0]->pixmap().toImage();
    EXPECT_EQ(frame, window->planCells().stateFrames().at(6).toImage()) << "is.gif beside the shield";
    const QImage own = window->planCells().cell(cell.x, cell.y, true)[0]->pixmap().toImage();
    EXPECT_EQ(own, window->planCells().stateFrames().at(2).toImage()) << "as.gif: in operation and in its own range";
}

TEST_F(FieldMenuTest, AlphabeticalSortOrdersTheBuildingEntries) {
    entry(rightClick(firstPicture(ftMeadow))[0]->menu()->actions(), "Koloniezentrale")->trigger();
    child<QAction>(window, "alphabeticalSortAction")->trigger();
    const auto buildings = rightClick(firstPicture(ftMeadow, 3))[0]->menu()->actions();
    QStringList names = texts(buildings);
    ASSERT_GT(names.size(), 10);
    QStringList sorted = names;
    std::sort(sorted.begin(), sorted.end(), [](const QString& a, const QString& b) {
        return a.toLatin1() < b.toLatin1();  // our names are Latin-1 letters
    });
    EXPECT_EQ(names, sorted);
    QAction* farm = entry(buildings, "Agrarfarm");
    ASSERT_NE(farm, nullptr);
    const FieldSelection cell = plan.selected;
    farm->trigger();
    EXPECT_EQ(plan.fieldAt(cell.x, cell.y, true).building, 3);
}

TEST_F(FieldMenuTest, TheLastEntryLocksAndUnlocksTheFieldWithoutChangingThePlan) {
    FieldPicture* meadow = firstPicture(ftMeadow);
    const FieldSelection cell = decodeFieldKey(meadow->fieldKey());
    const FieldPosition field{cell.x, cell.y, true};
    const QImage unlocked = meadow->grab().toImage();
    const QString title = window->windowTitle();

    QAction* lock = rightClick(meadow).last();
    EXPECT_EQ(lock->text(), "Für Vorschlag sperren");
    lock->trigger();
    EXPECT_TRUE(window->planCells().locks().contains(field));
    EXPECT_TRUE(meadow->locked());
    EXPECT_NE(meadow->grab().toImage(), unlocked) << "a locked field shows its mark";
    EXPECT_FALSE(unsaved()) << "locking is no change of the plan";
    EXPECT_FALSE(child<QAction>(window, "undoAction")->isEnabled());
    EXPECT_EQ(window->windowTitle(), title);

    QAction* unlock = rightClick(meadow).last();
    EXPECT_EQ(unlock->text(), "Für Vorschlag entsperren");
    unlock->trigger();
    EXPECT_TRUE(window->planCells().locks().empty());
    EXPECT_EQ(meadow->grab().toImage(), unlocked) << "an unlocked field looks as it always did";
}

TEST_F(FieldMenuTest, LocksStayThroughUndoAndSavingAndGoWithAnotherPlan) {
    FieldPicture* meadow = firstPicture(ftMeadow);
    const FieldSelection cell = decodeFieldKey(meadow->fieldKey());
    const FieldPosition field{cell.x, cell.y, true};
    auto shownLocked = [&] { return static_cast<FieldPicture*>(window->planCells().cell(cell.x, cell.y, true)[1])->locked(); };
    rightClick(meadow).last()->trigger();
    entry(rightClick(meadow)[0]->menu()->actions(), "Koloniezentrale")->trigger();
    EXPECT_TRUE(shownLocked()) << "the field's new picture keeps the mark";
    window->history().undo();
    EXPECT_TRUE(shownLocked());
    window->history().redo();
    EXPECT_TRUE(shownLocked());
    EXPECT_TRUE(window->planCells().locks().contains(field));

    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("gesperrt.kpls"));
    ASSERT_TRUE(window->files().savePlanFile(file));
    EXPECT_TRUE(window->planCells().locks().contains(field)) << "saving keeps the locks";
    ASSERT_TRUE(window->files().loadPlanFile(file));
    EXPECT_TRUE(window->planCells().locks().empty()) << "a loaded plan starts unlocked";
    EXPECT_FALSE(shownLocked());

    rightClick(firstPicture(ftMeadow)).last()->trigger();
    ASSERT_FALSE(window->planCells().locks().empty());
    window->newPlan(ptStandard);
    EXPECT_TRUE(window->planCells().locks().empty()) << "a new plan starts unlocked";
}
