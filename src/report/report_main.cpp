// dizozodidu-report PLAN...: prints what the planner's panels show for each
// plan file, as UTF-8 text, so that plans can be compared in a terminal. It
// uses the data files beside it and no settings file.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

#include "core/catalog/catalog_files.h"
#include "core/text/cp1252.h"
#include "core/files/plan_file.h"
#include "core/planner/planner.h"

namespace {

using namespace dz;

// The report needs the computations, not the pictures.
class SilentView : public NullPlanView {
public:
    PopulationResult population;
    std::vector<GridRow> production, costs;
    int bsp = 0;

    void showProduction(const std::vector<GridRow>& rows) override { production = rows; }
    void showPopulation(const PopulationResult& result) override { population = result; }
    void showCosts(const std::vector<GridRow>& rows) override { costs = rows; }
    void showBsp(int value) override { bsp = value; }
};

void section(const char* title, const std::vector<GridRow>& rows) {
    std::printf("[%s]\n", title);
    for (const GridRow& row : rows)
        std::printf("%s\t%s\n", cp1252ToUtf8(row.label).c_str(), cp1252ToUtf8(row.value).c_str());
}

std::filesystem::path programFolder(const char* argv0) {
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) return self.parent_path();
    return std::filesystem::absolute(argv0).parent_path();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "Aufruf: dizozodidu-report PLAN.kpls...\n");
        return 2;
    }
    Info info;
    try {
        loadCatalog(info, programFolder(argv[0]));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "dizozodidu-report: Die Spieldaten konnten nicht geladen werden. %s\n", e.what());
        return 1;
    }
    int status = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string file = argv[i];
        LoadedPlan loaded;
        try {
            loaded = readPlanFile(file, info);
        } catch (const PlanFileError& e) {
            std::fprintf(stderr, "%s: Ungültige Datei! %s\n", file.c_str(), e.what());
            status = 1;
            continue;
        }
        ActPlan plan;
        ProgramState state;
        SilentView view;
        Planner planner(info, plan, state, view);
        planner.loadPlan(loaded);
        std::printf("# %s\n", std::filesystem::path(file).filename().string().c_str());
        std::printf("Planet\t%d\t%s\n", plan.planetType, cp1252ToUtf8(info.planets[std::size_t(plan.planetType)].name).c_str());
        section("Produktion / Verbrauch je Tick", view.production);
        section("Personal", view.population.rows);
        section("Gesamtaufbaukosten", view.costs);
        const Indicators& ind = view.population.indicators;
        std::printf("[Informationen]\n");
        std::printf("Attraktivität\t%s\n", ind.attractiveness.c_str());
        std::printf("Ansehenszuwachs\t%s\n", ind.reputationGrowth.c_str());
        std::printf("verfügbare BSP\t%d\n", view.bsp);
    }
    return status;
}
