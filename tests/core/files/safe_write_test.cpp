// Replacing a file safely: plan files, the settings file and screenshots are
// all written this way.
#include "core/files/safe_write.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <stdexcept>
#include <string>

#include "support/file_size_limit.h"
#include "support/temp_folder.h"

namespace fs = std::filesystem;
using dz::tryWriteFileSafely;
using dz::WriteFailure;
using dz::writeFileSafely;

namespace {

class SafeWrite : public TempFolderTest {
protected:
    void SetUp() override {
        TempFolderTest::SetUp();
        target = folder / "plan.kpls";
    }

    std::filesystem::path target;
};

}  // namespace

TEST_F(SafeWrite, WritesANewFileAndReplacesAnOldOneLeavingNothingElse) {
    EXPECT_EQ(tryWriteFileSafely(target, std::string("eins\r\n\0zwei", 11)), std::nullopt);
    EXPECT_EQ(contents(target), std::string("eins\r\n\0zwei", 11)) << "the bytes as given";
    put(target, std::string(10000, 'x'));
    writeFileSafely(target, "kurz");
    EXPECT_EQ(contents(target), "kurz") << "nothing of the longer old file is left";
    writeFileSafely(target, "");
    EXPECT_EQ(contents(target), "");
    EXPECT_EQ(names(), std::set<std::string>{"plan.kpls"}) << "no temporary file is left";
}

TEST_F(SafeWrite, FailedWriteLeavesTheOldFileAndRemovesTheTemporary) {
    put(target, "alter Inhalt");
    std::optional<WriteFailure> failure;
    {
        const FileSizeLimit limit(16);
        failure = tryWriteFileSafely(target, std::string(100000, 'n'));
        EXPECT_THROW(writeFileSafely(target, std::string(100000, 'n')), std::runtime_error);
    }
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->step, WriteFailure::Step::Write);
    EXPECT_FALSE(failure->reason.empty());
    EXPECT_EQ(contents(target), "alter Inhalt");
    EXPECT_EQ(names(), std::set<std::string>{"plan.kpls"});
}

TEST_F(SafeWrite, FailuresAreReportedAndTouchNothing) {
    const fs::path nowhere = folder / "fehlt" / "plan.kpls";
    const auto missing = tryWriteFileSafely(nowhere, "x");
    ASSERT_TRUE(missing.has_value());
    EXPECT_EQ(missing->step, WriteFailure::Step::Create);
    try {
        writeFileSafely(nowhere, "x");
        ADD_FAILURE() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(std::string(e.what()), "Die Datei " + nowhere.string() + " kann nicht geschrieben werden.");
    }
    EXPECT_FALSE(fs::exists(nowhere.parent_path()));

    // A folder where the file should be: it stays, and so does its content.
    fs::create_directory(target);
    put(target / "drin", "bleibt");
    const auto folderInTheWay = tryWriteFileSafely(target, "x");
    ASSERT_TRUE(folderInTheWay.has_value());
    EXPECT_EQ(folderInTheWay->step, WriteFailure::Step::Replace);
    EXPECT_EQ(contents(target / "drin"), "bleibt");
    EXPECT_EQ(names(), std::set<std::string>{"plan.kpls"});
}

// What is at the old fixed temporary name "<target>.tmp", even a link to
// another file, is neither used nor changed.
TEST_F(SafeWrite, NoFixedTemporaryNameIsUsed) {
    const fs::path elsewhere = folder / "anderswo.txt";
    put(elsewhere, "fremd");
    fs::create_symlink(elsewhere, folder / "plan.kpls.tmp");
    writeFileSafely(target, "neu");
    EXPECT_EQ(contents(target), "neu");
    EXPECT_EQ(contents(elsewhere), "fremd");
    EXPECT_TRUE(fs::is_symlink(folder / "plan.kpls.tmp"));

    fs::remove(folder / "plan.kpls.tmp");
    fs::create_directory(folder / "plan.kpls.tmp");
    writeFileSafely(target, "wieder neu");
    EXPECT_EQ(contents(target), "wieder neu");
    EXPECT_EQ(names(), (std::set<std::string>{"anderswo.txt", "plan.kpls", "plan.kpls.tmp"}));
}

TEST_F(SafeWrite, ALinkAtTheTargetIsReplacedNotFollowed) {
    const fs::path elsewhere = folder / "anderswo.txt";
    put(elsewhere, "fremd");
    fs::create_symlink(elsewhere, target);
    writeFileSafely(target, "neu");
    EXPECT_FALSE(fs::is_symlink(target));
    EXPECT_EQ(contents(target), "neu");
    EXPECT_EQ(contents(elsewhere), "fremd");

    // A link that leads nowhere is replaced as well.
    fs::remove(target);
    fs::create_symlink(folder / "gibt_es_nicht", target);
    writeFileSafely(target, "auch neu");
    EXPECT_EQ(contents(target), "auch neu");
    EXPECT_FALSE(fs::exists(folder / "gibt_es_nicht"));
}

TEST_F(SafeWrite, TheReplacedFileKeepsItsPermissions) {
    put(target, "alt");
    const fs::perms ownerOnly = fs::perms::owner_read | fs::perms::owner_write;
    fs::permissions(target, ownerOnly);
    writeFileSafely(target, "neu");
    EXPECT_EQ(fs::status(target).permissions(), ownerOnly);
    EXPECT_EQ(contents(target), "neu");
}
