// Two plans side by side: the differences of values of every form the
// panels show, and the fields that differ.
#include "core/planner/plan_comparison.h"

#include <gtest/gtest.h>

#include "core/catalog/catalog_files.h"

using namespace dz;

TEST(ValueDifference, FollowsTheFormOfTheValues) {
    const struct {
        const char *a, *b, *difference;
        int sign;
    } cases[] = {
        {"28", "-26", "+54", 1},       {"4.4", "4.6", "-0.2", -1},         {"4,4", "4,4", "0,0", 0},
        {"0", "0", "0", 0},            {"+263+2(+10)", "+64+0(+10)", "+199+2(+0)", 1},
        {"+6.0", "+24.6", "-18.6", -1}, {"-5+0(+0)", "+5+0(+0)", "-10+0(+0)", -1},
        {"12", "abc", "\x96", 0},      {"+1+2(+3)", "+1(+3)", "\x96", 0},
    };
    for (const auto& c : cases) {
        int sign = 7;
        EXPECT_EQ(valueDifference(c.a, c.b, sign), c.difference) << c.a << " vs " << c.b;
        EXPECT_EQ(sign, c.sign) << c.a << " vs " << c.b;
    }
}

TEST(ComparePlans, TheFieldsThatDifferAreNamed) {
    Info info;
    loadCatalog(info, DZ_DATA_DIR);
    const LoadedPlan plan = readPlanFile(DZ_EXAMPLES_DIR "/standardplanet.kpls", info);
    LoadedPlan changed = plan;
    ASSERT_GE(changed.surface.at(0).at(3).building, 0);
    changed.surface[0][3].building = -1;
    changed.orbit.at(1).at(0).inOperation = !changed.orbit[1][0].inOperation;
    const PlanComparison same = comparePlans(planFigures(info, plan), planFigures(info, plan));
    EXPECT_EQ(same.differingFieldCount, 0);
    for (const ComparedSection& section : same.sections)
        for (const ComparedRow& row : section.rows)
            EXPECT_EQ(row.difference.find_first_of("123456789\x96"), std::string::npos) << row.label << ": " << row.difference;
    const PlanComparison different = comparePlans(planFigures(info, changed), planFigures(info, plan));
    EXPECT_EQ(different.differingFields, (std::vector<FieldPosition>{{0, 3, true}, {1, 0, false}}));
    EXPECT_EQ(different.differingFieldCount, 2);
}
