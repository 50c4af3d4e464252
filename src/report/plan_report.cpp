#include "report/plan_report.h"

#include <filesystem>
#include <vector>

#include "core/files/plan_file.h"
#include "core/planner/planner.h"
#include "core/text/cp1252.h"

namespace dz {

namespace {

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

void section(std::string& out, const char* title, const std::vector<GridRow>& rows) {
    out.append("[").append(title).append("]\n");
    for (const GridRow& row : rows) out.append(cp1252ToUtf8(row.label)).append("\t").append(cp1252ToUtf8(row.value)).append("\n");
}

}  // namespace

std::string planReport(Info& info, const std::string& file) {
    const LoadedPlan loaded = readPlanFile(file, info);
    ActPlan plan;
    ProgramState state;
    SilentView view;
    Planner planner(info, plan, state, view);
    planner.loadPlan(loaded);
    std::string out;
    out.append("# ").append(std::filesystem::path(file).filename().string()).append("\n");
    out.append("Planet\t").append(std::to_string(plan.planetType)).append("\t");
    out.append(cp1252ToUtf8(info.planets.at(std::size_t(plan.planetType)).name)).append("\n");
    section(out, "Produktion / Verbrauch je Tick", view.production);
    section(out, "Personal", view.population.rows);
    section(out, "Gesamtaufbaukosten", view.costs);
    const Indicators& ind = view.population.indicators;
    out.append("[Informationen]\n");
    out.append("Attraktivität\t").append(ind.attractiveness).append("\n");
    out.append("Ansehenszuwachs\t").append(ind.reputationGrowth).append("\n");
    out.append("verfügbare BSP\t").append(std::to_string(view.bsp)).append("\n");
    return out;
}

}  // namespace dz
