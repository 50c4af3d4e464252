// Starts the real program against a folder of data files, as a user would,
// in batch mode so that no message box waits for an answer.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/version.h"
#include "support/device_node.h"

namespace fs = std::filesystem;

namespace {

struct ProgramRun {
    int status = -1;
    std::string out, err;
};

class StartupTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("dz_startup_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        // A copy, not a link: the program looks for its files beside its real path.
        fs::copy_file(DZ_EXECUTABLE, dir_ / "dizozodidu");
        for (const char* name : {"buildings.kpl", "ressources.kpl", "planets.kpl"})
            fs::copy_file(fs::path(DZ_DATA_DIR) / name, dir_ / name);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string read(const char* name) {
        std::ifstream in(dir_ / name, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    void write(const char* name, const std::string& bytes) {
        std::ofstream out(dir_ / name, std::ios::binary | std::ios::trunc);
        out << bytes;
    }
    // Replaces line `index` (counted from 0) of a CR LF data file.
    void replaceLine(const char* name, std::size_t index, const std::string& text) {
        std::string bytes = read(name);
        std::size_t start = 0;
        for (std::size_t i = 0; i < index; ++i) start = bytes.find("\r\n", start) + 2;
        const std::size_t end = bytes.find("\r\n", start);
        bytes.replace(start, end - start, text);
        write(name, bytes);
    }

    ProgramRun run(const std::string& arguments) {
        // Started from another working directory: the files are found beside the program.
        const std::string command = "cd / && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 60 '" +
                                    (dir_ / "dizozodidu").string() + "' " + arguments + " 2>'" +
                                    (dir_ / "stderr.txt").string() + "' >'" + (dir_ / "stdout.txt").string() + "'";
        ProgramRun result;
        const int raw = std::system(command.c_str());
        result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        result.err = read("stderr.txt");
        return result;
    }

    // Starts `program` with `arguments` from "/" as a user without a display
    // would, and kills it when it has not ended after `limitMs`: a program
    // that hangs fails the test instead of stopping the suite.
    ProgramRun runWithin(int limitMs, const QString& program, const QStringList& arguments) {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) environment.remove(name);
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(QStringLiteral("/"));
        process.start(program, arguments);
        ProgramRun result;
        if (!process.waitForFinished(limitMs)) {
            process.kill();
            process.waitForFinished();
            result.err = "<killed after " + std::to_string(limitMs) + " ms> ";
        } else if (process.exitStatus() == QProcess::NormalExit) {
            result.status = process.exitCode();
        }
        result.out = process.readAllStandardOutput().toStdString();
        result.err += process.readAllStandardError().toStdString();
        return result;
    }
    QString program() const { return QString::fromStdString((dir_ / "dizozodidu").string()); }

    fs::path dir_;
};

}  // namespace

TEST_F(StartupTest, BadIntegerInTheBuildingFileStopsWithFileAndLine) {
    replaceLine("buildings.kpl", 39 * 3 + 4, "viele");
    const ProgramRun r = run("IMAGES plan.kpls");
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.err.find("buildings.kpl, Zeile 122"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("viele"), std::string::npos) << r.err;
}

TEST_F(StartupTest, MissingPlanetFileStopsAndNamesIt) {
    fs::remove(dir_ / "planets.kpl");
    const ProgramRun r = run("IMAGES plan.kpls");
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.err.find("planets.kpl"), std::string::npos) << r.err;
}

TEST_F(StartupTest, ShortResourceFileStopsWithTheMissingLine) {
    std::string bytes = read("ressources.kpl");
    bytes.resize(bytes.rfind("\r\n", bytes.size() - 3) + 2);  // drop the last line
    write("ressources.kpl", bytes);
    const ProgramRun r = run("IMAGES plan.kpls");
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.err.find("ressources.kpl, Zeile 32"), std::string::npos) << r.err;
}

// A data file saved as UTF-16, with a byte order mark or without, stops
// start-up naming the file and its line, not a picture it seemed to name.
TEST_F(StartupTest, AUtf16DataFileStopsNamingTheFileAndTheLine) {
    const std::string original = read("ressources.kpl");
    for (const bool littleEndianWithMark : {true, false}) {
        std::string utf16 = littleEndianWithMark ? "\xFF\xFE" : "";
        for (const char c : original) utf16 += littleEndianWithMark ? std::string{c, '\0'} : std::string{'\0', c};
        write("ressources.kpl", utf16);
        const ProgramRun r = run("IMAGES plan.kpls");
        EXPECT_EQ(r.status, 1);
        EXPECT_NE(r.err.find("ressources.kpl, Zeile 1: Die Datei ist kein Text in Windows-1252"), std::string::npos)
            << r.err;
        EXPECT_EQ(r.err.find("images"), std::string::npos) << r.err;
    }
}

TEST_F(StartupTest, PlanetGridValueOutsideTheFieldTypesStops) {
    replaceLine("planets.kpl", 15, "15");
    const ProgramRun r = run("IMAGES plan.kpls");
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.err.find("planets.kpl, Zeile 16"), std::string::npos) << r.err;
}

TEST_F(StartupTest, AnEmptyPictureLineStopsNamingTheFileAndTheRecord) {
    std::string planets = read("planets.kpl");
    const std::size_t name = planets.find("\r\nLavaplanet\r\n");
    ASSERT_NE(name, std::string::npos);
    const std::size_t picture = name + std::string("\r\nLavaplanet\r\n").size();
    planets.erase(picture, planets.find("\r\n", picture) - picture);
    write("planets.kpl", planets);
    fs::copy(fs::path(DZ_EXECUTABLE).parent_path() / "images", dir_ / "images", fs::copy_options::recursive);
    const ProgramRun r = run("IMAGES plan.kpls");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("planets.kpl: Planet 3 (Lavaplanet) nennt kein Bild."), std::string::npos) << r.err;
}

TEST_F(StartupTest, WithoutAScreenTheWindowedProgramSaysWhatToDo) {
    const ProgramRun r = run("");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Kein Bildschirm gefunden"), std::string::npos) << r.err;
}

// --help and --version answer on stdout with status 0 before anything else:
// no screen, no data files, no window. The report tool does the same.
TEST_F(StartupTest, HelpAndVersionAnswerWithoutScreenOrData) {
    fs::remove(dir_ / "planets.kpl");
    const std::string version = dz::kProgramVersion;
    ProgramRun r = runWithin(30000, program(), {"--version"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "Dizozodidu " + version + "\n");
    EXPECT_EQ(r.err, "");

    r = runWithin(30000, program(), {"--help"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("Dizozodidu " + version + ", ein Kolonieplaner\n", 0), 0u) << r.out;
    for (const char* usage : {"Aufruf: dizozodidu [PLAN.kpls]\n", "dizozodidu IMAGES PLAN.kpls\n", "  --version "})
        EXPECT_NE(r.out.find(usage), std::string::npos) << usage << " in " << r.out;
    EXPECT_EQ(r.err, "");

    r = runWithin(30000, QStringLiteral(DZ_REPORT), {"--help"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("Aufruf: dizozodidu-report PLAN.kpls...\n", 0), 0u) << r.out;
    r = runWithin(30000, QStringLiteral(DZ_REPORT), {"--version"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "dizozodidu-report (Dizozodidu " + version + ")\n");
}

// Output that does not arrive is a failure: standard output goes to a full
// device of the test's own (made with mknod in its folder; writing there
// fails with ENOSPC), and every answer on stdout ends with status 1 and the
// system's reason on stderr.
TEST_F(StartupTest, OutputIntoAFullDeviceFailsWithTheReason) {
    const fs::path full = dir_ / "full";
    ASSERT_TRUE(makeDevice(full, kFullDevice)) << "making a device node needs root";
    const QString plan = QStringLiteral(DZ_EXAMPLES_DIR "/standardplanet.kpls");
    const std::pair<QString, QStringList> calls[] = {{program(), {"--help"}},
                                                     {program(), {"--version"}},
                                                     {QStringLiteral(DZ_REPORT), {"--help"}},
                                                     {QStringLiteral(DZ_REPORT), {"--version"}},
                                                     {QStringLiteral(DZ_REPORT), {plan}}};
    const std::string reason = "Die Ausgabe ließ sich nicht schreiben (" + std::generic_category().message(ENOSPC) + ").";
    for (const auto& [called, arguments] : calls) {
        const ProgramRun r = runWithin(30000, QStringLiteral("/bin/sh"),
                                       QStringList{"-c", "exec \"$@\" >\"$0\"", QString::fromStdString(full.string()),
                                                   called} + arguments);
        const std::string name = arguments.join(' ').toStdString();
        EXPECT_EQ(r.status, 1) << name << ": " << r.err;
        EXPECT_NE(r.err.find(reason), std::string::npos) << name << ": " << r.err;
    }
}

TEST_F(StartupTest, LowerCaseImagesIsAPlanFileNotBatchMode) {
    // "images" opens the windowed program, which needs a screen.
    const ProgramRun r = run("images plan.kpls");
    EXPECT_NE(r.err.find("Kein Bildschirm gefunden"), std::string::npos) << r.err;
}

TEST_F(StartupTest, MissingPicturesInBatchModeAreReportedOnStderr) {
    // The folder has the data files but no images/ at all.
    const ProgramRun r = run("IMAGES plan.kpls");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("/images/"), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find("Stapelbetrieb"), std::string::npos) << "start-up stops at the missing picture";
}

namespace {

struct ReportRun {
    int status = -1;
    std::string out, err;
};

// Runs the report tool; after `seconds` it is ended (status 124). Its output
// goes to files named after the test, since the tests may run side by side.
ReportRun report(const std::string& arguments, int seconds = 60) {
    const std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    const fs::path out = fs::temp_directory_path() / ("dz_report_" + test + ".out");
    const fs::path err = fs::temp_directory_path() / ("dz_report_" + test + ".err");
    const std::string command = "timeout " + std::to_string(seconds) + " '" + std::string(DZ_REPORT) + "' " + arguments +
                                " >'" + out.string() + "' 2>'" + err.string() + "'";
    ReportRun r;
    const int raw = std::system(command.c_str());
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    for (auto [target, file] : {std::pair{&r.out, out}, std::pair{&r.err, err}}) {
        std::ifstream in(file, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        *target = s.str();
        in.close();
        fs::remove(file);
    }
    return r;
}

}  // namespace

TEST(PlanReport, ReportsEveryExamplePlanInUtf8) {
    const std::string examples = DZ_EXAMPLES_DIR;
    const ReportRun r = report("'" + examples + "/standardplanet.kpls' '" + examples + "/grosses_asteroidenfeld.kpls'");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("# standardplanet.kpls\nPlanet\t0\tStandardplanet\n[Produktion / Verbrauch je Tick]\nLagerraum\t"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("Planet\t9\tGroßes Asteroidenfeld\n"), std::string::npos);
    EXPECT_NE(r.out.find("\n[Personal]\nverfügb. Wohnraum\t"), std::string::npos);
    EXPECT_NE(r.out.find("\n[Gesamtaufbaukosten]\nEnergie\t"), std::string::npos);
    EXPECT_NE(r.out.find("\nCredits\t"), std::string::npos);
    EXPECT_NE(r.out.find("\n[Informationen]\nAttraktivität\t+"), std::string::npos);
    EXPECT_NE(r.out.find("\nForschung\t"), std::string::npos);
    EXPECT_NE(r.out.find("\nverfügbare BSP\t"), std::string::npos);
}

TEST(PlanReport, AnInvalidFileIsNamedAndTheOthersAreStillReported) {
    const fs::path bad = fs::temp_directory_path() / "dz_bad_plan.kpls";
    std::ofstream(bad, std::ios::binary) << "064\r\n42\r\n";
    const ReportRun r = report("'" + bad.string() + "' '" + std::string(DZ_EXAMPLES_DIR) + "/wuestenplanet.kpls'");
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.err.find("dz_bad_plan.kpls: Ungültige Datei!"), std::string::npos) << r.err;
    EXPECT_NE(r.out.find("# wuestenplanet.kpls"), std::string::npos);
    EXPECT_EQ(r.out.find("dz_bad_plan"), std::string::npos);
    fs::remove(bad);
}

namespace {

// A folder of its own for the files a report test hands to the tool.
class PlanReportFiles : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("dz_report_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    static std::string quoted(const fs::path& file) { return "'" + file.string() + "' "; }

    fs::path dir_;
};

}  // namespace

// Folders, devices, named pipes and huge files are refused by name, without
// waiting, reading for ever or ending the tool, and the plans after them are
// still reported.
TEST_F(PlanReportFiles, WhatIsNoPlanFileIsNamedAndTheRestIsReported) {
    const fs::path folder = dir_ / "ordner.kpls", pipe = dir_ / "pipe.kpls", large = dir_ / "gross.kpls",
                   zero = dir_ / "null.kpls";
    fs::create_directory(folder);
    ASSERT_TRUE(makeDevice(zero, kZeroDevice)) << "making a device node needs root";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    std::ofstream(large, std::ios::binary) << "064\r\n";
    fs::resize_file(large, std::uintmax_t(2) << 30);
    const std::string examples = DZ_EXAMPLES_DIR;
    const ReportRun r = report(quoted(folder) + quoted(pipe) + quoted(zero) + quoted(large) + "'" + examples +
                                   "/wuestenplanet.kpls'",
                               20);
    EXPECT_EQ(r.status, 1) << r.err;
    for (const fs::path& file : {folder, pipe, zero})
        EXPECT_NE(r.err.find(file.string() + ": Ungültige Datei! " + file.string() + ": keine normale Datei.\n"),
                  std::string::npos)
            << r.err;
    EXPECT_NE(r.err.find(large.string() + ": Ungültige Datei! " + large.string() +
                         ": Die Datei ist zu groß (mehr als 1 MB).\n"),
              std::string::npos)
        << r.err;
    EXPECT_EQ(r.out.rfind("# wuestenplanet.kpls\n", 0), 0u) << "only the plan, and all of it: " << r.out;
    EXPECT_NE(r.out.find("\nverfügbare BSP\t"), std::string::npos) << r.out;
}

// The names are the bytes given, also where they are no UTF-8.
TEST_F(PlanReportFiles, FileNamesAreTakenByteForByte) {
    const fs::path file = dir_ / "W\xFCste.kpls";
    fs::copy_file(fs::path(DZ_EXAMPLES_DIR) / "wuestenplanet.kpls", file);
    const ReportRun r = report(quoted(file));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("# W\xFCste.kpls\nPlanet\t", 0), 0u) << r.out;
}

namespace {

// A program folder with the pictures as well, for batch runs that get that far.
class BatchTest : public StartupTest {
protected:
    void SetUp() override {
        StartupTest::SetUp();
        fs::copy(fs::path(DZ_EXECUTABLE).parent_path() / "images", dir_ / "images", fs::copy_options::recursive);
        fs::copy_file(fs::path(DZ_EXAMPLES_DIR) / "standardplanet.kpls", dir_ / "kolonie.kpls");
    }
};

}  // namespace

TEST_F(BatchTest, WritesThePictureBesideThePlanAndExitsZero) {
    const ProgramRun r = run("IMAGES '" + (dir_ / "kolonie.kpls").string() + "'");
    EXPECT_EQ(r.status, 0) << r.err;
    const std::string jpeg = read("kolonie.kpls.jpeg");
    ASSERT_GT(jpeg.size(), 1000u);
    EXPECT_EQ(jpeg.substr(0, 2), "\xFF\xD8");
    // The baseline frame header holds the window's outer size: 760 wide.
    const std::size_t sof = jpeg.find("\xFF\xC0");
    ASSERT_NE(sof, std::string::npos);
    const int width = (static_cast<unsigned char>(jpeg[sof + 7]) << 8) | static_cast<unsigned char>(jpeg[sof + 8]);
    EXPECT_EQ(width, 760);
}

TEST_F(BatchTest, FailuresGoToStderrWithANonZeroStatus) {
    ProgramRun r = run("IMAGES '" + (dir_ / "fehlt.kpls").string() + "'");
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.err.find("fehlt.kpls"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("Ungültige Datei!"), std::string::npos) << r.err;

    write("kaputt.kpls", "064\r\n3\r\n");
    r = run("IMAGES '" + (dir_ / "kaputt.kpls").string() + "'");
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.err.find("kaputt.kpls"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(dir_ / "kaputt.kpls.jpeg"));

    fs::create_directory(dir_ / "kolonie.kpls.jpeg");  // the picture cannot be written there
    r = run("IMAGES '" + (dir_ / "kolonie.kpls").string() + "'");
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.err.find("Screenshot konnte nicht gespeichert werden!"), std::string::npos) << r.err;

    r = run("IMAGES");
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.err.find("Aufruf"), std::string::npos) << r.err;
}

TEST_F(BatchTest, APipeForAPictureStopsStartUpNamingIt) {
    const fs::path frame = dir_ / "images" / "is.gif";
    fs::remove(frame);
    ASSERT_EQ(::mkfifo(frame.c_str(), 0600), 0);
    const ProgramRun r = runWithin(30000, program(), {"IMAGES", QString::fromStdString((dir_ / "kolonie.kpls").string())});
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_NE(r.err.find("Bild kann nicht gelesen werden: " + frame.string() + " (keine normale Datei)"),
              std::string::npos)
        << r.err;
    EXPECT_FALSE(fs::exists(dir_ / "kolonie.kpls.jpeg"));
}

TEST_F(BatchTest, APlanNameThatIsNoUtf8IsUsedByteForByte) {
    // "Kolonie_ä.kpls" as a Windows-1252 system names it: 0xE4 is no UTF-8.
    // QProcess passes its arguments as UTF-8, so a shell makes the byte.
    fs::copy_file(dir_ / "kolonie.kpls", dir_ / "Kolonie_\xE4.kpls");
    const ProgramRun r =
        runWithin(30000, QStringLiteral("/bin/sh"),
                  {"-c", "exec \"$0\" IMAGES \"$1$(printf '\\344').kpls\"", program(),
                   QString::fromStdString((dir_ / "Kolonie_").string())});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(fs::exists(dir_ / "Kolonie_\xE4.kpls.jpeg"));
    EXPECT_EQ(read("Kolonie_\xE4.kpls.jpeg").substr(0, 2), "\xFF\xD8");
}

TEST_F(BatchTest, AFullDiskGivesTheSystemsReason) {
    // A file system of 64 KiB in a mount namespace of its own holds the plan
    // but not its picture. It takes the right to mount; without it the test is skipped.
    const fs::path small = dir_ / "klein";
    fs::create_directory(small);
    const QString mount = QStringLiteral("mount -t tmpfs -o size=64k dizozodidu \"$0\"");
    const ProgramRun probe = runWithin(10000, QStringLiteral("unshare"),
                                       {"-m", "sh", "-c", mount, QString::fromStdString(small.string())});
    if (probe.status != 0) GTEST_SKIP() << "no file system of our own can be mounted here: " << probe.err;

    const ProgramRun r = runWithin(
        30000, QStringLiteral("unshare"),
        {"-m", "sh", "-c", mount + QStringLiteral(" && cp \"$1\" \"$0\"/kolonie.kpls && exec \"$2\" IMAGES \"$0\"/kolonie.kpls"),
         QString::fromStdString(small.string()), QString::fromStdString((dir_ / "kolonie.kpls").string()), program()});
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_NE(r.err.find("Screenshot konnte nicht gespeichert werden!"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("(" + std::generic_category().message(ENOSPC) + ")."), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find("Unknown error"), std::string::npos) << r.err;
}
