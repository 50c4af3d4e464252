// Planning with the keyboard alone: the "Neu" menu, the field grid with its
// cursor and field menu, the hire and fire buttons and the main menu's keys.
// Every step is a key event sent to what has the keyboard at that moment.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QGroupBox>
#include <QImage>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "core/catalog/builtin_tables.h"
#include "gui/cell_cursor.h"
#include "gui/support/test_support.h"
#include "gui/support/window_fixture.h"
#include "gui/widgets/field_cursor.h"
#include "gui/widgets/panel_grid.h"
#include "gui/widgets/planet_menu.h"
#include "gui/widgets/up_down_button.h"

using namespace dz;

namespace {

class KeyboardTest : public WindowFixture {
protected:
    void SetUp() override {
        makeShippedWindow();
        activate();
    }
    // Shortcuts work in the active window.
    void activate() {
        QApplication::setActiveWindow(window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    void TearDown() override {
        if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
        WindowFixture::TearDown();
    }

    // Presses a key where the keyboard is: the open menu, else the focus.
    static void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* target = QApplication::activePopupWidget();
        if (!target) target = QApplication::focusWidget();
        if (!target) target = QApplication::activeWindow();
        ASSERT_NE(target, nullptr);
        QTest::keyClick(target, Qt::Key(key), modifiers);
        QCoreApplication::processEvents();  // the "Neu" entries trigger from the event loop
    }
    static QMenu* openMenu() { return qobject_cast<QMenu*>(QApplication::activePopupWidget()); }

    // In the open menu: Down until the entry `text` is active, then Return.
    static void choose(const QString& text) {
        QMenu* menu = openMenu();
        ASSERT_NE(menu, nullptr) << "no menu open for " << text.toStdString();
        for (int i = 0; i <= int(menu->actions().size()) && !(menu->activeAction() && menu->activeAction()->text() == text); ++i)
            press(Qt::Key_Down);
        ASSERT_TRUE(menu->activeAction() && menu->activeAction()->text() == text) << text.toStdString();
        press(Qt::Key_Return);
    }

    // Tab (or Shift+Tab) until `target` has the focus; false when it never comes.
    static bool tabTo(const QWidget* target, bool backwards = false) {
        for (int i = 0; i < 40 && QApplication::focusWidget() != target; ++i)
            press(Qt::Key_Tab, backwards ? Qt::ShiftModifier : Qt::NoModifier);
        return QApplication::focusWidget() == target;
    }

    // Moves the cursor onto the surface field (x, y) with the arrow keys.
    void walkTo(int x, int y) {
        const FieldSelection from = window->planCells().cursor().field();
        for (int i = from.x; i < x; ++i) press(Qt::Key_Right);
        for (int i = from.x; i > x; --i) press(Qt::Key_Left);
        for (int i = from.y; i < y; ++i) press(Qt::Key_Down);
        for (int i = from.y; i > y; --i) press(Qt::Key_Up);
    }

    QString cellName(int x, int y) const {
        return const_cast<KeyboardTest*>(this)->window->planCells().cell(x, y, true)[1]->accessibleName();
    }
    // What a screen reader finds at the fields: the name of the cell in focus.
    QString focusedCellName() {
        QAccessibleInterface* cell = QAccessible::queryAccessibleInterface(child<QGroupBox>(window, "surfaceBox"))->focusChild();
        return cell ? cell->text(QAccessible::Name) : QString();
    }
};

}  // namespace

TEST_F(KeyboardTest, APlanIsChosenAndAFieldBuiltSwitchedOffAndDemolishedByKeys) {
    // "Neu" with Alt+N; the arrows walk both columns of planets.
    press(Qt::Key_N, Qt::AltModifier);
    ASSERT_EQ(openMenu(), child<PlanetMenu>(window, "newPlanMenu"));
    EXPECT_EQ(child<PlanetMenu>(window, "newPlanMenu")->current(), 0) << "opened by key, Standardplanet is highlighted";
    press(Qt::Key_Right);
    EXPECT_EQ(child<PlanetMenu>(window, "newPlanMenu")->current(), ptSmallAsteroids) << "the second column";
    press(Qt::Key_Down);
    press(Qt::Key_Left);
    EXPECT_EQ(child<PlanetMenu>(window, "newPlanMenu")->current(), 1) << "the same row of the first column";
    press(Qt::Key_Up);
    press(Qt::Key_Return);
    ASSERT_EQ(plan.planetType, ptStandard);
    EXPECT_EQ(openMenu(), nullptr);

    // Tab reaches the fields; the cursor shows where the keys act.
    auto* surface = child<QGroupBox>(window, "surfaceBox");
    ASSERT_TRUE(tabTo(surface));
    EXPECT_TRUE(window->planCells().cursor().mark()->isVisible());
    int x = -1, y = -1;
    for (int cx = 0; cx < plan.width() && x < 0; ++cx)
        for (int cy = 0; cy < plan.surfaceHeight() && x < 0; ++cy)
            if (plan.current.surface[cx][cy].fieldType == ftMeadow) x = cx, y = cy;
    ASSERT_GE(x, 0);
    walkTo(x, y);
    ASSERT_EQ(window->planCells().cursor().field(), (FieldSelection{x, y, true}));
    EXPECT_EQ(window->planCells().cursor().mark()->geometry(), window->planCells().cell(x, y, true)[1]->geometry());

    // Return opens the field's menu; building through "Bauen".
    press(Qt::Key_Return);
    ASSERT_EQ(openMenu(), child<QMenu>(window, "fieldMenu"));
    choose(QStringLiteral("Bauen"));
    choose(QStringLiteral("Koloniezentrale"));
    EXPECT_EQ(plan.fieldAt(x, y, true).building, bldBaseA);
    EXPECT_EQ(cellName(x, y), "Wiese, Koloniezentrale (in Betrieb)");
    EXPECT_EQ(QApplication::focusWidget(), surface) << "the focus comes back to the fields";

    // The hire and fire buttons: Tab, then Up or + hires, Down or - fires.
    auto* soldiers = child<UpDownButton>(window, "soldiersButton");
    ASSERT_TRUE(tabTo(soldiers));
    press(Qt::Key_Up);
    EXPECT_EQ(plan.ressources.soldiers, 1);
    EXPECT_EQ(window->statusText(StatusPanel::Personnel), "1 Soldat eingestellt");
    press(Qt::Key_Minus);
    EXPECT_EQ(plan.ressources.soldiers, 0);
    press(Qt::Key_Plus);
    EXPECT_EQ(plan.ressources.soldiers, 1);
    press(Qt::Key_Down);
    EXPECT_EQ(plan.ressources.soldiers, 0);
    EXPECT_EQ(window->statusText(StatusPanel::Personnel), "1 Soldat entlassen");

    // Back to the fields: the menu key switches off, Shift+F10 demolishes.
    ASSERT_TRUE(tabTo(surface, true));
    EXPECT_EQ(window->planCells().cursor().field(), (FieldSelection{x, y, true})) << "the cursor stayed";
    press(Qt::Key_Menu);
    choose(QStringLiteral("Betrieb einstellen"));
    EXPECT_FALSE(plan.fieldAt(x, y, true).inOperation);
    EXPECT_EQ(cellName(x, y), "Wiese, Koloniezentrale (außer Betrieb)");
    press(Qt::Key_F10, Qt::ShiftModifier);
    choose(QStringLiteral("Abreißen"));
    EXPECT_EQ(plan.fieldAt(x, y, true).building, -1);
    EXPECT_EQ(cellName(x, y), "Wiese");
    EXPECT_EQ(window->statusText(StatusPanel::Buildings), "Koloniezentrale abgerissen");
    EXPECT_TRUE(unsaved());
}

TEST_F(KeyboardTest, TheFieldMenuOfTheCursorLocksTheFieldForSuggestions) {
    window->newPlan(ptStandard);
    ASSERT_TRUE(tabTo(child<QGroupBox>(window, "surfaceBox")));
    walkTo(1, 1);
    press(Qt::Key_Menu);
    choose(QStringLiteral("Für Vorschlag sperren"));
    EXPECT_TRUE(window->planCells().locks().contains(FieldPosition{1, 1, true}));
    EXPECT_EQ(focusedCellName(), "Wiese – Oberfläche, Spalte 2, Zeile 2 – für Vorschlag gesperrt");
    press(Qt::Key_F10);
    EXPECT_EQ(openMenu(), nullptr) << "F10 alone is no field menu key";
    press(Qt::Key_F10, Qt::ShiftModifier);
    choose(QStringLiteral("Für Vorschlag entsperren"));
    EXPECT_TRUE(window->planCells().locks().empty());
}

TEST_F(KeyboardTest, AScreenReaderHearsTheFieldUnderTheCursorWhileTheBoxesKeepTheirNames) {
    window->newPlan(ptStandard);
    auto* surface = child<QGroupBox>(window, "surfaceBox");
    auto* orbit = child<QGroupBox>(window, "orbitBox");
    QAccessibleInterface* fields = QAccessible::queryAccessibleInterface(surface);
    auto boxNames = [&] {
        return QStringList{fields->text(QAccessible::Name),
                           QAccessible::queryAccessibleInterface(orbit)->text(QAccessible::Name)};
    };
    const QStringList names{"Oberfläche", "Orbit"};
    EXPECT_EQ(boxNames(), names);
    EXPECT_EQ(fields->role(), QAccessible::Grouping);
    EXPECT_EQ(fields->childCount(), plan.width() * (plan.surfaceHeight() + plan.orbitHeight()));
    EXPECT_EQ(fields->focusChild(), nullptr) << "the fields do not have the keyboard yet";

    ASSERT_TRUE(tabTo(surface));
    int x = -1, y = -1;
    for (int cx = 0; cx < plan.width() && x < 0; ++cx)
        for (int cy = 0; cy < plan.surfaceHeight() && x < 0; ++cy)
            if (plan.current.surface[cx][cy].fieldType == ftMeadow && (cx > 0 || cy > 0)) x = cx, y = cy;
    ASSERT_GE(x, 0);
    walkTo(x, y);
    const QString where = QStringLiteral("Oberfläche, Spalte %1, Zeile %2").arg(x + 1).arg(y + 1);
    QAccessibleInterface* cell = fields->focusChild();
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->text(QAccessible::Name), "Wiese – " + where);
    EXPECT_EQ(cell->role(), QAccessible::Cell);
    EXPECT_TRUE(cell->state().focused);
    EXPECT_EQ(cell->parent(), fields);
    EXPECT_EQ(cell->rect(), QRect(window->planCells().cell(x, y, true)[1]->mapToGlobal(QPoint(0, 0)), QSize(32, 32)));
    EXPECT_EQ(fields->child(fields->indexOfChild(cell)), cell);

    press(Qt::Key_Return);
    choose(QStringLiteral("Bauen"));
    choose(QStringLiteral("Koloniezentrale"));
    EXPECT_EQ(focusedCellName(), "Wiese, Koloniezentrale (in Betrieb) – " + where);
    EXPECT_EQ(boxNames(), names) << "a field action leaves the boxes their names";

    for (int i = y; i < plan.surfaceHeight(); ++i) press(Qt::Key_Down);
    EXPECT_TRUE(focusedCellName().endsWith(QStringLiteral("– Orbit, Spalte %1, Zeile 1").arg(x + 1)))
        << focusedCellName().toStdString();
    EXPECT_EQ(boxNames(), names);

    ASSERT_TRUE(tabTo(child<UpDownButton>(window, "soldiersButton")));
    EXPECT_EQ(fields->focusChild(), nullptr);
}

TEST_F(KeyboardTest, TheCursorCrossesFromTheSurfaceIntoTheOrbitAndStopsAtTheEdges) {
    window->newPlan(ptStandard);
    ASSERT_TRUE(tabTo(child<QGroupBox>(window, "surfaceBox")));
    EXPECT_EQ(window->planCells().cursor().field(), (FieldSelection{0, 0, true}));
    press(Qt::Key_Up);
    press(Qt::Key_Left);
    EXPECT_EQ(window->planCells().cursor().field(), (FieldSelection{0, 0, true}));
    for (int i = 0; i < plan.surfaceHeight(); ++i) press(Qt::Key_Down);
    EXPECT_EQ(window->planCells().cursor().field(), (FieldSelection{0, 0, false})) << "the first orbit row";
    EXPECT_EQ(window->planCells().cursor().mark()->parentWidget(), child<QGroupBox>(window, "orbitBox"));
    for (int i = 0; i < 40; ++i) press(Qt::Key_Down), press(Qt::Key_Right);
    EXPECT_EQ(window->planCells().cursor().field(), (FieldSelection{plan.width() - 1, plan.orbitHeight() - 1, false}));
    press(Qt::Key_Return);
    EXPECT_EQ(openMenu(), child<QMenu>(window, "fieldMenu")) << "orbit fields have their menu too";
    EXPECT_EQ(plan.selected, (FieldSelection{plan.width() - 1, plan.orbitHeight() - 1, false}));
}

TEST_F(KeyboardTest, MainMenuKeysReachTheirCommands) {
    window->newPlan(ptStandard);
    // Every command's dialog or message is closed as soon as it shows.
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [] {
        if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
    });
    closer.start(10);
    const std::pair<const char*, QKeySequence> commands[] = {
        {"loadAction", QKeySequence(Qt::CTRL | Qt::Key_O)},
        {"saveAction", QKeySequence(Qt::CTRL | Qt::Key_S)},
        {"screenshotAction", QKeySequence(Qt::CTRL | Qt::Key_E)},
    };
    for (const auto& [name, keys] : commands) {
        activate();  // again after the dialog of the command before
        QSignalSpy triggered(child<QAction>(window, name), &QAction::triggered);
        QTest::keySequence(window.get(), keys);
        EXPECT_EQ(triggered.count(), 1) << name;
        EXPECT_TRUE(child<QAction>(window, name)->toolTip().endsWith(keys.toString(QKeySequence::NativeText) + ")"))
            << "the menu bar shows the shortcut: " << child<QAction>(window, name)->toolTip().toStdString();
    }
    closer.stop();
    activate();

    // Ctrl+Q closes, asking first when changes would be lost.
    makeUnsavedChange();
    {
        BoxAnswer no(QMessageBox::No);
        QTest::keySequence(window.get(), QKeySequence(Qt::CTRL | Qt::Key_Q));
        EXPECT_EQ(no.title, "Warnung");
        EXPECT_TRUE(window->isVisible());
    }
    activate();
    BoxAnswer yes(QMessageBox::Yes);
    QTest::keySequence(window.get(), QKeySequence(Qt::CTRL | Qt::Key_Q));
    EXPECT_TRUE(yes.shown);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(KeyboardTest, AHireAndFireButtonWithTheKeyboardShowsTheCursorsRing) {
    window->newPlan(ptStandard);
    auto* soldiers = child<UpDownButton>(window, "soldiersButton");
    const QImage unfocused = soldiers->grab().toImage();
    ASSERT_TRUE(tabTo(soldiers));
    const QImage focused = soldiers->grab().toImage();
    ASSERT_EQ(focused.size(), unfocused.size());
    // The ring is black with white dashes, like the field cursor's: pixels
    // that turned pure black or pure white, all round the button.
    int black = 0, white = 0, rows = 0;
    for (int y = 0; y < focused.height(); ++y) {
        bool inRow = false;
        for (int x = 0; x < focused.width(); ++x) {
            const QRgb now = focused.pixel(x, y);
            if (now == unfocused.pixel(x, y)) continue;
            black += now == qRgb(0, 0, 0);
            white += now == qRgb(255, 255, 255);
            inRow = inRow || now == qRgb(0, 0, 0) || now == qRgb(255, 255, 255);
        }
        rows += inRow;
    }
    EXPECT_GE(black, 30);
    EXPECT_GE(white, 20);
    EXPECT_GE(rows, focused.height() - 4) << "the ring runs down both sides";
}
