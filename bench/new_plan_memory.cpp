// Memory over a long session of new plans: resident memory after the first
// new plan and after a thousand more, in an offscreen window with the real
// data and pictures. Replaced cell controls must be released, so the two
// figures stay within a few MB of each other. Prints both in kB.
#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "bench_window.h"
#include "app/application.h"
#include "gui/main_window.h"
#include "gui/widgets/planet_menu.h"

namespace {

long residentKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
    return -1;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    dz::installQuietMessageHandler();
    dz::DizozodiduApplication app(argc, argv);
    const int plans = argc > 1 ? std::atoi(argv[1]) : 1000;

    bench::BenchWindow session;
    auto newPlan = [&](int p) {
        bench::child<dz::PlanetMenu>(session.window, "newPlanMenu")->entries()[p]->trigger();
        bench::BenchWindow::settle();
    };
    // Warm up: every planet type once, so caches of fonts and pictures are full.
    for (int p = 0; p < dz::kPlanetCount; ++p) newPlan(p);
    newPlan(dz::ptTemperate);
    const long first = residentKilobytes();
    for (int i = 0; i < plans; ++i) newPlan(i % dz::kPlanetCount);
    newPlan(dz::ptTemperate);
    const long after = residentKilobytes();

    std::printf("resident kB after the first plan and after %d more: %ld %ld\n", plans, first, after);
    return 0;
}
