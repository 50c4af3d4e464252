// The window on a screen of device pixel ratio 2: this program runs with
// QT_SCALE_FACTOR=2 (see gui_test_main.cpp). Every picture it shows comes from
// the double-size twin of its file, at twice the pixels; without the twins the
// plain pictures are shown as before. Reading a twin is as guarded as reading
// the picture itself.
#include <gtest/gtest.h>

#include <QDirIterator>
#include <QGroupBox>
#include <QImageReader>
#include <QMovie>
#include <QTemporaryDir>
#include <filesystem>

#include "core/catalog/catalog_files.h"
#include "gui/decoration.h"
#include "gui/dialogs/busy_animation.h"
#include "gui/export/screenshot.h"
#include "gui/support/test_support.h"
#include "gui/support/window_fixture.h"
#include "gui/widgets/image_list.h"
#include "gui/widgets/plan_graphic.h"
#include "gui/widgets/planet_menu.h"
#include "gui/widgets/qt_text.h"

using namespace dz;
namespace fs = std::filesystem;

namespace {

QImage rgb(const QImage& image) { return image.convertToFormat(QImage::Format_RGB32); }
QImage rgb(const QPixmap& pixmap) { return rgb(pixmap.toImage()); }

// The first frame of a picture file, opaque.
QImage firstFrame(const QString& file) {
    QImageReader reader(file);
    const QImage image = reader.read();
    EXPECT_FALSE(image.isNull()) << file.toStdString() << ": " << reader.errorString().toStdString();
    return rgb(image);
}

class DoubleSizePictures : public WindowFixture {
protected:
    void SetUp() override {
        makeShippedWindow();
        ASSERT_EQ(window->devicePixelRatioF(), 2.0) << "QT_SCALE_FACTOR=2 was not taken";
    }

    FieldPicture* build(int x, int y, int building) {
        Field& f = plan.current.surface[x][y];
        f.building = building;
        f.built = true;
        f.inOperation = true;
        window->showBuilding(x, y, building, true);
        return pictureAt(x, y);
    }

    QString buildingFile(int fieldType, int building, const char* name) {
        return builtProgramDir() + QStringLiteral("/images/") +
               fromCp1252(info.fields[fieldType].imageDir + "/" + info.buildings[building].imageDir).replace('\\', '/') +
               QLatin1Char('/') + QLatin1String(name);
    }
};

// A pixmap shown at ratio 2 with twice the pixels of its label.
void expectDoubleSize(const QPixmap& shown, QSize logical, const QString& twin) {
    SCOPED_TRACE(twin.toStdString());
    EXPECT_EQ(shown.devicePixelRatio(), 2.0);
    EXPECT_EQ(shown.size(), logical * 2);
    EXPECT_EQ(rgb(shown), firstFrame(twin));
}

}  // namespace

TEST_F(DoubleSizePictures, CellsBuildingsIconsAndTheDecorationShowTheirTwins) {
    const QString images = builtProgramDir() + QStringLiteral("/images/");
    newPlan(ptStandard);
    const auto [x, y] = findSurface(ftMeadow);
    ASSERT_GE(x, 0);

    // The field and its state frame (not in operation, no range: i.gif).
    expectDoubleSize(pictureAt(x, y)->pixmap(), QSize(32, 32), images + "m/2/0@2x.gif");
    expectDoubleSize(window->planCells().cell(x, y, true)[0]->pixmap(), QSize(34, 34), images + "i@2x.gif");
    expectDoubleSize(window->planCells().planetIcons().at(ptStandard), QSize(16, 16),
                     images + fromCp1252(info.planets[ptStandard].image).replace('\\', '/').replace(".gif", "@2x.gif"));

    // A still building.
    FieldPicture* still = build(x, y, bldHousingCore);
    EXPECT_EQ(still->movie(), nullptr);
    expectDoubleSize(still->pixmap(), QSize(32, 32), buildingFile(ftMeadow, bldHousingCore, "0@2x.gif"));
    EXPECT_EQ(still->source(), buildingFile(ftMeadow, bldHousingCore, "0.gif")) << "the source names the plain file";

    // A running one: its frames are drawn at half their pixel size, into the
    // 32 x 32 label at twice the pixels.
    FieldPicture* running = build(x, y, bldAreaNear);
    ASSERT_NE(running->movie(), nullptr);
    EXPECT_EQ(running->movie()->currentPixmap().size(), QSize(64, 64));
    EXPECT_EQ(running->movieRatio(), 2.0);
    const QPixmap drawn = running->grab();
    EXPECT_EQ(drawn.size(), QSize(64, 64));
    EXPECT_EQ(rgb(drawn), firstFrame(buildingFile(ftMeadow, bldAreaNear, "0@2x.gif")));

    // Panel and resource icons; a people icon keeps its place's size.
    QLabel* living = child<QLabel>(window, "livingSpaceIcon");
    expectDoubleSize(living->pixmap(), QSize(13, 16), images + "bev/max@2x.gif");
    EXPECT_EQ(living->size(), QSize(13, 16));
    expectDoubleSize(child<QLabel>(window, "storageIcon")->pixmap(), QSize(17, 17), images + "w/30@2x.gif");
    expectDoubleSize(window->resultPanels().resourceIcons().rows[0][0]->pixmap(), QSize(16, 16),
                     images + fromCp1252(info.resourceTypes[0].image).replace('\\', '/').replace(".gif", "@2x.gif"));

    // The decorative picture is drawn anew at the finer resolution, not enlarged.
    const QPixmap decoration = child<QLabel>(window, "logoPicture")->pixmap();
    EXPECT_EQ(decoration.devicePixelRatio(), 2.0);
    EXPECT_EQ(decoration.size(), QSize(560, 400));
    const QImage enlarged = rgb(drawDecoration(280, 200, 1.0).toImage().scaled(560, 400));
    EXPECT_NE(rgb(decoration), enlarged);

    // The busy sign of the update check.
    QWidget owner;
    auto* sign = new BusyAnimation(images + "b/busy.gif", &owner);
    sign->resize(16, 16);
    sign->start();
    EXPECT_EQ(rgb(sign->grab()), firstFrame(images + "b/busy@2x.gif"));

    // A screenshot still pictures the window at its own size: that of the
    // standard planet's picture in batch mode, frame included.
    const QImage shot = captureWindow(window.get());
    EXPECT_EQ(shot.size(), QSize(760, 926));
}

TEST_F(DoubleSizePictures, WithoutTwinsThePlainPicturesAreShownAsBefore) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const fs::path copy = fs::path(dir.path().toStdString()) / "images";
    fs::copy(DZ_IMAGES_DIR, copy, fs::copy_options::recursive);
    int removed = 0;
    for (const auto& entry : fs::recursive_directory_iterator(copy))
        if (entry.path().stem().string().ends_with("@2x")) removed += fs::remove(entry.path());
    ASSERT_GT(removed, 200);
    // The test program fails on any error report: the window says nothing.
    window->setProgramDir(dir.path());
    window->loadPlanPictures();
    window->loadPanelIcons();
    newPlan(ptStandard);
    const auto [x, y] = findSurface(ftMeadow);
    ASSERT_GE(x, 0);
    const QString images = dir.path() + QStringLiteral("/images/");
    const QPixmap field = pictureAt(x, y)->pixmap();
    EXPECT_EQ(field.devicePixelRatio(), 1.0);
    EXPECT_EQ(rgb(field), firstFrame(images + "m/2/0.gif"));
    FieldPicture* running = build(x, y, bldAreaNear);
    ASSERT_NE(running->movie(), nullptr);
    EXPECT_EQ(running->movieRatio(), 1.0);
    EXPECT_EQ(running->movie()->currentPixmap().size(), QSize(32, 32));
    const QPixmap icon = child<QLabel>(window, "livingSpaceIcon")->pixmap();
    EXPECT_EQ(icon.devicePixelRatio(), 1.0);
    EXPECT_EQ(rgb(icon), firstFrame(images + "bev/max.gif"));
}

// A twin that is no picture, a named pipe or too large is passed over: the
// plain picture is read, the pipe is never opened.
TEST(DoubleSizeFiles, ABrokenOrUnsafeTwinGivesWayToThePlainPicture) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QImage plain = readPicture(QStringLiteral(DZ_IMAGES_DIR "/ab.gif"));
    EXPECT_EQ(doubleSizePath(dir.filePath("m/2/0.gif")), dir.filePath("m/2/0@2x.gif"));
    EXPECT_EQ(doubleSizePath(dir.filePath("a.b/name")), dir.filePath("a.b/name@2x"));

    auto plainOne = [&](const QString& name) {
        const QString path = dir.filePath(name + QStringLiteral(".gif"));
        EXPECT_TRUE(QFile::copy(QStringLiteral(DZ_IMAGES_DIR "/ab.gif"), path));
        return path;
    };
    const QString noPicture = plainOne(QStringLiteral("kaputt"));
    {
        QFile twin(doubleSizePath(noPicture));
        ASSERT_TRUE(twin.open(QIODevice::WriteOnly));
        twin.write("GIF89a, but nothing after it");
    }
    const QString huge = plainOne(QStringLiteral("riesig"));
    {
        QFile twin(doubleSizePath(huge));
        ASSERT_TRUE(twin.open(QIODevice::WriteOnly));
        ASSERT_TRUE(twin.resize(kMaxPictureFileBytes + 1));
    }
    const QString piped = plainOne(QStringLiteral("pipe"));
    const PipeGuard guard(doubleSizePath(piped).toStdString());
    ASSERT_TRUE(guard.made());

    for (const QString& path : {noPicture, huge, piped}) {
        SCOPED_TRACE(path.toStdString());
        const QImage read = readPicture(path, 2.0);
        EXPECT_EQ(read.devicePixelRatio(), 1.0);
        EXPECT_EQ(read, plain);
        PictureCache cache;
        const PictureCache::Picture& picture = cache.get(path, 2.0);
        EXPECT_EQ(picture.devicePixelRatio, 1.0);
        EXPECT_EQ(picture.still.toImage(), QPixmap::fromImage(plain).toImage());
    }
    EXPECT_FALSE(guard.rescued()) << "the pipe was opened";

    // A good twin is read at ratio 2, the plain picture at ratio 1.
    const QString good = plainOne(QStringLiteral("gut"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(DZ_IMAGES_DIR "/ab@2x.gif"), doubleSizePath(good)));
    EXPECT_EQ(readPicture(good, 2.0).size(), QSize(68, 68));
    const QImage atOneAndAHalf = readPicture(good, 1.5);
    EXPECT_EQ(atOneAndAHalf.devicePixelRatio(), 1.5);
    EXPECT_EQ(atOneAndAHalf.size(), QSize(51, 51)) << "the twin shrunk, not the plain one enlarged";
    const QColor side = atOneAndAHalf.pixelColor(0, 25), inside = atOneAndAHalf.pixelColor(25, 25);
    EXPECT_GT(side.green(), 180) << "the green side is kept";
    EXPECT_LT(side.red() + side.blue(), 40);
    EXPECT_EQ(inside, QColor(Qt::black));
    EXPECT_EQ(readPicture(good, 1.0), plain);
}
