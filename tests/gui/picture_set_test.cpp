// Checks of the generated picture set: every file the catalog can ask for is
// there in its size, with its double-size twin drawn at scale 2, some
// buildings are animated, the field types look different, the state frames
// carry their code in the visible ring, and the generator writes the same
// bytes on every run; the window wears the program's icon.
#include <gtest/gtest.h>

#include <QColor>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "core/catalog/catalog_files.h"
#include "core/text/cp1252.h"
#include "core/catalog/info.h"
#include "gui/export/screenshot.h"
#include "gui/support/window_fixture.h"

using namespace dz;

namespace {

// A catalog picture name ("m\2", Windows-1252) as a path below the images folder.
QString imagePath(const std::string& catalogName) {
    std::string utf8 = cp1252ToUtf8(catalogName);
    std::replace(utf8.begin(), utf8.end(), '\\', '/');
    return QStringLiteral(DZ_IMAGES_DIR "/") + QString::fromStdString(utf8);
}

QString fieldPath(const Info& info, int fieldType) {
    return imagePath(info.fields[fieldType].imageDir) + QStringLiteral("/0.gif");
}

QString buildingPath(const Info& info, int fieldType, int building) {
    return imagePath(info.fields[fieldType].imageDir + "\\" + info.buildings[building].imageDir) +
           QStringLiteral("/0.gif");
}

struct ExpectedPicture {
    QString file;
    QSize size;
};

const char* const kStateFrames[] = {"a", "ab", "as", "abs", "i", "ib", "is", "ibs"};

std::vector<ExpectedPicture> everyPicture(const Info& info) {
    std::vector<ExpectedPicture> list;
    for (const InfoPlanet& planet : info.planets) list.push_back({imagePath(planet.image), QSize(16, 16)});
    for (int t = 0; t < kFieldTypeCount; ++t) {
        list.push_back({fieldPath(info, t), QSize(32, 32)});
        for (int b = 0; b < kBuildingCount; ++b)
            if (info.fields[t].buildable[b]) list.push_back({buildingPath(info, t, b), QSize(32, 32)});
    }
    for (const char* frame : kStateFrames)
        list.push_back({QStringLiteral(DZ_IMAGES_DIR "/%1.gif").arg(QLatin1String(frame)), QSize(34, 34)});
    // The people icons beside the personnel rows end before the grid starts.
    for (const char* icon : {"bev/max.gif", "bev/work.gif", "bev/free.gif", "bev/umwelt.gif", "bev/holo.gif",
                             "bev/wissenschaftler.gif", "bev/soldat.gif"})
        list.push_back({imagePath(icon), QSize(13, 16)});
    for (const char* icon : {"bev/grenze.gif", "w/31.gif"}) list.push_back({imagePath(icon), QSize(16, 16)});
    for (const char* icon : {"w/30.gif", "b/beamfrom_o.gif"}) list.push_back({imagePath(icon), QSize(17, 17)});
    list.push_back({imagePath("b/busy.gif"), QSize(16, 16)});  // the update check's busy sign
    for (const InfoRessource& resource : info.resourceTypes) list.push_back({imagePath(resource.image), QSize(16, 16)});
    return list;
}

QImage readRgb(const QString& file) { return QImage(file).convertToFormat(QImage::Format_RGB32); }

// Mean over all pixels of |dr| + |dg| + |db| (0..765).
double meanPixelDifference(const QImage& a, const QImage& b) {
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
        }
    return sum / (a.width() * a.height());
}

// Distance of the mean colours of two pictures (0..441).
double meanColourDistance(const QImage& a, const QImage& b) {
    auto mean = [](const QImage& image, int channel) {
        double sum = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QRgb p = image.pixel(x, y);
                sum += channel == 0 ? qRed(p) : channel == 1 ? qGreen(p) : qBlue(p);
            }
        return sum / (image.width() * image.height());
    };
    double d2 = 0;
    for (int ch = 0; ch < 3; ++ch) d2 += std::pow(mean(a, ch) - mean(b, ch), 2);
    return std::sqrt(d2);
}

class PictureSet : public ::testing::Test {
protected:
    static void SetUpTestSuite() { loadCatalog(info, DZ_DATA_DIR); }
    static Info info;
};

Info PictureSet::info;

// "m/2/0.gif" -> "m/2/0@2x.gif"
QString twinOf(const QString& file) { return file.left(file.size() - 4) + QStringLiteral("@2x.gif"); }

}  // namespace

TEST_F(PictureSet, EveryPictureTheCatalogAsksForExistsInItsSizeAndTwiceTheSize) {
    const std::vector<ExpectedPicture> list = everyPicture(info);
    EXPECT_EQ(list.size(), 201u) << "10 planets, 15 fields, 140 buildings, 8 frames, 27 icons, the busy sign";
    for (const ExpectedPicture& expected : list) {
        for (const auto& [file, size] : {std::pair{expected.file, expected.size},
                                         std::pair{twinOf(expected.file), expected.size * 2}}) {
            QImageReader reader(file);
            EXPECT_EQ(reader.format(), "gif") << file.toStdString();
            const int frames = reader.imageCount();
            const QImage image = reader.read();
            ASSERT_FALSE(image.isNull()) << file.toStdString() << ": " << reader.errorString().toStdString();
            EXPECT_EQ(image.size(), size) << file.toStdString();
            EXPECT_EQ(frames, QImageReader(expected.file).imageCount()) << file.toStdString();
        }
    }
}

namespace {

// Sum of the squared steps between neighbouring pixels: hard edges score
// high, an edge smeared over two pixels half as much.
double edgeEnergy(const QImage& image) {
    double sum = 0;
    for (int y = 0; y + 1 < image.height(); ++y)
        for (int x = 0; x + 1 < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            for (const QRgb q : {image.pixel(x + 1, y), image.pixel(x, y + 1)})
                sum += std::pow(qRed(p) - qRed(q), 2) + std::pow(qGreen(p) - qGreen(q), 2) +
                       std::pow(qBlue(p) - qBlue(q), 2);
        }
    return sum;
}

}  // namespace

// The twins are the same drawings made at scale 2: halved they are close to
// the plain picture, but they are no enlarged copy of it, neither pixel for
// pixel doubled nor smoothly enlarged (which would blur the edges).
TEST_F(PictureSet, TwinsAreDrawnAtScaleTwoNotEnlarged) {
    for (const ExpectedPicture& expected : everyPicture(info)) {
        // The state frames are rings of whole pixels (below); the space field is
        // black with stars of one pixel, which the twin shows as 2 x 2 blocks.
        if (expected.size == QSize(34, 34) || expected.file == fieldPath(info, 0)) continue;
        SCOPED_TRACE(expected.file.toStdString());
        const QImage plain = readRgb(expected.file);
        const QImage twin = readRgb(twinOf(expected.file));
        ASSERT_EQ(twin.size(), plain.size() * 2);
        const QImage halved = twin.scaled(plain.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        EXPECT_LT(meanPixelDifference(halved, plain), 40.0) << "the same drawing";
        EXPECT_NE(twin, plain.scaled(twin.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation));
        const QImage smooth = plain.scaled(twin.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        EXPECT_GT(edgeEnergy(twin), 1.3 * edgeEnergy(smooth)) << "edges as hard as in the plain picture";
    }
}

TEST_F(PictureSet, SomeBuildingsAreAnimatedAndLoopForever) {
    int animated = 0;
    for (int t = 0; t < kFieldTypeCount; ++t) {
        for (int b = 0; b < kBuildingCount; ++b) {
            if (!info.fields[t].buildable[b]) continue;
            const QString file = buildingPath(info, t, b);
            QImageReader reader(file);
            const int frames = reader.imageCount();
            if (frames < 2) continue;
            ++animated;
            EXPECT_LE(frames, 4) << file.toStdString();
            EXPECT_EQ(reader.loopCount(), -1) << file.toStdString() << " should loop forever";
            std::vector<QImage> images;
            for (int f = 0; f < frames; ++f) {
                images.push_back(reader.read().convertToFormat(QImage::Format_RGB32));
                EXPECT_GE(reader.nextImageDelay(), 200) << file.toStdString();
                EXPECT_LE(reader.nextImageDelay(), 400) << file.toStdString();
            }
            ASSERT_EQ(images.size(), static_cast<size_t>(frames));
            EXPECT_NE(images[0], images[1]) << file.toStdString() << ": the frames should differ";
        }
    }
    EXPECT_GE(animated, 6);

    // The still ones really are single frames.
    EXPECT_EQ(QImageReader(buildingPath(info, ftMeadow, bldBaseA)).imageCount(), 1);
}

TEST_F(PictureSet, FieldTypesAreToldApartAtAGlance) {
    std::vector<QImage> fields;
    for (int t = 0; t < kFieldTypeCount; ++t) fields.push_back(readRgb(fieldPath(info, t)));
    for (int a = 0; a < kFieldTypeCount; ++a) {
        for (int b = a + 1; b < kFieldTypeCount; ++b) {
            const std::string pair = info.fields[a].imageDir + " / " + info.fields[b].imageDir;
            EXPECT_GE(meanPixelDifference(fields[a], fields[b]), 60.0) << pair;
            EXPECT_GE(meanColourDistance(fields[a], fields[b]), 20.0) << pair;
        }
    }
}

TEST_F(PictureSet, StateFramesShowTheirStateInTheOuterRing) {
    const QRgb green = qRgb(0, 210, 0), grey = qRgb(90, 90, 90), blue = qRgb(40, 140, 255), orange = qRgb(255, 160, 0);
    for (const char* name : kStateFrames) {
        SCOPED_TRACE(name);
        const QString code = QLatin1String(name);
        const QImage frame = readRgb(QStringLiteral(DZ_IMAGES_DIR "/%1.gif").arg(code));
        ASSERT_EQ(frame.size(), QSize(34, 34));
        const QRgb side = code.startsWith('a') ? green : grey;
        const bool wide = code.contains('b'), near = code.contains('s');
        for (int y = 0; y < 34; ++y) {
            EXPECT_EQ(frame.pixel(0, y), side) << "left edge, row " << y;
            EXPECT_EQ(frame.pixel(33, y), side) << "right edge, row " << y;
        }
        for (int x = 1; x < 33; ++x) {
            QRgb edge = side;
            if (wide && near)
                edge = ((x - 1) / 3) % 2 == 0 ? blue : orange;
            else if (wide)
                edge = blue;
            else if (near)
                edge = orange;
            EXPECT_EQ(frame.pixel(x, 0), edge) << "top edge, column " << x;
            EXPECT_EQ(frame.pixel(x, 33), edge) << "bottom edge, column " << x;
        }
        for (int i = 1; i < 33; i += 4) EXPECT_EQ(frame.pixel(i, i), qRgb(0, 0, 0)) << "inside at " << i;

        // The twin: the same ring two pixels wide, its edges sharp, the dashes six pixels long.
        const QImage twin = readRgb(QStringLiteral(DZ_IMAGES_DIR "/%1@2x.gif").arg(code));
        ASSERT_EQ(twin.size(), QSize(68, 68));
        for (int y = 2; y < 66; ++y) {
            for (int x : {0, 1, 66, 67}) EXPECT_EQ(twin.pixel(x, y), side) << "side, row " << y << ", column " << x;
            for (int x : {2, 65}) EXPECT_EQ(twin.pixel(x, y), qRgb(0, 0, 0)) << "inside, row " << y;
        }
        for (int x = 2; x < 66; ++x) {
            QRgb edge = side;
            if (wide && near)
                edge = ((x - 2) / 6) % 2 == 0 ? blue : orange;
            else if (wide)
                edge = blue;
            else if (near)
                edge = orange;
            for (int y : {0, 1, 66, 67}) EXPECT_EQ(twin.pixel(x, y), edge) << "top or bottom, column " << x;
            for (int y : {2, 65}) EXPECT_EQ(twin.pixel(x, y), qRgb(0, 0, 0)) << "inside, column " << x;
        }
    }
}

namespace {

struct GeneratorRun {
    int exitCode = -1;
    QString errors;
};

GeneratorRun runGenerator(const QString& dataDir, const QString& imagesDir) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(DZ_MAKE_PICTURES), {dataDir, imagesDir});
    if (!process.waitForFinished(120000)) return {};
    GeneratorRun run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.errors = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
}

QStringList filesBelow(const QString& root) {
    QStringList files;
    QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) files << QDir(root).relativeFilePath(it.next());
    files.sort();
    return files;
}

QByteArray contents(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

TEST(PictureGenerator, WritesTheSameBytesOnEveryRun) {
    QTemporaryDir first, second;
    ASSERT_TRUE(first.isValid() && second.isValid());
    const GeneratorRun a = runGenerator(QStringLiteral(DZ_DATA_DIR), first.path() + QStringLiteral("/images"));
    ASSERT_EQ(a.exitCode, 0) << a.errors.toStdString();
    const GeneratorRun b = runGenerator(QStringLiteral(DZ_DATA_DIR), second.path() + QStringLiteral("/images"));
    ASSERT_EQ(b.exitCode, 0) << b.errors.toStdString();

    const QStringList files = filesBelow(first.path() + QStringLiteral("/images"));
    EXPECT_EQ(files.size(), 2 * 201) << "every picture and its double-size twin";
    ASSERT_EQ(files, filesBelow(second.path() + QStringLiteral("/images")));
    for (const QString& file : files) {
        const QByteArray bytes = contents(first.path() + QStringLiteral("/images/") + file);
        EXPECT_FALSE(bytes.isEmpty()) << file.toStdString();
        EXPECT_EQ(bytes, contents(second.path() + QStringLiteral("/images/") + file)) << file.toStdString();
    }
}

TEST(PictureGenerator, FailsWithAMessageWithoutData) {
    QTemporaryDir out;
    ASSERT_TRUE(out.isValid());
    const GeneratorRun run =
        runGenerator(out.path() + QStringLiteral("/no-such-folder"), out.path() + QStringLiteral("/images"));
    EXPECT_NE(run.exitCode, 0);
    EXPECT_TRUE(run.errors.contains(QStringLiteral("make_pictures: cannot read the catalog")))
        << run.errors.toStdString();
    EXPECT_FALSE(QDir(out.path() + QStringLiteral("/images")).exists()) << "nothing written";
}

TEST(BusySign, IsAnEndlessAnimationOfEightSteps) {
    QImageReader reader(QStringLiteral(DZ_IMAGES_DIR "/b/busy.gif"));
    EXPECT_EQ(reader.imageCount(), 8);
    EXPECT_EQ(reader.loopCount(), -1);
    const QImage first = reader.read();
    const QImage second = reader.read();
    ASSERT_FALSE(second.isNull());
    EXPECT_NE(first.convertToFormat(QImage::Format_RGB32), second.convertToFormat(QImage::Format_RGB32));
}

namespace {

// The window over our data with the built pictures and the program's icon
// beside them.
class ProgramIcon : public WindowFixture {};

QImage rgb(const QPixmap& pixmap) { return pixmap.toImage().convertToFormat(QImage::Format_RGB32); }

}  // namespace

// The window wears the drawn icon in all its sizes. At 16 pixels, the size of
// the caption, it is the temperate planet the caption has always shown, and
// the screenshot's caption shows just that (so batch mode's pictures stay as
// they were). Where the icon files are missing that planet alone stands in.
TEST_F(ProgramIcon, TheWindowWearsItAndItsCaptionSizeIsTheTemperatePlanet) {
    makeShippedWindow();
    const QPixmap planet = window->planCells().planetIcons().at(ptTemperate);
    QIcon icon = window->windowIcon();
    EXPECT_TRUE(icon.availableSizes().contains(QSize(16, 16)));
    EXPECT_TRUE(icon.availableSizes().contains(QSize(256, 256)));
    EXPECT_EQ(rgb(icon.pixmap(16)), rgb(planet));
    EXPECT_NE(rgb(icon.pixmap(256).scaled(16, 16)), rgb(planet)) << "the large sizes are drawn for the desktop";
    // The screenshot's caption shows the planet at its own size, pixel for pixel.
    const QImage shot = captureWindow(window.get()).convertToFormat(QImage::Format_RGB32);
    bool inCaption = false;
    for (int y = 0; y < 24 && !inCaption; ++y)
        for (int x = 0; x < 24 && !inCaption; ++x) inCaption = shot.copy(x, y, 16, 16) == rgb(planet);
    EXPECT_TRUE(inCaption);

    QTemporaryDir withoutIcon;
    ASSERT_TRUE(withoutIcon.isValid());
    ASSERT_TRUE(QFile::link(builtProgramDir() + QStringLiteral("/images"), withoutIcon.path() + QStringLiteral("/images")));
    window->setProgramDir(withoutIcon.path());
    window->loadPlanPictures();
    icon = window->windowIcon();
    EXPECT_EQ(icon.availableSizes(), QList<QSize>{QSize(16, 16)});
    EXPECT_EQ(rgb(icon.pixmap(16)), rgb(planet));
}
