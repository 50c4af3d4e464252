// The main window as the widget tests use it: over a catalog of the test's
// choice, with its start-up timer stopped (start-up is tested on its own).
// Controls are private to the window; tests find them by object name.
#pragma once

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QObject>
#include <QTimer>
#include <memory>
#include <utility>

#include "core/catalog/catalog_files.h"
#include "core/catalog/info.h"
#include "core/plan/act_plan.h"
#include "core/planner/program_state.h"
#include "gui/edit_history.h"
#include "gui/file_commands.h"
#include "gui/main_window.h"
#include "gui/plan_cells.h"
#include "gui/result_panels.h"
#include "gui/widgets/planet_menu.h"

// The child of `parent` with this object name; a test failure when there is none.
template <typename T>
T* child(const QObject* parent, const char* name) {
    T* found = parent->findChild<T*>(QString::fromLatin1(name));
    if (!found) ADD_FAILURE() << "no child " << name;
    return found;
}
template <typename T>
T* child(const QObject& parent, const char* name) {
    return child<T>(&parent, name);
}
template <typename T, typename W>
T* child(const std::unique_ptr<W>& parent, const char* name) {
    return child<T>(parent.get(), name);
}

// The folder the built picture set lies in (images/ below it).
inline QString builtProgramDir() { return QString::fromUtf8(DZ_IMAGES_DIR).section('/', 0, -2); }

class WindowFixture : public ::testing::Test {
protected:
    // Makes the window over `info` as the test has filled it, for a user at
    // the window unless the test asks for batch mode.
    void makeWindow(dz::RunMode mode = dz::RunMode::Interactive) {
        window = std::make_unique<dz::MainWindow>(info, plan, state, mode);
        child<QTimer>(window, "startupTimer")->stop();
    }
    // Makes the window and reads the built picture set as start-up does.
    void makeWindowWithPictures(dz::RunMode mode = dz::RunMode::Interactive) {
        makeWindow(mode);
        window->setProgramDir(builtProgramDir());
        window->loadPlanPictures();
        window->loadPanelIcons();
    }
    // The window over our shipped data set with the built pictures, shown, as
    // a player sees it once start-up has finished.
    void makeShippedWindow() {
        dz::loadCatalog(info, DZ_DATA_DIR);
        makeWindowWithPictures();
        window->show();
    }
    void TearDown() override { window.reset(); }

    // Whether the window counts the plan as changed since it was saved or loaded.
    bool unsaved() const { return window->history().hasUnsavedChanges(); }
    // A change of the plan as a user makes it, one step of the history: the
    // population limit's box ticked or unticked. Needs a plan.
    void makeUnsavedChange() {
        auto* box = child<QCheckBox>(window, "populationLimitBox");
        ASSERT_TRUE(box->isEnabled()) << "no plan to change";
        box->click();
        ASSERT_TRUE(unsaved());
    }

    // A new plan of planet type p, chosen in "Neu".
    void newPlan(int p) { child<dz::PlanetMenu>(window, "newPlanMenu")->entries()[p]->trigger(); }
    // The picture control of a field.
    dz::FieldPicture* pictureAt(int x, int y, bool onSurface = true) {
        return static_cast<dz::FieldPicture*>(window->planCells().cell(x, y, onSurface)[1]);
    }
    // First surface field of the plan with field type t, or {-1, -1}.
    std::pair<int, int> findSurface(int t) {
        for (int x = 0; x < plan.width(); ++x)
            for (int y = 0; y < plan.surfaceHeight(); ++y)
                if (plan.current.surface[x][y].fieldType == t) return {x, y};
        return {-1, -1};
    }

    dz::Info info;
    dz::ActPlan plan;
    dz::ProgramState state;
    std::unique_ptr<dz::MainWindow> window;
};
