// A long session in the window: thousands of random choices in the field
// menus, new plans, saves and loads in between. After every step the plan's
// bookkeeping must agree with its fields, and the plan view must show exactly
// one frame and one picture per field of the current plan, nothing else.
#include <gtest/gtest.h>

#include <QGroupBox>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <random>

#include "core/catalog/catalog_files.h"
#include "core/layout/field_cells.h"
#include "gui/main_window.h"
#include "gui/support/window_fixture.h"
#include "gui/widgets/planet_menu.h"
#include "support/plan_checks.h"

using namespace dz;

namespace {

// Every entry of a menu and its submenus that carries out a plan action (it
// carries the action's tag); the separator and the lock for "Vorschlag"
// change nothing in the plan and are left out.
void leaves(QMenu* menu, QList<QAction*>& actions) {
    for (QAction* a : menu->actions()) {
        if (a->menu())
            leaves(a->menu(), actions);
        else if (a->data().isValid())
            actions << a;
    }
}

// The visible controls of a group box match the cells of the plan exactly.
void checkView(QGroupBox* box, const ActPlan& plan, bool onSurface) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const int height = onSurface ? plan.surfaceHeight() : plan.orbitHeight();
    int pictures = 0, frames = 0;
    for (QLabel* label : box->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (!label->isVisibleTo(box)) continue;
        if (auto* picture = qobject_cast<FieldPicture*>(label)) {
            const FieldSelection cell = decodeFieldKey(picture->fieldKey());
            ASSERT_EQ(cell.onSurface, onSurface);
            ASSERT_TRUE(cell.x < plan.width() && cell.y < height) << "a picture outside the plan";
            ++pictures;
        } else {
            ++frames;
        }
    }
    ASSERT_EQ(pictures, plan.width() * height);
    ASSERT_EQ(frames, plan.width() * height);
}

}  // namespace

class LongSession : public WindowFixture {};

TEST_F(LongSession, RandomChoicesKeepThePlanAndItsViewInOrder) {
    makeShippedWindow();
    MainWindow& window = *this->window;
    QTemporaryDir dir;
    std::mt19937 random(42);

    child<PlanetMenu>(window, "newPlanMenu")->entries()[0]->trigger();
    int chosenEntries = 0, newPlans = 0, reloads = 0, mostBuildings = 0;
    for (int step = 0; step < 3000; ++step) {
        const unsigned roll = random() % 100;
        if (roll < 2) {
            window.history().markSaved();  // as after a save: no question in between
            child<PlanetMenu>(window, "newPlanMenu")->entries()[int(random() % kPlanetCount)]->trigger();
            ++newPlans;
        } else if (roll < 4) {
            const QString file = dir.filePath(QStringLiteral("plan%1").arg(step));
            ASSERT_TRUE(window.files().savePlanFile(file));
            const ActPlan saved = plan;
            ASSERT_TRUE(window.files().loadPlanFile(file + QStringLiteral(".kpls")));
            ASSERT_EQ(plan.current, saved.current) << "step " << step;
            ++reloads;
        } else {
            const bool orbit = plan.orbitHeight() > 0 && random() % 4 == 0;
            const int x = int(random() % unsigned(plan.width()));
            const int y = int(random() % unsigned(orbit ? plan.orbitHeight() : plan.surfaceHeight()));
            auto* picture = static_cast<FieldPicture*>(window.planCells().cell(x, y, !orbit)[1]);
            QTest::mouseClick(picture, Qt::RightButton, {}, QPoint(5, 5));
            QList<QAction*> actions;
            leaves(child<QMenu>(window, "fieldMenu"), actions);
            child<QMenu>(window, "fieldMenu")->hide();
            if (actions.isEmpty()) continue;
            // Building is chosen more often, so that colonies grow.
            QAction* chosen = actions[int(random() % unsigned(actions.size()))];
            if (random() % 2 == 0)
                for (QAction* a : actions)
                    if (a->data().toInt() >= tagBuildBase && a->data().toInt() < tagTerraformBase && random() % 3 == 0) {
                        chosen = a;
                        break;
                    }
            chosen->trigger();
            ++chosenEntries;
        }
        int buildings = 0;
        for (const auto& column : plan.current.surface)
            for (const Field& f : column) buildings += f.built;
        mostBuildings = std::max(mostBuildings, buildings);
        ASSERT_NO_FATAL_FAILURE(plan_checks::checkBookkeeping(info, plan)) << "step " << step;
        if (step % 10 == 0) {
            ASSERT_NO_FATAL_FAILURE(checkView(child<QGroupBox>(window, "surfaceBox"), plan, true)) << "step " << step;
            ASSERT_NO_FATAL_FAILURE(checkView(child<QGroupBox>(window, "orbitBox"), plan, false)) << "step " << step;
        }
    }
    // The session really played: menus were used, plans grew, were replaced and reloaded.
    EXPECT_GT(chosenEntries, 2000);
    EXPECT_GT(newPlans, 20);
    EXPECT_GT(reloads, 20);
    EXPECT_GT(mostBuildings, 20);
}
