// Sharing and comparing in "Bearbeiten": a plan through the clipboard as a
// code, the window's picture on the clipboard and as PNG, and the comparison
// that marks the fields that differ and follows edits.
#include <gtest/gtest.h>

#include <QAction>
#include <QClipboard>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QImage>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

#include "core/files/plan_file.h"
#include "core/plan/field_menu.h"
#include "gui/dialogs/compare_window.h"
#include "gui/export/screenshot.h"
#include "gui/guide_key.h"
#include "gui/plan_cells.h"
#include "gui/share_commands.h"
#include "gui/support/test_support.h"
#include "gui/support/window_fixture.h"
#include "gui/widgets/planet_menu.h"

using namespace dz;

namespace {

const QString kStandard = QStringLiteral(DZ_EXAMPLES_DIR "/standardplanet.kpls");

class ShareTest : public WindowFixture {
protected:
    void SetUp() override {
        makeShippedWindow();
        window->activateWindow();  // its shortcuts take keys
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        ASSERT_TRUE(window->files().loadPlanFile(kStandard));
    }
    std::vector<std::string> lines() const { return planLines(info, plan, state.internalReputation); }
    void trigger(const char* name) { child<QAction>(window, name)->trigger(); }
};

}  // namespace

TEST_F(ShareTest, APlanTravelsThroughTheClipboardAsACode) {
    const std::vector<std::string> original = lines();
    trigger("copyCodeAction");
    const QString code = QGuiApplication::clipboard()->text();
    ASSERT_TRUE(code.startsWith("DZ1:")) << code.toStdString();
    child<PlanetMenu>(window, "newPlanMenu")->entries()[ptWater]->trigger();
    trigger("pasteCodeAction");
    EXPECT_EQ(lines(), original);
    EXPECT_FALSE(unsaved()) << "loaded as a file is";
    EXPECT_FALSE(window->windowTitle().contains('*'));
    child<PlanetMenu>(window, "newPlanMenu")->entries()[ptWater]->trigger();
    child<QWidget>(window, "surfaceBox")->setFocus();
    QTest::keyClick(window.get(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(lines(), original) << "Ctrl+V where no text field has the focus";

    makeUnsavedChange();
    const std::vector<std::string> changed = lines();
    {
        BoxAnswer no(QMessageBox::No);
        trigger("pasteCodeAction");
        EXPECT_TRUE(no.shown) << "unsaved changes: the question first";
    }
    EXPECT_EQ(lines(), changed);

    for (const QString& bad : {code.left(code.size() / 2), QStringLiteral("DZ2:") + code.mid(4), QStringLiteral("Hallo")}) {
        QGuiApplication::clipboard()->setText(bad);
        BoxAnswer ok(QMessageBox::Ok);
        trigger("pasteCodeAction");
        EXPECT_TRUE(ok.shown);
        EXPECT_EQ(ok.text, "Ungültige Datei!");
        EXPECT_TRUE(ok.informativeText.contains("Plan-Code:")) << ok.informativeText.toStdString();
        EXPECT_EQ(lines(), changed) << "the plan as it was";
    }
}

TEST_F(ShareTest, ThePictureOnTheClipboardAndInAPngIsTheScreenshot) {
    // The status line tells about the copy afterwards: each picture is compared with the window as it was.
    const QImage shot = captureWindow(window.get());
    trigger("copyPictureAction");
    EXPECT_EQ(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB888), shot);
    QTemporaryDir dir;
    const QString png = dir.filePath("kolonie.png");
    ASSERT_EQ(saveScreenshot(window.get(), png), ScreenshotResult::Saved);
    EXPECT_EQ(QImage(png, "PNG").convertToFormat(QImage::Format_RGB888), captureWindow(window.get())) << "every pixel";
    ASSERT_EQ(saveScreenshot(window.get(), dir.filePath("kolonie")), ScreenshotResult::Saved);
    EXPECT_FALSE(QImage(dir.filePath("kolonie.jpeg"), "JPEG").isNull()) << "JPEG stays the default";
}

TEST_F(ShareTest, TheComparisonMarksChangedFieldsAndFollowsEdits) {
    ASSERT_TRUE(window->share()->compareWith(kStandard.toStdString()));
    CompareWindow* compare = window->share()->compareWindow();
    ASSERT_TRUE(compare);
    EXPECT_EQ(compare->comparison().differingFieldCount, 0);
    EXPECT_TRUE(window->planCells().marks().empty());

    // Switch a building off, as its field menu does.
    FieldSelection switched{-1, -1, true};
    for (int x = 0; x < plan.width() && switched.x < 0; ++x)
        for (int y = 0; y < plan.surfaceHeight() && switched.x < 0; ++y) {
            plan.selected = FieldSelection{x, y, true};
            const std::vector<int> tags = menuTags(window->planner().buildFieldMenu());
            if (plan.current.surface[x][y].inOperation && std::count(tags.begin(), tags.end(), tagToggle))
                switched = plan.selected;
        }
    ASSERT_GE(switched.x, 0);
    window->history().perform([&] {
        plan.selected = switched;
        window->planner().chooseMenuEntry(tagToggle);
    });
    QTest::qWait(20);
    ASSERT_EQ(compare->comparison().differingFieldCount, 1);
    ASSERT_EQ(window->planCells().marks().size(), 1u);
    EXPECT_EQ(window->planCells().marks()[0]->geometry(),
              window->planCells().cell(switched.x, switched.y, true)[0]->geometry());
    bool differs = false;
    for (int row = 0; row < compare->table()->rowCount(); ++row)
        if (compare->table()->item(row, 3) && compare->table()->item(row, 3)->text().startsWith(QLatin1Char('-')))
            differs = true;
    EXPECT_TRUE(differs) << "a building switched off produces less here than there";

    window->history().undo();
    QTest::qWait(20);
    EXPECT_EQ(compare->comparison().differingFieldCount, 0);
    EXPECT_TRUE(window->planCells().marks().empty());
    compare->close();
    QTest::qWait(20);
    EXPECT_FALSE(window->share()->compareWindow());
}

// F1 hands the guide beside the built programs to the desktop's viewer.
TEST_F(ShareTest, F1OpensTheGuide) {
    const QString guide = guideFile(builtProgramDir());
    ASSERT_TRUE(guide.endsWith("/docs/ANLEITUNG.md")) << guide.toStdString();
    QTextBrowser viewer;  // stands in for the desktop's viewer: its slot setSource takes the address
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &viewer, "setSource");
    QTest::keyClick(window.get(), Qt::Key_F1);
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    EXPECT_EQ(viewer.source(), QUrl::fromLocalFile(guide));
    EXPECT_TRUE(guideFile(QStringLiteral("/nirgends/bin")).isEmpty());
}
