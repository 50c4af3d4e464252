// make_examples <data folder> <examples folder>
//
// Plans the example colonies of examples/ through the planner's own rules and
// field actions (only what the field menu would offer is done) and saves them
// as plan files. Run it again after the data set changes.
#include <algorithm>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

#include "core/catalog/catalog_files.h"
#include "core/files/plan_file.h"
#include "core/planner/planner.h"

namespace {

using namespace dz;

class Colony {
public:
    Colony(Info& info, int planetType) : planner_(info, plan_, state_, view_) { planner_.newPlan(planetType); }

    // Chooses the menu entry with this tag on the first empty field, scanning
    // columns, that offers it (skipping `skip` such fields); fails loudly.
    void choose(int tag, bool onSurface = true, int skip = 0) {
        const int height = onSurface ? plan_.surfaceHeight() : plan_.orbitHeight();
        for (int x = 0; x < plan_.width(); ++x)
            for (int y = 0; y < height; ++y) {
                plan_.selected = FieldSelection{x, y, onSurface};
                if (plan_.selectedField().built || !offers(planner_.buildFieldMenu(), tag) || skip-- > 0) continue;
                planner_.chooseMenuEntry(tag);
                return;
            }
        throw std::runtime_error("no field offers menu entry " + std::to_string(tag));
    }
    void build(int b, int count = 1, bool onSurface = true) {
        for (int i = 0; i < count; ++i) choose(tagBuildBase + b, onSurface);
    }
    void terraform(int t) { choose(tagTerraformBase + t); }
    // Switches off the first building b in operation.
    void switchOff(int b) {
        for (int x = 0; x < plan_.width(); ++x)
            for (int y = 0; y < plan_.surfaceHeight(); ++y)
                if (plan_.current.surface[x][y].building == b && plan_.current.surface[x][y].inOperation) {
                    plan_.selected = FieldSelection{x, y, true};
                    planner_.chooseMenuEntry(tagToggle);
                    return;
                }
    }
    void hire(Personnel kind, int count) {
        for (int i = 0; i < count; ++i) planner_.hire(kind);
    }
    void save(const Info& info, const std::filesystem::path& file, int internalReputation) {
        savePlan(file, info, plan_, internalReputation);
        std::printf("%s\n", file.string().c_str());
    }

private:
    static bool offers(const FieldMenu& menu, int tag) {
        const std::vector<int> tags = menuTags(menu);
        return std::find(tags.begin(), tags.end(), tag) != tags.end();
    }

    ActPlan plan_;
    ProgramState state_;
    NullPlanView view_;
    Planner planner_;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_examples <data folder> <examples folder>\n");
        return 2;
    }
    try {
        Info info;
        loadCatalog(info, argv[1]);
        const std::filesystem::path out = argv[2];
        std::filesystem::create_directories(out);

        // A meadow colony with an orbit, a spaceport, orbital buildings and both shields.
        Colony standard(info, ptStandard);
        standard.build(bldBaseA);
        standard.build(bldHousingCore, 5);
        standard.build(3, 2);          // farms
        standard.build(11, 4);         // wind parks
        standard.build(16);            // building materials
        standard.build(17);            // smelter
        standard.build(bldLabSmall);
        standard.build(bldWorkbeePort);
        standard.build(bldPlanetYieldA, 1, false);
        standard.build(bldOrbitSupply, 1, false);
        standard.build(bldLabOrbit, 1, false);
        standard.build(bldAreaNear);
        standard.build(bldAreaWide);
        standard.build(bldEco);
        standard.terraform(6);         // a new forest
        standard.switchOff(bldLabSmall);
        standard.hire(Personnel::Eco, 3);
        standard.hire(Personnel::Scientist, 4);
        standard.hire(Personnel::Soldier, 1);
        standard.save(info, out / "standardplanet.kpls", 2500);

        // A desert outpost with mines, a terraformed mountain range and an orbital lab.
        Colony desert(info, 1);
        desert.build(bldBaseC);
        desert.build(7, 4);            // dome housing
        desert.build(bldPlanetYieldB, 3);
        desert.build(bldPlanetYieldC);
        desert.build(bldPlanetYieldD);
        desert.build(14);              // crater mine
        desert.build(16);
        desert.build(bldWorkbeePort);
        desert.build(bldLabOrbit, 1, false);
        desert.terraform(12);          // desert to desert mountains
        desert.build(bldBspDepotB);
        desert.hire(Personnel::Scientist, 6);
        desert.save(info, out / "wuestenplanet.kpls", 800);

        // The large asteroid field has no orbit: its space fields lie on the surface.
        Colony asteroids(info, ptLargeAsteroids);
        asteroids.build(bldBaseC);
        asteroids.build(7, 2);
        asteroids.build(bldPassive);
        asteroids.build(bldPlanetYieldC, 2);
        asteroids.build(bldWorkbeePort);
        asteroids.build(40);           // orbital storage on a space field
        asteroids.build(bldAreaWide);
        asteroids.terraform(14);       // a crater melted into rock
        asteroids.hire(Personnel::Soldier, 2);
        asteroids.save(info, out / "grosses_asteroidenfeld.kpls", 0);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make_examples: %s\n", e.what());
        return 1;
    }
    return 0;
}
