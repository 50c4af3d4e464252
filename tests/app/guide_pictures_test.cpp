// The players' guide (docs/ANLEITUNG.md) and its pictures: the script that
// draws them with the programs of this build makes every picture the guide
// names, each a whole JPEG of the window.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QColor>
#include <QImage>
#include <QImageReader>
#include <QSet>
#include <QString>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The names of the pictures a guide refers to as bilder/<name>.jpeg.
std::set<std::string> referencedPictures(const std::string& guide) {
    std::set<std::string> names;
    static const std::regex picture(R"(\(bilder/([A-Za-z0-9_-]+)\.jpeg\))");
    for (auto it = std::sregex_iterator(guide.begin(), guide.end(), picture); it != std::sregex_iterator(); ++it)
        names.insert((*it)[1].str());
    return names;
}

// What is wrong with the picture OUT/<name>.jpeg; empty when it is a whole
// JPEG (start and end marker) that decodes to a picture of the window:
// between 600 × 500 and 2000 × 2000 pixels, with many colours.
std::string pictureProblem(const fs::path& out, const std::string& name) {
    const fs::path file = out / (name + ".jpeg");
    if (!fs::is_regular_file(file)) return file.string() + " fehlt";
    const std::string bytes = readFile(file);
    if (bytes.size() < 10000) return file.string() + " hat nur " + std::to_string(bytes.size()) + " Bytes";
    if (bytes.compare(0, 3, "\xFF\xD8\xFF") != 0) return file.string() + " beginnt nicht wie ein JPEG";
    if (bytes.compare(bytes.size() - 2, 2, "\xFF\xD9") != 0) return file.string() + " endet nicht wie ein JPEG";
    QImageReader reader(QString::fromStdString(file.string()), "jpeg");
    const QImage image = reader.read();
    if (image.isNull()) return file.string() + " lässt sich nicht lesen: " + reader.errorString().toStdString();
    if (image.width() < 600 || image.height() < 500 || image.width() > 2000 || image.height() > 2000)
        return file.string() + " ist " + std::to_string(image.width()) + " × " + std::to_string(image.height());
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 3)
        for (int x = 0; x < image.width(); x += 3) colours.insert(image.pixel(x, y));
    if (colours.size() < 200) return file.string() + " hat nur " + std::to_string(colours.size()) + " Farben";
    return {};
}

std::vector<std::string> problemsOf(const fs::path& out, const std::set<std::string>& names) {
    std::vector<std::string> problems;
    for (const std::string& name : names)
        if (std::string problem = pictureProblem(out, name); !problem.empty()) problems.push_back(problem);
    return problems;
}

// The script of the guide's pictures, run once for all tests here into a
// temporary folder with the programs of this build.
class GuidePictures : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        root_ = new fs::path(fs::temp_directory_path() / ("dz_guide_" + std::to_string(::getpid())));
        fs::remove_all(*root_);
        fs::create_directories(*root_);
        const std::string command = "bash '" DZ_SOURCE_DIR "/docs/make_pictures.sh' '" DZ_PROGRAM_DIR "' '" +
                                    (*root_ / "bilder").string() + "' > '" + (*root_ / "log").string() + "' 2>&1";
        const int raw = std::system(command.c_str());
        status_ = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    }
    static void TearDownTestSuite() {
        fs::remove_all(*root_);
        delete root_;
        root_ = nullptr;
    }
    static fs::path pictures() { return *root_ / "bilder"; }
    static std::string log() { return readFile(*root_ / "log"); }

    static fs::path* root_;
    static int status_;
};
fs::path* GuidePictures::root_ = nullptr;
int GuidePictures::status_ = -1;

}  // namespace

// Every picture the guide names is made by the script, a whole JPEG of the
// window; the three example plans are among them, and no two are the same.
TEST_F(GuidePictures, EveryPictureTheGuideNamesIsMadeByTheScript) {
    ASSERT_EQ(status_, 0) << log();
    const std::set<std::string> names = referencedPictures(readFile(DZ_SOURCE_DIR "/docs/ANLEITUNG.md"));
    for (const char* example : {"standardplanet", "wuestenplanet", "grosses_asteroidenfeld"})
        EXPECT_EQ(names.count(example), 1u) << "the guide shows no picture of " << example;
    ASSERT_GE(names.size(), 4u);
    const std::vector<std::string> problems = problemsOf(pictures(), names);
    for (const std::string& problem : problems) ADD_FAILURE() << problem;
    EXPECT_TRUE(problems.empty());
    std::map<std::string, std::string> seen;
    for (const std::string& name : names) {
        const std::string bytes = readFile(pictures() / (name + ".jpeg"));
        const auto [it, fresh] = seen.emplace(bytes, name);
        EXPECT_TRUE(fresh) << name << " is the same picture as " << it->second;
    }
}

// The check above fails for a picture the script does not make, an empty
// one, one cut short and one that is no JPEG.
TEST_F(GuidePictures, TheCheckFindsMissingEmptyCutAndForeignPictures) {
    ASSERT_EQ(status_, 0) << log();
    const fs::path out = pictures();
    ASSERT_TRUE(pictureProblem(out, "standardplanet").empty()) << pictureProblem(out, "standardplanet");
    const std::string whole = readFile(out / "standardplanet.jpeg");
    std::ofstream(out / "leer.jpeg", std::ios::binary);
    std::ofstream(out / "halb.jpeg", std::ios::binary) << whole.substr(0, whole.size() / 2);
    std::ofstream(out / "fremd.jpeg", std::ios::binary) << std::string(50000, 'x');
    const std::string guide =
        "![a](bilder/standardplanet.jpeg) ![b](bilder/gibt_es_nicht.jpeg) ![c](bilder/leer.jpeg)\n"
        "![d](bilder/halb.jpeg) ![e](bilder/fremd.jpeg)\n";
    const std::set<std::string> names = referencedPictures(guide);
    EXPECT_EQ(names, (std::set<std::string>{"standardplanet", "gibt_es_nicht", "leer", "halb", "fremd"}));
    const std::vector<std::string> problems = problemsOf(out, names);
    ASSERT_EQ(problems.size(), 4u);
    for (const char* name : {"gibt_es_nicht", "leer", "halb", "fremd"}) {
        bool named = false;
        for (const std::string& problem : problems) named = named || problem.find(name) != std::string::npos;
        EXPECT_TRUE(named) << name << " is not reported";
    }
}
