// The field menu: its shape, its entries and their tags, and the sorting.
#include "core/plan/field_menu.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/small_catalog.h"

using namespace dz;

namespace {

std::vector<std::string> captions(const std::vector<MenuEntry>& entries) {
    std::vector<std::string> result;
    for (const auto& e : entries) result.push_back(e.caption);
    return result;
}

// Every plan of these tests starts on the standard planet of the small catalog.
class FieldMenuTest : public small_catalog::SmallCatalogTest {
protected:
    void SetUp() override { planner.newPlan(ptStandard); }
};

}  // namespace

// --- the menu --------------------------------------------------------------

TEST_F(FieldMenuTest, MenuShapes) {
    select(0, 0);
    EXPECT_EQ(captions(planner.buildFieldMenu()), (std::vector<std::string>{"Bauen", "Terraforming"}));
    select(0, 4);  // mountains on the standard planet: ice by blasting
    EXPECT_EQ(captions(planner.buildFieldMenu()), (std::vector<std::string>{"Bauen", "Terraforming"}));
    select(0, 0, false);  // space: nothing to terraform without an Orbitalseil
    EXPECT_EQ(captions(planner.buildFieldMenu()), (std::vector<std::string>{"Bauen"}));
    EXPECT_TRUE(planner.buildFieldMenu()[0].entries.empty()) << "\"Bauen\" stays, empty";

    build(0, 0, bldBaseA);
    select(0, 0);
    EXPECT_EQ(captions(planner.buildFieldMenu()),
              (std::vector<std::string>{"Abrei\xDF" "en", "Betrieb einstellen", "Bauen"}));
    planner.toggleSelected();
    EXPECT_EQ(captions(planner.buildFieldMenu()), (std::vector<std::string>{"Abrei\xDF" "en", "In Betrieb nehmen", "Bauen"}));
    build(0, 3, bldEco);
    select(0, 3);
    const FieldMenu passive = planner.buildFieldMenu();
    EXPECT_EQ(captions(passive), (std::vector<std::string>{"Abrei\xDF" "en", "Bauen"}));
    EXPECT_EQ(passive[0].tag, tagDemolish);
}

TEST_F(FieldMenuTest, MenuEntriesCarryTheirTagsInIndexOrder) {
    build(0, 0, bldBaseA);
    select(1, 1);  // ice
    const FieldMenu menu = planner.buildFieldMenu();
    ASSERT_EQ(menu.size(), 2u);
    std::vector<int> tags;
    for (const auto& e : menu[0].entries) tags.push_back(e.tag);
    EXPECT_TRUE(std::is_sorted(tags.begin(), tags.end()));
    EXPECT_EQ(menu[0].entries.front().caption, "B5");
    EXPECT_EQ(menu[0].entries.front().tag, tagBuildBase + 5);
    std::vector<int> terraformTags;
    for (const auto& e : menu[1].entries) terraformTags.push_back(e.tag);
    EXPECT_EQ(terraformTags, (std::vector<int>{203, 209, 210}));
}

TEST_F(FieldMenuTest, InitialStateEntryAfterTerraformingAndItsLimits) {
    select(0, 2);
    planner.terraformSelected(tfCrater);  // rock to crater
    select(0, 2);
    auto menu = planner.buildFieldMenu();
    ASSERT_EQ(menu.size(), 2u);
    EXPECT_EQ(menu[1].entries.front(), (MenuEntry{"Anfangszustand (Gestein)", tagInitial, false, {}}));
    build(0, 2, 14);  // a crater mine
    EXPECT_EQ(captions(planner.buildFieldMenu()).size(), 3u) << "no terraforming with a building";

    // A field that started as a crater is not reset while the craters are full.
    info.planets[ptStandard].surface[2][2] = ftCrater;
    planner.newPlan(ptStandard);
    select(2, 2);
    planner.terraformSelected(14);  // crater to rock
    select(3, 2);
    planner.terraformSelected(tfCrater);
    select(2, 2);
    menu = planner.buildFieldMenu();
    ASSERT_EQ(menu.size(), 2u);
    EXPECT_EQ(captions(menu[1].entries), (std::vector<std::string>{info.terraformings[tfVolcano].name}))
        << "neither the reset nor a new crater";
    // In the orbit a reset has no limit.
    select(1, 1, false);
    planner.terraformSelected(tfDysonSphere);
    menu = planner.buildFieldMenu();
    ASSERT_EQ(menu.size(), 2u);
    EXPECT_EQ(menu[1].entries.front().caption, "Anfangszustand (Weltraum)");
}

TEST(SortByCaption, UnsignedBytesPrefixesFirstAndStable) {
    std::vector<MenuEntry> entries;
    for (const char* caption : {"bauhof", "Ölpumpe", "Zentrale", "Bau", "Bauhof", "ärger", "zelt", "Bauhof"})
        entries.push_back({caption, int(entries.size()), false, {}});
    sortByCaption(entries);
    EXPECT_EQ(captions(entries), (std::vector<std::string>{"Bau", "Bauhof", "Bauhof", "Zentrale", "bauhof", "zelt",
                                                           "Ölpumpe", "ärger"}));
    EXPECT_EQ(entries[1].tag, 4) << "equal captions keep their order";
    EXPECT_EQ(entries[2].tag, 7);
}

TEST(MenuTags, ActionEntriesOfAllLevelsInMenuOrderWithoutSubmenuHeads) {
    const FieldMenu menu{{"Abreißen", tagDemolish, false, {}},
                         {"Bauen", 0, true, {{"Wohnanlage", tagBuildBase + 3, false, {}},
                                             {"Mehr", 0, true, {{"Werft", tagBuildBase + 40, false, {}}}}}},
                         {"Anfangszustand", tagInitial, false, {}}};
    EXPECT_EQ(menuTags(menu), (std::vector<int>{tagDemolish, tagBuildBase + 3, tagBuildBase + 40, tagInitial}));
    EXPECT_TRUE(menuTags({}).empty());
}

TEST_F(FieldMenuTest, AlphabeticalSortSortsTheBuildingsAndKeepsTheirTags) {
    build(0, 0, bldBaseA);
    info.buildings[bldHousingCore].name = "Wohnanlage";
    info.buildings[3].name = "Agrarfarm";
    info.buildings[bldHolodeckA].name = "holodeck";
    state.alphabeticalSort = true;
    select(1, 0);
    const FieldMenu menu = planner.buildFieldMenu();
    const auto& entries = menu[0].entries;
    EXPECT_TRUE(std::is_sorted(entries.begin(), entries.end(), [](const MenuEntry& a, const MenuEntry& b) {
        return std::lexicographical_compare(a.caption.begin(), a.caption.end(), b.caption.begin(), b.caption.end(),
                                            [](char x, char y) { return (unsigned char)x < (unsigned char)y; });
    }));
    EXPECT_EQ(entries.front(), (MenuEntry{"Agrarfarm", tagBuildBase + 3, false, {}}));
    EXPECT_EQ(entries.back(), (MenuEntry{"holodeck", tagBuildBase + bldHolodeckA, false, {}}));
    const auto wohn = std::find_if(entries.begin(), entries.end(), [](const MenuEntry& e) { return e.caption == "Wohnanlage"; });
    ASSERT_NE(wohn, entries.end());
    EXPECT_EQ(wohn->tag, tagBuildBase + bldHousingCore);
    planner.chooseMenuEntry(wohn->tag);
    EXPECT_EQ(at(1, 0).building, bldHousingCore);
}
