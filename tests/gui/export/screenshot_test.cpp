#include "gui/export/screenshot.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <set>
#include <vector>

#include "core/layout/window_layout.h"

using namespace dz;

namespace {

// --- reading a JPEG file's markers -------------------------------------------

struct Segment {
    int marker = 0;            // second byte of the marker, e.g. 0xC0 for SOF0
    QByteArray payload;        // the bytes after the length field
};

struct JpegMarkers {
    bool startOfImage = false;
    std::vector<Segment> segments;  // up to and including the start of scan

    const Segment* find(int marker) const {
        for (const Segment& s : segments)
            if (s.marker == marker) return &s;
        return nullptr;
    }
    int count(int marker) const {
        int n = 0;
        for (const Segment& s : segments) n += s.marker == marker;
        return n;
    }
};

int byteAt(const QByteArray& bytes, qsizetype i) { return static_cast<unsigned char>(bytes.at(i)); }

int word(const QByteArray& bytes, qsizetype i) { return byteAt(bytes, i) << 8 | byteAt(bytes, i + 1); }

JpegMarkers readMarkers(const QByteArray& bytes) {
    JpegMarkers markers;
    if (bytes.size() < 4) return markers;
    markers.startOfImage = byteAt(bytes, 0) == 0xFF && byteAt(bytes, 1) == 0xD8;
    qsizetype i = 2;
    while (i + 4 <= bytes.size() && byteAt(bytes, i) == 0xFF) {
        const int marker = byteAt(bytes, i + 1);
        const int length = word(bytes, i + 2);
        if (length < 2 || i + 2 + length > bytes.size()) break;
        markers.segments.push_back(Segment{marker, bytes.mid(i + 4, length - 2)});
        if (marker == 0xDA) break;  // entropy-coded data follows
        i += 2 + length;
    }
    return markers;
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QStringList entriesOf(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

bool near(QColor a, QColor b, int tolerance) {
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

// --- a small main window -------------------------------------------------------

const QColor kClientColour(30, 140, 60);
const QSize kWindowSize(300, 200);
const QSize kOuterSize(300 + 8, 200 + 31);

class ScreenshotWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        window = std::make_unique<QMainWindow>();
        window->setWindowTitle(QStringLiteral("Testfenster – Screenshot"));
        window->menuBar()->addMenu(QStringLiteral("Datei"));
        window->menuBar()->addMenu(QStringLiteral("Hilfe"));
        window->statusBar()->showMessage(QStringLiteral("Fertig"));
        central = new QWidget(window.get());
        central->setAutoFillBackground(true);
        setColour(central, kClientColour);
        window->setCentralWidget(central);
        window->setFixedSize(kWindowSize);
        window->show();
    }

    static void setColour(QWidget* widget, QColor colour) {
        QPalette palette = widget->palette();
        palette.setColor(QPalette::Window, colour);
        widget->setPalette(palette);
    }

    // A point well inside the central widget, in outer coordinates.
    QPoint clientMiddle() const {
        const QPoint inWindow = central->mapTo(window.get(), central->rect().center());
        return inWindow + QPoint(FrameMetrics::border, FrameMetrics::border + FrameMetrics::caption);
    }

    QString path(const QString& name) const { return folder.filePath(name); }

    QTemporaryDir folder;
    std::unique_ptr<QMainWindow> window;
    QWidget* central = nullptr;
};

}  // namespace

// --- the file name -------------------------------------------------------------

TEST(ScreenshotName, DotJpegIsKeptEverythingElseGetsItAppended) {
    EXPECT_EQ(screenshotTarget("a"), "a.jpeg");
    EXPECT_EQ(screenshotTarget("a.jpeg"), "a.jpeg");
    EXPECT_EQ(screenshotTarget("a.jpg"), "a.jpg.jpeg");
    EXPECT_EQ(screenshotTarget("a.JPEG"), "a.JPEG.jpeg") << "the extension is compared case-sensitively";
    EXPECT_EQ(screenshotTarget("a.jpeg.txt"), "a.jpeg.txt.jpeg");
    EXPECT_EQ(screenshotTarget("plan.kpls"), "plan.kpls.jpeg");
    EXPECT_EQ(screenshotTarget("/tmp/bilder/kolonie.jpeg"), "/tmp/bilder/kolonie.jpeg");
}

TEST(ScreenshotName, OnlyTheLastPathComponentCounts) {
    EXPECT_EQ(screenshotTarget("dir.x/plan"), "dir.x/plan.jpeg");
    EXPECT_EQ(screenshotTarget("dir.jpeg/plan"), "dir.jpeg/plan.jpeg");
    EXPECT_EQ(screenshotTarget("dir.jpeg/"), "dir.jpeg/.jpeg");
}

TEST(ScreenshotMessages, TextsForTheUser) {
    EXPECT_EQ(screenshotSavedText(), "Screenshot konnte erfolgreich gespeichert werden!");
    EXPECT_EQ(screenshotFailedText("kolonie"), "Screenshot konnte nicht gespeichert werden! (kolonie)");
    EXPECT_EQ(screenshotFailedText("50%1 x"), "Screenshot konnte nicht gespeichert werden! (50%1 x)");
    EXPECT_EQ(screenshotCancelledText(), "Screenshot konnte nicht gespeichert werden!");
}

// --- the captured picture ------------------------------------------------------

TEST_F(ScreenshotWindowTest, CaptureHasTheOuterSizeWithoutAlpha) {
    const QImage image = captureWindow(window.get());
    EXPECT_EQ(image.size(), kOuterSize);
    EXPECT_FALSE(image.hasAlphaChannel());
}

TEST_F(ScreenshotWindowTest, ClientAreaIsTheWindowsOwnRenderingBelowCaptionAndBorder) {
    const QImage image = captureWindow(window.get()).convertToFormat(QImage::Format_RGB32);
    const QImage client = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(client.size(), kWindowSize);
    EXPECT_EQ(image.copy(QRect(QPoint(FrameMetrics::border, FrameMetrics::border + FrameMetrics::caption), kWindowSize)),
              client);
    EXPECT_EQ(image.pixelColor(clientMiddle()), kClientColour);
}

TEST_F(ScreenshotWindowTest, CaptionBarAndFrameSurroundTheClientArea) {
    const QImage image = captureWindow(window.get()).convertToFormat(QImage::Format_RGB32);
    // Caption bar: inside the top border, 23 rows high, not the client's colour
    // and with something drawn on it (title, buttons).
    std::set<QRgb> captionColours;
    for (int y = FrameMetrics::border; y < FrameMetrics::border + FrameMetrics::caption; ++y)
        for (int x = FrameMetrics::border; x < kOuterSize.width() - FrameMetrics::border; ++x) {
            ASSERT_NE(image.pixelColor(x, y), kClientColour) << x << "," << y;
            captionColours.insert(image.pixel(x, y));
        }
    EXPECT_GT(captionColours.size(), 2u);
    // The border on all four sides.
    for (int i = 0; i < FrameMetrics::border; ++i) {
        EXPECT_NE(image.pixelColor(kOuterSize.width() / 2, i), kClientColour);
        EXPECT_NE(image.pixelColor(kOuterSize.width() / 2, kOuterSize.height() - 1 - i), kClientColour);
        EXPECT_NE(image.pixelColor(i, kOuterSize.height() / 2), kClientColour);
        EXPECT_NE(image.pixelColor(kOuterSize.width() - 1 - i, kOuterSize.height() / 2), kClientColour);
    }
}

TEST_F(ScreenshotWindowTest, CaptionShowsTheWindowTitle) {
    const QImage titled = captureWindow(window.get());
    window->setWindowTitle(QString());
    const QImage untitled = captureWindow(window.get());
    const QRect caption(FrameMetrics::border, FrameMetrics::border, kOuterSize.width() - 2 * FrameMetrics::border,
                        FrameMetrics::caption);
    EXPECT_NE(titled.copy(caption), untitled.copy(caption));
    const QRect below(0, FrameMetrics::border + FrameMetrics::caption, kOuterSize.width(),
                      kOuterSize.height() - FrameMetrics::border - FrameMetrics::caption);
    EXPECT_EQ(titled.copy(below), untitled.copy(below)) << "the title changes nothing else";
}

TEST_F(ScreenshotWindowTest, ChangesMadeJustBeforeAreCaptured) {
    // A widget added to a shown window appears and is laid out only when the
    // queued events have been handled; the capture must not show the state
    // before.
    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* loaded = new QWidget(central);
    loaded->setAutoFillBackground(true);
    setColour(loaded, QColor(200, 30, 30));
    layout->addWidget(loaded);
    const QImage image = captureWindow(window.get());
    EXPECT_EQ(image.pixelColor(clientMiddle()), QColor(200, 30, 30));
}

TEST_F(ScreenshotWindowTest, HiddenWindowIsCapturedInItsLayout) {
    window->hide();
    window->setFixedSize(320, 180);
    const QImage image = captureWindow(window.get());
    EXPECT_EQ(image.size(), QSize(320 + 8, 180 + 31));
    EXPECT_EQ(image.pixelColor(clientMiddle()), kClientColour);
}

// --- the JPEG file -------------------------------------------------------------

TEST_F(ScreenshotWindowTest, JpegIsBaselineTrueColourOfTheOuterSize) {
    const QString file = path("fenster.jpeg");
    QString error;
    ASSERT_TRUE(writeJpeg(captureWindow(window.get()), file, &error)) << error.toStdString();
    const JpegMarkers markers = readMarkers(fileBytes(file));
    EXPECT_TRUE(markers.startOfImage);
    ASSERT_EQ(markers.count(0xC0), 1) << "one baseline frame (SOF0)";
    EXPECT_EQ(markers.count(0xC2), 0) << "not progressive (SOF2)";
    EXPECT_EQ(markers.count(0xC1), 0);
    EXPECT_EQ(markers.count(0xDA), 1) << "a single scan";
    const QByteArray& frame = markers.find(0xC0)->payload;
    ASSERT_GE(frame.size(), 6);
    EXPECT_EQ(byteAt(frame, 0), 8) << "8 bits per sample";
    EXPECT_EQ(word(frame, 1), kOuterSize.height());
    EXPECT_EQ(word(frame, 3), kOuterSize.width());
    EXPECT_EQ(byteAt(frame, 5), 3) << "three components: 24-bit colour";
}

TEST_F(ScreenshotWindowTest, JpegReadsBackAsTheWindow) {
    const QString file = path("fenster.jpeg");
    ASSERT_TRUE(writeJpeg(captureWindow(window.get()), file));
    const QImage read(file);
    ASSERT_FALSE(read.isNull());
    EXPECT_EQ(read.size(), kOuterSize);
    EXPECT_FALSE(read.isGrayscale());
    EXPECT_TRUE(near(read.pixelColor(clientMiddle()), kClientColour, 6))
        << read.pixelColor(clientMiddle()).name().toStdString();
    EXPECT_FALSE(near(read.pixelColor(kOuterSize.width() / 2, FrameMetrics::border + 3), kClientColour, 40))
        << "the top rows are the caption bar";
}

TEST(ScreenshotJpeg, QuantisationIsLibjpegsStandardTableAtQuality90) {
    // libjpeg's luminance table (natural order) and the zig-zag order in which
    // a DQT segment lists it.
    constexpr std::array<int, 64> luminance{
        16, 11, 10, 16, 24,  40,  51,  61,  12, 12, 14, 19, 26,  58,  60,  55,   //
        14, 13, 16, 24, 40,  57,  69,  56,  14, 17, 22, 29, 51,  87,  80,  62,   //
        18, 22, 37, 56, 68,  109, 103, 77,  24, 35, 55, 64, 81,  104, 113, 92,   //
        49, 64, 78, 87, 103, 121, 120, 101, 72, 92, 95, 98, 112, 100, 103, 99};
    constexpr std::array<int, 64> zigzag{0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,
                                         12, 19, 26, 33, 40, 48, 41, 34, 27, 20, 13, 6,  7,  14, 21, 28,
                                         35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23, 30, 37, 44, 51,
                                         58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(QColor(120, 80, 200));
    const QString file = folder.filePath("q.jpeg");
    ASSERT_TRUE(writeJpeg(image, file));
    const JpegMarkers markers = readMarkers(fileBytes(file));
    const Segment* dqt = markers.find(0xDB);
    ASSERT_NE(dqt, nullptr);
    ASSERT_GE(dqt->payload.size(), 65);
    EXPECT_EQ(byteAt(dqt->payload, 0), 0x00) << "8-bit table number 0: luminance";
    EXPECT_EQ(byteAt(dqt->payload, 1), 3) << "16 at quality 90: (16 * 20 + 50) / 100";
    for (int k = 0; k < 64; ++k) {
        const int expected = std::clamp((luminance[zigzag[k]] * 20 + 50) / 100, 1, 255);
        EXPECT_EQ(byteAt(dqt->payload, 1 + k), expected) << "entry " << k;
    }
}

TEST(ScreenshotJpeg, RowsOfOddWidthAreNotSkewed) {
    // 3 bytes per pixel: a row of 37 pixels is padded in the QImage.
    QImage image(37, 20, QImage::Format_RGB888);
    image.fill(Qt::white);
    for (int y = 0; y < image.height(); ++y) image.setPixelColor(5, y, Qt::black);
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString file = folder.filePath("schmal.jpeg");
    ASSERT_TRUE(writeJpeg(image, file));
    const QImage read(file);
    ASSERT_EQ(read.size(), image.size());
    for (int y = 0; y < read.height(); ++y) {
        EXPECT_LT(read.pixelColor(5, y).lightness(), 60) << "row " << y;
        EXPECT_GT(read.pixelColor(30, y).lightness(), 200) << "row " << y;
    }
}

TEST(ScreenshotJpeg, PictureTheEncoderRefusesFailsWithAReason) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QString error;
    EXPECT_FALSE(writeJpeg(QImage(), folder.filePath("leer.jpeg"), &error));
    EXPECT_TRUE(error.contains("JPEG")) << error.toStdString();
    // Wider than any JPEG can be (65500 pixels).
    error.clear();
    QImage wide(65501, 1, QImage::Format_RGB888);
    wide.fill(Qt::gray);
    EXPECT_FALSE(writeJpeg(wide, folder.filePath("breit.jpeg"), &error));
    EXPECT_TRUE(error.contains("JPEG")) << error.toStdString();
    EXPECT_TRUE(entriesOf(folder.path()).isEmpty()) << entriesOf(folder.path()).join(", ").toStdString();
}

// --- writing the file safely ---------------------------------------------------

TEST(ScreenshotFile, MissingFolderFailsAndCreatesNothing) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QString error;
    EXPECT_FALSE(writeJpeg(image, folder.filePath("fehlt/bild.jpeg"), &error));
    EXPECT_TRUE(error.contains("existiert nicht")) << error.toStdString();
    EXPECT_TRUE(entriesOf(folder.path()).isEmpty());
}

TEST(ScreenshotFile, ExistingFileIsReplacedWithoutLeftovers) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString file = folder.filePath("bild.jpeg");
    ASSERT_TRUE(writeBytes(file, "alter Inhalt"));
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QString error;
    ASSERT_TRUE(writeJpeg(image, file, &error)) << error.toStdString();
    EXPECT_EQ(QImage(file).size(), QSize(16, 16));
    EXPECT_EQ(entriesOf(folder.path()), QStringList{"bild.jpeg"}) << "no temporary file remains";
}

TEST(ScreenshotFile, FailedEncodingLeavesTheExistingFileAsItWas) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString file = folder.filePath("bild.jpeg");
    ASSERT_TRUE(writeBytes(file, "alter Inhalt"));
    EXPECT_FALSE(writeJpeg(QImage(65501, 1, QImage::Format_RGB888), file));
    EXPECT_EQ(fileBytes(file), "alter Inhalt");
    EXPECT_EQ(entriesOf(folder.path()), QStringList{"bild.jpeg"});
}

TEST(ScreenshotFile, WriteProtectedFileIsNotReplaced) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString file = folder.filePath("bild.jpeg");
    ASSERT_TRUE(writeBytes(file, "alter Inhalt"));
    ASSERT_TRUE(QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadUser));
    if (::access(QFile::encodeName(file).constData(), W_OK) == 0)
        GTEST_SKIP() << "permissions do not apply to this user (root)";

    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QString error;
    EXPECT_FALSE(writeJpeg(image, file, &error)) << "renaming over it would work: the file itself says no";
    EXPECT_TRUE(error.contains("schreibgeschützt")) << error.toStdString();
    EXPECT_EQ(fileBytes(file), "alter Inhalt");
    EXPECT_EQ(entriesOf(folder.path()), QStringList{"bild.jpeg"});
}

TEST(ScreenshotFile, WriteProtectedFolderFails) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    ASSERT_TRUE(QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::ExeOwner | QFile::ReadUser |
                                                         QFile::ExeUser));
    struct Restore {
        QString folder;
        ~Restore() { QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner); }
    } restore{folder.path()};
    if (::access(QFile::encodeName(folder.path()).constData(), W_OK) == 0)
        GTEST_SKIP() << "permissions do not apply to this user (root)";

    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QString error;
    EXPECT_FALSE(writeJpeg(image, folder.filePath("neu.jpeg"), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(entriesOf(folder.path()).isEmpty());
}

// --- the whole command ---------------------------------------------------------

TEST_F(ScreenshotWindowTest, SaveAppendsTheExtensionAndReportsSaved) {
    EXPECT_EQ(saveScreenshot(window.get(), path("kolonie")), ScreenshotResult::Saved);
    EXPECT_EQ(saveScreenshot(window.get(), path("plan.jpeg")), ScreenshotResult::Saved);
    EXPECT_EQ(saveScreenshot(window.get(), path("plan.jpg")), ScreenshotResult::Saved);
    QStringList written = entriesOf(folder.path());
    written.sort();
    EXPECT_EQ(written, (QStringList{"kolonie.jpeg", "plan.jpeg", "plan.jpg.jpeg"}));
    EXPECT_EQ(QImage(path("kolonie.jpeg")).size(), kOuterSize);
}

TEST_F(ScreenshotWindowTest, SaveIntoAMissingFolderReportsFailed) {
    ScreenshotResult result = ScreenshotResult::Saved;
    EXPECT_NO_THROW(result = saveScreenshot(window.get(), path("fehlt/kolonie")));
    EXPECT_EQ(result, ScreenshotResult::Failed);
    EXPECT_TRUE(entriesOf(folder.path()).isEmpty());
}
