// Plan codes: a plan file's bytes as one line of text and back, and every
// kind of broken or foreign code refused with a reason.
#include "core/files/plan_code.h"

#include <gtest/gtest.h>

#include <random>

#include "core/catalog/catalog_files.h"
#include "core/files/plan_file.h"
#include "core/planner/planner.h"
#include "core/text/text_file.h"
#include "support/recording_view.h"

using namespace dz;

namespace {

// The reason a code is refused with, or "" when it is read.
std::string refusal(std::string_view code) {
    try {
        planFileFromCode(code);
        return "";
    } catch (const PlanFileError& e) {
        return e.what();
    }
}

class PlanCodeTest : public ::testing::Test {
protected:
    void SetUp() override { loadCatalog(info, DZ_DATA_DIR); }

    // A plan of `planet` after `steps` random field-menu choices (building,
    // terraforming, demolishing, switching); with `full`, every field then
    // gets a building where one can stand, a third of them switched off.
    std::string randomPlan(int planet, int steps, bool full, std::mt19937& random) {
        ActPlan plan;
        Planner planner(info, plan, state, view);
        planner.newPlan(planet);
        const auto choose = [&](FieldSelection at, bool buildOnly) {
            plan.selected = at;
            std::vector<int> tags = menuTags(planner.buildFieldMenu());
            if (buildOnly)
                std::erase_if(tags, [](int tag) { return tag < tagBuildBase || tag >= tagTerraformBase; });
            if (!tags.empty()) planner.chooseMenuEntry(tags[random() % tags.size()]);
        };
        for (int step = 0; step < steps; ++step) {
            const bool orbit = plan.orbitHeight() > 0 && random() % 4 == 0;
            choose(FieldSelection{int(random() % unsigned(plan.width())),
                                  int(random() % unsigned(orbit ? plan.orbitHeight() : plan.surfaceHeight())), !orbit},
                   false);
            if (random() % 8 == 0) planner.hire(Personnel(random() % 4));
        }
        for (int x = 0; full && x < plan.width(); ++x)
            for (bool surface : {true, false})
                for (int y = 0; y < (surface ? plan.surfaceHeight() : plan.orbitHeight()); ++y) {
                    if (!(surface ? plan.current.surface : plan.current.orbit)[x][y].built) choose({x, y, surface}, true);
                    plan.selected = {x, y, surface};
                    const std::vector<int> tags = menuTags(planner.buildFieldMenu());
                    if (random() % 3 == 0 && std::find(tags.begin(), tags.end(), tagToggle) != tags.end())
                        planner.chooseMenuEntry(tagToggle);
                }
        return planFileText(planLines(info, plan, 2500));
    }

    Info info;
    ProgramState state;
    RecordingView view;
};

}  // namespace

TEST_F(PlanCodeTest, EveryPlanComesBackByteForByteInAShortLine) {
    std::mt19937 random(11);
    std::vector<std::string> plans;
    for (const char* example : {"standardplanet", "wuestenplanet", "grosses_asteroidenfeld"})
        plans.push_back(readFileBytes(std::string(DZ_EXAMPLES_DIR "/") + example + ".kpls", kMaxTextFileBytes));
    for (int p = 0; p < kPlanetCount; ++p) plans.push_back(randomPlan(p, 200, p % 2 == 0, random));
    for (const std::string& bytes : plans) {
        const std::string code = planCode(bytes);
        ASSERT_EQ(code.rfind("DZ1:", 0), 0u);
        EXPECT_EQ(code.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_", 4),
                  std::string::npos);
        EXPECT_EQ(planFileFromCode(code), bytes);
        EXPECT_EQ(planFileFromCode("  " + code + "\r\n"), bytes) << "blanks and a line end around it";
    }
    // The largest planet, every field built (random buildings, a third of
    // them switched off): the code fits a chat message.
    std::size_t longest = 0;
    for (int round = 0; round < 5; ++round)
        longest = std::max(longest, planCode(randomPlan(ptTemperate, 0, true, random)).size());
    EXPECT_LT(longest, 1000u);
    RecordProperty("longest_full_plan_code", int(longest));
}

TEST_F(PlanCodeTest, BrokenAndForeignCodesAreRefusedWithTheirReason) {
    const std::string plan = readFileBytes(DZ_EXAMPLES_DIR "/standardplanet.kpls", kMaxTextFileBytes);
    const std::string code = planCode(plan);
    const std::string payload = code.substr(4);
    const auto refusedFor = [](const std::string& text, const std::string& reason) {
        const std::string why = refusal(text);
        EXPECT_NE(why.find(reason), std::string::npos) << "code " << text.substr(0, 40) << "… gave \"" << why << "\"";
    };
    refusedFor("", "kein Plan-Code");
    refusedFor("064\r\n5\r\n", "kein Plan-Code");
    refusedFor("XY1:" + payload, "kein Plan-Code");
    refusedFor("DZ2:" + payload, "Version „2“");
    refusedFor("DZ1:" + payload.substr(0, 4 * (payload.size() / 8)), "beschädigt oder unvollständig");
    refusedFor("DZ1:" + payload.substr(0, 4 * (payload.size() / 4 - 1) + 1), "unvollständig");
    refusedFor("DZ1:" + payload + "AAAA", "weitere Zeichen");
    refusedFor("DZ1:" + payload.substr(0, 10) + "ä" + payload.substr(10), "Unerlaubtes Zeichen an Stelle 15");
    refusedFor("DZ1:" + payload.substr(0, 10) + "+" + payload.substr(11), "Unerlaubtes Zeichen an Stelle 15");
    // A changed character is refused, or (where it only touches bits the
    // packing does not use) gives the very same plan: never another one.
    const std::string alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";
    int refused = 0;
    for (std::size_t i = 4; i < code.size(); ++i) {
        std::string changed = code;
        changed[i] = alphabet[(alphabet.find(changed[i]) + 1 + i % 7) % 64];
        try {
            EXPECT_EQ(planFileFromCode(changed), plan) << "character " << i;
        } catch (const PlanFileError&) {
            ++refused;
        }
    }
    EXPECT_GT(refused, int(code.size()) - 10);

    // A "zip bomb": a few hundred bytes that unpack far past the size of any plan.
    const std::string huge(8 * 1024 * 1024, '0');
    const std::string bomb = planCode(huge);
    EXPECT_LT(bomb.size(), 20000u);
    refusedFor(bomb, "größer als 1 MB");
    const std::string atTheLimit = std::string(kMaxTextFileBytes - 2, '0') + "\r\n";
    EXPECT_EQ(planFileFromCode(planCode(atTheLimit)), atTheLimit);
}
