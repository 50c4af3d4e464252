#include "core/files/plan_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "core/catalog/catalog_files.h"
#include "core/planner/planner.h"
#include "core/text/text_file.h"
#include "support/device_node.h"
#include "support/endless_reads.h"
#include "support/recording_view.h"
#include "support/small_catalog.h"

using namespace dz;
using Lines = std::vector<std::string>;

namespace {

// Planet 0: two columns of one meadow and one space cell; planet 9 likewise
// without orbit.
class PlanFileTest : public small_catalog::SmallCatalogTest {
protected:
    void SetUp() override {
        for (int p : {0, 9})
            small_catalog::shapePlanet(info.planets[p], 2, 1, p == 0 ? 1 : 0, small_catalog::meadow);
        info.buildings[bldHousingCore].housing = 40;
    }

    // A cell record: field type, operation, building, 16 costs.
    static void cell(Lines& lines, int fieldType, int on, int building, int firstCost = 0) {
        lines.push_back(std::to_string(fieldType));
        lines.push_back(std::to_string(on));
        lines.push_back(std::to_string(building));
        for (int r = 0; r < kResourceCount; ++r) lines.push_back(std::to_string(r == 0 ? firstCost : 0));
    }
    // Cost pairs: terraforming i = 100 + i, building i = 200 + i.
    static void costs(Lines& lines) {
        for (int i = 0; i < kResourceCount; ++i) {
            lines.push_back(std::to_string(100 + i));
            lines.push_back(std::to_string(200 + i));
        }
    }
    // A file of planet 0 in the given layout, up to and with the six population values.
    static Lines file(const std::string& version, bool reputation, int summaryLines) {
        Lines lines;
        if (!version.empty()) lines.push_back(version);
        lines.push_back("0");
        if (reputation) lines.push_back("2500");
        for (int i = 0; i < summaryLines; ++i) lines.push_back("7");
        costs(lines);
        cell(lines, ftForest, 0, -1, 5);          // surface (0, 0), terraformed
        cell(lines, ftSpace, 1, bldLabOrbit);     // orbit (0, 0)
        cell(lines, ftMeadow, 1, bldHousingCore);  // surface (1, 0)
        cell(lines, ftSpace, 0, -1);              // orbit (1, 0)
        for (const char* value : {"40", "12", "0", "0", "3", "1"}) lines.push_back(value);
        return lines;
    }

    void load(const Lines& lines) { planner.loadPlan(readPlanLines(lines, info)); }
};

}  // namespace

TEST(PlanFileNames, KplsRuleAndFormats) {
    EXPECT_EQ(planFileName("kolonie"), "kolonie.kpls");
    EXPECT_EQ(planFileName("kolonie.kpls"), "kolonie.kpls");
    EXPECT_EQ(planFileName("kolonie.KPLS"), "kolonie.KPLS.kpls");
    EXPECT_EQ(planFileName("kolonie.txt"), "kolonie.txt.kpls");
    EXPECT_EQ(planFileName("ordner.kpls/kolonie"), "ordner.kpls/kolonie.kpls");
    EXPECT_EQ(planFormat("064"), PlanFormat::Current);
    for (const char* v : {"0.6.1", "0.6.2", "063"}) EXPECT_EQ(planFormat(v), PlanFormat::Older) << v;
    EXPECT_EQ(planFormat("0.0"), PlanFormat::NoVersionLine);
    for (const char* v : {"065", " 064", "064 x", "0.6.3", "0.6.2.", "   ", ""})
        EXPECT_EQ(planFormat(v), PlanFormat::Unknown) << v;
    for (const char* v : {"063 ", "0.6.1\t \t"}) EXPECT_EQ(planFormat(v), PlanFormat::Older) << v;
}

TEST_F(PlanFileTest, WorkedLayoutOfTwoColumns) {
    planner.newPlan(0);
    plan.selected = FieldSelection{1, 0, true};
    plan.current.surface[1][0] = Field{bldHousingCore, true, true, ftMeadow, 0, 0};
    plan.ressources.surfaceTerraformCosts[1][0][3] = 9;
    plan.ressources.scientists = 2;
    plan.ressources.limitEnabled = true;
    plan.ressources.populationLimit = 30;
    const Lines lines = planLines(info, plan, -1200);
    ASSERT_EQ(lines.size(), 141u);
    EXPECT_EQ(lines[0], "064");
    EXPECT_EQ(lines[1], "0");
    EXPECT_EQ(lines[2], "-1200");
    EXPECT_EQ(lines[53], "1") << "line 54: surface (0, 0) field type";
    EXPECT_EQ(lines[54], "0");
    EXPECT_EQ(lines[55], "-1");
    EXPECT_EQ(lines[72], "0") << "line 73: orbit (0, 0) field type";
    EXPECT_EQ(lines[91 + 2], std::to_string(bldHousingCore)) << "surface (1, 0) building";
    EXPECT_EQ(lines[91 + 1], "1");
    EXPECT_EQ(lines[91 + 3 + 3], "9");
    EXPECT_EQ(lines[110], "0") << "line 111: orbit (1, 0)";
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 129, lines.begin() + 137),
              (Lines{"0", "0", "0", "0", "2", "0", "1", "30"}))
        << "scientists before soldiers";
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 137, lines.end()), (Lines{"1", "0", "1", "0"}));
}

TEST_F(PlanFileTest, LineCountFollowsTheShape) {
    for (auto [p, w, hs, ho] : {std::tuple{0, 10, 5, 2}, std::tuple{9, 7, 3, 0}}) {
        small_catalog::shapePlanet(info.planets[p], w, hs, ho, small_catalog::meadow);
        planner.newPlan(p);
        EXPECT_EQ(planLines(info, plan, 0).size(), std::size_t(61 + 20 * w * (hs + ho)));
    }
}

TEST_F(PlanFileTest, SummaryRoundsUpkeepAndTruncatesResearch) {
    planner.newPlan(0);
    info.buildings[bldHousingCore].production[resResearch] = -3;
    info.buildings[bldHousingCore].storage = 70;
    plan.current.surface[0][0] = Field{bldHousingCore, false, true, ftMeadow, 0, 0};  // switched off
    plan.current.surface[1][0] = Field{bldHousingCore, true, true, ftMeadow, 0, 0};
    plan.ressources.inhabitants = 11;
    plan.ressources.scientists = 5;
    Lines lines = planLines(info, plan, 0);
    EXPECT_EQ(lines[3 + resSupply], "-3") << "11 inhabitants eat 3";
    EXPECT_EQ(lines[3 + resResearch], "-2") << "-3 + 0.5 truncated toward zero";
    EXPECT_EQ(lines[3 + 16], "140") << "storage counts switched-off buildings";
    info.buildings[bldHousingCore].production[resResearch] = 0;
    plan.ressources.scientists = 7;
    plan.ressources.inhabitants = 0;
    lines = planLines(info, plan, 0);
    EXPECT_EQ(lines[3 + resResearch], "0");
    EXPECT_EQ(lines[3 + resSupply], "0") << "no supply bonus without the orbit station";
    plan.current.orbit[0][0] = Field{bldOrbitSupply, true, true, ftSpace, 0, 0};
    EXPECT_EQ(planLines(info, plan, 0)[3 + resSupply], "1") << "one operating housing core";
    plan.current.orbit[0][0].inOperation = false;
    EXPECT_EQ(planLines(info, plan, 0)[3 + resSupply], "0");
}

// The summary of a plan file and the production panel come from the same
// sums: each summary line is the panel's value, research without its decimal.
TEST_F(PlanFileTest, SummaryAgreesWithTheProductionPanel) {
    constexpr int kFactory = 16;
    small_catalog::shapePlanet(info.planets[0], 4, 2, 2, small_catalog::meadow);
    planner.newPlan(0);
    for (int r = 0; r < kResourceCount; ++r) {
        info.buildings[kFactory].production[r] = 3 * r - 20;
        info.buildings[bldHousingCore].production[r] = r % 3 - 1;
        info.buildings[bldOrbitSupply].production[r] = r == resResearch ? -7 : 1;
    }
    info.buildings[kFactory].storage = 70;
    info.buildings[kFactory].eps = -9;
    info.buildings[bldOrbitSupply].storage = 500;
    info.buildings[bldHousingCore].eps = 4;
    plan.current.surface[0][0] = Field{bldHousingCore, true, true, ftMeadow, 0, 0};
    plan.current.surface[1][0] = Field{bldHousingCore, true, true, ftMeadow, 0, 0};
    plan.current.surface[2][1] = Field{bldHousingCore, false, true, ftMeadow, 0, 0};
    plan.current.surface[3][1] = Field{kFactory, true, true, ftMeadow, 0, 0};
    plan.current.orbit[1][1] = Field{kFactory, false, true, ftSpace, 0, 0};
    plan.current.orbit[2][0] = Field{bldOrbitSupply, true, true, ftSpace, 0, 0};
    // The buildings' research is 4 + 2 - 7 = -1; the scientists move it
    // across zero in tenths.
    for (int scientists : {0, 3, 9, 10, 11, 47}) {
        for (int inhabitants : {0, 4, 5, 11}) {
            plan.ressources.scientists = scientists;
            plan.ressources.inhabitants = inhabitants;
            const Lines lines = planLines(info, plan, 0);
            const std::vector<GridRow> panel = computeProduction(info, plan, ',');
            ASSERT_EQ(panel.size(), 3u + kResourceCount);
            EXPECT_EQ(lines[3 + kResourceCount], panel[0].value) << "storage";
            EXPECT_EQ(lines[3 + kResourceCount + 1], panel[1].value) << "EPS";
            for (int r = 0; r < kResourceCount; ++r) {
                std::string whole = panel[3 + r].value;
                if (r == resResearch) {
                    whole = whole.substr(0, whole.find(','));
                    if (whole == "-0") whole = "0";
                }
                EXPECT_EQ(lines[3 + r], whole) << "resource " << r << ", " << scientists << " scientists, "
                                               << inhabitants << " inhabitants";
            }
        }
    }
    plan.ressources.scientists = 9;
    EXPECT_EQ(computeProduction(info, plan, ',')[3 + resResearch].value, "-0,1") << "the case that must not give -0";
}

TEST_F(PlanFileTest, CurrentLayoutLoads) {
    Lines lines = file("064", true, 18);
    lines.push_back("1");
    lines.push_back("30");
    for (const char* f : {"2", "0", "1", "0"}) lines.push_back(f);  // initial: forest, space, meadow, space
    load(lines);
    EXPECT_EQ(plan.planetType, 0);
    EXPECT_EQ(state.internalReputation, 2500);
    EXPECT_EQ(plan.ressources.terraformCosts[15], 115);
    EXPECT_EQ(plan.ressources.buildingCosts[0], 200);
    EXPECT_EQ(plan.current.surface[0][0].fieldType, ftForest);
    EXPECT_EQ(plan.ressources.surfaceTerraformCosts[0][0][0], 5);
    EXPECT_EQ(plan.current.orbit[0][0].building, bldLabOrbit);
    EXPECT_TRUE(plan.current.orbit[0][0].built);
    EXPECT_EQ(plan.ressources.scientistCapacity, 10) << "recomputed from the buildings";
    EXPECT_EQ(plan.ressources.scientists, 3);
    EXPECT_EQ(plan.ressources.soldiers, 1);
    EXPECT_TRUE(plan.ressources.limitEnabled);
    EXPECT_EQ(plan.ressources.populationLimit, 30);
    EXPECT_EQ(plan.initial.surface[0][0].fieldType, ftForest);
    EXPECT_NE(view.firstIndex("reputation 2500"), -1);
    EXPECT_NE(view.firstIndex("limit on 30"), -1);
    EXPECT_NE(view.firstIndex("field s 0 0 2"), -1) << "a field that differs from the template is drawn";
    EXPECT_EQ(view.firstIndex("field s 1 0 1"), view.lastIndex("field s 1 0 1")) << "the others only by the new plan";
    EXPECT_NE(view.firstIndex("building o 0 0 39"), -1);
}

// A plan file may hold any int32 as the limit: below 0 nobody lives on the
// planet, and nobody eats.
TEST_F(PlanFileTest, ANegativeLimitLeavesNoInhabitants) {
    const auto loadWithLimit = [&](const char* limit) {
        Lines lines = file("064", true, 18);
        lines.push_back("1");
        lines.push_back(limit);
        load(lines);
        return view.production;
    };
    const std::vector<GridRow> withNobody = loadWithLimit("0");
    const std::vector<GridRow> production = loadWithLimit("-2147483648");
    EXPECT_EQ(plan.ressources.populationLimit, INT32_MIN);
    EXPECT_TRUE(plan.ressources.limitEnabled);
    EXPECT_EQ(plan.ressources.inhabitants, 0);
    ASSERT_GE(view.population.rows.size(), 3u);
    EXPECT_EQ(view.population.rows[0].value, "40") << "the living space stays";
    EXPECT_EQ(view.population.rows[2], (GridRow{"Arbeitslose", "0"}));
    EXPECT_EQ(production[3 + resSupply].value, "0") << "no inhabitants, no upkeep and no gain";
    EXPECT_EQ(production, withNobody);
}

TEST_F(PlanFileTest, OlderFormatHasNoInitialBlock) {
    Lines lines = file("0.6.2", true, 16);
    lines.push_back("0");
    lines.push_back("0");
    lines.push_back("2");  // would be an initial field type in the current layout: ignored
    load(lines);
    EXPECT_EQ(plan.current.surface[0][0].fieldType, ftForest);
    EXPECT_EQ(plan.initial.surface[0][0].fieldType, ftMeadow) << "the template's";
    EXPECT_EQ(state.internalReputation, 2500);
}

TEST_F(PlanFileTest, NoVersionLineWithAndWithoutTheLimitLines) {
    Lines lines = file("", true, 16);
    load(lines);
    EXPECT_EQ(state.internalReputation, 2500);
    EXPECT_FALSE(plan.ressources.limitEnabled);
    EXPECT_EQ(plan.ressources.populationLimit, 0);

    lines.push_back("1");
    lines.push_back("12");
    lines.push_back("4000");  // the second reputation replaces the first
    load(lines);
    EXPECT_EQ(state.internalReputation, 4000);
    EXPECT_EQ(plan.ressources.populationLimit, 12);
    EXPECT_NE(view.lastIndex("reputation 4000"), -1);

    Lines explicitVersion = file("0.0", true, 16);
    explicitVersion.push_back("0");
    explicitVersion.push_back("5");
    EXPECT_THROW(readPlanLines(explicitVersion, info), PlanFileError) << "the second reputation is missing";
}

TEST_F(PlanFileTest, UnknownVersionHasNoReputationAndNoSummary) {
    Lines lines = file("065", false, 0);
    state.internalReputation = 77;
    load(lines);
    EXPECT_EQ(state.internalReputation, 77);
    EXPECT_EQ(plan.ressources.terraformCosts[0], 100);
    EXPECT_EQ(plan.current.surface[1][0].building, bldHousingCore);
}

TEST_F(PlanFileTest, AnyLineEndWillDo) {
    Lines lines = file("064", true, 18);
    for (const char* end : {"\r\n", "\n", "\r"}) {
        std::string bytes;
        for (const auto& line : lines) bytes += line + end;
        const auto path = std::filesystem::temp_directory_path() / "dz_line_ends.kpls";
        std::ofstream(path, std::ios::binary) << bytes;
        EXPECT_EQ(readPlanFile(path, info).surface[1][0].building, bldHousingCore) << "line end " << int(end[0]);
        std::filesystem::remove(path);
    }
}

TEST_F(PlanFileTest, InvalidFilesAreRefusedNamingTheLineAndTheProblem) {
    Lines good = file("064", true, 18);
    ASSERT_NO_THROW(readPlanLines(good, info));
    const auto problem = [this](const Lines& lines) -> std::string {
        try {
            readPlanLines(lines, info);
        } catch (const PlanFileError& e) {
            return e.what();
        }
        return "accepted";
    };
    struct Case {
        std::size_t line;
        std::string text;
        std::string message;
    };
    // good[1] planet, good[2] reputation, good[53] first field type, good[55] its building,
    // good[60] one of its costs, good[74] the building in the orbit
    for (const Case& c : {Case{1, "10", "Zeile 2: Planetentyp 10 gibt es nicht."},
                          Case{1, "x", "Zeile 2: Keine Ganzzahl."},
                          Case{2, "", "Zeile 3: Keine Ganzzahl."},
                          Case{53, "15", "Zeile 54: Feldtyp 15 gibt es nicht."},
                          Case{53, "-1", "Zeile 54: Feldtyp -1 gibt es nicht."},
                          Case{55, "55", "Zeile 56: Gebäude 55 gibt es nicht."},
                          Case{55, "-2", "Zeile 56: Gebäude -2 gibt es nicht."},
                          Case{60, "1.5", "Zeile 61: Keine Ganzzahl."},
                          Case{74, std::to_string(bldHousingCore),
                               "Zeile 75: Dieses Gebäude kann auf diesem Feldtyp nicht stehen."}}) {
        Lines bad = good;
        bad[c.line] = c.text;
        EXPECT_EQ(problem(bad), c.message) << "line " << c.line + 1 << ": " << c.text;
    }
    const std::string early = " Die Datei endet zu früh.";
    EXPECT_EQ(problem({}), "Zeile 1:" + early);
    EXPECT_EQ(problem(Lines(good.begin(), good.begin() + 10)), "Zeile 11:" + early) << "inside the summary";
    EXPECT_EQ(problem(Lines(good.begin(), good.end() - 1)), "Zeile " + std::to_string(good.size()) + ":" + early);
    // The initial field types after the population limit.
    for (const char* line : {"0", "30", "2", "0", "20", "0"}) good.push_back(line);
    EXPECT_EQ(problem(good), "Zeile " + std::to_string(good.size() - 1) + ": Feldtyp 20 gibt es nicht.");
    good[good.size() - 2] = "1";
    EXPECT_EQ(problem(good), "accepted");
    good.pop_back();
    EXPECT_EQ(problem(good), "Zeile " + std::to_string(good.size() + 1) + ":" + early);
    EXPECT_THROW(readPlanFile("/nonexistent/plan.kpls", info), PlanFileError);
}

namespace {

// Plan files on disk, in a folder of their own.
class PlanFileOnDisk : public PlanFileTest {
protected:
    void SetUp() override {
        PlanFileTest::SetUp();
        folder = std::filesystem::temp_directory_path() /
                 ("dz_plan_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(folder);
        ASSERT_TRUE(std::filesystem::create_directory(folder));
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    static void put(const std::filesystem::path& file, const std::string& bytes) {
        std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
    }
    // A whole plan of the current layout: with the limit and the initial field types.
    static Lines currentPlan() {
        Lines lines = file("064", true, 18);
        for (const char* line : {"1", "30", "2", "0", "1", "0"}) lines.push_back(line);
        return lines;
    }
    static std::string bytesOf(const Lines& lines) {
        std::string bytes;
        for (const auto& line : lines) bytes += line + "\r\n";
        return bytes;
    }
    // The message of the PlanFileError for `file`, or "accepted".
    std::string problem(const std::filesystem::path& file) const {
        try {
            readPlanFile(file, info);
        } catch (const PlanFileError& e) {
            return e.what();
        }
        return "accepted";
    }

    std::filesystem::path folder;
};

}  // namespace

TEST_F(PlanFileOnDisk, WhatIsNoRegularFileIsRefusedNamingIt) {
    const std::filesystem::path directory = folder / "ordner.kpls";
    std::filesystem::create_directory(directory);
    EXPECT_EQ(problem(directory), directory.string() + ": keine normale Datei.");
    // Reading these could wait or read for ever: in a child with a time limit.
    const std::filesystem::path zero = folder / "null.kpls";
    ASSERT_TRUE(makeDevice(zero, kZeroDevice)) << "making a device node needs root";
    EXPECT_EQ(readInChild([&] { return problem(zero); }), std::optional<std::string>(zero.string() + ": keine normale Datei."));
    const NamedPipe pipe(folder / "pipe.kpls");
    EXPECT_EQ(readInChild([&] { return problem(pipe.path()); }),
              std::optional<std::string>(pipe.path().string() + ": keine normale Datei."));
    EXPECT_EQ(problem(folder / "fehlt.kpls"), (folder / "fehlt.kpls").string() + ": Die Datei kann nicht geöffnet werden.")
        << "as before";
}

TEST_F(PlanFileOnDisk, AFileAboveOneMegabyteIsRefusedNamingIt) {
    const std::filesystem::path large = folder / "gross.kpls";
    // A good plan followed by empty lines up to the limit is still read:
    // nothing after the initial field types counts.
    std::string bytes = bytesOf(currentPlan());
    bytes.resize(kMaxTextFileBytes, '\n');
    put(large, bytes);
    EXPECT_EQ(problem(large), "accepted");
    put(large, bytes + "\n");
    EXPECT_EQ(problem(large), large.string() + ": Die Datei ist zu groß (mehr als 1 MB).");
}

// A name of 255 bytes, the most a folder allows, is saved and read back.
TEST_F(PlanFileOnDisk, APlanWithTheLongestLegalNameIsSaved) {
    ASSERT_EQ(pathconf(folder.c_str(), _PC_NAME_MAX), 255);
    load(currentPlan());
    const std::filesystem::path longest = folder / (std::string(250, 'k') + ".kpls");
    savePlan(longest, info, plan, 2500);
    EXPECT_EQ(readPlanFile(longest, info).surface[1][0].building, bldHousingCore);
    std::ifstream in(longest, std::ios::binary);
    const std::string saved((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(saved, bytesOf(planLines(info, plan, 2500)));
}

// A byte order mark before the version line, or blanks and tabs after it,
// change nothing: the same plan, the same panels.
TEST_F(PlanFileOnDisk, AByteOrderMarkOrBlanksAfterTheVersionLoadTheSamePlan) {
    const Lines lines = currentPlan();
    const auto loadFrom = [&](const std::string& name, const std::string& bytes) {
        put(folder / name, bytes);
        const LoadedPlan loaded = readPlanFile(folder / name, info);
        EXPECT_EQ(loaded.format, PlanFormat::Current) << name;
        EXPECT_EQ(loaded.reputationText, std::optional<std::string>("2500")) << name;
        ActPlan target;
        ProgramState targetState;
        RecordingView panels;
        Planner(info, target, targetState, panels).loadPlan(loaded);
        return std::tuple{planLines(info, target, targetState.internalReputation), panels.production,
                          panels.population.rows, panels.costs, panels.bsp, targetState.internalReputation};
    };
    const auto plain = loadFrom("ohne.kpls", bytesOf(lines));
    EXPECT_EQ(loadFrom("mit.kpls", "\xEF\xBB\xBF" + bytesOf(lines)), plain);
    for (const char* version : {"064 ", "064\t", "064 \t "}) {
        Lines blanks = lines;
        blanks[0] = version;
        EXPECT_EQ(loadFrom("blank.kpls", bytesOf(blanks)), plain) << '"' << version << '"';
    }
    EXPECT_EQ(std::get<5>(plain), 2500);
}

TEST_F(PlanFileTest, RangesAndPlacesFollowTheBuildingsInOperation) {
    small_catalog::shapePlanet(info.planets[0], 6, 5, 1,
                               [](int x, int y) { return x == 5 && y == 4 ? ftForest : ftMeadow; });
    planner.newPlan(0);
    plan.current.surface[2][2] = Field{bldAreaNear, true, true, ftMeadow, 0, 0};
    plan.current.surface[4][2] = Field{bldAreaWide, false, true, ftMeadow, 0, 0};  // switched off
    plan.current.surface[0][0] = Field{bldLabLarge, false, true, ftMeadow, 0, 0};
    plan.current.surface[1][0] = Field{bldHolodeckA, true, true, ftMeadow, 0, 0};
    plan.current.surface[5][4] = Field{bldEco, false, true, ftForest, 0, 0};
    const Lines lines = planLines(info, plan, 0);
    ActPlan other;
    Planner loader(info, other, state, view);
    loader.loadPlan(readPlanLines(lines, info));
    EXPECT_EQ(other.current.surface[3][3].coverNear, 1);
    EXPECT_EQ(other.current.surface[4][4].coverWide, 0) << "a switched-off range is not applied";
    EXPECT_EQ(other.ressources.scientistCapacity, 0);
    EXPECT_EQ(other.ressources.holodeckCapacity, 4);
    EXPECT_EQ(other.ressources.ecoCapacity, 10);
}

TEST(PlanFileRoundTrip, SaveLoadSaveGivesTheSameBytesOnEveryPlanet) {
    Info info;
    loadCatalog(info, DZ_DATA_DIR);
    ProgramState state;
    RecordingView view;
    std::mt19937 random(7);
    for (int p = 0; p < kPlanetCount; ++p) {
        ActPlan plan;
        Planner planner(info, plan, state, view);
        planner.newPlan(p);
        for (int step = 0; step < 300; ++step) {
            const bool orbit = plan.orbitHeight() > 0 && random() % 4 == 0;
            plan.selected = FieldSelection{int(random() % unsigned(plan.width())),
                                           int(random() % unsigned(orbit ? plan.orbitHeight() : plan.surfaceHeight())),
                                           !orbit};
            const std::vector<int> tags = menuTags(planner.buildFieldMenu());
            if (!tags.empty()) planner.chooseMenuEntry(tags[random() % tags.size()]);
            if (random() % 4 == 0) planner.hire(Personnel(random() % 4));
        }
        // A population limit on every other planet, taken in as the limit box would.
        plan.ressources.limitEnabled = p % 2 == 0;
        plan.ressources.populationLimit = 7 * p;
        planner.computePopulation();
        const Lines first = planLines(info, plan, 1000 * p - 3000);

        ActPlan loaded;
        Planner loader(info, loaded, state, view);
        loader.loadPlan(readPlanLines(first, info));
        EXPECT_EQ(planLines(info, loaded, state.internalReputation), first) << "planet " << p;
        EXPECT_EQ(loaded.current, plan.current) << "planet " << p << ": fields and ranges";
        EXPECT_EQ(loaded.ressources.scientistCapacity, plan.ressources.scientistCapacity);
        EXPECT_EQ(loaded.ressources.holodeckCapacity, plan.ressources.holodeckCapacity);
        EXPECT_EQ(loaded.ressources.ecoCapacity, plan.ressources.ecoCapacity);
    }
}

TEST(PlanFileSaving, WritesCrLfAndReplacesSafely) {
    const auto dir = std::filesystem::temp_directory_path() / "dz_save_test";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    const auto target = dir / "plan.kpls";
    writeLinesSafely(target, {"064", "3"});
    std::ifstream in(target, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(bytes, "064\r\n3\r\n");
    EXPECT_THROW(writeLinesSafely(dir / "no" / "plan.kpls", {"x"}), std::runtime_error);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), std::filesystem::directory_iterator()), 1)
        << "no temporary file is left";
    std::filesystem::remove_all(dir);
}
