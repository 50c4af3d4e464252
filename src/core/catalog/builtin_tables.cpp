#include "core/catalog/builtin_tables.h"

#include <initializer_list>
#include <utility>

#include "core/text/cp1252.h"

namespace dz {

namespace {

struct FieldRow {
    const char* name;  // UTF-8 here, stored as Windows-1252
    const char* imageDir;
    std::initializer_list<int> buildable;
    std::initializer_list<int> terraformable;
};

// The image folder numbers are not in index order from "Eisformation" on;
// they name folders of the picture set and are used as they stand.
const FieldRow kFields[kFieldTypeCount] = {
    {"Weltraum", "m\\1", {36, 37, 38, 39, 40, 41, 42, 43, 44, 45, 54}, {0}},
    {"Wiese", "m\\2", {0, 1, 3, 4, 6, 10, 11, 16, 17, 18, 19, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 52, 53}, {6}},
    {"Wald", "m\\3", {9}, {5}},
    {"Eis", "m\\4", {2, 5, 7, 10, 16, 17, 19, 20, 21, 22, 23, 24, 27, 28, 29, 30, 31, 32, 33, 34, 35, 52}, {3, 9, 10}},
    {"Wüste", "m\\5", {2, 5, 7, 10, 12, 16, 17, 19, 21, 22, 23, 24, 27, 28, 29, 30, 31, 32, 33, 34, 35, 52}, {4, 12}},
    {"Gebirge", "m\\6", {46, 47, 49, 50, 51}, {8}},
    {"Wasser", "m\\7", {5, 7, 8, 13, 20}, {2}},
    {"Wüstengebirge", "m\\8", {46, 47, 48, 50, 51}, {11}},
    {"Dyson Sphere", "m\\9", {7, 10, 16, 17, 19, 21, 22, 23, 24, 27, 28, 29, 34}, {1}},
    {"Gestein", "m\\10", {2, 5, 7, 10, 16, 17, 19, 21, 22, 23, 24, 27, 28, 29, 30, 31, 32, 33, 34, 35, 46, 47, 48, 50, 51, 52}, {13, 16}},
    {"Krater", "m\\11", {14}, {14}},
    {"Eisformation", "m\\13", {}, {7}},
    {"Lava", "m\\14", {}, {15}},
    {"Vulkan", "m\\19", {15}, {}},
    {"Kernspalte", "m\\12", {15}, {}},
};

struct TerraformingRow {
    const char* name;  // UTF-8 here, stored as Windows-1252
    int targetField;
    std::initializer_list<std::pair<int, int>> cost;  // (resource, amount)
};

// Several terraformings share a name but not their source field type (and
// sometimes not their cost); they are distinct entries.
const TerraformingRow kTerraformings[kTerraformingCount] = {
    {"Dyson-Sphäre erschaffen (Dyson-Sphären-Konstr.)", 8, {{0, 50}, {2, 50}, {4, 100}, {5, 100}}},
    {"Weltall erschaffen", 0, {{0, 10}}},
    {"Wiese erschaffen", 1, {{0, 50}, {1, 100}, {3, 200}}},
    {"Wiese erschaffen (Terraforming)", 1, {{0, 50}, {1, 200}}},
    {"Wiese erschaffen (Terraforming)", 1, {{0, 50}, {1, 200}}},
    {"Wiese erschaffen (Terraforming)", 1, {{0, 5}}},
    {"Wald erschaffen", 2, {{0, 10}, {1, 30}}},
    {"Eis erschaffen (Globale Spregungen)", 3, {{7, 10}}},
    {"Eis erschaffen (Globale Spregungen)", 3, {{7, 10}}},
    {"Gebirge erschaffen (Tektonik)", 5, {{0, 100}, {6, 50}, {7, 20}}},
    {"Kernspalte erschaffen (Level 7)", 14, {{0, 50}}},
    {"Wüste erschaffen (Globale Spregungen)", 4, {{7, 10}}},
    {"Wüstengebirge erschaffen (Tektonik)", 7, {{0, 100}, {6, 50}, {7, 20}}},
    {"Krater erschaffen (Globale Spregungen)", 10, {{7, 10}}},
    {"Gestein erschaffen (Kaskaden-Schmelze)", 9, {{0, 200}}},
    {"Gestein erschaffen (Terraforming)", 9, {{0, 50}, {5, 2000}}},
    {"Vulkan erschaffen (Tektonik)", 13, {{0, 100}, {6, 50}, {7, 20}}},
};

}  // namespace

void buildFieldTypes(Info& info) {
    for (int f = 0; f < kFieldTypeCount; ++f) {
        const FieldRow& row = kFields[f];
        InfoField& field = info.fields[f];
        field.name = utf8ToCp1252(row.name);
        field.imageDir = row.imageDir;
        field.buildable.reset();
        field.terraformable.reset();
        for (int b : row.buildable) field.buildable.set(b);
        for (int t : row.terraformable) field.terraformable.set(t);
    }
}

void buildTerraformings(Info& info) {
    for (int t = 0; t < kTerraformingCount; ++t) {
        const TerraformingRow& row = kTerraformings[t];
        InfoTerraforming& tf = info.terraformings[t];
        tf.name = utf8ToCp1252(row.name);
        tf.targetField = row.targetField;
        tf.cost.fill(0);
        for (auto [resource, amount] : row.cost) tf.cost[resource] = amount;
    }
}

}  // namespace dz
