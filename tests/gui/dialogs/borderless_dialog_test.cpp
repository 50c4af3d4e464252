// What the settings dialog, the update check and the about box share through
// BorderlessDialog: the black frameless look with its own frame and title
// strip, the close symbol, dragging by the background, and (for the two
// dialogs that wait for an answer) the place in the middle of the screen.
// Every check runs against each of the dialogs.
#include "gui/dialogs/borderless_dialog.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QLabel>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <memory>

#include "core/planner/program_state.h"
#include "dialog_test_support.h"
#include "gui/dialogs/about_box.h"
#include "gui/dialogs/settings_dialog.h"
#include "gui/dialogs/update_dialog.h"
#include "gui/widgets/style.h"

using namespace dz;

namespace {

struct DialogCase {
    const char* objectName;
    const char* windowTitle;
    const char* title;  // the text in the title strip
    QSize size;
    QPoint closeSymbolAt;
    // Makes the dialog; the settings dialog keeps its file in `folder`.
    std::function<std::unique_ptr<BorderlessDialog>(ProgramState& state, const QString& folder)> make;
};

const DialogCase settingsDialog{
    "settingsDialog", "Einstellungen", "Einstellungen...", QSize(250, 105), QPoint(230, 3),
    [](ProgramState& state, const QString& folder) -> std::unique_ptr<BorderlessDialog> {
        return std::make_unique<SettingsDialog>(state, nullptr, nullptr,
                                                QDir(folder).filePath(QStringLiteral("saves.kpl")));
    }};

const DialogCase updateDialog{
    "updateDialog", "Updateprüfung", "Updateprüfung...", QSize(354, 97), QPoint(334, 3),
    [](ProgramState&, const QString&) -> std::unique_ptr<BorderlessDialog> { return std::make_unique<UpdateDialog>(); }};

const DialogCase aboutBox{
    "aboutBox", "About...", "About...", QSize(465, 627), QPoint(444, 4),
    [](ProgramState&, const QString&) -> std::unique_ptr<BorderlessDialog> { return std::make_unique<AboutBox>(); }};

// Test names and messages name the dialog.
void PrintTo(const DialogCase& dialog, std::ostream* out) { *out << dialog.objectName; }
std::string caseName(const ::testing::TestParamInfo<DialogCase>& info) { return info.param.objectName; }

class BorderlessDialogTest : public ::testing::TestWithParam<DialogCase> {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        dialog = GetParam().make(state, folder.path());
        closeSymbol = dialog->findChild<QLabel*>(QStringLiteral("closeSymbol"));
        title = dialog->findChild<QLabel*>(QStringLiteral("titleLabel"));
        ASSERT_EQ(closeSymbol, dialog->closeSymbol());
        ASSERT_NE(title, nullptr);
        dialog->show();
    }

    void mouse(QEvent::Type type, QPoint local, Qt::MouseButton button, Qt::MouseButtons held) const {
        sendMouse(dialog.get(), type, local, button, held);
    }

    QTemporaryDir folder;
    ProgramState state;
    std::unique_ptr<BorderlessDialog> dialog;
    QLabel* closeSymbol = nullptr;
    QLabel* title = nullptr;
};

// The two dialogs that are shown with exec() and start in the middle of the screen.
class CentredDialogTest : public BorderlessDialogTest {};

}  // namespace

// --- looks ----------------------------------------------------------------------

TEST_P(BorderlessDialogTest, BlackFramelessWindowInTheProgramFont) {
    const DialogCase& expected = GetParam();
    EXPECT_EQ(dialog->objectName(), expected.objectName);
    EXPECT_EQ(dialog->windowTitle(), QString::fromUtf8(expected.windowTitle));
    EXPECT_TRUE(dialog->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(dialog->windowType(), Qt::Dialog);
    EXPECT_EQ(dialog->size(), expected.size);
    EXPECT_EQ(dialog->minimumSize(), expected.size) << "the size is fixed";
    EXPECT_EQ(dialog->maximumSize(), expected.size);
    EXPECT_EQ(dialog->font(), programFont());
    EXPECT_EQ(dialog->palette().color(QPalette::Window), QColor(Qt::black));
    EXPECT_EQ(dialog->palette().color(QPalette::WindowText), QColor(Qt::white));

    EXPECT_EQ(title->text(), QString::fromUtf8(expected.title));
    EXPECT_EQ(title->pos(), QPoint(14, 6));
    EXPECT_LT(title->geometry().bottom(), BorderlessDialog::titleHeight) << "inside the title strip";
    for (const QLabel* label : dialog->findChildren<QLabel*>())
        EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(Qt::white)) << label->objectName().toStdString();
}

TEST_P(BorderlessDialogTest, FrameAroundTheWindowAndGrooveUnderTheTitle) {
    const QImage picture = dialog->grab().toImage();
    const int w = GetParam().size.width();
    const int h = GetParam().size.height();
    ASSERT_EQ(picture.size(), GetParam().size);
    const QColor black(Qt::black);
    EXPECT_NE(picture.pixelColor(0, h / 2), black) << "left edge";
    EXPECT_NE(picture.pixelColor(w / 2, 0), black) << "top edge";
    EXPECT_NE(picture.pixelColor(w - 1, h / 2), black) << "right edge";
    EXPECT_NE(picture.pixelColor(w / 2, h - 1), black) << "bottom edge";
    EXPECT_NE(picture.pixelColor(w / 2, BorderlessDialog::titleHeight), black) << "groove under the title";
    EXPECT_EQ(picture.pixelColor(w / 2, BorderlessDialog::titleHeight - 4), black) << "title strip";
    EXPECT_EQ(picture.pixelColor(w / 2, BorderlessDialog::titleHeight + 6), black) << "background";
    EXPECT_EQ(picture.pixelColor(6, h / 2), black) << "background inside the left edge";
}

TEST_P(BorderlessDialogTest, CloseSymbolIsAWhiteCrossOnDarkGreyInTheTitleStrip) {
    EXPECT_EQ(closeSymbol->geometry(), QRect(GetParam().closeSymbolAt, QSize(16, 16)));
    EXPECT_LE(closeSymbol->geometry().bottom(), BorderlessDialog::titleHeight);
    const QImage symbol = closeSymbol->pixmap().toImage();
    ASSERT_EQ(symbol.size(), QSize(16, 16));
    const QColor corner = symbol.pixelColor(0, 0);
    EXPECT_LT(corner.lightness(), 128);
    EXPECT_GT(corner.lightness(), 0) << "dark grey, not black";
    EXPECT_EQ(symbol.pixelColor(7, 7), QColor(Qt::white));
    EXPECT_EQ(symbol.pixelColor(4, 11), QColor(Qt::white));
    EXPECT_EQ(symbol.pixelColor(11, 4), QColor(Qt::white));
}

// --- the close symbol -------------------------------------------------------------

TEST_P(BorderlessDialogTest, ClickOnTheCloseSymbolClosesWithoutAccepting) {
    dialog->setResult(QDialog::Accepted);
    const QPoint before = dialog->pos();
    QTest::mouseClick(closeSymbol, Qt::LeftButton, {}, QPoint(8, 8));
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_EQ(dialog->pos(), before) << "the close symbol is no grip";
}

TEST_P(BorderlessDialogTest, CloseSymbolIsNoGripAndNeedsTheReleaseOverIt) {
    const QPoint start = dialog->pos();
    sendMouse(closeSymbol, QEvent::MouseButtonPress, QPoint(8, 8), Qt::LeftButton, Qt::LeftButton);
    mouse(QEvent::MouseMove, QPoint(30, 30), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(dialog->pos(), start);
    sendMouse(closeSymbol, QEvent::MouseButtonRelease, QPoint(-40, 30), Qt::LeftButton, Qt::NoButton);
    EXPECT_TRUE(dialog->isVisible()) << "released away from the symbol";
    EXPECT_EQ(dialog->pos(), start);
}

// --- dragging ---------------------------------------------------------------------

TEST_P(BorderlessDialogTest, DraggingTheBackgroundMovesTheWindow) {
    const QPoint start = dialog->pos();
    const QPoint grip(100, 12);
    mouse(QEvent::MouseMove, grip, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(dialog->pos(), start) << "moving without a press first does nothing";

    mouse(QEvent::MouseButtonPress, grip, Qt::LeftButton, Qt::LeftButton);
    mouse(QEvent::MouseMove, grip + QPoint(40, 30), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(dialog->pos(), start + QPoint(40, 30));
    // The points are given in the moved window's coordinates: the grip point stays under the pointer.
    mouse(QEvent::MouseMove, grip + QPoint(-15, 7), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(dialog->pos(), start + QPoint(40, 30) + QPoint(-15, 7));
    const QPoint dropped = dialog->pos();
    mouse(QEvent::MouseButtonRelease, grip, Qt::LeftButton, Qt::NoButton);
    mouse(QEvent::MouseMove, grip + QPoint(50, 50), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(dialog->pos(), dropped) << "the release ends the dragging";

    mouse(QEvent::MouseButtonPress, grip, Qt::RightButton, Qt::RightButton);
    mouse(QEvent::MouseMove, grip + QPoint(20, 20), Qt::NoButton, Qt::RightButton);
    EXPECT_EQ(dialog->pos(), dropped) << "only the left button drags";
    EXPECT_TRUE(dialog->isVisible());
}

TEST_P(BorderlessDialogTest, TheTitleIsAGripToo) {
    const QPoint start = dialog->pos();
    const QPoint onTitle(3, 3);
    sendMouse(title, QEvent::MouseButtonPress, onTitle, Qt::LeftButton, Qt::LeftButton);
    const QPoint grip = title->mapTo(dialog.get(), onTitle);
    mouse(QEvent::MouseMove, grip + QPoint(25, 15), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(dialog->pos(), start + QPoint(25, 15));
    mouse(QEvent::MouseButtonRelease, grip, Qt::LeftButton, Qt::NoButton);
}

// --- the place on the screen ----------------------------------------------------------

TEST_P(CentredDialogTest, ShowsCentredOnTheScreenAtEveryShowing) {
    const QRect screen = dialog->screen()->geometry();
    const QPoint offset = dialog->geometry().center() - screen.center();
    EXPECT_LE(std::abs(offset.x()), 1);
    EXPECT_LE(std::abs(offset.y()), 1);

    dialog->move(screen.topLeft() + QPoint(5, 5));
    dialog->hide();
    dialog->show();
    EXPECT_LE((dialog->geometry().center() - screen.center()).manhattanLength(), 2);
}

INSTANTIATE_TEST_SUITE_P(Dialogs, BorderlessDialogTest, ::testing::Values(settingsDialog, updateDialog, aboutBox),
                         caseName);
INSTANTIATE_TEST_SUITE_P(Dialogs, CentredDialogTest, ::testing::Values(settingsDialog, updateDialog), caseName);
