// "Vorschlag" against two simple ways of filling a colony, on every planet
// type of our data, starting from a plan with only the base building: the
// best of 1,000 random legal fills (random field-menu choices on empty fields
// until nothing more is offered or a choice would break a constraint) and a
// plain greedy fill (always the build that raises the goal most while the
// constraints hold, until none raises it). Prints a Markdown table.
//
// Usage: bench_suggest [--fills N] [--seconds S] [--planet P] [--goal NAME]...
// Exit status 1 when the data cannot be read or a goal is unknown; a row
// that misses the target shows in the table.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <map>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "core/catalog/catalog_files.h"
#include "core/planner/planner.h"
#include "core/suggest/suggest.h"
#include "core/text/cp1252.h"

namespace {

using namespace dz;

const char* const kGoals[] = {"Forschung", "verfügbare BSP", "Attraktivität", "Lagerraum"};

struct Planning {
    explicit Planning(Info& info, const ActPlan& from) : plan(from), planner(info, plan, state, view) {}
    ActPlan plan;
    ProgramState state;
    NullPlanView view;
    Planner planner;
};

bool isBuild(int tag) { return tag >= tagBuildBase && tag < tagBuildBase + kBuildingCount; }

std::vector<int> menuOf(Planner& planner, int x, int y, bool onSurface) {
    planner.plan().selected = FieldSelection{x, y, onSurface};
    return menuTags(planner.buildFieldMenu());
}

struct Place {
    int x, y;
    bool onSurface;
};

std::vector<Place> emptyFields(const ActPlan& plan) {
    std::vector<Place> places;
    for (int x = 0; x < plan.width(); ++x) {
        for (int y = 0; y < plan.surfaceHeight(); ++y)
            if (!plan.fieldAt(x, y, true).built) places.push_back({x, y, true});
        for (int y = 0; y < plan.orbitHeight(); ++y)
            if (!plan.fieldAt(x, y, false).built) places.push_back({x, y, false});
    }
    return places;
}

// A new plan of planet type p with the first base building the menu offers,
// on the first field that offers one.
ActPlan baseOnly(Info& info, int p) {
    ActPlan empty;
    Planning planning(info, empty);
    planning.planner.newPlan(p);
    for (const Place& place : emptyFields(planning.plan)) {
        for (const int tag : menuOf(planning.planner, place.x, place.y, place.onSurface)) {
            if (tag == tagBuildBase + bldBaseA || tag == tagBuildBase + bldBaseB || tag == tagBuildBase + bldBaseC) {
                planning.planner.chooseMenuEntry(tag);
                return planning.plan;
            }
        }
    }
    return planning.plan;
}

// One random fill: the empty fields in random order, on each a random menu
// choice (after a terraforming, another on the same field) until a field
// offers nothing; the fill ends at the first choice that would break a
// constraint.
long long randomFill(Info& info, const ActPlan& start, SuggestGoal goal, std::mt19937& random) {
    Planning planning(info, start);
    std::vector<Place> places = emptyFields(start);
    std::shuffle(places.begin(), places.end(), random);
    for (const Place& place : places) {
        for (int turn = 0; turn < 4; ++turn) {
            const std::vector<int> tags = menuOf(planning.planner, place.x, place.y, place.onSurface);
            if (tags.empty()) break;
            const int tag = tags[std::uniform_int_distribution<std::size_t>(0, tags.size() - 1)(random)];
            const ActPlan before = planning.plan;
            planning.planner.chooseMenuEntry(tag);
            if (!keepsConstraints(info, start, planning.plan, std::nullopt)) {
                planning.plan = before;
                return goalValue(info, planning.plan, goal);
            }
            if (isBuild(tag)) break;
        }
    }
    return goalValue(info, planning.plan, goal);
}

// Plain greedy: the build that raises the goal most while the constraints
// hold, until no build raises it. Fields of one field type and grid are
// alike for the economy: one of each is tried.
long long greedyFill(Info& info, const ActPlan& start, SuggestGoal goal) {
    Planning planning(info, start);
    long long value = goalValue(info, start, goal);
    for (;;) {
        std::map<std::pair<int, bool>, Place> kinds;
        for (const Place& place : emptyFields(planning.plan))
            kinds.emplace(std::make_pair(planning.plan.fieldAt(place.x, place.y, place.onSurface).fieldType, place.onSurface),
                          place);
        long long bestValue = value;
        Place bestPlace{};
        int bestTag = -1;
        for (const auto& [kind, place] : kinds) {
            for (const int tag : menuOf(planning.planner, place.x, place.y, place.onSurface)) {
                if (!isBuild(tag)) continue;
                Planning trial(info, planning.plan);
                trial.planner.chooseMenuEntry(tag);
                const long long v = goalValue(info, trial.plan, goal);
                if (v > bestValue && keepsConstraints(info, start, trial.plan, std::nullopt)) {
                    bestValue = v;
                    bestPlace = place;
                    bestTag = tag;
                }
            }
        }
        if (bestTag < 0) return value;
        menuOf(planning.planner, bestPlace.x, bestPlace.y, bestPlace.onSurface);
        planning.planner.chooseMenuEntry(bestTag);
        value = bestValue;
    }
}

}  // namespace

int main(int argc, char** argv) {
    int fills = 1000;
    double seconds = 5.0;
    int onlyPlanet = -1;
    std::vector<std::string> goals(std::begin(kGoals), std::end(kGoals));
    bool goalsGiven = false;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--fills") fills = std::atoi(argv[i + 1]);
        else if (option == "--seconds") seconds = std::atof(argv[i + 1]);
        else if (option == "--planet") onlyPlanet = std::atoi(argv[i + 1]);
        else if (option == "--goal") {
            if (!goalsGiven) goals.clear();
            goalsGiven = true;
            goals.push_back(argv[i + 1]);
        }
    }
    Info info;
    try {
        loadCatalog(info, DZ_DATA_DIR);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_suggest: %s\n", e.what());
        return 1;
    }

    std::printf("| Planet | Goal | Vorschlag | best of %d random fills | greedy fill | search time | beats both |\n", fills);
    std::printf("|---|---|---:|---:|---:|---:|---|\n");
    for (int p = 0; p < kPlanetCount; ++p) {
        if (onlyPlanet >= 0 && p != onlyPlanet) continue;
        const ActPlan start = baseOnly(info, p);  // also sets the planet's yields in info
        for (const std::string& name : goals) {
            const std::optional<SuggestGoal> goal = goalByName(info, utf8ToCp1252(name));
            if (!goal) {
                std::fprintf(stderr, "unknown goal %s\n", name.c_str());
                return 1;
            }
            SuggestRequest request;
            request.goal = *goal;
            request.seed = 1;
            request.seconds = seconds;
            const auto begin = std::chrono::steady_clock::now();
            const SuggestResult result = suggest(info, start, request);
            const double took = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();

            std::mt19937 random(20260100u + unsigned(p));
            long long bestRandom = goalValue(info, start, *goal);
            for (int f = 0; f < fills; ++f) bestRandom = std::max(bestRandom, randomFill(info, start, *goal, random));
            const long long greedy = greedyFill(info, start, *goal);

            const long long other = std::max(bestRandom, greedy);
            const char* beats = result.value > other ? "yes" : result.value == other ? "**no** (equal)" : "**no**";
            auto show = [&](long long v) { return goalValueText(*goal, v, '.'); };
            std::printf("| %s | %s | %s | %s | %s | %.2f s%s | %s |\n", cp1252ToUtf8(info.planets[std::size_t(p)].name).c_str(),
                        name.c_str(), show(result.value).c_str(), show(bestRandom).c_str(), show(greedy).c_str(), took,
                        result.stop == SuggestStop::TimeLimit ? " (time limit)" : "", beats);
            std::fflush(stdout);
        }
    }
    std::printf("\nVorschlag: seed 1, %g s time budget, the default iterations (%s); search time is the wall time of\n"
                "suggest(). Random fills: seeded, the same on every run. Forschung in tenths shown with one decimal.\n",
                seconds, "2 chains of 6,000 per empty field, at least 500,000");
    return 0;
}
