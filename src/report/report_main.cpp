// dizozodidu-report PLAN...: prints what the planner's panels show for each
// plan file, as UTF-8 text, so that plans can be compared in a terminal. It
// uses the data files beside it and no settings file. `--help` and
// `--version` as the first argument print the usage or the version.
//
// dizozodidu-report --suggest GOAL [--seconds N] [--seed S] IN.kpls OUT.kpls:
// searches the proposal ("Vorschlag") for GOAL starting from IN.kpls, writes
// it to OUT.kpls and prints OUT.kpls's report with a section on the search.
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

#include "core/catalog/catalog_files.h"
#include "core/text/cp1252.h"
#include "core/files/plan_file.h"
#include "core/planner/planner.h"
#include "core/suggest/suggest.h"
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

// The call of the proposal, in its usage and in the help (kUsage).
#define DZ_SUGGEST_CALL "dizozodidu-report --suggest ZIEL [--seconds N] [--seed S] PLAN.kpls VORSCHLAG.kpls\n"
constexpr const char* kSuggestUsage = "Aufruf: " DZ_SUGGEST_CALL;

// A usage error of --suggest: the message, then what a call looks like; status 2.
int usageError(const std::string& message) {
    std::fprintf(stderr, "dizozodidu-report: %s\n%s", message.c_str(), kSuggestUsage);
    return 2;
}

std::string goalList(const Info& info) {
    std::string list;
    for (const NamedGoal& g : suggestGoals(info)) list.append(list.empty() ? "" : ", ").append(cp1252ToUtf8(g.name));
    return list;
}

// --suggest GOAL [--seconds N] [--seed S] IN OUT, the arguments after --suggest.
int suggestMode(Info& info, const std::vector<std::string>& args) {
    if (args.empty()) return usageError("Nach --suggest fehlt das Ziel.");
    const std::optional<SuggestGoal> goal = goalByName(info, utf8ToCp1252(args[0]));
    if (!goal) return usageError("Das Ziel „" + args[0] + "“ gibt es nicht. Ziele: " + goalList(info) + ".");
    SuggestRequest request;
    request.goal = *goal;
    std::vector<std::string> files;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--seconds" || arg == "--seed") {
            if (i + 1 >= args.size()) return usageError("Nach " + arg + " fehlt der Wert.");
            const std::string& value = args[++i];
            if (arg == "--seconds") {
                char* end = nullptr;
                const double seconds = std::strtod(value.c_str(), &end);
                if (value.empty() || *end != '\0' || !std::isfinite(seconds) || seconds <= 0)
                    return usageError("--seconds erwartet eine Zahl größer als 0, nicht „" + value + "“.");
                request.seconds = seconds;
            } else {
                std::uint64_t seed = 0;
                const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), seed);
                if (value.empty() || error != std::errc() || end != value.data() + value.size())
                    return usageError("--seed erwartet eine ganze Zahl ab 0, nicht „" + value + "“.");
                request.seed = seed;
            }
        } else if (arg.size() > 1 && arg[0] == '-') {
            return usageError("Die Option „" + arg + "“ gibt es nicht.");
        } else {
            files.push_back(arg);
        }
    }
    if (files.size() != 2) return usageError("Es braucht genau zwei Dateien: den Plan und den Vorschlag.");

    LoadedPlan loaded;
    try {
        loaded = readPlanFile(files[0], info);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s: Ungültige Datei! %s\n", files[0].c_str(), e.what());
        return 1;
    }
    ActPlan plan;
    ProgramState state;
    NullPlanView view;
    Planner planner(info, plan, state, view);
    planner.loadPlan(loaded);
    const SuggestResult result = suggest(info, plan, request);
    if (applyChoices(planner, result.choices) != result.choices.size()) {
        std::fprintf(stderr, "dizozodidu-report: Der Vorschlag ließ sich nicht ausführen.\n");
        return 1;
    }
    try {
        savePlan(files[1], info, plan, state.internalReputation);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s: %s\n", files[1].c_str(), e.what());
        return 1;
    }
    std::string out;
    try {
        out = planReport(info, files[1]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s: Ungültige Datei! %s\n", files[1].c_str(), e.what());
        return 1;
    }
    std::string name;
    for (const NamedGoal& g : suggestGoals(info))
        if (g.goal == *goal) name = cp1252ToUtf8(g.name);
    out.append("[Vorschlag]\n");
    out.append("Ziel\t").append(name).append("\n");
    out.append("vorher\t").append(goalValueText(*goal, result.startValue, '.')).append("\n");
    out.append("nachher\t").append(goalValueText(*goal, result.value, '.')).append("\n");
    out.append("Schritte\t").append(std::to_string(result.choices.size())).append("\n");
    out.append("Seed\t").append(std::to_string(request.seed)).append("\n");
    std::fwrite(out.data(), 1, out.size(), stdout);
    if (result.stop == SuggestStop::TimeLimit)
        std::fprintf(stderr,
                     "dizozodidu-report: Die Zeit reichte nicht für die ganze Suche; der Vorschlag hängt "
                     "daher von der Rechenzeit ab.\n");
    return 0;
}

std::filesystem::path programFolder(const char* argv0) {
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) return self.parent_path();
    return std::filesystem::absolute(argv0).parent_path();
}

const char* const kUsage =
    "Aufruf: dizozodidu-report PLAN.kpls...\n"
    "        " DZ_SUGGEST_CALL
    "        dizozodidu-report --help | --version\n"
    "\n"
    "Gibt für jede Plandatei aus, was die Tafeln des Planers zeigen: Produktion\n"
    "und Verbrauch je Tick, Personal, Gesamtaufbaukosten und die Informationen\n"
    "(Attraktivität, Ansehenszuwachs, verfügbare BSP), als UTF-8-Text mit\n"
    "Tabulatoren. Eine Datei, die nicht gelesen werden kann, wird auf stderr\n"
    "genannt und die übrigen werden trotzdem ausgegeben; der Rückgabewert ist\n"
    "dann 1. Die Spieldaten liegen im Ordner des Programms.\n"
    "\n"
    "Mit --suggest sucht es den Vorschlag: die Kolonie, die ausgehend von\n"
    "PLAN.kpls für ZIEL am besten ist (eine Zeile der Produktion wie\n"
    "„Forschung“, „Lagerraum“, „EPS“, „verfügbare BSP“ oder „Attraktivität“),\n"
    "schreibt sie nach VORSCHLAG.kpls und gibt deren Bericht aus.\n"
    "\n"
    "  --help      zeigt diese Hilfe.\n"
    "  --version   zeigt die Version.\n"
    "  --seconds N begrenzt die Suche auf N Sekunden (5).\n"
    "  --seed S    wählt die Zufallszahlen der Suche (1); derselbe Seed gibt\n"
    "              denselben Vorschlag, solange die Zeit reicht.\n";

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
        const std::string usage = kUsage;
        std::fputs(usage.substr(0, usage.find("\n\n") + 1).c_str(), stderr);  // the calls
        return 2;
    }
    Info info;
    try {
        loadCatalog(info, programFolder(argv[0]));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "dizozodidu-report: Die Spieldaten konnten nicht geladen werden. %s\n", e.what());
        return 1;
    }
    if (std::string(argv[1]) == "--suggest") {
        try {
            return suggestMode(info, std::vector<std::string>(argv + 2, argv + argc));
        } catch (const std::exception& e) {
            std::fprintf(stderr, "dizozodidu-report: %s\n", cp1252ToUtf8(e.what()).c_str());
            return 1;
        }
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
