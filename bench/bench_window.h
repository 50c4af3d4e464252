// The planner's window as the measurements use it: our data and pictures,
// the start-up work done at once instead of on its timer, shown (offscreen
// unless a display is asked for).
#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QMenu>
#include <QTimer>
#include <memory>

#include "core/catalog/catalog_files.h"
#include "gui/file_commands.h"
#include "gui/main_window.h"
#include "gui/plan_cells.h"
#include "gui/widgets/planet_menu.h"

namespace bench {

// A control of the window, found by its object name.
template <typename T>
T* child(QObject& window, const char* name) {
    return window.findChild<T*>(QString::fromLatin1(name));
}
template <typename T>
T* child(const std::unique_ptr<dz::MainWindow>& window, const char* name) {
    return child<T>(*window, name);
}

struct BenchWindow {
    dz::Info info;
    dz::ActPlan plan;
    dz::ProgramState state;
    std::unique_ptr<dz::MainWindow> window;
    int largest = 0;  // the planet type with the most fields

    BenchWindow() {
        dz::loadCatalog(info, QCoreApplication::applicationDirPath().toStdString());
        window = std::make_unique<dz::MainWindow>(info, plan, state, dz::RunMode::Interactive);
        child<QTimer>(window, "startupTimer")->stop();
        window->loadPlanPictures();
        window->loadPanelIcons();
        window->show();
        for (int p = 0; p < dz::kPlanetCount; ++p)
            if (fields(p) > fields(largest)) largest = p;
    }

    int fields(int p) const {
        return info.planets[p].width * (info.planets[p].surfaceHeight + info.planets[p].orbitHeight);
    }

    // What the event loop does after every user action: delete released
    // controls, lay out and paint.
    static void settle() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
};

// Every entry of a menu and its submenus that carries out a plan action (it
// carries the action's tag); the separator and the lock for "Vorschlag"
// change nothing in the plan and are left out.
inline void leaves(QMenu* menu, QList<QAction*>& actions) {
    for (QAction* a : menu->actions()) {
        if (a->menu())
            leaves(a->menu(), actions);
        else if (a->data().isValid())
            actions << a;
    }
}

}  // namespace bench
