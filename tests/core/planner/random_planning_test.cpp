// Plays many random field-menu choices on every planet type of our data and
// checks after each step that the plan's bookkeeping agrees with its fields.
#include <gtest/gtest.h>

#include <random>

#include "core/catalog/catalog_files.h"
#include "core/planner/planner.h"
#include "support/recording_view.h"
#include "support/plan_checks.h"

using plan_checks::checkBookkeeping;

using namespace dz;

TEST(RandomPlanning, BookkeepingAgreesWithTheFieldsAfterEveryChoice) {
    Info info;
    loadCatalog(info, DZ_DATA_DIR);
    ActPlan plan;
    ProgramState state;
    RecordingView view;
    Planner planner(info, plan, state, view);
    std::mt19937 random(20261209);
    for (int p = 0; p < kPlanetCount; ++p) {
        planner.newPlan(p);
        for (int step = 0; step < 600; ++step) {
            view.calls.clear();
            const bool orbit = plan.orbitHeight() > 0 && random() % 4 == 0;
            const int x = int(random() % unsigned(plan.width()));
            const int y = int(random() % unsigned(orbit ? plan.orbitHeight() : plan.surfaceHeight()));
            plan.selected = FieldSelection{x, y, !orbit};
            const std::vector<int> tags = menuTags(planner.buildFieldMenu());
            if (tags.empty()) continue;
            // Favour building, so that colonies grow; everything is chosen now and then.
            int tag = tags[random() % tags.size()];
            if (random() % 3 == 0) {
                std::vector<int> builds;
                for (int t : tags)
                    if (t >= tagBuildBase && t < tagTerraformBase) builds.push_back(t);
                if (!builds.empty()) tag = builds[random() % builds.size()];
            }
            planner.chooseMenuEntry(tag);
            ASSERT_NO_FATAL_FAILURE(checkBookkeeping(info, plan)) << "planet " << p << ", step " << step << ", tag " << tag;
            // Personnel is hired and fired in between.
            if (random() % 5 == 0) {
                const auto kind = Personnel(random() % 4);
                random() % 2 ? planner.hire(kind) : planner.fire(kind);
            }
        }
        EXPECT_GT(plan.countBuildings(bldBaseA) + plan.countBuildings(bldBaseB) + plan.countBuildings(bldBaseC), 0)
            << "the colony got going on planet " << p;
    }
}
