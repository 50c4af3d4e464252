// dizozodidu-report PLAN...: prints what the planner's panels show for each
// plan file, as UTF-8 text, so that plans can be compared in a terminal. It
// uses the data files beside it and no settings file. `--help` and
// `--version` as the first argument print the usage or the version.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

#include "core/catalog/catalog_files.h"
#include "core/text/cp1252.h"
#include "core/files/plan_file.h"
#include "core/planner/planner.h"
#include "core/version.h"

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

void section(std::string& out, const char* title, const std::vector<GridRow>& rows) {
    out.append("[").append(title).append("]\n");
    for (const GridRow& row : rows) out.append(cp1252ToUtf8(row.label)).append("\t").append(cp1252ToUtf8(row.value)).append("\n");
}

// The report of one plan file; throws when the file cannot be used. Nothing
// is printed before the whole report is there, so that a plan that fails
// halfway leaves no half report behind.
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

std::filesystem::path programFolder(const char* argv0) {
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) return self.parent_path();
    return std::filesystem::absolute(argv0).parent_path();
}

const char* const kUsage =
    "Aufruf: dizozodidu-report PLAN.kpls...\n"
    "        dizozodidu-report --help | --version\n"
    "\n"
    "Gibt für jede Plandatei aus, was die Tafeln des Planers zeigen: Produktion\n"
    "und Verbrauch je Tick, Personal, Gesamtaufbaukosten und die Informationen\n"
    "(Attraktivität, Ansehenszuwachs, verfügbare BSP), als UTF-8-Text mit\n"
    "Tabulatoren. Eine Datei, die nicht gelesen werden kann, wird auf stderr\n"
    "genannt und die übrigen werden trotzdem ausgegeben; der Rückgabewert ist\n"
    "dann 1. Die Spieldaten liegen im Ordner des Programms.\n"
    "\n"
    "  --help      zeigt diese Hilfe.\n"
    "  --version   zeigt die Version.\n";

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == "--help") {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (argc > 1 && std::string(argv[1]) == "--version") {
        std::printf("dizozodidu-report (Dizozodidu %s)\n", kProgramVersion);
        return 0;
    }
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
        // Any failure with one plan is that plan's: it is named and the
        // others are still reported.
        try {
            const std::string report = planReport(info, file);
            std::fwrite(report.data(), 1, report.size(), stdout);
        } catch (const std::exception& e) {
            std::fprintf(stderr, "%s: Ungültige Datei! %s\n", file.c_str(), e.what());
            status = 1;
        }
    }
    return status;
}
