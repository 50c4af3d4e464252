// Speed of what the user waits for: a new plan on the largest planet of our
// data, the field menu, and each field action with recomputation and the
// redraw of its cells, in an offscreen window with the real pictures.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>

#include "catalog/catalog_files.h"
#include "shell/application.h"
#include "shell/main_window.h"
#include "shell/planet_menu.h"

namespace {

using namespace dz;

struct Session {
    Info info;
    ActPlan plan;
    ProgramState state;
    std::unique_ptr<TfrmMain> window;
    int largest = 0;

    Session() {
        loadCatalog(info, QCoreApplication::applicationDirPath().toStdString());
        window = std::make_unique<TfrmMain>(info, plan, state, QStringList{}, false);
        window->tmStartup->stop();
        window->loadImageLists();
        window->loadPanelIcons();
        window->show();
        for (int p = 0; p < kPlanetCount; ++p)
            if (info.planets[p].width * (info.planets[p].surfaceHeight + info.planets[p].orbitHeight) >
                info.planets[largest].width * (info.planets[largest].surfaceHeight + info.planets[largest].orbitHeight))
                largest = p;
    }

    // What the event loop does after every user action: delete released
    // controls, lay out and paint.
    void settle() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }

    void act(int x, int y, bool onSurface, int tag) {
        plan.selected = FieldSelection{x, y, onSurface};
        window->PopupClick(tag);
    }

    // The first surface field of a type that carries no building.
    std::pair<int, int> free(int fieldType, int skip = 0) {
        for (int x = 0; x < plan.width(); ++x)
            for (int y = 0; y < plan.surfaceHeight(); ++y)
                if (plan.current.surface[x][y].fieldType == fieldType && !plan.current.surface[x][y].built && skip-- == 0)
                    return {x, y};
        return {-1, -1};
    }

    // A new plan of the largest planet with a base and most meadows built.
    void crowded() {
        state.planChanged = false;  // no question before the new plan
        window->menNew->entries()[largest]->trigger();
        auto [bx, by] = free(ftMeadow);
        act(bx, by, true, tagBuildBase + bldBaseA);
        for (int i = 0;; ++i) {
            auto [x, y] = free(ftMeadow, 4);
            if (x < 0) break;
            act(x, y, true, tagBuildBase + (i % 2 ? bldHousingCore : 16));
        }
        settle();
    }
};

std::unique_ptr<Session> theSession;

Session& session() {
    if (!theSession) theSession = std::make_unique<Session>();
    return *theSession;
}

void BM_NewPlanLargestPlanet(benchmark::State& state) {
    Session& s = session();
    for (auto _ : state) {
        s.state.planChanged = false;
        s.window->menNew->entries()[s.largest]->trigger();
        s.settle();
    }
}
BENCHMARK(BM_NewPlanLargestPlanet)->Unit(benchmark::kMillisecond);

void BM_FieldMenu(benchmark::State& state) {
    Session& s = session();
    s.crowded();
    auto [x, y] = s.free(ftMeadow);
    for (auto _ : state) {
        s.plan.selected = FieldSelection{x, y, true};
        s.window->buildFieldMenu();
    }
}
BENCHMARK(BM_FieldMenu)->Unit(benchmark::kMicrosecond);

void BM_BuildAndDemolish(benchmark::State& state) {
    Session& s = session();
    s.crowded();
    auto [x, y] = s.free(ftMeadow);
    for (auto _ : state) {
        s.act(x, y, true, tagBuildBase + bldLabSmall);
        s.act(x, y, true, tagDemolish);
        s.settle();
    }
    state.SetItemsProcessed(2 * state.iterations());
}
BENCHMARK(BM_BuildAndDemolish)->Unit(benchmark::kMicrosecond);

void BM_BuildOver(benchmark::State& state) {
    Session& s = session();
    s.crowded();
    auto [x, y] = s.free(ftMeadow);
    s.act(x, y, true, tagBuildBase + bldLabSmall);
    int i = 0;
    for (auto _ : state) {
        s.act(x, y, true, tagBuildBase + (++i % 2 ? bldLabLarge : bldLabSmall));
        s.settle();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_BuildOver)->Unit(benchmark::kMicrosecond);

void BM_SwitchOffAndOn(benchmark::State& state) {
    Session& s = session();
    s.crowded();
    auto [x, y] = s.free(ftMeadow);
    s.act(x, y, true, tagBuildBase + bldLabLarge);
    for (auto _ : state) {
        s.act(x, y, true, tagToggle);
        s.settle();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SwitchOffAndOn)->Unit(benchmark::kMicrosecond);

void BM_TerraformAndReset(benchmark::State& state) {
    Session& s = session();
    s.crowded();
    auto [x, y] = s.free(ftMeadow);
    for (auto _ : state) {
        s.act(x, y, true, tagTerraformBase + 6);
        s.act(x, y, true, tagInitial);
        s.settle();
    }
    state.SetItemsProcessed(2 * state.iterations());
}
BENCHMARK(BM_TerraformAndReset)->Unit(benchmark::kMicrosecond);

void BM_AreaBuildingOnACrowdedPlan(benchmark::State& state) {
    Session& s = session();
    s.crowded();
    auto [x, y] = s.free(ftMeadow);
    s.act(x, y, true, tagBuildBase + bldAreaWide);
    for (auto _ : state) {
        s.act(x, y, true, tagToggle);  // removes or applies the range: 25 cells redrawn
        s.settle();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_AreaBuildingOnACrowdedPlan)->Unit(benchmark::kMicrosecond);

void BM_ShowBuildingSurface(benchmark::State& state) {
    Session& s = session();
    s.crowded();
    auto [x, y] = s.free(ftMeadow);
    s.act(x, y, true, tagBuildBase + bldLabSmall);
    for (auto _ : state) {
        s.window->showBuilding(x, y, bldLabSmall, true);
        s.settle();
    }
}
BENCHMARK(BM_ShowBuildingSurface)->Unit(benchmark::kMicrosecond);
void BM_ShowField(benchmark::State& state) {
    Session& s = session();
    s.crowded();
    auto [x, y] = s.free(ftMeadow);
    for (auto _ : state) {
        s.window->showField(x, y, ftMeadow, true);
        s.settle();
    }
}
BENCHMARK(BM_ShowField)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    DizozodiduApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    theSession.reset();  // the window goes before the application
    return 0;
}
