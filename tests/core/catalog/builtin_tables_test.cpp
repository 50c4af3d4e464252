#include "core/catalog/builtin_tables.h"

#include <gtest/gtest.h>

using namespace dz;

namespace {

Info builtIn() {
    Info info;
    buildFieldTypes(info);
    buildTerraformings(info);
    return info;
}

std::vector<int> fieldTypesAllowing(const Info& info, int building) {
    std::vector<int> result;
    for (int f = 0; f < kFieldTypeCount; ++f)
        if (info.fields[f].buildable[building]) result.push_back(f);
    return result;
}

}  // namespace

TEST(FieldTypes, NamesAndFoldersAsThePictureSetUsesThem) {
    const Info info = builtIn();
    EXPECT_EQ(info.fields[0].name, "Weltraum");
    EXPECT_EQ(info.fields[4].name, "W\xFCste");
    EXPECT_EQ(info.fields[7].name, "W\xFCstengebirge");
    EXPECT_EQ(info.fields[8].name, "Dyson Sphere");
    EXPECT_EQ(info.fields[14].name, "Kernspalte");
    EXPECT_EQ(info.fields[1].imageDir, "m\\2");
    // From "Eisformation" on the folders are not in index order.
    EXPECT_EQ(info.fields[11].imageDir, "m\\13");
    EXPECT_EQ(info.fields[12].imageDir, "m\\14");
    EXPECT_EQ(info.fields[13].imageDir, "m\\19");
    EXPECT_EQ(info.fields[14].imageDir, "m\\12");
}

TEST(FieldTypes, BuildingsWithASingleHome) {
    const Info info = builtIn();
    EXPECT_EQ(fieldTypesAllowing(info, bldEco), std::vector<int>{2});
    EXPECT_EQ(fieldTypesAllowing(info, 14), std::vector<int>{ftCrater});
    EXPECT_EQ(fieldTypesAllowing(info, 15), (std::vector<int>{ftVolcano, ftCoreRift}));
    EXPECT_EQ(fieldTypesAllowing(info, bldHousingAnnex), std::vector<int>{6});
    EXPECT_EQ(fieldTypesAllowing(info, bldPlanetYieldB), std::vector<int>{4});
    EXPECT_EQ(fieldTypesAllowing(info, bldPlanetCapB), std::vector<int>{5});
    EXPECT_EQ(fieldTypesAllowing(info, bldCredits550), std::vector<int>{1});
}

TEST(FieldTypes, OrbitalBuildingsStandOnlyInSpace) {
    const Info info = builtIn();
    for (int b : {36, 37, 38, 39, 40, 41, 42, 43, 44, 45, 54}) EXPECT_EQ(fieldTypesAllowing(info, b), std::vector<int>{0}) << b;
    EXPECT_EQ(info.fields[ftSpace].buildable.count(), 11u);
}

TEST(FieldTypes, BarrenFieldsAndFixedFields) {
    const Info info = builtIn();
    EXPECT_TRUE(info.fields[11].buildable.none()) << "Eisformation";
    EXPECT_TRUE(info.fields[12].buildable.none()) << "Lava";
    EXPECT_TRUE(info.fields[13].terraformable.none()) << "Vulkan";
    EXPECT_TRUE(info.fields[14].terraformable.none()) << "Kernspalte";
}

TEST(FieldTypes, EveryBuildingOnEveryAllowedFieldMakes140Pictures) {
    const Info info = builtIn();
    std::size_t pictures = 0;
    for (const InfoField& f : info.fields) pictures += f.buildable.count();
    EXPECT_EQ(pictures, 140u);
    for (int b = 0; b < kBuildingCount; ++b) EXPECT_FALSE(fieldTypesAllowing(info, b).empty()) << b;
}

TEST(Terraformings, EachIsOfferedOnExactlyOneFieldTypeAndLeadsWhereItSays) {
    const Info info = builtIn();
    // terraforming -> {from, to}
    const int route[kTerraformingCount][2] = {{0, 8},  {8, 0},  {6, 1},  {3, 1},  {4, 1},  {2, 1},
                                              {1, 2},  {11, 3}, {5, 3},  {3, 5},  {3, 14}, {7, 4},
                                              {4, 7},  {9, 10}, {10, 9}, {12, 9}, {9, 13}};
    for (int t = 0; t < kTerraformingCount; ++t) {
        int sources = 0;
        for (int f = 0; f < kFieldTypeCount; ++f)
            if (info.fields[f].terraformable[t]) {
                ++sources;
                EXPECT_EQ(f, route[t][0]) << "terraforming " << t;
            }
        EXPECT_EQ(sources, 1) << "terraforming " << t;
        EXPECT_EQ(info.terraformings[t].targetField, route[t][1]) << "terraforming " << t;
    }
    EXPECT_EQ(info.terraformings[tfCoreRift].targetField, ftCoreRift);
    EXPECT_EQ(info.terraformings[tfCrater].targetField, ftCrater);
    EXPECT_EQ(info.terraformings[tfVolcano].targetField, ftVolcano);
}

TEST(Terraformings, CostsAndNames) {
    const Info info = builtIn();
    EXPECT_EQ(info.terraformings[15].cost, (ResourceArray{50, 0, 0, 0, 0, 2000}));
    EXPECT_EQ(info.terraformings[5].cost, (ResourceArray{5}));
    EXPECT_EQ(info.terraformings[0].cost, (ResourceArray{50, 0, 50, 0, 100, 100}));
    EXPECT_EQ(info.terraformings[9].cost, (ResourceArray{100, 0, 0, 0, 0, 0, 50, 20}));
    EXPECT_EQ(info.terraformings[2].cost, (ResourceArray{50, 100, 0, 200}));
    EXPECT_EQ(info.terraformings[0].name, "Dyson-Sph\xE4re erschaffen (Dyson-Sph\xE4ren-Konstr.)");
    EXPECT_EQ(info.terraformings[11].name, "W\xFCste erschaffen (Globale Spregungen)");
    // Shared names stay separate entries.
    EXPECT_EQ(info.terraformings[3].name, info.terraformings[5].name);
    EXPECT_NE(info.terraformings[3].cost, info.terraformings[5].cost);
}

TEST(FieldTypes, BuildingAgainReplacesTheBits) {
    Info info;
    info.fields[11].buildable.set(3);
    info.fields[0].terraformable.set(16);
    buildFieldTypes(info);
    EXPECT_TRUE(info.fields[11].buildable.none());
    EXPECT_FALSE(info.fields[0].terraformable[16]);
}
