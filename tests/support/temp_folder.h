// A fresh folder of its own for each test, removed afterwards, and what the
// tests of file writing ask of it.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <set>
#include <string>

class TempFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device seed;
        folder = std::filesystem::temp_directory_path() / ("dz_test_" + std::to_string(seed()) + std::to_string(seed()));
        ASSERT_TRUE(std::filesystem::create_directory(folder));
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }

    static void put(const std::filesystem::path& file, const std::string& bytes) {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out << bytes;
    }
    static std::string contents(const std::filesystem::path& file) {
        std::ifstream in(file, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }
    // The names in the folder.
    std::set<std::string> names() const {
        std::set<std::string> result;
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            result.insert(entry.path().filename().string());
        return result;
    }

    std::filesystem::path folder;
};
