#include "core/catalog/catalog_files.h"

#include <string_view>

#include "core/catalog/builtin_tables.h"
#include "core/text/text_file.h"

namespace dz {

namespace {

// The data files are Windows-1252 text. One saved as UTF-16 (as some editors
// do) has a NUL byte beside every character and would be read as names and
// picture paths full of them, to fail later somewhere else: it is refused at
// its first line with a UTF-16 byte order mark or a NUL byte.
void refuseNonText(const std::vector<std::string>& lines, const LineCursor& cursor) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        const bool byteOrderMark = i == 0 && (line.substr(0, 2) == "\xFF\xFE" || line.substr(0, 2) == "\xFE\xFF");
        if (byteOrderMark || line.find('\0') != std::string_view::npos)
            cursor.failAt(i, "Die Datei ist kein Text in Windows-1252 (sie ist wohl in UTF-16 gespeichert); "
                             "speichern Sie sie als Windows-1252 (ANSI).");
    }
}

}  // namespace

void readBuildingLines(Info& info, const std::vector<std::string>& lines, const std::string& fileName) {
    const DataFileProblems problems(fileName);
    LineCursor cursor(lines, problems);
    refuseNonText(lines, cursor);
    std::array<InfoBuilding, kBuildingCount> buildings;
    for (InfoBuilding& b : buildings) {
        b.name = cursor.text();
        b.imageDir = cursor.text();
        b.storage = cursor.integer();
        b.eps = cursor.integer();
        b.housing = cursor.integer();
        b.attractiveness = cursor.integer();
        b.workers = cursor.integer();
        for (auto& cost : b.buildCost) cost = cursor.integer();
        for (auto& amount : b.production) amount = cursor.integer();
    }
    info.buildings = std::move(buildings);
    applyBspTable(info);
}

void applyBspTable(Info& info) {
    for (InfoBuilding& b : info.buildings) b.bsp = 0;
    for (const BuildingBsp& entry : kBspTable) info.buildings[std::size_t(entry.building)].bsp = entry.bsp;
}

void readResourceLines(Info& info, const std::vector<std::string>& lines, const std::string& fileName) {
    const DataFileProblems problems(fileName);
    LineCursor cursor(lines, problems);
    refuseNonText(lines, cursor);
    std::array<InfoRessource, kResourceCount> resources;
    for (InfoRessource& r : resources) {
        r.name = cursor.text();
        r.image = cursor.text();
    }
    info.resourceTypes = std::move(resources);
}

namespace {

IntGrid readGrid(LineCursor& cursor, int width, int height) {
    // The file lists the grid row by row; in memory it is column-major.
    IntGrid grid(width, std::vector<std::int32_t>(height, 0));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            grid[x][y] = cursor.integerIn(0, kFieldTypeCount - 1, "Feldtyp");
    return grid;
}

}  // namespace

void readPlanetLines(Info& info, const std::vector<std::string>& lines, const std::string& fileName) {
    const DataFileProblems problems(fileName);
    LineCursor cursor(lines, problems);
    refuseNonText(lines, cursor);
    std::array<InfoPlanet, kPlanetCount> planets;
    for (int p = 0;; ++p) {
        if (cursor.atEnd()) cursor.fail("Die Endmarke \"!\" fehlt.");
        if (cursor.peek() == "!") break;
        if (p == kPlanetCount) cursor.fail("Mehr als zehn Planetentypen; hier wird die Endmarke \"!\" erwartet.");
        InfoPlanet& planet = planets[p];
        planet.name = cursor.text();
        planet.image = cursor.text();
        planet.width = cursor.integerIn(0, kMaxPlanetWidth, "Breite");
        planet.surfaceHeight = cursor.integerIn(0, kMaxPlanetHeight, "Oberflächenhöhe");
        planet.orbitHeight = cursor.integerIn(0, kMaxPlanetHeight, "Orbithöhe");
        planet.maxCraters = cursor.integer();
        planet.maxCoreRifts = cursor.integer();
        planet.maxVolcanoes = cursor.integer();
        planet.baseAttractiveness = cursor.integer();
        planet.yieldA = cursor.integer();
        planet.yieldB = cursor.integer();
        planet.capA = cursor.integer();
        planet.yieldC = cursor.integer();
        planet.capB = cursor.integer();
        planet.yieldD = cursor.integer();
        planet.surface = readGrid(cursor, planet.width, planet.surfaceHeight);
        planet.orbit = readGrid(cursor, planet.width, planet.orbitHeight);
    }
    info.planets = std::move(planets);
}

void readBuildingFile(Info& info, const std::filesystem::path& file) {
    readBuildingLines(info, readTextLines(file), file.string());
}

void readResourceFile(Info& info, const std::filesystem::path& file) {
    readResourceLines(info, readTextLines(file), file.string());
}

void readPlanetFile(Info& info, const std::filesystem::path& file) {
    readPlanetLines(info, readTextLines(file), file.string());
}

void loadCatalog(Info& info, const std::filesystem::path& dataDir) {
    Info loaded;
    buildFieldTypes(loaded);
    readPlanetFile(loaded, dataDir / kPlanetFileName);
    readBuildingFile(loaded, dataDir / kBuildingFileName);
    buildTerraformings(loaded);
    readResourceFile(loaded, dataDir / kResourceFileName);
    info = std::move(loaded);
}

}  // namespace dz
