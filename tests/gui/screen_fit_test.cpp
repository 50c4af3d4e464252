// The window on screens of different sizes: on a small one it fits the free
// area and its content scrolls, on a large one it keeps its designed size with
// no scroll bar; a screenshot pictures the whole window either way.
#include <gtest/gtest.h>

#include <QGroupBox>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>

#include "core/layout/window_layout.h"
#include "gui/export/screenshot.h"
#include "gui/screen_fit.h"
#include "gui/support/window_fixture.h"

using namespace dz;

namespace {

const char* const kBoxes[] = {"surfaceBox", "orbitBox", "productionBox", "costBox", "personnelBox", "informationBox"};

class ScreenFitTest : public WindowFixture {
protected:
    void SetUp() override {
        makeShippedWindow();
        window->newPlan(ptTemperate);  // the largest plan: 752 x 929 without the frame
        designed = window->size();
    }

    // The window on a screen whose free area is `area` (frame included).
    void putOnScreen(QRect area) {
        child<ScreenFit>(window, "screenFit")->setAvailableArea(area);
        QCoreApplication::sendPostedEvents();  // the main window lays itself out
    }
    QScrollArea* scrollArea() { return child<QScrollArea>(window, "clientScrollArea"); }

    QSize designed;
};

}  // namespace

TEST_F(ScreenFitTest, OnALaptopScreenTheWindowFitsAndEveryBoxCanBeScrolledIntoView) {
    ASSERT_EQ(designed, QSize(752, 929));
    putOnScreen(QRect(0, 0, 1366, 768));
    EXPECT_EQ(window->frameGeometry().height(), 768) << "the whole free height, frame included";
    EXPECT_TRUE(scrollArea()->verticalScrollBar()->isVisible());
    EXPECT_FALSE(scrollArea()->horizontalScrollBar()->isVisible()) << "the window grew by the vertical bar instead";
    EXPECT_EQ(scrollArea()->viewport()->width(), designed.width());
    EXPECT_EQ(window->statusBar()->geometry().bottom(), window->height() - 1) << "the status line stays in sight";

    QWidget* viewport = scrollArea()->viewport();
    for (const char* name : kBoxes) {
        auto* box = child<QGroupBox>(window, name);
        scrollArea()->ensureWidgetVisible(box, 0, 0);
        const QRect shown(box->mapTo(viewport, QPoint(0, 0)), box->size());
        EXPECT_TRUE(viewport->rect().contains(shown)) << name << " at " << shown.y();
    }

    // Narrower than the window as well: both bars, and the window still fits.
    putOnScreen(QRect(0, 0, 640, 480));
    EXPECT_EQ(window->frameGeometry().size(), QSize(640, 480));
    EXPECT_TRUE(scrollArea()->verticalScrollBar()->isVisible());
    EXPECT_TRUE(scrollArea()->horizontalScrollBar()->isVisible());
}

TEST_F(ScreenFitTest, OnALargeScreenNothingChanges) {
    putOnScreen(QRect(0, 0, 1920, 1080));
    EXPECT_EQ(window->size(), designed);
    EXPECT_EQ(scrollArea()->viewport()->geometry(), QRect(QPoint(0, 0), scrollArea()->widget()->size()));
    EXPECT_FALSE(scrollArea()->verticalScrollBar()->isVisible());
    EXPECT_FALSE(scrollArea()->horizontalScrollBar()->isVisible());

    // From a small screen back to a large one: the designed size again.
    putOnScreen(QRect(0, 0, 1366, 768));
    putOnScreen(QRect(0, 0, 1920, 1080));
    EXPECT_EQ(window->size(), designed);
    EXPECT_FALSE(scrollArea()->verticalScrollBar()->isVisible());
}

TEST_F(ScreenFitTest, AScreenshotOfAFittedWindowPicturesItsFullDesignedSize) {
    putOnScreen(QRect(0, 0, 1920, 1080));
    const QImage whole = captureWindow(window.get());
    ASSERT_EQ(whole.size(), designed + QSize(8, 31));

    putOnScreen(QRect(0, 0, 640, 480));
    scrollArea()->ensureWidgetVisible(child<QGroupBox>(window, "informationBox"));
    ASSERT_NE(scrollArea()->verticalScrollBar()->value(), 0);
    const QSize fittedSize = window->size();
    const QImage fitted = captureWindow(window.get());
    EXPECT_EQ(fitted, whole) << "the same picture as on a large screen, whatever is scrolled into view";
    EXPECT_EQ(window->size(), fittedSize) << "and the window stays as it was";
}

TEST_F(ScreenFitTest, AWindowThatGrowsPastTheScreensEdgeIsMovedBackOntoIt) {
    const QRect area(0, 0, 1920, 1080);
    window->newPlan(ptSmallAsteroids);
    putOnScreen(area);
    const QSize small = window->frameGeometry().size();
    window->move(area.right() + 1 - small.width(), area.bottom() + 1 - small.height());
    QCoreApplication::processEvents();
    ASSERT_EQ(window->frameGeometry().bottomRight(), area.bottomRight()) << "in the corner, whole";

    window->newPlan(ptTemperate);
    QCoreApplication::sendPostedEvents();
    ASSERT_GT(window->frameGeometry().height(), small.height()) << "the larger planet made it grow";
    EXPECT_TRUE(area.contains(window->frameGeometry())) << "at " << window->frameGeometry().x() << ","
                                                        << window->frameGeometry().y();
}


// At every scale factor (the tests run once per factor: 1, 1.25, 1.5, 1.75
// and 2, see tests/CMakeLists.txt): on a screen with room no scroll bar can
// appear, not even where the window system rounds the window a pixel
// smaller; on a smaller screen only the direction that lacks room scrolls, and
// the content's whole width is in view.
TEST_F(ScreenFitTest, NoScrollBarWithoutNeedAtThisScaleFactor) {
    QScrollArea* area = scrollArea();
    const QSize content = area->widget()->size();
    putOnScreen(QRect(0, 0, 1920, 1200));
    EXPECT_EQ(area->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff) << qApp->devicePixelRatio();
    EXPECT_EQ(area->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_GE(area->viewport()->width(), content.width());
    EXPECT_GE(area->viewport()->height(), content.height());

    putOnScreen(QRect(0, 0, 1280, 720));
    EXPECT_EQ(area->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff) << "the window grew by the vertical bar";
    EXPECT_EQ(area->verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
    EXPECT_GE(area->viewport()->width(), content.width());
    EXPECT_TRUE(area->verticalScrollBar()->isVisible());
    EXPECT_EQ(area->verticalScrollBar()->maximum(), content.height() - area->viewport()->height())
        << "every row can be scrolled into view";
}
