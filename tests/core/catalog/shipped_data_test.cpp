// The data files we ship load and give every building with a fixed role a
// building that fits it.
#include <gtest/gtest.h>

#include <fstream>
#include <set>

#include "core/catalog/catalog_files.h"
#include "core/text/text_file.h"
#include "core/layout/window_layout.h"

using namespace dz;

namespace {

const Info& shipped() {
    static const Info info = [] {
        Info loaded;
        loadCatalog(loaded, DZ_DATA_DIR);
        return loaded;
    }();
    return info;
}

int countOnSurface(const InfoPlanet& p, int fieldType) {
    int n = 0;
    for (const auto& column : p.surface)
        for (int f : column) n += f == fieldType;
    return n;
}

bool surfaceAllows(const Info& info, const InfoPlanet& p, int building) {
    for (const auto& column : p.surface)
        for (int f : column)
            if (info.fields[f].buildable[building]) return true;
    return false;
}

}  // namespace

TEST(ShippedData, FilesAreWindows1252WithCrLf) {
    for (const char* name : {kBuildingFileName, kResourceFileName, kPlanetFileName}) {
        const auto lines = readTextLines(std::filesystem::path(DZ_DATA_DIR) / name);
        std::ifstream in(std::filesystem::path(DZ_DATA_DIR) / name, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::size_t crlf = 0;
        for (std::size_t i = 0; i + 1 < bytes.size(); ++i) crlf += bytes[i] == '\r' && bytes[i + 1] == '\n';
        EXPECT_EQ(crlf, lines.size()) << name << ": every line ends with CR LF";
        EXPECT_EQ(bytes.find("\xC3"), std::string::npos) << name << " looks like UTF-8";
    }
    EXPECT_EQ(readTextLines(std::filesystem::path(DZ_DATA_DIR) / kBuildingFileName).size(), 2145u);
    EXPECT_EQ(readTextLines(std::filesystem::path(DZ_DATA_DIR) / kResourceFileName).size(), 32u);
    EXPECT_EQ(readTextLines(std::filesystem::path(DZ_DATA_DIR) / kPlanetFileName).back(), "!");
}

TEST(ShippedData, PlanetTypesInMenuOrder) {
    const char* names[kPlanetCount] = {"Standardplanet", "W\xFCstenplanet",  "Felsplanet",
                                       "Lavaplanet",     "Eisplanet",        "Gem\xE4\xDFigter Planet",
                                       "Wasserplanet",   "Kleines Asteroidenfeld", "Eisasteroid",
                                       "Gro\xDF" "es Asteroidenfeld"};
    for (int p = 0; p < kPlanetCount; ++p) EXPECT_EQ(shipped().planets[p].name, names[p]);
}

TEST(ShippedData, PlanetShapesFitTheWindowAndVary) {
    std::set<std::pair<int, int>> shapes;
    int withoutOrbit = 0;
    for (const InfoPlanet& p : shipped().planets) {
        EXPECT_GE(p.width, 5) << p.name << ": area buildings need five columns";
        const MainLayout l = layoutForPlanet(p.width, p.surfaceHeight, p.orbitHeight);
        EXPECT_LE(l.surfaceBox.left + l.surfaceBox.width, l.clientWidth()) << p.name << " is wider than the window";
        EXPECT_FALSE(p.image.empty());
        shapes.insert({p.width, p.surfaceHeight});
        withoutOrbit += p.orbitHeight == 0;
        for (const auto& column : p.orbit)
            for (int f : column) EXPECT_EQ(f, ftSpace) << p.name;
    }
    EXPECT_EQ(shapes.size(), std::size_t(kPlanetCount));
    EXPECT_EQ(shipped().planets[ptLargeAsteroids].orbitHeight, 0);
    EXPECT_GE(withoutOrbit, 2);
    EXPECT_LT(shipped().planets[ptSmallAsteroids].width * shipped().planets[ptSmallAsteroids].surfaceHeight,
              shipped().planets[ptStandard].width * shipped().planets[ptStandard].surfaceHeight);
}

TEST(ShippedData, PlanetValuesExerciseTheRules) {
    bool capAZero = false, yieldDPositive = false, yieldDZero = false;
    for (const InfoPlanet& p : shipped().planets) {
        capAZero |= p.capA == 0;
        yieldDPositive |= p.yieldD > 0;
        yieldDZero |= p.yieldD == 0;
        EXPECT_LE(p.maxCraters, 3) << p.name;
        EXPECT_LE(p.maxCoreRifts, 3) << p.name;
        EXPECT_LE(p.maxVolcanoes, 3) << p.name;
    }
    EXPECT_TRUE(capAZero);
    EXPECT_TRUE(yieldDPositive);
    EXPECT_TRUE(yieldDZero);
}

TEST(ShippedData, EveryPlanetHasRoomForItsBaseAndSpaceport) {
    const Info& info = shipped();
    for (int p = 0; p < kPlanetCount; ++p) {
        const InfoPlanet& planet = info.planets[p];
        const bool meadowBase = p == ptStandard || p == ptTemperate || p == ptWater;
        EXPECT_TRUE(surfaceAllows(info, planet, meadowBase ? bldBaseA : bldBaseC)) << planet.name;
        EXPECT_TRUE(surfaceAllows(info, planet, bldWorkbeePort)) << planet.name;
        if (meadowBase) {
            EXPECT_GT(countOnSurface(planet, ftMeadow), 10) << planet.name;
            EXPECT_GT(countOnSurface(planet, ftForest), 0) << planet.name << " has no forest for the eco building";
        }
    }
}

TEST(ShippedData, FixedRolesHoldFittingBuildings) {
    const Info& info = shipped();
    EXPECT_EQ(info.buildings[bldWorkbeePort].name, "Workbee-Raumbahnhof");
    EXPECT_EQ(info.buildings[bldOrbitalseil].name, "Orbitalseil");
    for (int b : {bldBaseA, bldBaseB, bldBaseC}) {
        EXPECT_GT(info.buildings[b].bsp, 0) << b;
        EXPECT_GT(info.buildings[b].housing, 0) << b;
        EXPECT_GT(info.buildings[b].storage, 0) << b;
    }
    EXPECT_GT(info.buildings[bldHousingCore].housing, 4) << "must give more than while switched off";
    EXPECT_GT(info.buildings[bldHousingAnnex].housing, 0);
    EXPECT_GT(info.buildings[bldPlanetYieldA].production[0], 0);
    EXPECT_GT(info.buildings[bldPlanetYieldB].production[0], 0);
    EXPECT_GT(info.buildings[bldPlanetYieldC].production[3], 0);
    EXPECT_GT(info.buildings[bldPlanetYieldD].production[12], 0);
    EXPECT_GT(info.buildings[bldPassive].storage, 0) << "its value must not depend on operation";
    for (int b : {bldEco, bldPassive, bldBspDepotA, bldBspDepotB}) {
        EXPECT_EQ(info.buildings[b].workers, 0) << b << " is never in operation";
        EXPECT_EQ(info.buildings[b].production, ResourceArray{}) << b;
    }
    EXPECT_LT(info.buildings[bldBspDepotA].bsp, info.buildings[bldBspDepotB].bsp);
}

TEST(ShippedData, NamesAndFoldersAreUniqueAndUsable) {
    std::set<std::string> names, folders, icons;
    for (const InfoBuilding& b : shipped().buildings) {
        EXPECT_FALSE(b.name.empty());
        EXPECT_TRUE(names.insert(b.name).second) << b.name;
        EXPECT_TRUE(folders.insert(b.imageDir).second) << b.imageDir;
        EXPECT_EQ(b.imageDir.find_first_of("\\/ "), std::string::npos) << b.imageDir;
    }
    for (const InfoRessource& r : shipped().resourceTypes) {
        EXPECT_FALSE(r.name.empty());
        EXPECT_TRUE(icons.insert(r.image).second) << r.image;
        EXPECT_EQ(r.image.substr(r.image.size() - 4), ".gif");
    }
}

TEST(ShippedData, EveryConsumedResourceCanBeProduced) {
    const Info& info = shipped();
    for (int r = 0; r < kResourceCount; ++r) {
        bool consumed = false, produced = false;
        for (const InfoBuilding& b : info.buildings) {
            consumed |= b.production[r] < 0;
            produced |= b.production[r] > 0;
        }
        if (consumed || r == resSupply) {
            EXPECT_TRUE(produced) << "resource " << r;
        }
    }
}
