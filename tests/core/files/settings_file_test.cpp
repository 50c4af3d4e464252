#include "core/files/settings_file.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <system_error>
#include <string>

#include "support/file_size_limit.h"
#include "support/device_node.h"
#include "support/endless_reads.h"
#include "support/temp_folder.h"

namespace fs = std::filesystem;
using dz::readSettingsFile;
using dz::writeSettingsFile;

namespace {

// The settings file in a folder of its own.
class SettingsFolder : public TempFolderTest {
protected:
    void SetUp() override {
        TempFolderTest::SetUp();
        file = folder / "saves.kpl";
    }

    void put(const std::string& bytes) const { TempFolderTest::put(file, bytes); }
    std::string contents() const { return TempFolderTest::contents(file); }
    std::size_t entries() const { return names().size(); }

    fs::path file;
};

}  // namespace

TEST(SettingsFileName, IsTheBareNameInTheWorkingDirectory) {
    EXPECT_EQ(fs::path(dz::settingsFileName), fs::path("saves.kpl"));
    EXPECT_FALSE(fs::path(dz::settingsFileName).has_parent_path());
}

using SettingsFileRead = SettingsFolder;

TEST_F(SettingsFileRead, MissingOrEmptyFileGivesNothing) {
    EXPECT_FALSE(readSettingsFile(file).has_value());
    put("");
    EXPECT_FALSE(readSettingsFile(file).has_value());
    put("\r\n");
    EXPECT_FALSE(readSettingsFile(file).has_value());
}

TEST_F(SettingsFileRead, OnlyLineOneCounts) {
    put("3500\r\n12\r\nirgendwas\r\n");
    auto stored = readSettingsFile(file);
    ASSERT_TRUE(stored.has_value());
    EXPECT_EQ(stored->text, "3500");
    EXPECT_EQ(stored->value, 3500);

    // Line 2 being an integer does not help a line 1 that is none.
    put("abc\r\n12\r\n");
    EXPECT_FALSE(readSettingsFile(file).has_value());
}

TEST_F(SettingsFileRead, LineOneThatIsNoIntegerGivesNothing) {
    for (const char* bad : {"abc", "12a", "1.5", "0x10", "-", "99999999999999999999", "3 500"}) {
        put(std::string(bad) + "\r\n");
        EXPECT_FALSE(readSettingsFile(file).has_value()) << bad;
    }
}

TEST_F(SettingsFileRead, KeepsTheTextAsTyped) {
    put("0035\r\n");
    auto stored = readSettingsFile(file);
    ASSERT_TRUE(stored.has_value());
    EXPECT_EQ(stored->text, "0035");
    EXPECT_EQ(stored->value, 35);

    put(" -12 \r\n");
    stored = readSettingsFile(file);
    ASSERT_TRUE(stored.has_value());
    EXPECT_EQ(stored->text, " -12 ");
    EXPECT_EQ(stored->value, -12);
}

TEST_F(SettingsFileRead, AcceptsEveryLineEnd) {
    for (const char* bytes : {"77\r\n5\r\n", "77\n5\n", "77\r5\r", "77"}) {
        put(bytes);
        auto stored = readSettingsFile(file);
        ASSERT_TRUE(stored.has_value()) << bytes;
        EXPECT_EQ(stored->text, "77");
        EXPECT_EQ(stored->value, 77);
    }
}

TEST_F(SettingsFileRead, AFolderInsteadOfTheFileGivesNothing) {
    fs::create_directory(file);
    EXPECT_FALSE(readSettingsFile(file).has_value());
}

TEST_F(SettingsFileRead, WhatIsNoRegularFileCountsAsMissing) {
    // What was read, in a child with a time limit: these could wait or read for ever.
    const auto readFrom = [](const fs::path& path) {
        const auto stored = readSettingsFile(path);
        return stored ? "gelesen: " + stored->text : std::string("nichts");
    };
    const NamedPipe pipe(file);
    EXPECT_EQ(readInChild([&] { return readFrom(file); }), std::optional<std::string>("nichts"));
    for (const DeviceKind kind : {kZeroDevice, kRandomDevice}) {
        const fs::path device = file.parent_path() / kind.name;
        ASSERT_TRUE(makeDevice(device, kind)) << "making a device node needs root";
        EXPECT_EQ(readInChild([&] { return readFrom(device); }), std::optional<std::string>("nichts")) << kind.name;
    }
}

TEST_F(SettingsFileRead, AFileAboveFourKilobytesCountsAsMissing) {
    ASSERT_EQ(dz::kMaxSettingsFileBytes, 4096u);
    // Line 1 is fine; what follows only makes the file too large.
    const std::string start = "3500\r\n";
    put(start + std::string(dz::kMaxSettingsFileBytes - start.size(), 'x'));
    ASSERT_TRUE(readSettingsFile(file).has_value()) << "at the limit";
    EXPECT_EQ(readSettingsFile(file)->value, 3500);
    put(start + std::string(dz::kMaxSettingsFileBytes - start.size() + 1, 'x'));
    EXPECT_FALSE(readSettingsFile(file).has_value());
    // Not read at all (which would take long: in a child with a time limit).
    fs::resize_file(file, std::uintmax_t(4) << 30);
    EXPECT_EQ(readInChild([&] { return std::string(readSettingsFile(file) ? "gelesen" : "nichts"); }),
              std::optional<std::string>("nichts"));
}

TEST_F(SettingsFileRead, AByteOrderMarkIsNotPartOfTheReputation) {
    put("\xEF\xBB\xBF" "0035\r\n");
    const auto stored = readSettingsFile(file);
    ASSERT_TRUE(stored.has_value());
    EXPECT_EQ(stored->text, "0035");
    EXPECT_EQ(stored->value, 35);
    put("\xEF\xBB\xBF\r\n3500\r\n");
    EXPECT_FALSE(readSettingsFile(file).has_value()) << "line 1 is empty";
}

using SettingsFileWrite = SettingsFolder;

TEST_F(SettingsFileWrite, WritesOneLineEndedByCrLf) {
    ASSERT_TRUE(writeSettingsFile("3500", file));
    EXPECT_EQ(contents(), "3500\r\n");
    EXPECT_EQ(entries(), 1u) << "no temporary file is left behind";
}

TEST_F(SettingsFileWrite, KeepsLeadingZerosAndBytes) {
    ASSERT_TRUE(writeSettingsFile("0035", file));
    EXPECT_EQ(contents(), "0035\r\n");
    ASSERT_TRUE(writeSettingsFile("\xFC", file));
    EXPECT_EQ(contents(), "\xFC\r\n");
}

TEST_F(SettingsFileWrite, ReplacesTheOldContentCompletely) {
    put("123456789\r\nzwei\r\ndrei\r\n");
    ASSERT_TRUE(writeSettingsFile("7", file));
    EXPECT_EQ(contents(), "7\r\n");
    EXPECT_EQ(entries(), 1u);
}

TEST_F(SettingsFileWrite, WhatIsWrittenIsReadBack) {
    ASSERT_TRUE(writeSettingsFile("-0042", file));
    auto stored = readSettingsFile(file);
    ASSERT_TRUE(stored.has_value());
    EXPECT_EQ(stored->text, "-0042");
    EXPECT_EQ(stored->value, -42);
}

TEST_F(SettingsFileWrite, MissingFolderIsReported) {
    const fs::path nowhere = folder / "gibt_es_nicht" / "saves.kpl";
    EXPECT_FALSE(writeSettingsFile("3500", nowhere));
    EXPECT_FALSE(fs::exists(nowhere.parent_path()));
}

TEST_F(SettingsFileWrite, FolderInTheWayIsReportedAndNothingIsLeftBehind) {
    fs::create_directory(file);
    EXPECT_FALSE(writeSettingsFile("3500", file));
    EXPECT_TRUE(fs::is_directory(file));
    EXPECT_EQ(entries(), 1u);
}

// The file size limit of the process makes writing the temporary file fail
// halfway, for root as well; the old file must survive untouched.
TEST_F(SettingsFileWrite, FailedWriteLeavesTheOldFileUnchanged) {
    put("0035\r\n");
    const std::string longText(4096, '1');
    bool written = true;
    std::string problem;
    {
        const FileSizeLimit limit(16);
        written = writeSettingsFile(longText, file, &problem);
    }
    EXPECT_FALSE(written);
    EXPECT_EQ(problem, "Die Datei " + file.string() + " kann nicht geschrieben werden (" +
                           std::generic_category().message(EFBIG) + ").")
        << "with the system's reason";
    EXPECT_EQ(contents(), "0035\r\n");
    EXPECT_EQ(entries(), 1u) << "the temporary file is removed";
    // With the limit lifted the same text is stored.
    ASSERT_TRUE(writeSettingsFile(longText, file));
    EXPECT_EQ(contents(), longText + "\r\n");
}
