#include "core/catalog/catalog_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/text/text_file.h"
#include "support/endless_reads.h"

using namespace dz;
using Lines = std::vector<std::string>;

namespace {

// A building file whose every value tells where it came from.
Lines buildingLines() {
    Lines lines;
    for (int i = 0; i < kBuildingCount; ++i) {
        lines.push_back("Geb\xE4ude " + std::to_string(i));
        lines.push_back("dir" + std::to_string(i));
        lines.push_back(std::to_string(1000 + i));  // storage
        lines.push_back(std::to_string(2000 + i));  // eps
        lines.push_back(std::to_string(3000 + i));  // housing
        lines.push_back(std::to_string(-i));        // attractiveness
        lines.push_back(std::to_string(4000 + i));  // workers
        for (int r = 0; r < kResourceCount; ++r) lines.push_back(std::to_string(100 * i + r));
        for (int r = 0; r < kResourceCount; ++r) lines.push_back(std::to_string(-(100 * i + r)));
    }
    return lines;
}

Lines resourceLines() {
    Lines lines;
    for (int k = 0; k < kResourceCount; ++k) {
        lines.push_back("Rohstoff " + std::to_string(k));
        lines.push_back("r\\" + std::to_string(k) + ".gif");
    }
    return lines;
}

struct PlanetBlock {
    int width, surfaceHeight, orbitHeight;
    std::string name = "Planet";
    int firstValue = 1;  // header values after the sizes count up from here
    // Field type of (x, y): distinct per position so that transposition errors show.
    int surfaceAt(int x, int y) const { return (x + 3 * y) % 15; }
    int orbitAt(int x, int y) const { return (2 * x + y) % 15; }
};

void appendBlock(Lines& lines, const PlanetBlock& b) {
    lines.push_back(b.name);
    lines.push_back("p\\" + b.name + ".gif");
    lines.push_back(std::to_string(b.width));
    lines.push_back(std::to_string(b.surfaceHeight));
    lines.push_back(std::to_string(b.orbitHeight));
    for (int k = 0; k < 10; ++k) lines.push_back(std::to_string(b.firstValue + k));
    for (int y = 0; y < b.surfaceHeight; ++y)
        for (int x = 0; x < b.width; ++x) lines.push_back(std::to_string(b.surfaceAt(x, y)));
    for (int y = 0; y < b.orbitHeight; ++y)
        for (int x = 0; x < b.width; ++x) lines.push_back(std::to_string(b.orbitAt(x, y)));
}

Lines planetLines(const std::vector<PlanetBlock>& blocks) {
    Lines lines;
    for (const auto& b : blocks) appendBlock(lines, b);
    lines.push_back("!");
    return lines;
}

std::vector<PlanetBlock> tenPlanets() {
    std::vector<PlanetBlock> blocks;
    for (int p = 0; p < kPlanetCount; ++p) blocks.push_back({5 + p, 3 + p % 4, p % 3, std::string(1, 'P').append(std::to_string(p))});
    return blocks;
}

// Runs `read` and returns the 1-based line of the error it raises (0: no error).
template <typename Read>
std::size_t errorLine(Read read, std::string* message = nullptr) {
    try {
        read();
    } catch (const DataFileError& e) {
        if (message) *message = e.what();
        return e.line();
    }
    return 0;
}

}  // namespace

// --- buildings.kpl ---------------------------------------------------------

TEST(BuildingFile, ReadsEveryFieldFromItsLine) {
    Info info;
    readBuildingLines(info, buildingLines(), "buildings.kpl");
    const InfoBuilding& b = info.buildings[17];
    EXPECT_EQ(b.name, "Geb\xE4ude 17");
    EXPECT_EQ(b.imageDir, "dir17");
    EXPECT_EQ(b.storage, 1017);
    EXPECT_EQ(b.eps, 2017);
    EXPECT_EQ(b.housing, 3017);
    EXPECT_EQ(b.attractiveness, -17);
    EXPECT_EQ(b.workers, 4017);
    EXPECT_EQ(b.buildCost[0], 1700);
    EXPECT_EQ(b.buildCost[15], 1715);
    EXPECT_EQ(b.production[0], -1700);
    EXPECT_EQ(b.production[15], -1715);
    EXPECT_EQ(info.buildings[54].production[15], -5415) << "the last line of the last record";
}

TEST(BuildingFile, ExactlyTheRecordLinesLoadAndOneShortFails) {
    Lines lines = buildingLines();
    ASSERT_EQ(lines.size(), 2145u);
    Info info;
    EXPECT_EQ(errorLine([&] { readBuildingLines(info, lines, "buildings.kpl"); }), 0u);

    lines.pop_back();
    std::string message;
    EXPECT_EQ(errorLine([&] { readBuildingLines(info, lines, "buildings.kpl"); }, &message), 2145u);
    EXPECT_NE(message.find("buildings.kpl, Zeile 2145"), std::string::npos) << message;
}

TEST(BuildingFile, LinesAfterTheLastRecordAreIgnored) {
    Lines lines = buildingLines();
    lines.push_back("kein Wert");
    lines.push_back("");
    Info info;
    readBuildingLines(info, lines, "buildings.kpl");
    EXPECT_EQ(info.buildings[54].name, "Geb\xE4ude 54");
}

TEST(BuildingFile, BadIntegerNamesItsLine) {
    Lines lines = buildingLines();
    lines[39 * 2 + 9] = "12x";  // building 2, buildCost[2]
    Info info;
    std::string message;
    EXPECT_EQ(errorLine([&] { readBuildingLines(info, lines, "buildings.kpl"); }, &message), 39u * 2 + 10);
    EXPECT_NE(message.find("12x"), std::string::npos);
}

TEST(BuildingFile, FailureLeavesTheTableUntouched) {
    Info info;
    info.buildings[0].name = "vorher";
    Lines lines = buildingLines();
    lines[2000] = "?";
    EXPECT_NE(errorLine([&] { readBuildingLines(info, lines, "buildings.kpl"); }), 0u);
    EXPECT_EQ(info.buildings[0].name, "vorher");
}

TEST(BuildingFile, EmptyTextLinesAndNegativeNumbersAreValues) {
    Lines lines = buildingLines();
    lines[39 * 5] = "";
    lines[39 * 5 + 1] = "";
    lines[39 * 5 + 23 + 1] = "-7";
    Info info;
    readBuildingLines(info, lines, "buildings.kpl");
    EXPECT_EQ(info.buildings[5].name, "");
    EXPECT_EQ(info.buildings[5].imageDir, "");
    EXPECT_EQ(info.buildings[5].production[1], -7);
}

TEST(BuildingFile, BspComesFromTheFixedTable) {
    Info info;
    info.buildings[3].bsp = 77;  // whatever was there before
    readBuildingLines(info, buildingLines(), "buildings.kpl");
    const int expected[][2] = {{0, 100}, {1, 150}, {2, 150}, {45, 150}, {50, 500}, {51, 1000}};
    int withBsp = 0;
    for (const auto& [b, bsp] : expected) EXPECT_EQ(info.buildings[b].bsp, bsp) << "building " << b;
    for (const auto& b : info.buildings) withBsp += b.bsp != 0;
    EXPECT_EQ(withBsp, 6);
    EXPECT_EQ(info.buildings[3].bsp, 0);
}

// --- ressources.kpl --------------------------------------------------------

TEST(ResourceFile, ReadsNamesAndImagesAndIgnoresTheRest) {
    Lines lines = resourceLines();
    lines.push_back("zuviel");
    Info info;
    readResourceLines(info, lines, "ressources.kpl");
    EXPECT_EQ(info.resourceTypes[0].name, "Rohstoff 0");
    EXPECT_EQ(info.resourceTypes[15].image, "r\\15.gif");
}

TEST(ResourceFile, OneLineShortFails) {
    Lines lines = resourceLines();
    lines.pop_back();
    Info info;
    EXPECT_EQ(errorLine([&] { readResourceLines(info, lines, "ressources.kpl"); }), 32u);
}

// --- planets.kpl -----------------------------------------------------------

TEST(PlanetFile, ReadsHeaderAndTransposesTheGrids) {
    const PlanetBlock block{4, 3, 2, "Testwelt", 11};
    Info info;
    readPlanetLines(info, planetLines({block}), "planets.kpl");
    const InfoPlanet& p = info.planets[0];
    EXPECT_EQ(p.name, "Testwelt");
    EXPECT_EQ(p.image, "p\\Testwelt.gif");
    EXPECT_EQ(p.width, 4);
    EXPECT_EQ(p.surfaceHeight, 3);
    EXPECT_EQ(p.orbitHeight, 2);
    EXPECT_EQ(p.maxCraters, 11);
    EXPECT_EQ(p.maxCoreRifts, 12);
    EXPECT_EQ(p.maxVolcanoes, 13);
    EXPECT_EQ(p.baseAttractiveness, 14);
    EXPECT_EQ(p.yieldA, 15);
    EXPECT_EQ(p.yieldB, 16);
    EXPECT_EQ(p.capA, 17);
    EXPECT_EQ(p.yieldC, 18);
    EXPECT_EQ(p.capB, 19);
    EXPECT_EQ(p.yieldD, 20);
    ASSERT_EQ(p.surface.size(), 4u);
    ASSERT_EQ(p.orbit.size(), 4u);
    for (int x = 0; x < 4; ++x) {
        ASSERT_EQ(p.surface[x].size(), 3u);
        ASSERT_EQ(p.orbit[x].size(), 2u);
        for (int y = 0; y < 3; ++y) EXPECT_EQ(p.surface[x][y], block.surfaceAt(x, y)) << x << "," << y;
        for (int y = 0; y < 2; ++y) EXPECT_EQ(p.orbit[x][y], block.orbitAt(x, y)) << x << "," << y;
    }
}

TEST(PlanetFile, SecondRowStartsWidthLinesAfterTheFirst) {
    Lines lines = planetLines({{10, 5, 2}});
    lines[15 + 1 * 10 + 0] = "14";  // first field of the second row
    Info info;
    readPlanetLines(info, lines, "planets.kpl");
    EXPECT_EQ(info.planets[0].surface[0][1], 14);
}

TEST(PlanetFile, BlocksFollowEachOther) {
    const PlanetBlock first{10, 5, 2, "Erste"};
    const PlanetBlock second{3, 2, 0, "Zweite", 50};
    const Lines lines = planetLines({first, second});
    ASSERT_EQ(lines[85], "Zweite") << "a 10 x (5 + 2) block has 85 lines";
    Info info;
    readPlanetLines(info, lines, "planets.kpl");
    EXPECT_EQ(info.planets[1].name, "Zweite");
    EXPECT_EQ(info.planets[1].maxCraters, 50);
    EXPECT_EQ(info.planets[1].orbit, IntGrid(3)) << "no orbit: three empty columns";
}

TEST(PlanetFile, OnlyTheEndMarkLoadsNothing) {
    Info info;
    info.planets[4].name = "alt";
    readPlanetLines(info, {"!"}, "planets.kpl");
    for (const InfoPlanet& p : info.planets) {
        EXPECT_EQ(p.name, "");
        EXPECT_EQ(p.width, 0);
        EXPECT_TRUE(p.surface.empty());
    }
}

TEST(PlanetFile, FewerThanTenBlocksLeaveTheRestEmpty) {
    Info info;
    readPlanetLines(info, planetLines({{5, 2, 1, "A"}, {6, 3, 0, "B"}}), "planets.kpl");
    EXPECT_EQ(info.planets[1].name, "B");
    EXPECT_EQ(info.planets[2].name, "");
    EXPECT_EQ(info.planets[9].surfaceHeight, 0);
}

TEST(PlanetFile, TenBlocksLoad) {
    Info info;
    readPlanetLines(info, planetLines(tenPlanets()), "planets.kpl");
    EXPECT_EQ(info.planets[9].name, "P9");
    EXPECT_EQ(info.planets[9].width, 14);
}

TEST(PlanetFile, EndMarkMustBeExact) {
    // "! " at a block start is the name of another planet block.
    PlanetBlock odd{5, 1, 0, "! "};
    Info info;
    readPlanetLines(info, planetLines({{5, 2, 1, "A"}, odd}), "planets.kpl");
    EXPECT_EQ(info.planets[1].name, "! ");
}

TEST(PlanetFile, RejectsAnEleventhBlock) {
    auto blocks = tenPlanets();
    blocks.push_back({5, 2, 1, "Elf"});
    const Lines lines = planetLines(blocks);
    std::size_t start = 0;
    for (int p = 0; p < 10; ++p) start += 15 + blocks[p].width * (blocks[p].surfaceHeight + blocks[p].orbitHeight);
    Info info;
    std::string message;
    EXPECT_EQ(errorLine([&] { readPlanetLines(info, lines, "planets.kpl"); }, &message), start + 1);
    EXPECT_NE(message.find("zehn"), std::string::npos) << message;
}

TEST(PlanetFile, RejectsSizesTheWindowCannotShow) {
    struct Case {
        int width, surfaceHeight, orbitHeight;
        std::size_t line;
    };
    for (const Case& c : {Case{-1, 2, 1, 3}, Case{26, 2, 1, 3}, Case{5, -2, 1, 4}, Case{5, 21, 1, 4},
                          Case{5, 2, -1, 5}, Case{5, 2, 21, 5}}) {
        Lines lines{"X", "x.gif", std::to_string(c.width), std::to_string(c.surfaceHeight),
                    std::to_string(c.orbitHeight)};
        for (int k = 0; k < 2000; ++k) lines.push_back("1");
        lines.push_back("!");
        Info info;
        EXPECT_EQ(errorLine([&] { readPlanetLines(info, lines, "planets.kpl"); }), c.line)
            << c.width << " x " << c.surfaceHeight << " + " << c.orbitHeight;
    }
}

TEST(PlanetFile, AcceptsTheLargestSizes) {
    Info info;
    readPlanetLines(info, planetLines({{25, 20, 20}}), "planets.kpl");
    EXPECT_EQ(info.planets[0].orbit[24].size(), 20u);
}

TEST(PlanetFile, RejectsFieldTypesOutsideTheTable) {
    for (const char* bad : {"15", "-1"}) {
        Lines lines = planetLines({{4, 2, 1}});
        lines[15 + 4 * 2 + 3] = bad;  // last orbit field
        Info info;
        EXPECT_EQ(errorLine([&] { readPlanetLines(info, lines, "planets.kpl"); }), 15u + 8 + 3 + 1) << bad;
    }
}

TEST(PlanetFile, MissingEndMarkOrShortBlockFails) {
    Lines lines = planetLines({{4, 2, 1}});
    lines.pop_back();
    Info info;
    EXPECT_EQ(errorLine([&] { readPlanetLines(info, lines, "planets.kpl"); }), lines.size() + 1);

    lines.pop_back();  // now the block itself is one line short
    EXPECT_EQ(errorLine([&] { readPlanetLines(info, lines, "planets.kpl"); }), lines.size() + 1);
}

TEST(PlanetFile, BadHeaderIntegerFails) {
    Lines lines = planetLines({{4, 2, 1}});
    lines[9] = "viel";
    Info info;
    EXPECT_EQ(errorLine([&] { readPlanetLines(info, lines, "planets.kpl"); }), 10u);
}

// --- the whole catalog -----------------------------------------------------

namespace {

class CatalogFolder : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("dz_catalog_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::create_directories(dir_);
        write(kBuildingFileName, buildingLines());
        write(kResourceFileName, resourceLines());
        write(kPlanetFileName, planetLines(tenPlanets()));
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    void write(const char* name, const Lines& lines, const std::string& start = "") {
        std::ofstream out(dir_ / name, std::ios::binary);
        out << start;
        for (const auto& line : lines) out << line << "\r\n";
    }
    // The message of the DataFileError that loading the folder gives, or "loaded".
    std::string loadProblem() const {
        Info info;
        std::string message = "loaded";
        const std::size_t line = errorLine([&] { loadCatalog(info, dir_); }, &message);
        EXPECT_EQ(line, 0u) << "a problem of the whole file";
        return message;
    }

    std::filesystem::path dir_;
};

}  // namespace

TEST_F(CatalogFolder, LoadsAllFiveTables) {
    Info info;
    loadCatalog(info, dir_);
    EXPECT_EQ(info.fields[2].name, "Wald");
    EXPECT_EQ(info.planets[9].name, "P9");
    EXPECT_EQ(info.buildings[51].bsp, 1000);
    EXPECT_EQ(info.terraformings[15].cost[5], 2000);
    EXPECT_EQ(info.resourceTypes[3].name, "Rohstoff 3");
}

TEST_F(CatalogFolder, PlanetsAreReadBeforeBuildings) {
    Lines badPlanets = planetLines(tenPlanets());
    badPlanets[2] = "breit";
    write(kPlanetFileName, badPlanets);
    std::filesystem::remove(dir_ / kBuildingFileName);
    Info info;
    std::string message;
    EXPECT_EQ(errorLine([&] { loadCatalog(info, dir_); }, &message), 3u);
    EXPECT_NE(message.find(kPlanetFileName), std::string::npos) << message;
}

TEST_F(CatalogFolder, MissingFileIsNamedAndNothingIsKept) {
    std::filesystem::remove(dir_ / kResourceFileName);
    Info info;
    std::string message;
    EXPECT_EQ(errorLine([&] { loadCatalog(info, dir_); }, &message), 0u);
    EXPECT_NE(message.find(kResourceFileName), std::string::npos) << message;
    EXPECT_EQ(info.buildings[0].name, "") << "no partial catalog";
    EXPECT_EQ(info.fields[0].name, "");
}

TEST_F(CatalogFolder, WhatIsNoRegularFileIsRefusedNamingIt) {
    std::filesystem::remove(dir_ / kBuildingFileName);
    std::filesystem::create_directory(dir_ / kBuildingFileName);
    EXPECT_EQ(loadProblem(), (dir_ / kBuildingFileName).string() + ": keine normale Datei.");
    // A named pipe would keep the open waiting: read in a child with a time limit.
    std::filesystem::remove(dir_ / kPlanetFileName);
    const NamedPipe pipe(dir_ / kPlanetFileName);
    EXPECT_EQ(readInChild([&] { return loadProblem(); }),
              std::optional<std::string>((dir_ / kPlanetFileName).string() + ": keine normale Datei."));
}

TEST_F(CatalogFolder, AFileAboveOneMegabyteIsRefusedNamingIt) {
    // Lines after the last record are ignored: a file filled up to the limit still loads.
    std::string filler(kMaxTextFileBytes, '\n');
    std::string bytes;
    for (const auto& line : resourceLines()) bytes += line + "\r\n";
    filler.replace(0, bytes.size(), bytes);
    std::ofstream(dir_ / kResourceFileName, std::ios::binary | std::ios::trunc) << filler;
    EXPECT_EQ(loadProblem(), "loaded");
    std::ofstream(dir_ / kResourceFileName, std::ios::binary | std::ios::app) << "\n";
    EXPECT_EQ(loadProblem(), (dir_ / kResourceFileName).string() + ": Die Datei ist zu groß (mehr als 1 MB).");
}

TEST_F(CatalogFolder, AByteOrderMarkChangesNothing) {
    Info plain;
    loadCatalog(plain, dir_);
    write(kBuildingFileName, buildingLines(), "\xEF\xBB\xBF");
    write(kResourceFileName, resourceLines(), "\xEF\xBB\xBF");
    write(kPlanetFileName, planetLines(tenPlanets()), "\xEF\xBB\xBF");
    Info marked;
    loadCatalog(marked, dir_);
    for (int b = 0; b < kBuildingCount; ++b) {
        EXPECT_EQ(marked.buildings[b].name, plain.buildings[b].name);
        EXPECT_EQ(marked.buildings[b].production, plain.buildings[b].production);
    }
    EXPECT_EQ(marked.buildings[0].name, "Geb\xE4ude 0") << "no mark in the first name";
    EXPECT_EQ(marked.resourceTypes[0].name, "Rohstoff 0");
    for (int p = 0; p < kPlanetCount; ++p) {
        EXPECT_EQ(marked.planets[p].name, plain.planets[p].name);
        EXPECT_EQ(marked.planets[p].surface, plain.planets[p].surface);
        EXPECT_EQ(marked.planets[p].orbit, plain.planets[p].orbit);
    }
}
