// Replacing a file safely: plan files, the settings file and screenshots are
// all written this way.
#include "core/files/safe_write.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
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
        EXPECT_EQ(std::string(e.what()), "Die Datei " + nowhere.string() + " kann nicht geschrieben werden (" +
                                             std::generic_category().message(ENOENT) + ").")
            << "with the system's reason";
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

namespace {

// The temporary file that a write of `bytes` to `target` leaves when its
// process dies halfway: a child writes under a file size limit of 16 bytes
// with SIGXFSZ at its default action, which ends it as abruptly as kill -9.
// The file is then made two minutes old.
fs::path temporaryOfAKilledWrite(const fs::path& target) {
    const std::set<std::string> before = [&] {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(target.parent_path())) names.insert(entry.path().string());
        return names;
    }();
    const pid_t child = fork();
    if (child == 0) {
        const rlimit noCore{0, 0}, small{16, 16};
        setrlimit(RLIMIT_CORE, &noCore);
        signal(SIGXFSZ, SIG_DFL);
        setrlimit(RLIMIT_FSIZE, &small);
        tryWriteFileSafely(target, std::string(100000, 'k'));
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ) << "status " << status;
    for (const auto& entry : fs::directory_iterator(target.parent_path()))
        if (!before.count(entry.path().string())) {
            fs::last_write_time(entry.path(), fs::file_time_type::clock::now() - std::chrono::minutes(2));
            return entry.path();
        }
    ADD_FAILURE() << "the killed write left nothing";
    return {};
}

}  // namespace

// A write killed halfway leaves its temporary file; the next save of the
// same target removes it, and only it: a temporary of another target (here
// one whose name is shortened to the same beginning), one of a writer that
// still runs, one that changed within the last minute (its writer may run on
// another machine) and files of other names stay.
TEST_F(SafeWrite, TheNextSaveSweepsTheStaleTemporariesOfItsTarget) {
    const std::string base(250, 'p');
    const fs::path longTarget = folder / (base + ".kpls");
    const fs::path stale = temporaryOfAKilledWrite(longTarget);
    ASSERT_FALSE(stale.empty());
    const fs::path otherTarget = temporaryOfAKilledWrite(folder / (base + ".kplx"));
    EXPECT_EQ(contents(stale).size(), 16u) << "as far as the killed write came";
    const std::string name = stale.filename().string();
    const std::size_t pid = name.rfind('.', name.size() - 14) + 1, random = name.size() - 13;
    const fs::path running = folder / (name.substr(0, pid) + "1" + name.substr(random));  // process 1 always runs
    fs::copy_file(stale, running);
    fs::last_write_time(running, fs::file_time_type::clock::now() - std::chrono::minutes(2));
    const fs::path recent = temporaryOfAKilledWrite(longTarget);
    fs::last_write_time(recent, fs::file_time_type::clock::now());
    for (const std::string& unrelated : {name.substr(0, pid) + "x" + name.substr(random), base + ".kpls.bak", name + "1"})
        put(folder / unrelated, "fremd");
    put(target, "anderer Plan");
    std::set<std::string> others = names();
    others.erase(name);
    others.insert(longTarget.filename().string());

    writeFileSafely(longTarget, "neu");
    EXPECT_EQ(contents(longTarget), "neu");
    EXPECT_FALSE(fs::exists(stale));
    EXPECT_EQ(names(), others) << "all else stays";
    EXPECT_EQ(otherTarget.filename().string().substr(0, 215), name.substr(0, 215)) << "the same beginning";
}

// Earlier versions named their temporaries "<target>.~<12 hex digits>",
// without the writer: those of the target go once they are an hour old.
TEST_F(SafeWrite, TheStaleTemporariesOfEarlierVersionsAreSweptByAge) {
    const auto aged = [&](const std::string& name, std::chrono::minutes age) {
        put(folder / name, "alt");
        fs::last_write_time(folder / name, fs::file_time_type::clock::now() - age);
    };
    aged("plan.kpls.~0123456789ab", std::chrono::minutes(61));
    aged("plan.kpls.~0123456789ac", std::chrono::minutes(59));
    for (const char* unrelated : {"plan.kpls.~0123456789a", "plan.kpls.~0123456789abc", "plan.kpls.~0123456789aX",
                                  "xplan.kpls.~0123456789ab"})
        aged(unrelated, std::chrono::minutes(61));
    std::set<std::string> others = names();
    others.erase("plan.kpls.~0123456789ab");
    others.insert("plan.kpls");
    writeFileSafely(folder / "plan.kpls", "neu");
    EXPECT_EQ(names(), others);
}

// The longest name a folder allows (255 bytes here) is saved as any other
// (a plan as well: see the plan file tests): the temporary name fits the
// limit, without cutting a character in two.
TEST_F(SafeWrite, TheLongestLegalNameIsSaved) {
    ASSERT_EQ(pathconf(folder.c_str(), _PC_NAME_MAX), 255);
    const fs::path umlaut = folder / (std::string(212, 'p') + "\xC3\xA4" + std::string(41, 'p'));
    EXPECT_EQ(tryWriteFileSafely(umlaut, "\xC3\xA4"), std::nullopt);
    EXPECT_EQ(contents(umlaut), "\xC3\xA4");
    EXPECT_EQ(temporaryOfAKilledWrite(umlaut).filename().string().substr(0, 214), std::string(212, 'p') + ".~");
}
