// "Vorschlag" on the bench rows: every planet type of our data, starting from
// a new plan with only the base building, and the example plans of
// examples/, each for the goals Forschung, verfügbare BSP, Attraktivität and
// Lagerraum. Prints a Markdown table: the goal's value before and after the
// proposal, the best value any colony reaches (proven, or the solver's bound
// when it stopped at its node limit), the number of field-menu choices, the
// wall time of suggest() and whether it holds its target (2 s for a row from
// a new plan, 10 s for an example plan). After the table one row is asked a
// second time: the two proposals must be identical.
//
// The engine's bound says how good a proposal is, so no weaker way of filling
// a colony is measured beside it.
//
// Usage: bench_suggest [--planet P] [--goal NAME]... [--examples-only] [--rebuild]
//   --planet P       only the planet type P (its number 0..9 or its name) among the new plans
//   --goal NAME      only these goals (repeatable; the names the program shows)
//   --examples-only  only the example plans
//   --rebuild        the same rows with "Umbau erlauben"
// Exit status 1 when the data or an example plan cannot be read, a planet or
// goal is unknown or the engine rejects a request; a row that misses its
// target or has no proposal shows in the table.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/catalog/catalog_files.h"
#include "core/files/plan_file.h"
#include "core/planner/planner.h"
#include "core/suggest/suggest.h"
#include "core/text/cp1252.h"

namespace {

using namespace dz;

const char* const kGoals[] = {"Forschung", "verfügbare BSP", "Attraktivität", "Lagerraum"};
constexpr double kNewPlanTarget = 2.0;  // seconds, a row from a new plan with its base
constexpr double kExampleTarget = 10.0;  // seconds, a row from an example plan
// The row asked twice for the determinism check, when the table has it.
const char* const kRepeatedPlanet = "Standardplanet";
const char* const kRepeatedGoal = "Attraktivität";

struct Planning {
    explicit Planning(Info& info, const ActPlan& from) : plan(from), planner(info, plan, state, view) {}
    ActPlan plan;
    ProgramState state;
    NullPlanView view;
    Planner planner;
};

// A new plan of planet type p with the first base building the menu offers,
// on the first field that offers one.
ActPlan baseOnly(Info& info, int p) {
    ActPlan empty;
    Planning planning(info, empty);
    planning.planner.newPlan(p);
    for (int x = 0; x < planning.plan.width(); ++x) {
        for (const bool onSurface : {true, false}) {
            const int height = onSurface ? planning.plan.surfaceHeight() : planning.plan.orbitHeight();
            for (int y = 0; y < height; ++y) {
                if (planning.plan.fieldAt(x, y, onSurface).built) continue;
                planning.plan.selected = FieldSelection{x, y, onSurface};
                for (const int tag : menuTags(planning.planner.buildFieldMenu())) {
                    if (tag == tagBuildBase + bldBaseA || tag == tagBuildBase + bldBaseB || tag == tagBuildBase + bldBaseC) {
                        planning.planner.chooseMenuEntry(tag);
                        return planning.plan;
                    }
                }
            }
        }
    }
    return planning.plan;
}

// An example plan as the planner loads it (this also sets its planet's
// yields in info).
ActPlan loadExample(Info& info, const std::filesystem::path& file) {
    const LoadedPlan loaded = readPlanFile(file, info);
    ActPlan empty;
    Planning planning(info, empty);
    planning.planner.loadPlan(loaded);
    return planning.plan;
}

struct Measured {
    SuggestResult result;
    double seconds = 0;
};

Measured measure(const Info& info, const ActPlan& start, const SuggestRequest& request) {
    const auto begin = std::chrono::steady_clock::now();
    Measured m{suggest(info, start, request), 0};
    m.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    return m;
}

const char* stopName(SuggestStop stop) {
    switch (stop) {
        case SuggestStop::Proven: return "Proven";
        case SuggestStop::NodeLimit: return "NodeLimit";
        case SuggestStop::TimeLimit: return "TimeLimit";
        case SuggestStop::Cancelled: return "Cancelled";
        case SuggestStop::Infeasible: return "Infeasible";
        case SuggestStop::Failed: return "Failed";
    }
    return "?";
}

bool hasProposal(SuggestStop stop) {
    return stop == SuggestStop::Proven || stop == SuggestStop::NodeLimit || stop == SuggestStop::TimeLimit;
}

// A table cell never breaks the table.
std::string cell(std::string text) {
    for (char& c : text)
        if (c == '|' || c == '\n' || c == '\r') c = ' ';
    return text;
}

void printRow(const std::string& plan, const std::string& goalText, SuggestGoal goal, const Measured& m, double target) {
    const SuggestResult& r = m.result;
    auto show = [&](long long v) { return goalValueText(goal, v, '.'); };
    std::string after, best;
    if (hasProposal(r.stop)) {
        after = show(r.value);
        best = r.stop == SuggestStop::Proven ? "bestmöglich" : "≤ " + show(r.bound);
        if (r.stop == SuggestStop::TimeLimit) best += " (time limit)";
    } else {
        after = std::string("**") + stopName(r.stop) + "**";
        if (!r.message.empty()) after += ": " + cell(cp1252ToUtf8(r.message));
        best = "–";
    }
    const bool holds = m.seconds <= target;
    std::printf("| %s | %s | %s | %s | %s | %s | %zu | %.2f s | ≤ %g s | %s |\n", plan.c_str(), goalText.c_str(),
                show(r.startValue).c_str(), after.c_str(), best.c_str(), r.stop == SuggestStop::Proven ? "yes" : "**no**",
                r.choices.size(), m.seconds, target, holds ? "yes" : "**no**");
    std::fflush(stdout);
}

// One row of the table: where it starts and what it asks.
struct Row {
    std::string plan;      // UTF-8, as the table shows it
    std::string goalText;  // UTF-8
    SuggestGoal goal;
    ActPlan start;
    std::optional<std::filesystem::path> example;  // the file of an example plan
    int planet = 0;
    double target = 0;
};

// Sets info up for the row's plan as the planner leaves it.
void prepare(Info& info, const Row& row) {
    if (row.example) loadExample(info, *row.example);
    else baseOnly(info, row.planet);
}

int usage(const char* message) {
    std::fprintf(stderr,
                 "bench_suggest: %s\n"
                 "Usage: bench_suggest [--planet P] [--goal NAME]... [--examples-only] [--rebuild]\n",
                 message);
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    std::string planetArg;
    std::vector<std::string> goals;
    bool examplesOnly = false;
    bool rebuild = false;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--examples-only") examplesOnly = true;
        else if (option == "--rebuild") rebuild = true;
        else if (option == "--planet" && i + 1 < argc) planetArg = argv[++i];
        else if (option == "--goal" && i + 1 < argc) goals.push_back(argv[++i]);
        else return usage(("unknown option or missing value: " + option).c_str());
    }
    if (goals.empty()) goals.assign(std::begin(kGoals), std::end(kGoals));

    Info info;
    try {
        loadCatalog(info, DZ_DATA_DIR);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_suggest: %s\n", cp1252ToUtf8(e.what()).c_str());
        return 1;
    }

    int onlyPlanet = -1;
    if (!planetArg.empty()) {
        for (int p = 0; p < kPlanetCount; ++p)
            if (planetArg == std::to_string(p) || planetArg == cp1252ToUtf8(info.planets[std::size_t(p)].name)) onlyPlanet = p;
        if (onlyPlanet < 0) return usage(("unknown planet " + planetArg).c_str());
    }
    std::vector<SuggestGoal> goalKinds;
    for (const std::string& name : goals) {
        const std::optional<SuggestGoal> goal = goalByName(info, utf8ToCp1252(name));
        if (!goal) return usage(("unknown goal " + name).c_str());
        goalKinds.push_back(*goal);
    }

    std::vector<Row> rows;
    try {
        if (!examplesOnly)
            for (int p = 0; p < kPlanetCount; ++p) {
                if (onlyPlanet >= 0 && p != onlyPlanet) continue;
                const ActPlan start = baseOnly(info, p);
                for (std::size_t g = 0; g < goals.size(); ++g)
                    rows.push_back({cp1252ToUtf8(info.planets[std::size_t(p)].name), goals[g], goalKinds[g], start,
                                    std::nullopt, p, kNewPlanTarget});
            }
        std::vector<std::filesystem::path> examples;
        for (const auto& entry : std::filesystem::directory_iterator(DZ_EXAMPLES_DIR))
            if (entry.path().extension() == ".kpls") examples.push_back(entry.path());
        if (examples.empty()) throw std::runtime_error("no example plans in " DZ_EXAMPLES_DIR);
        std::sort(examples.begin(), examples.end());
        for (const auto& file : examples) {
            const ActPlan start = loadExample(info, file);
            for (std::size_t g = 0; g < goals.size(); ++g)
                rows.push_back({"`" + file.filename().string() + "`", goals[g], goalKinds[g], start, file, start.planetType,
                                kExampleTarget});
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_suggest: %s\n", cp1252ToUtf8(e.what()).c_str());
        return 1;
    }

    double load[1] = {-1};
    const bool haveLoad = getloadavg(load, 1) == 1;
    std::printf("| Plan | Ziel | before | Vorschlag | best possible | proven | choices | search time | target | holds |\n");
    std::printf("|---|---|---:|---:|---:|---|---:|---:|---|---|\n");
    std::optional<std::size_t> repeated;
    std::optional<Measured> first;
    try {
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const Row& row = rows[i];
            prepare(info, row);
            SuggestRequest request;
            request.goal = row.goal;
            request.rebuild = rebuild;
            const Measured m = measure(info, row.start, request);
            printRow(row.plan, row.goalText, row.goal, m, row.target);
            const bool isRepeated = !row.example && row.plan == kRepeatedPlanet && row.goalText == kRepeatedGoal;
            if (i == 0 || isRepeated) {
                repeated = i;
                first = m;
            }
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_suggest: %s\n", cp1252ToUtf8(e.what()).c_str());
        return 1;
    }

    std::printf("\n");
    if (!examplesOnly)
        std::printf("New plans: the base only (the first base the menu offers, on the first field that offers one). ");
    std::printf("%s; node limit %lld, no time limit. Search time: wall time of suggest(). "
                "Forschung in tenths, shown with one decimal.\n",
                rebuild ? "Umbau erlauben: yes" : "Umbau erlauben: no", kSuggestNodeLimit);
    if (haveLoad) std::printf("Load average (1 min) at the start: %.2f.\n", load[0]);

    if (repeated) {
        const Row& row = rows[*repeated];
        prepare(info, row);
        SuggestRequest request;
        request.goal = row.goal;
        request.rebuild = rebuild;
        Measured second;
        try {
            second = measure(info, row.start, request);
        } catch (const std::exception& e) {
            std::fprintf(stderr, "bench_suggest: %s\n", cp1252ToUtf8(e.what()).c_str());
            return 1;
        }
        const SuggestResult& a = first->result;
        const SuggestResult& b = second.result;
        const bool same = a.choices == b.choices && a.stop == b.stop && a.value == b.value && a.bound == b.bound;
        std::printf("\nDeterminism: %s / %s asked twice: %s (%zu and %zu choices, %.2f s and %.2f s).\n", row.plan.c_str(),
                    row.goalText.c_str(), same ? "identical choices, value and bound" : "**the results differ**",
                    a.choices.size(), b.choices.size(), first->seconds, second.seconds);
    }
    return 0;
}
