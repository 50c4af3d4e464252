// What the user waits for inside the window: a new plan on the largest planet
// of our data, the field menu, each field action with recomputation and the
// redraw of its cells, and saving and loading a full plan. Offscreen window,
// real data and pictures. Each timed step ends when the event loop has
// deleted released controls, laid out and painted.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QEvent>
#include <QMenu>
#include <QTemporaryDir>
#include <QTimer>
#include <chrono>

#include "bench_window.h"
#include "core/plan/field_menu.h"
#include "app/application.h"
#include "gui/edit_history.h"
#include "gui/main_window.h"
#include "gui/widgets/planet_menu.h"
#include "gui/widgets/qt_text.h"

namespace {

using namespace dz;
using Clock = std::chrono::steady_clock;

using bench::leaves;

struct Session : bench::BenchWindow {
    QTemporaryDir dir;

    void act(int x, int y, bool onSurface, int tag) {
        plan.selected = FieldSelection{x, y, onSurface};
        window->planner().chooseMenuEntry(tag);
    }

    // The seconds of one field action and the event loop's work after it.
    double timedAct(int x, int y, bool onSurface, int tag) {
        const auto start = Clock::now();
        act(x, y, onSurface, tag);
        settle();
        return std::chrono::duration<double>(Clock::now() - start).count();
    }

    // The first surface field of a type that carries no building.
    std::pair<int, int> free(int fieldType, int skip = 0) {
        for (int x = 0; x < plan.width(); ++x)
            for (int y = 0; y < plan.surfaceHeight(); ++y)
                if (plan.current.surface[x][y].fieldType == fieldType && !plan.current.surface[x][y].built && skip-- == 0)
                    return {x, y};
        return {-1, -1};
    }

    void newPlan() {
        window->history().markSaved();  // as after a save: no question before the new plan
        bench::child<dz::PlanetMenu>(window, "newPlanMenu")->entries()[largest]->trigger();
        settle();
    }

    // A new plan of the largest planet with a base and most meadows built.
    void crowded() {
        newPlan();
        auto [bx, by] = free(ftMeadow);
        act(bx, by, true, tagBuildBase + bldBaseA);
        for (int i = 0;; ++i) {
            auto [x, y] = free(ftMeadow, 4);
            if (x < 0) break;
            act(x, y, true, tagBuildBase + (i % 2 ? bldHousingCore : 16));
        }
        settle();
    }

    // A new plan of the largest planet where every field carries what its
    // field menu offers to build, chosen in turn; returns the built fields.
    int full() {
        newPlan();
        auto [bx, by] = free(ftMeadow);
        act(bx, by, true, tagBuildBase + bldBaseA);
        int choice = 0;
        for (int pass = 0; pass < 3; ++pass)  // the orbit opens once its port stands
            for (bool onSurface : {true, false})
                for (int x = 0; x < plan.width(); ++x)
                    for (int y = 0; y < (onSurface ? plan.surfaceHeight() : plan.orbitHeight()); ++y) {
                        auto& column = onSurface ? plan.current.surface[x] : plan.current.orbit[x];
                        if (column[y].built) continue;
                        window->planCells().pictureReleased(
                            static_cast<FieldPicture*>(window->planCells().cell(x, y, onSurface)[1]), Qt::RightButton);
                        QList<QAction*> actions, builds;
                        leaves(bench::child<QMenu>(window, "fieldMenu"), actions);
                        for (QAction* a : actions)
                            if (a->data().toInt() >= tagBuildBase && a->data().toInt() < tagTerraformBase) builds << a;
                        if (!builds.isEmpty()) builds[choice++ % builds.size()]->trigger();
                    }
        settle();
        int built = 0;
        for (const auto* grid : {&plan.current.surface, &plan.current.orbit})
            for (const auto& column : *grid)
                for (const Field& f : column) built += f.built;
        return built;
    }
};

std::unique_ptr<Session> theSession;

Session& session() {
    if (!theSession) theSession = std::make_unique<Session>();
    return *theSession;
}

// In-process measurements: the median of five repetitions, each the mean of
// as many runs as fit into 0.2 s.
void configure(benchmark::internal::Benchmark* b) {
    b->UseManualTime()->Unit(benchmark::kMicrosecond)->MinTime(0.2)->Repetitions(5)->ReportAggregatesOnly(true);
}

void BM_NewPlanLargestPlanet(benchmark::State& state) {
    Session& s = session();
    for (auto _ : state) {
        const auto start = Clock::now();
        s.newPlan();
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    }
    const InfoPlanet& p = s.info.planets[s.largest];
    state.SetLabel(fromCp1252(p.name).toStdString() + ", " + std::to_string(p.width) + " × " + std::to_string(p.surfaceHeight) + " + " +
                   std::to_string(p.orbitHeight) + " orbit rows");
}
BENCHMARK(BM_NewPlanLargestPlanet)->Apply(configure);

void BM_FieldMenu(benchmark::State& state) {
    Session& s = session();
    s.crowded();
    auto [x, y] = s.free(ftMeadow);
    for (auto _ : state) {
        const auto start = Clock::now();
        s.plan.selected = FieldSelection{x, y, true};
        s.window->planCells().fillFieldMenu();
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    }
}
BENCHMARK(BM_FieldMenu)->Apply(configure);

void BM_Build(benchmark::State& state) {
    Session& s = session();
    s.crowded();
    auto [x, y] = s.free(ftMeadow);
    for (auto _ : state) {
        state.SetIterationTime(s.timedAct(x, y, true, tagBuildBase + bldLabSmall));
        s.act(x, y, true, tagDemolish);
        s.settle();
    }
}
BENCHMARK(BM_Build)->Apply(configure);

void BM_BuildOver(benchmark::State& state) {
    Session& s = session();
    s.crowded();
    auto [x, y] = s.free(ftMeadow);
    s.act(x, y, true, tagBuildBase + bldLabSmall);
    int i = 0;
    for (auto _ : state) state.SetIterationTime(s.timedAct(x, y, true, tagBuildBase + (++i % 2 ? bldLabLarge : bldLabSmall)));
}
BENCHMARK(BM_BuildOver)->Apply(configure);

void BM_Demolish(benchmark::State& state) {
    Session& s = session();
    s.crowded();
    auto [x, y] = s.free(ftMeadow);
    for (auto _ : state) {
        s.act(x, y, true, tagBuildBase + bldLabSmall);
        s.settle();
        state.SetIterationTime(s.timedAct(x, y, true, tagDemolish));
    }
}
BENCHMARK(BM_Demolish)->Apply(configure);

void BM_SwitchOffOrOn(benchmark::State& state) {
    Session& s = session();
    s.crowded();
    auto [x, y] = s.free(ftMeadow);
    s.act(x, y, true, tagBuildBase + bldLabLarge);
    for (auto _ : state) state.SetIterationTime(s.timedAct(x, y, true, tagToggle));
}
BENCHMARK(BM_SwitchOffOrOn)->Apply(configure);

void BM_Terraform(benchmark::State& state) {
    Session& s = session();
    s.crowded();
    auto [x, y] = s.free(ftMeadow);
    for (auto _ : state) {
        state.SetIterationTime(s.timedAct(x, y, true, tagTerraformBase + 6));
        s.act(x, y, true, tagInitial);
        s.settle();
    }
}
BENCHMARK(BM_Terraform)->Apply(configure);

void BM_ResetField(benchmark::State& state) {
    Session& s = session();
    s.crowded();
    auto [x, y] = s.free(ftMeadow);
    for (auto _ : state) {
        s.act(x, y, true, tagTerraformBase + 6);
        s.settle();
        state.SetIterationTime(s.timedAct(x, y, true, tagInitial));
    }
}
BENCHMARK(BM_ResetField)->Apply(configure);

void BM_AreaBuildingBuild(benchmark::State& state) {
    Session& s = session();
    s.crowded();
    auto [x, y] = s.free(ftMeadow);
    for (auto _ : state) {
        state.SetIterationTime(s.timedAct(x, y, true, tagBuildBase + bldAreaWide));  // applies the range: 25 cells
        s.act(x, y, true, tagDemolish);
        s.settle();
    }
}
BENCHMARK(BM_AreaBuildingBuild)->Apply(configure);

void BM_AreaBuildingSwitch(benchmark::State& state) {
    Session& s = session();
    s.crowded();
    auto [x, y] = s.free(ftMeadow);
    s.act(x, y, true, tagBuildBase + bldAreaWide);
    // Switching removes or applies the range: 25 cells redrawn.
    for (auto _ : state) state.SetIterationTime(s.timedAct(x, y, true, tagToggle));
}
BENCHMARK(BM_AreaBuildingSwitch)->Apply(configure);

// Undo and redo of the largest step of a field action: an area building
// built on a crowded plan, whose range covers 25 fields, each redrawn, with
// the panels and status texts shown as they were.
void undoOrRedo(benchmark::State& state, bool timeUndo) {
    Session& s = session();
    s.crowded();
    auto [x, y] = s.free(ftMeadow);
    EditHistory& history = s.window->history();
    history.perform([&] { s.act(x, y, true, tagBuildBase + bldAreaWide); });
    s.settle();
    for (auto _ : state) {
        if (!timeUndo) {
            history.undo();
            s.settle();
        }
        const auto start = Clock::now();
        timeUndo ? history.undo() : history.redo();
        s.settle();
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
        if (timeUndo) {
            history.redo();
            s.settle();
        }
    }
    if (!s.plan.current.surface[x][y].built) state.SkipWithError("the step was not taken back and done again");
}

void BM_UndoAreaBuilding(benchmark::State& state) { undoOrRedo(state, true); }
BENCHMARK(BM_UndoAreaBuilding)->Apply(configure);

void BM_RedoAreaBuilding(benchmark::State& state) { undoOrRedo(state, false); }
BENCHMARK(BM_RedoAreaBuilding)->Apply(configure);

// The path of "Speichern" and "Laden" after the file dialog: the plan file
// written, then read, checked and shown with every cell.
void BM_SaveFullPlan(benchmark::State& state) {
    Session& s = session();
    const int built = s.full();
    const QString file = s.dir.filePath(QStringLiteral("full"));
    for (auto _ : state) {
        const auto start = Clock::now();
        if (!s.window->files().savePlanFile(file)) state.SkipWithError("saving failed");
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    }
    state.SetLabel(std::to_string(built) + " of " + std::to_string(s.fields(s.largest)) + " fields built");
}
BENCHMARK(BM_SaveFullPlan)->Apply(configure);

void BM_LoadFullPlan(benchmark::State& state) {
    Session& s = session();
    const int built = s.full();
    const QString file = s.dir.filePath(QStringLiteral("full.kpls"));
    s.window->files().savePlanFile(file);
    s.newPlan();  // the first load replaces a plan of the same planet, like every later one
    for (auto _ : state) {
        const auto start = Clock::now();
        if (!s.window->files().loadPlanFile(file)) state.SkipWithError("loading failed");
        s.settle();
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    }
    state.SetLabel(std::to_string(built) + " of " + std::to_string(s.fields(s.largest)) + " fields built");
}
BENCHMARK(BM_LoadFullPlan)->Apply(configure);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    installQuietMessageHandler();
    DizozodiduApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    theSession.reset();  // the window goes before the application
    return 0;
}
