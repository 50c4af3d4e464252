// Memory over a long session of field actions: `bench_field_actions_memory N
// [--no-history]` makes N random choices in the field menus of the largest
// planet, like a player right-clicking fields, in an offscreen window with
// the real data and pictures. Every choice is a step of the undo history;
// with --no-history the history is emptied after each. bench_processes
// compares the peak resident memory of runs without history of 100 choices
// and of 10,000 (replaced cell controls must be released, so the two stay
// close), and of 10,000 with and without history. Prints the choices made,
// the fields built and the steps kept at the end.
#include <QCoreApplication>
#include <QEvent>
#include <QMenu>
#include <QTimer>
#include <QUndoStack>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>

#include "bench_window.h"
#include "core/plan/field_menu.h"
#include "app/application.h"
#include "gui/edit_history.h"
#include "gui/main_window.h"
#include "gui/widgets/planet_menu.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    dz::installQuietMessageHandler();
    dz::DizozodiduApplication app(argc, argv);
    const int choices = argc > 1 ? std::atoi(argv[1]) : 10000;
    const bool keepHistory = !(argc > 2 && std::strcmp(argv[2], "--no-history") == 0);

    bench::BenchWindow session;
    dz::MainWindow& window = *session.window;
    const dz::ActPlan& plan = session.plan;
    bench::child<dz::PlanetMenu>(window, "newPlanMenu")->entries()[session.largest]->trigger();

    std::mt19937 random(42);
    int made = 0;
    while (made < choices) {
        const bool orbit = plan.orbitHeight() > 0 && random() % 4 == 0;
        const int x = int(random() % unsigned(plan.width()));
        const int y = int(random() % unsigned(orbit ? plan.orbitHeight() : plan.surfaceHeight()));
        // The right click: the field menu is made for the field.
        window.planCells().pictureReleased(static_cast<dz::FieldPicture*>(window.planCells().cell(x, y, !orbit)[1]), Qt::RightButton);
        QList<QAction*> actions;
        bench::leaves(bench::child<QMenu>(window, "fieldMenu"), actions);
        if (actions.isEmpty()) continue;
        // Building is chosen more often, so that the colony grows.
        QAction* chosen = actions[int(random() % unsigned(actions.size()))];
        if (random() % 2 == 0)
            for (QAction* a : actions)
                if (a->data().toInt() >= dz::tagBuildBase && a->data().toInt() < dz::tagTerraformBase &&
                    random() % 3 == 0) {
                    chosen = a;
                    break;
                }
        chosen->trigger();
        if (!keepHistory) window.history().clear();
        ++made;
        bench::BenchWindow::settle();
    }

    int built = 0;
    for (const auto* grid : {&plan.current.surface, &plan.current.orbit})
        for (const auto& column : *grid)
            for (const dz::Field& f : column) built += f.built;
    std::printf("%d choices, %d fields built, %d steps in the history\n", made, built, window.history().stack().count());
    return 0;
}
