#include "gui/export/screenshot.h"

#include <gtest/gtest.h>

#include <QHBoxLayout>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <cstdlib>
#include <memory>
#include <set>

#include "core/layout/window_layout.h"
#include "gui/export/jpeg_file.h"
#include "gui/export/jpeg_writer.h"

using namespace dz;
using namespace jpeg_file;

namespace {

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
