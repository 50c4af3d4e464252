// Replays the inputs of the fuzz targets: the seeds and every input that once
// found a fault. Runs on every build, also without clang, so a fixed fault
// stays fixed.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "fuzz/fuzz_inputs.h"

namespace {

namespace fs = std::filesystem;

std::string bytesOf(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class FuzzReplay : public testing::TestWithParam<const char*> {
protected:
    static void SetUpTestSuite() {
        dz::fuzz::setDataDir(DZ_DATA_DIR);
        dz::fuzz::throwOnFault();
    }
};

TEST_P(FuzzReplay, SeedAndRegressionInputsAreHandled) {
    const dz::fuzz::Entry entry = dz::fuzz::entryFor(GetParam());
    ASSERT_NE(entry, nullptr);
    int replayed = 0;
    for (const char* kind : {"corpus", "regressions"}) {
        const fs::path dir = fs::path(DZ_FUZZ_DIR) / kind / GetParam();
        if (!fs::is_directory(dir)) continue;
        for (const fs::directory_entry& input : fs::directory_iterator(dir)) {
            if (!input.is_regular_file()) continue;
            const std::string bytes = bytesOf(input.path());
            try {
                entry(bytes);
            } catch (const std::exception& e) {
                ADD_FAILURE() << input.path() << ": " << e.what();
            }
            ++replayed;
        }
    }
    // Every target has seeds; none found means the folders moved.
    EXPECT_GT(replayed, 0);
}

INSTANTIATE_TEST_SUITE_P(Readers, FuzzReplay,
                         testing::Values("plan_file", "plan_code", "building_file", "resource_file", "planet_file", "settings_file"),
                         [](const testing::TestParamInfo<const char*>& info) { return std::string(info.param); });

TEST(FuzzEntries, UnknownTargetHasNoEntry) { EXPECT_EQ(dz::fuzz::entryFor("plans"), nullptr); }

}  // namespace
