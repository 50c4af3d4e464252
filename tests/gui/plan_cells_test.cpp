// The plan view with our real data and picture set: new plans of every planet
// type, field and building pictures, the start-up pictures and icons.
#include <gtest/gtest.h>

#include <QGroupBox>
#include <QImageReader>
#include <QMovie>
#include <QTemporaryDir>
#include <QPainter>
#include <QTest>
#include <algorithm>
#include <filesystem>

#include "core/catalog/catalog_files.h"
#include "core/layout/field_cells.h"
#include "gui/main_window.h"
#include "gui/support/window_fixture.h"
#include "gui/widgets/planet_menu.h"
#include "gui/support/test_support.h"
#include "gui/widgets/qt_text.h"
#include "support/device_node.h"

using namespace dz;
namespace fs = std::filesystem;

namespace {


bool sameImage(const QPixmap& a, const QPixmap& b) { return a.toImage() == b.toImage(); }

// Controls of one kind that are children of `box` and not released.
template <typename T>
QList<T*> livingChildren(QWidget* box) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return box->findChildren<T*>(QString(), Qt::FindDirectChildrenOnly);
}

class PlanViewTest : public WindowFixture {
protected:
    void SetUp() override {
        makeShippedWindow();
    }

};

}  // namespace

TEST_F(PlanViewTest, EveryPlanetTypeShowsOneFrameAndOnePicturePerField) {
    for (int p = 0; p < kPlanetCount; ++p) {
        newPlan(p);
        const InfoPlanet& planet = info.planets[p];
        for (auto [box, height, onSurface] : {std::tuple{child<QGroupBox>(window, "surfaceBox"), planet.surfaceHeight, true},
                                              std::tuple{child<QGroupBox>(window, "orbitBox"), planet.orbitHeight, false}}) {
            const auto pictures = livingChildren<FieldPicture>(box);
            ASSERT_EQ(pictures.size(), planet.width * height) << planet.name << (onSurface ? " surface" : " orbit");
            EXPECT_EQ(livingChildren<QLabel>(box).size(), 2 * planet.width * height) << "frames and pictures";
            for (FieldPicture* picture : pictures) {
                const FieldSelection cell = decodeFieldKey(picture->fieldKey());
                ASSERT_EQ(cell.onSurface, onSurface);
                const Rect r = pictureRect(cell.x, cell.y);
                EXPECT_EQ(picture->geometry(), QRect(r.left, r.top, r.width, r.height));
                const int t = onSurface ? planet.surface[cell.x][cell.y] : planet.orbit[cell.x][cell.y];
                EXPECT_EQ(picture->toolTip(), fromCp1252(info.fields[t].name));
                EXPECT_TRUE(sameImage(picture->pixmap(), window->planCells().fieldPictures().at(t)));
                QLabel* frame = window->planCells().cell(cell.x, cell.y, onSurface)[0];
                EXPECT_TRUE(sameImage(frame->pixmap(), window->planCells().stateFrames().at(4))) << "i.gif";
                const Rect f = frameRect(cell.x, cell.y);
                EXPECT_EQ(frame->geometry(), QRect(f.left, f.top, f.width, f.height));
                EXPECT_TRUE(picture->isVisible());
            }
        }
        EXPECT_EQ(child<QGroupBox>(window, "orbitBox")->isVisible(), planet.orbitHeight > 0) << planet.name;
        EXPECT_EQ(window->statusText(StatusPanel::Buildings), "Fertig");
        EXPECT_TRUE(child<QAction>(window, "saveAction")->isEnabled());
    }
}

TEST_F(PlanViewTest, PicturesLieAboveTheirFrames) {
    newPlan(ptStandard);
    QLabel* frame = window->planCells().cell(2, 1, true)[0];
    FieldPicture* picture = pictureAt(2, 1, true);
    const QPoint centre = picture->geometry().center();
    EXPECT_EQ(child<QGroupBox>(window, "surfaceBox")->childAt(centre), picture);
    EXPECT_EQ(child<QGroupBox>(window, "surfaceBox")->childAt(frame->geometry().topLeft()), frame) << "the border stays the frame's";
}

TEST_F(PlanViewTest, BuildingPictureComesFromTheFolderOfItsFieldType) {
    newPlan(ptStandard);
    const auto [mx, my] = findSurface(ftMeadow);
    const auto [ix, iy] = findSurface(3);  // Eis
    ASSERT_GE(mx, 0);
    ASSERT_GE(ix, 0);
    // The small shield generator is animated; it stands on meadow and on ice.
    for (auto [x, y] : {std::pair{mx, my}, std::pair{ix, iy}}) {
        Field& f = plan.current.surface[x][y];
        f.building = bldAreaNear;
        f.built = true;
        f.inOperation = true;
        f.coverNear = 1;
        window->showBuilding(x, y, bldAreaNear, true);
        FieldPicture* picture = pictureAt(x, y, true);
        const QString folder = f.fieldType == ftMeadow ? "/images/m/2/" : "/images/m/4/";
        EXPECT_TRUE(picture->source().endsWith(folder + fromCp1252(info.buildings[bldAreaNear].imageDir) + "/0.gif"))
            << picture->source().toStdString();
        ASSERT_NE(picture->movie(), nullptr) << "animated pictures run on the surface";
        EXPECT_GT(picture->movie()->frameCount(), 1);
        EXPECT_EQ(picture->toolTip(), fromCp1252(info.buildings[bldAreaNear].name));
        EXPECT_TRUE(sameImage(window->planCells().cell(x, y, true)[0]->pixmap(), window->planCells().stateFrames().at(2))) << "as.gif";
    }
}

TEST_F(PlanViewTest, RunningPicturesGreyOutWithTheDisabledWindow) {
    newPlan(ptStandard);
    const auto [x, y] = findSurface(ftMeadow);
    Field& f = plan.current.surface[x][y];
    f.building = bldAreaNear;  // animated
    f.built = true;
    f.inOperation = true;
    window->showBuilding(x, y, bldAreaNear, true);
    FieldPicture* picture = pictureAt(x, y, true);
    ASSERT_NE(picture->movie(), nullptr);
    // Pixels whose colour channels differ clearly: there are none in grey.
    auto colouredPixels = [picture] {
        const QImage image = picture->grab().toImage();
        int coloured = 0;
        for (int py = 0; py < image.height(); ++py)
            for (int px = 0; px < image.width(); ++px) {
                const QColor c = image.pixelColor(px, py);
                coloured += std::max({c.red(), c.green(), c.blue()}) - std::min({c.red(), c.green(), c.blue()}) > 24;
            }
        return coloured;
    };
    EXPECT_GT(colouredPixels(), 100);
    window->setEnabled(false);  // as while the about box is open
    EXPECT_EQ(colouredPixels(), 0);
    window->setEnabled(true);
    EXPECT_GT(colouredPixels(), 100);
}

TEST_F(PlanViewTest, StillBuildingPicturesAreShownAsTheyAre) {
    newPlan(ptStandard);
    const auto [x, y] = findSurface(ftMeadow);
    Field& f = plan.current.surface[x][y];
    f.building = bldHousingCore;
    f.built = true;
    window->showBuilding(x, y, bldHousingCore, true);
    FieldPicture* picture = pictureAt(x, y, true);
    const QImage expected(builtProgramDir() + "/images/m/2/" + fromCp1252(info.buildings[bldHousingCore].imageDir) + "/0.gif");
    ASSERT_FALSE(expected.isNull());
    EXPECT_EQ(picture->pixmap().toImage().convertToFormat(QImage::Format_RGB32),
              expected.convertToFormat(QImage::Format_RGB32));
    // Back to the plain field: no building picture is left behind.
    window->showField(x, y, ftMeadow, true);
    EXPECT_TRUE(picture->source().isEmpty());
    EXPECT_EQ(picture->movie(), nullptr);
    EXPECT_TRUE(sameImage(picture->pixmap(), window->planCells().fieldPictures().at(ftMeadow)));
}

TEST_F(PlanViewTest, OrbitBuildingsAreStillPictures) {
    newPlan(ptStandard);
    Field& f = plan.current.orbit[1][0];
    f.building = bldPlanetYieldA;
    f.built = true;
    f.inOperation = false;
    window->showBuilding(1, 0, bldPlanetYieldA, false);
    FieldPicture* picture = pictureAt(1, 0, false);
    EXPECT_EQ(picture->movie(), nullptr);
    const QImage expected(builtProgramDir() + "/images/m/1/" + fromCp1252(info.buildings[bldPlanetYieldA].imageDir) + "/0.gif");
    EXPECT_EQ(picture->pixmap().toImage().convertToFormat(QImage::Format_RGB32),
              expected.convertToFormat(QImage::Format_RGB32));
    EXPECT_TRUE(sameImage(window->planCells().cell(1, 0, false)[0]->pixmap(), window->planCells().stateFrames().at(4)));
}

TEST_F(PlanViewTest, MissingBuildingPictureLeavesTheCellAsItWas) {
    newPlan(ptStandard);
    const auto [x, y] = findSurface(ftMeadow);
    const Cell before = window->planCells().cell(x, y, true);
    info.buildings[3].imageDir = "gibt_es_nicht";
    plan.current.surface[x][y].building = 3;
    try {
        window->showBuilding(x, y, 3, true);
        FAIL() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("gibt_es_nicht/0.gif"), std::string::npos) << e.what();
    }
    EXPECT_EQ(window->planCells().cell(x, y, true), before);
    EXPECT_TRUE(before[1]->isVisible());
}

TEST_F(PlanViewTest, ShowingACellTwiceLeavesOneFrameAndOnePicture) {
    newPlan(ptSmallAsteroids);
    window->showField(2, 1, ftCrater, true);
    window->showField(2, 1, ftMeadow, true);
    int pictures = 0, frames = 0;
    for (QLabel* label : livingChildren<QLabel>(child<QGroupBox>(window, "surfaceBox"))) {
        if (!label->isVisible()) continue;
        pictures += label->geometry() == QRect(85, 55, 32, 32);
        frames += label->geometry() == QRect(84, 54, 34, 34);
    }
    EXPECT_EQ(pictures, 1);
    EXPECT_EQ(frames, 1);
    EXPECT_EQ(pictureAt(2, 1, true)->toolTip(), "Wiese") << "the argument's field type, not the plan's";
}

TEST_F(PlanViewTest, NoControlOfALargerPlanSurvivesASmallerOne) {
    newPlan(ptTemperate);
    newPlan(ptSmallAsteroids);
    const InfoPlanet& small = info.planets[ptSmallAsteroids];
    EXPECT_EQ(livingChildren<QLabel>(child<QGroupBox>(window, "surfaceBox")).size(), 2 * small.width * small.surfaceHeight);
    EXPECT_TRUE(livingChildren<QLabel>(child<QGroupBox>(window, "orbitBox")).isEmpty());
    // Many plans later the controls are still only those of the plan shown.
    for (int i = 0; i < 30; ++i) newPlan(i % kPlanetCount);
    const InfoPlanet& last = info.planets[29 % kPlanetCount];
    EXPECT_EQ(livingChildren<QLabel>(child<QGroupBox>(window, "surfaceBox")).size(), 2 * last.width * last.surfaceHeight);
}

TEST_F(PlanViewTest, RightButtonSelectsTheFieldOtherButtonsDoNot) {
    newPlan(ptStandard);
    QTest::mouseClick(pictureAt(4, 1, false), Qt::RightButton);
    EXPECT_EQ(plan.selected, (FieldSelection{4, 1, false}));
    QTest::mouseClick(pictureAt(3, 7, true), Qt::LeftButton);
    QTest::mouseClick(pictureAt(3, 7, true), Qt::MiddleButton);
    EXPECT_EQ(plan.selected, (FieldSelection{4, 1, false}));
    QTest::mouseClick(pictureAt(3, 7, true), Qt::RightButton);
    EXPECT_EQ(plan.selected, (FieldSelection{3, 7, true}));
}

TEST_F(PlanViewTest, ImageListsHoldTheStartUpPictures) {
    EXPECT_EQ(window->planCells().planetIcons().count(), 10);
    EXPECT_EQ(window->planCells().fieldPictures().count(), 15);
    EXPECT_EQ(window->planCells().stateFrames().count(), 8);
    EXPECT_EQ(window->planCells().planetIcons().at(0).size(), QSize(16, 16));
    EXPECT_EQ(window->planCells().stateFrames().at(7).size(), QSize(34, 34));
    const QImage frame(builtProgramDir() + "/images/ab.gif");
    EXPECT_EQ(window->planCells().stateFrames().at(1).toImage().convertToFormat(QImage::Format_RGB32),
              frame.convertToFormat(QImage::Format_RGB32));
    for (QAction* entry : child<PlanetMenu>(window, "newPlanMenu")->entries()) EXPECT_FALSE(entry->icon().isNull()) << entry->text().toStdString();
}

TEST_F(PlanViewTest, PanelIconsStandBesideTheirRows) {
    const std::tuple<QLabel*, QWidget*, QPoint> people[] = {
        {child<QLabel>(window, "livingSpaceIcon"), child<QGroupBox>(window, "personnelBox"), {16, 77}},     {child<QLabel>(window, "populationLimitIcon"), child<QGroupBox>(window, "personnelBox"), {30, 53}},
        {child<QLabel>(window, "workersIcon"), child<QGroupBox>(window, "personnelBox"), {16, 101}},    {child<QLabel>(window, "unemployedIcon"), child<QGroupBox>(window, "personnelBox"), {16, 125}},
        {child<QLabel>(window, "ecoGuardsIcon"), child<QGroupBox>(window, "personnelBox"), {16, 149}},    {child<QLabel>(window, "holodeckIcon"), child<QGroupBox>(window, "personnelBox"), {16, 172}},
        {child<QLabel>(window, "scientistsIcon"), child<QGroupBox>(window, "personnelBox"), {16, 196}},   {child<QLabel>(window, "soldiersIcon"), child<QGroupBox>(window, "personnelBox"), {16, 220}},
        {child<QLabel>(window, "storageIcon"), child<QGroupBox>(window, "productionBox"), {10, 24}},       {child<QLabel>(window, "epsIcon"), child<QGroupBox>(window, "productionBox"), {10, 40}},
    };
    for (auto [icon, box, position] : people) {
        EXPECT_EQ(icon->parentWidget(), box) << icon->objectName().toStdString();
        EXPECT_EQ(icon->pos(), position) << icon->objectName().toStdString();
        EXPECT_FALSE(icon->pixmap().isNull());
    }
    EXPECT_EQ(child<QLabel>(window, "livingSpaceIcon")->size(), child<QLabel>(window, "livingSpaceIcon")->pixmap().size()) << "people icons take their picture's size";
    EXPECT_EQ(child<QLabel>(window, "storageIcon")->size(), QSize(17, 17));

    ASSERT_EQ(window->resultPanels().resourceIcons().rows.size(), 17u);
    for (int r = 0; r < kResourceCount; ++r) {
        QLabel* tick = window->resultPanels().resourceIcons().rows[r][0];
        QLabel* cost = window->resultPanels().resourceIcons().rows[r][1];
        ASSERT_TRUE(tick && cost);
        EXPECT_EQ(tick->parentWidget(), child<QGroupBox>(window, "productionBox"));
        EXPECT_EQ(tick->geometry(), QRect(10, 64 + 16 * r, 16, 16));
        EXPECT_EQ(cost->parentWidget(), child<QGroupBox>(window, "costBox"));
        EXPECT_EQ(cost->geometry(), QRect(10, 48 + 16 * r, 16, 16));
        EXPECT_TRUE(sameImage(tick->pixmap(), cost->pixmap())) << "resource " << r;
    }
    EXPECT_EQ(window->resultPanels().resourceIcons().rows[16][0], nullptr) << "no credits row in the production panel";
    ASSERT_NE(window->resultPanels().resourceIcons().rows[16][1], nullptr);
    EXPECT_EQ(window->resultPanels().resourceIcons().rows[16][1]->geometry(), QRect(10, 304, 16, 16));
}

// Start-up over a copy of the picture set whose state frame is.gif is gone
// (the test may put something else in its place).
class DamagedPictureSet : public WindowFixture {
protected:
    void SetUp() override {
        const std::string test = testing::UnitTest::GetInstance()->current_test_info()->name();
        dir = fs::temp_directory_path() / ("dz_pictures_" + test);
        fs::remove_all(dir);
        fs::create_directories(dir);
        fs::copy(DZ_IMAGES_DIR, dir / "images", fs::copy_options::recursive);
        fs::remove(dir / "images" / "is.gif");
        loadCatalog(info, DZ_DATA_DIR);
        makeWindow();
        window->setProgramDir(QString::fromStdString(dir.string()));
    }
    void TearDown() override {
        WindowFixture::TearDown();
        fs::remove_all(dir);
    }
    fs::path dir;
};

TEST_F(DamagedPictureSet, StartUpStopsAtTheFirstMissingPicture) {
    MainWindow& window = *this->window;
    try {
        window.finishStartup();
        FAIL() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("is.gif"), std::string::npos) << e.what();
    }
    EXPECT_EQ(window.planCells().planetIcons().count(), 10);
    EXPECT_EQ(window.planCells().fieldPictures().count(), 15);
    EXPECT_EQ(window.planCells().stateFrames().count(), 6) << "a.gif to ib.gif";
    EXPECT_EQ(child<QLabel>(window, "soldiersIcon")->pixmap().size(), QSize(7, 15)) << "the placeholder stays";
    EXPECT_TRUE(window.resultPanels().resourceIcons().rows.empty());

    // A plan can still be made; cells without a frame picture stay empty.
    child<PlanetMenu>(window, "newPlanMenu")->entries()[ptSmallAsteroids]->trigger();
    EXPECT_FALSE(window.planCells().cell(0, 0, true)[1]->pixmap().isNull());
}

TEST(PictureLoading, PicturesAreCutOrExtendedNeverScaled) {
    QImage big(40, 40, QImage::Format_RGB32);
    big.fill(Qt::blue);
    QPainter(&big).fillRect(0, 0, 16, 16, Qt::red);
    const QImage cut = cutOrExtend(big, 16);
    EXPECT_EQ(cut.size(), QSize(16, 16));
    EXPECT_EQ(cut.pixelColor(15, 15), QColor(Qt::red)) << "the top left corner, unscaled";

    QImage small(10, 10, QImage::Format_RGB32);
    small.fill(Qt::green);
    const fs::path file = fs::temp_directory_path() / "dz_small_picture.png";
    ASSERT_TRUE(small.save(QString::fromStdString(file.string())));
    ImageList list(32);
    addToImageList(QString::fromStdString(file.string()), list);
    ASSERT_EQ(list.count(), 1);
    const QImage entry = list.at(0).toImage();
    EXPECT_EQ(entry.size(), QSize(32, 32));
    EXPECT_EQ(entry.pixelColor(9, 9), QColor(Qt::green));
    EXPECT_EQ(entry.pixelColor(10, 10), QColor(Qt::black));
    EXPECT_EQ(entry.pixelColor(31, 0), QColor(Qt::black));

    EXPECT_THROW(addToImageList(QStringLiteral("/nonexistent/x.gif"), list), std::runtime_error);
    EXPECT_EQ(list.count(), 1) << "unchanged after a failure";
    fs::remove(file);
}

namespace {

// The message of what `read` throws, or "<no error>".
template <typename Read>
std::string thrown(Read read) {
    try {
        read();
    } catch (const std::runtime_error& e) {
        return e.what();
    }
    return "<no error>";
}

std::string unreadable(const QString& path, const char* reason) {
    return "Bild kann nicht gelesen werden: " + path.toStdString() + " (" + reason + ")";
}

}  // namespace

TEST(PictureFiles, OnlyARegularFileOfPictureSizeIsOpened) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString real = QStringLiteral(DZ_IMAGES_DIR "/ab.gif");
    auto readBoth = [](const QString& path) {
        const std::string byReader = thrown([&] { readPicture(path); });
        PictureCache cache;
        EXPECT_EQ(thrown([&] { cache.get(path); }), byReader) << "the cache checks the same way";
        EXPECT_EQ(cache.size(), 0);
        return byReader;
    };

    // A named pipe would keep the reader waiting for a writer forever.
    const QString pipe = dir.filePath("pipe.gif");
    const PipeGuard guard(pipe.toStdString());
    ASSERT_TRUE(guard.made());
    EXPECT_EQ(readBoth(pipe), unreadable(pipe, "keine normale Datei"));
    const QString linkToPipe = dir.filePath("zur_pipe.gif");
    ASSERT_TRUE(QFile::link(pipe, linkToPipe));
    EXPECT_EQ(readBoth(linkToPipe), unreadable(linkToPipe, "keine normale Datei"));
    EXPECT_FALSE(guard.rescued()) << "the pipe was opened";

    const QString folder = dir.filePath("ordner.gif");
    ASSERT_TRUE(QDir().mkdir(folder));
    EXPECT_EQ(readBoth(folder), unreadable(folder, "keine normale Datei"));
    const QString zero = dir.filePath("null.gif");
    ASSERT_TRUE(makeDevice(zero.toStdString(), kZeroDevice)) << "making a device node needs root";
    EXPECT_EQ(readBoth(zero), unreadable(zero, "keine normale Datei"));

    // Larger than any picture: refused unread. At the limit it is read, and Qt says what is wrong with it.
    const QString big = dir.filePath("gross.gif");
    const QString atTheLimit = dir.filePath("grenze.gif");
    for (auto [file, size] : {std::pair{big, kMaxPictureFileBytes + 1}, std::pair{atTheLimit, kMaxPictureFileBytes}}) {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        ASSERT_TRUE(out.resize(size));
    }
    EXPECT_EQ(readBoth(big), unreadable(big, "Datei zu groß"));
    QImageReader atTheLimitReader(atTheLimit);
    ASSERT_TRUE(atTheLimitReader.read().isNull());
    EXPECT_EQ(thrown([&] { readPicture(atTheLimit); }),
              unreadable(atTheLimit, atTheLimitReader.errorString().toUtf8().constData()));

    // What does not exist keeps the reader's own reason.
    const QString missing = dir.filePath("fehlt.gif");
    QImageReader missingReader(missing);
    ASSERT_TRUE(missingReader.read().isNull());
    EXPECT_EQ(thrown([&] { readPicture(missing); }),
              unreadable(missing, missingReader.errorString().toUtf8().constData()));

    // A symbolic link to a picture is read as the picture.
    const QString link = dir.filePath("verweis.gif");
    ASSERT_TRUE(QFile::link(real, link));
    EXPECT_EQ(readPicture(link), readPicture(real));
    PictureCache cache;
    EXPECT_EQ(cache.get(link).still.toImage(), QPixmap::fromImage(readPicture(real)).toImage());
}

TEST_F(DamagedPictureSet, StartUpWithAPipeForAPictureStopsNamingIt) {
    const PipeGuard guard((dir / "images" / "is.gif").string());
    ASSERT_TRUE(guard.made());
    MainWindow& window = *this->window;
    EXPECT_EQ(thrown([&] { window.finishStartup(); }),
              unreadable(QString::fromStdString((dir / "images" / "is.gif").string()), "keine normale Datei"));
    EXPECT_FALSE(guard.rescued()) << "start-up waited at the pipe";
    EXPECT_EQ(window.planCells().stateFrames().count(), 6) << "a.gif to ib.gif";
}

TEST(PictureNames, ARecordWithoutAPictureIsNamedWithItsDataFile) {
    Info catalog;
    loadCatalog(catalog, DZ_DATA_DIR);
    // The window of a catalog with one picture name emptied; `step` is what then fails.
    auto messageOf = [&](auto emptyName, auto step) {
        Info info = catalog;
        emptyName(info);
        ActPlan plan;
        ProgramState state;
        MainWindow window(info, plan, state, RunMode::Interactive);
        child<QTimer>(window, "startupTimer")->stop();
        window.setProgramDir(builtProgramDir());
        return thrown([&] { step(window); });
    };
    auto startUp = [](MainWindow& window) { window.finishStartup(); };

    EXPECT_EQ(messageOf([](Info& info) { info.planets[3].image.clear(); }, startUp),
              "planets.kpl: Planet 3 (Lavaplanet) nennt kein Bild.");
    EXPECT_EQ(messageOf([](Info& info) { info.fields[3].imageDir.clear(); }, startUp),
              "Feldtyp 3 (Eis) nennt keinen Bildordner.");
    EXPECT_EQ(messageOf([](Info& info) { info.resourceTypes[5].image.clear(); }, startUp),
              "ressources.kpl: Ressource 5 (Naniten) nennt kein Bild.");
    // A building's picture is read when the building is shown.
    const std::string building = messageOf([](Info& info) { info.buildings[17].imageDir.clear(); },
                                           [](MainWindow& window) {
                                               window.finishStartup();
                                               window.newPlan(ptStandard);
                                               window.showBuilding(0, 0, 17, true);
                                           });
    EXPECT_EQ(building, "buildings.kpl: Gebäude 17 (Metallhütte) nennt keinen Bildordner.");
}
