#include "fuzz/fuzz_inputs.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>

#include "core/catalog/catalog_files.h"
#include "core/text/text_file.h"
#include "core/files/plan_code.h"
#include "core/files/plan_file.h"
#include "core/files/settings_file.h"
#include "core/planner/planner.h"

namespace dz::fuzz {

namespace {

std::filesystem::path& dataDir() {
    static std::filesystem::path dir;
    return dir;
}

// Our catalog, loaded once per process.
const Info& catalog() {
    static const std::unique_ptr<Info> info = [] {
        auto loaded = std::make_unique<Info>();
        loadCatalog(*loaded, dataDir());
        return loaded;
    }();
    return *info;
}

bool& throwing() {
    static bool flag = false;
    return flag;
}

[[noreturn]] void fault(const char* what) {
    if (throwing()) throw Fault(what);
    std::fprintf(stderr, "fuzz: %s\n", what);
    std::fflush(stderr);
    std::abort();
}

// A plan in memory with everything the planner needs beside it.
struct Session {
    Info info;
    ActPlan plan;
    ProgramState state;
    NullPlanView view;
    Planner planner{info, plan, state, view};
    explicit Session(const Info& catalogue) : info(catalogue) {}
};

// The shape of a plan must be the shape of its planet.
void checkShape(const Info& info, const ActPlan& plan) {
    const InfoPlanet& planet = info.planets.at(std::size_t(plan.planetType));
    if (plan.width() != planet.width) fault("plan width differs from the planet's");
    for (const auto& column : plan.current.surface)
        if (int(column.size()) != planet.surfaceHeight) fault("surface height differs from the planet's");
    if (int(plan.current.orbit.size()) != planet.width) fault("orbit width differs from the planet's");
    for (const auto& column : plan.current.orbit)
        if (int(column.size()) != planet.orbitHeight) fault("orbit height differs from the planet's");
}

// Saves the session's plan, reads the lines back into a fresh session and
// saves that again: both saves must be the same lines.
void checkSaveLoadSave(Session& session) {
    const std::vector<std::string> saved = planLines(session.info, session.plan, session.state.internalReputation);
    LoadedPlan again;
    try {
        again = readPlanLines(saved, session.info);
    } catch (const PlanFileError&) {
        fault("a saved plan is not accepted by the plan reader");
    }
    Session second(session.info);
    second.planner.loadPlan(again);
    checkShape(second.info, second.plan);
    if (planLines(second.info, second.plan, second.state.internalReputation) != saved)
        fault("saving a loaded saved plan gives other lines");
}

// Up to 16 choices from field menus, drawn from the input, as a player goes
// on after loading a plan or starting one.
void playMenuChoices(Session& session, std::string_view bytes) {
    std::uint64_t hash = 1469598103934665603ULL;
    for (const char c : bytes) hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
    std::mt19937_64 random(hash);
    ActPlan& plan = session.plan;
    for (int step = 0; step < 16; ++step) {
        const bool onSurface = plan.orbitHeight() == 0 || random() % 4 != 0;
        const int height = onSurface ? plan.surfaceHeight() : plan.orbitHeight();
        if (plan.width() == 0 || height == 0) return;
        plan.selected = FieldSelection{int(random() % unsigned(plan.width())), int(random() % unsigned(height)), onSurface};
        const std::vector<int> tags = menuTags(session.planner.buildFieldMenu());
        if (!tags.empty()) session.planner.chooseMenuEntry(tags[random() % tags.size()]);
    }
}

}  // namespace

void setDataDir(const std::filesystem::path& dir) { dataDir() = dir; }
void throwOnFault() { throwing() = true; }

void planFile(std::string_view bytes) {
    const Info& info = catalog();
    LoadedPlan loaded;
    try {
        loaded = readPlanLines(splitLines(bytes), info);
    } catch (const PlanFileError&) {
        return;
    }
    Session session(info);
    session.planner.loadPlan(loaded);
    checkShape(session.info, session.plan);
    checkSaveLoadSave(session);
    playMenuChoices(session, bytes);
    checkSaveLoadSave(session);
}

void planCode(std::string_view bytes) {
    std::string file;
    try {
        file = planFileFromCode(bytes);
    } catch (const PlanFileError&) {
        return;
    }
    if (file.size() > kMaxTextFileBytes) fault("a code unpacked past the size of a plan file");
    // What a code holds has a code of its own that gives it back, and is read as a plan file is.
    if (planFileFromCode(dz::planCode(file)) != file) fault("the code of a code's plan gives another plan");
    planFile(file);
}

void buildingFile(std::string_view bytes) {
    Info info = catalog();
    const std::vector<std::string> lines = splitLines(bytes);
    try {
        readBuildingLines(info, lines, kBuildingFileName);
    } catch (const DataFileError&) {
        if (info.buildings[0].name != catalog().buildings[0].name) fault("a rejected building file changed the catalog");
        return;
    }
    for (std::size_t b = 0; b < info.buildings.size(); ++b)
        if (info.buildings[b].name != lines.at(b * kBuildingRecordLines)) fault("a building's name is not its first line");
    // Plan with these buildings on one planet type, chosen by the input.
    Session session(info);
    session.planner.newPlan(int(bytes.size() % kPlanetCount));
    playMenuChoices(session, bytes);
    checkSaveLoadSave(session);
}

void resourceFile(std::string_view bytes) {
    Info info = catalog();
    const std::vector<std::string> lines = splitLines(bytes);
    try {
        readResourceLines(info, lines, kResourceFileName);
    } catch (const DataFileError&) {
        if (info.resourceTypes[0].name != catalog().resourceTypes[0].name)
            fault("a rejected resource file changed the catalog");
        return;
    }
    for (std::size_t r = 0; r < info.resourceTypes.size(); ++r)
        if (info.resourceTypes[r].name != lines.at(r * kResourceRecordLines)) fault("a resource's name is not its first line");
}

void planetFile(std::string_view bytes) {
    Info info = catalog();
    try {
        readPlanetLines(info, splitLines(bytes), kPlanetFileName);
    } catch (const DataFileError&) {
        if (info.planets[0].name != catalog().planets[0].name) fault("a rejected planet file changed the catalog");
        return;
    }
    // Every planet type can be chosen under "Neu": start a plan on each, save
    // and load it, plan a little on it and save and load it again.
    for (int p = 0; p < kPlanetCount; ++p) {
        Session session(info);
        session.planner.newPlan(p);
        checkShape(session.info, session.plan);
        checkSaveLoadSave(session);
        playMenuChoices(session, bytes);
        checkSaveLoadSave(session);
    }
}

void settingsFile(std::string_view bytes) {
    const std::vector<std::string> lines = splitLines(bytes);
    const std::optional<StoredReputation> stored = settingsFromLines(lines);
    if (!stored) return;
    if (stored->text != lines.front()) fault("the reputation text is not line 1 as written");
    if (parseInt32(stored->text) != stored->value) fault("the reputation value is not the value of its text");
}

Entry entryFor(std::string_view target) {
    if (target == "plan_file") return planFile;
    if (target == "plan_code") return planCode;
    if (target == "building_file") return buildingFile;
    if (target == "resource_file") return resourceFile;
    if (target == "planet_file") return planetFile;
    if (target == "settings_file") return settingsFile;
    return nullptr;
}

}  // namespace dz::fuzz
