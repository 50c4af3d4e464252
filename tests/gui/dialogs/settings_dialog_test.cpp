#include "gui/style.h"
#include "gui/dialogs/settings_dialog.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "core/planner/program_state.h"
#include "gui/main_window.h"
#include "gui/test_support.h"

using namespace dz;

namespace {

class SettingsDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        path = QDir(folder.path()).filePath(QStringLiteral("saves.kpl"));
        makeDialog(path);
    }

    void makeDialog(const QString& file) {
        dialog = std::make_unique<SettingsDialog>(
            state,
            [this](const QString& text) {
                lblAns = text;
                ++lblAnsCalls;
            },
            [this] { ++recomputeCalls; }, file);
    }

    void put(const QByteArray& bytes) const {
        QFile out(path);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(bytes);
    }
    QByteArray contents() const {
        QFile in(path);
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray("<none>");
    }

    void type(const QString& text) const {
        edit()->selectAll();
        QTest::keyClicks(edit(), text);
    }
    void save() const { QTest::mouseClick(saveButton(), Qt::LeftButton); }

    // A mouse event on the dialog at a point given in its own coordinates.
    void mouse(QEvent::Type type, QPoint local, Qt::MouseButton button, Qt::MouseButtons held) const {
        QMouseEvent event(type, QPointF(local), QPointF(dialog->mapToGlobal(local)), button, held, Qt::NoModifier);
        QApplication::sendEvent(dialog.get(), &event);
    }

    // The controls, found by their object names.
    QLineEdit* edit() const { return dialog->findChild<QLineEdit*>(QStringLiteral("reputationEdit")); }
    QPushButton* saveButton() const { return dialog->findChild<QPushButton*>(QStringLiteral("saveButton")); }
    QLabel* label(const char* name) const { return dialog->findChild<QLabel*>(QString::fromLatin1(name)); }

    QTemporaryDir folder;
    QString path;
    ProgramState state;
    QString lblAns = QStringLiteral("<unchanged>");
    int lblAnsCalls = 0;
    int recomputeCalls = 0;
    std::unique_ptr<SettingsDialog> dialog;
};

}  // namespace

// --- reading --------------------------------------------------------------

TEST_F(SettingsDialogTest, FirstStartWithoutFileGivesZeroAndLeavesTheLabel) {
    state.internalReputation = 17;
    edit()->setText(QStringLiteral("17"));
    dialog->readSettings();
    EXPECT_EQ(state.internalReputation, 0);
    EXPECT_EQ(edit()->text(), "0");
    EXPECT_EQ(lblAnsCalls, 0);
    EXPECT_FALSE(QFile::exists(path)) << "reading creates no file";
}

TEST_F(SettingsDialogTest, ReadsLineOneVerbatimIntoTheEditAndTheLabel) {
    put("0035\r\n99\r\n");
    dialog->readSettings();
    EXPECT_EQ(edit()->text(), "0035");
    EXPECT_EQ(state.internalReputation, 35);
    EXPECT_EQ(lblAnsCalls, 1);
    EXPECT_EQ(lblAns, "35");

    put("-7\n");
    dialog->readSettings();
    EXPECT_EQ(edit()->text(), "-7");
    EXPECT_EQ(state.internalReputation, -7);
    EXPECT_EQ(lblAns, "-7");
}

TEST_F(SettingsDialogTest, UnusableFileGivesZeroAndLeavesTheLabel) {
    for (const QByteArray& bytes : {QByteArray(""), QByteArray("\r\n5\r\n"), QByteArray("viel\r\n"),
                                    QByteArray("12x\r\n")}) {
        put("40\r\n");
        dialog->readSettings();
        ASSERT_EQ(lblAns, "40");
        const int calls = lblAnsCalls;
        put(bytes);
        dialog->readSettings();
        EXPECT_EQ(state.internalReputation, 0) << bytes.toStdString();
        EXPECT_EQ(edit()->text(), "0") << bytes.toStdString();
        EXPECT_EQ(lblAnsCalls, calls) << bytes.toStdString();
        EXPECT_EQ(lblAns, "40");
    }
}

TEST_F(SettingsDialogTest, EveryShowingReadsTheFileAgain) {
    put("12\r\n");
    dialog->show();
    EXPECT_EQ(edit()->text(), "12");
    EXPECT_EQ(state.internalReputation, 12);
    type(QStringLiteral("99"));  // not saved
    dialog->hide();
    put("40\r\n");
    dialog->show();
    EXPECT_EQ(edit()->text(), "40");
    EXPECT_EQ(state.internalReputation, 40);
    EXPECT_EQ(lblAns, "40");
}

// --- saving -----------------------------------------------------------------

TEST_F(SettingsDialogTest, SavingStoresTheTypedValueAndCloses) {
    dialog->show();
    type(QStringLiteral("3500"));
    save();
    EXPECT_EQ(contents(), "3500\r\n");
    EXPECT_EQ(state.internalReputation, 3500);
    EXPECT_EQ(lblAns, "3500");
    EXPECT_EQ(lblAnsCalls, 1);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(recomputeCalls, 0) << "no plan yet";
}

TEST_F(SettingsDialogTest, SavingRecomputesThePopulationOnlyWhenAPlanExists) {
    state.planExists = true;
    dialog->show();
    type(QStringLiteral("20"));
    save();
    EXPECT_EQ(recomputeCalls, 1);
    EXPECT_EQ(state.internalReputation, 20);

    state.planExists = false;
    dialog->show();
    type(QStringLiteral("21"));
    save();
    EXPECT_EQ(recomputeCalls, 1);
    EXPECT_EQ(contents(), "21\r\n");
}

TEST_F(SettingsDialogTest, SavingKeepsLeadingZerosInTheFile) {
    dialog->show();
    type(QStringLiteral("0035"));
    save();
    EXPECT_EQ(contents(), "0035\r\n");
    EXPECT_EQ(lblAns, "35");
    EXPECT_EQ(state.internalReputation, 35);
    dialog->show();
    EXPECT_EQ(edit()->text(), "0035");
}

TEST_F(SettingsDialogTest, SavingReplacesALongerFile) {
    put("123456\r\nzwei\r\ndrei\r\n");
    dialog->show();
    type(QStringLiteral("8"));
    save();
    EXPECT_EQ(contents(), "8\r\n");
}

TEST_F(SettingsDialogTest, TypedTextThatIsNoIntegerGivesZeroAndWritesNothing) {
    put("12\r\n");
    state.planExists = true;
    dialog->show();
    ASSERT_EQ(lblAns, "12");
    const int calls = lblAnsCalls;
    type(QStringLiteral("12a"));
    save();
    EXPECT_EQ(edit()->text(), "0");
    EXPECT_EQ(state.internalReputation, 0);
    EXPECT_EQ(contents(), "12\r\n") << "the file is not written";
    EXPECT_EQ(lblAnsCalls, calls) << "the label keeps its text";
    EXPECT_EQ(lblAns, "12");
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(recomputeCalls, 1);

    for (const QString& typed : {QString(), QStringLiteral("zwölf"), QStringLiteral("1.5"),
                                 QStringLiteral("99999999999")}) {
        dialog->show();
        edit()->setText(typed);
        save();
        EXPECT_EQ(edit()->text(), "0") << typed.toStdString();
        EXPECT_EQ(state.internalReputation, 0) << typed.toStdString();
        EXPECT_FALSE(dialog->isVisible());
    }
    EXPECT_EQ(contents(), "12\r\n");
    EXPECT_EQ(lblAnsCalls, calls + 4) << "only the showings set the label";
    EXPECT_EQ(lblAns, "12");
}

TEST_F(SettingsDialogTest, FileThatCannotBeWrittenGivesZeroButTheLabelShowsTheValue) {
    const QString nowhere = QDir(folder.path()).filePath(QStringLiteral("fehlt/saves.kpl"));
    makeDialog(nowhere);
    state.planExists = true;
    {
        ReporterGuard noReports([](const QString& message) {
            ADD_FAILURE() << "no message is shown: " << message.toStdString();
        });
        dialog->show();
        type(QStringLiteral("3500"));
        save();
    }
    EXPECT_EQ(lblAns, "3500");
    EXPECT_EQ(edit()->text(), "0");
    EXPECT_EQ(state.internalReputation, 0);
    EXPECT_FALSE(QFile::exists(nowhere));
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(recomputeCalls, 1);
}

TEST_F(SettingsDialogTest, ReturnInTheEditDoesNotSave) {
    dialog->show();
    type(QStringLiteral("55"));
    QTest::keyClick(edit(), Qt::Key_Return);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(QFile::exists(path));
}

// --- the close symbol -------------------------------------------------------

TEST_F(SettingsDialogTest, CloseSymbolDropsTheTypedValue) {
    put("12\r\n");
    dialog->show();
    type(QStringLiteral("99"));
    const QPoint before = dialog->pos();
    QTest::mouseClick(dialog->closeSymbol(), Qt::LeftButton, {}, QPoint(8, 8));
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_EQ(contents(), "12\r\n");
    EXPECT_EQ(state.internalReputation, 12);
    EXPECT_EQ(lblAns, "12");
    EXPECT_EQ(dialog->pos(), before) << "the close symbol is no grip";

    dialog->show();
    EXPECT_EQ(edit()->text(), "12");
}

TEST_F(SettingsDialogTest, CloseSymbolIsNoGripForDragging) {
    dialog->show();
    const QPoint start = dialog->pos();
    const QPoint onSymbol(8, 8);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(onSymbol), QPointF(dialog->closeSymbol()->mapToGlobal(onSymbol)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(dialog->closeSymbol(), &press);
    mouse(QEvent::MouseMove, QPoint(30, 30), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(dialog->pos(), start);
    // Released away from the symbol: the dialog stays open.
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(-40, 30), QPointF(dialog->closeSymbol()->mapToGlobal(QPoint(-40, 30))),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(dialog->closeSymbol(), &release);
    EXPECT_TRUE(dialog->isVisible());
}

// --- looks ------------------------------------------------------------------

TEST_F(SettingsDialogTest, BorderlessBlackWindowWithItsControls) {
    EXPECT_TRUE(dialog->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(dialog->windowType(), Qt::Dialog);
    EXPECT_EQ(dialog->size(), QSize(250, 105));
    EXPECT_EQ(dialog->font(), programFont());
    EXPECT_EQ(dialog->palette().color(QPalette::Window), QColor(Qt::black));
    EXPECT_EQ(dialog->palette().color(QPalette::WindowText), QColor(Qt::white));


    EXPECT_EQ(label("titleLabel")->text(), "Einstellungen...");
    EXPECT_EQ(label("titleLabel")->pos(), QPoint(14, 6));
    EXPECT_EQ(label("reputationCaption")->text(), "internes Ansehen:");
    EXPECT_EQ(label("reputationCaption")->pos(), QPoint(14, 40));
    EXPECT_LE(label("reputationCaption")->geometry().right(), 123) << "the label ends before the edit field";
    EXPECT_EQ(dialog->closeSymbol()->geometry(), QRect(230, 3, 16, 16));
    EXPECT_EQ(edit()->geometry(), QRect(124, 37, 121, 21));
    EXPECT_EQ(edit()->text(), "0");
    EXPECT_EQ(saveButton()->geometry(), QRect(170, 66, 75, 25));
    EXPECT_EQ(saveButton()->text(), "Speichern");
    for (QLabel* label : {label("reputationCaption"), label("titleLabel")})
        EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(Qt::white));
}

TEST_F(SettingsDialogTest, CloseSymbolIsAWhiteCrossOnDarkGrey) {
    const QImage symbol = dialog->closeSymbol()->pixmap().toImage();
    ASSERT_EQ(symbol.size(), QSize(16, 16));
    const QColor corner = symbol.pixelColor(0, 0);
    EXPECT_LT(corner.lightness(), 128);
    EXPECT_GT(corner.lightness(), 0) << "dark grey, not black";
    EXPECT_EQ(symbol.pixelColor(7, 7), QColor(Qt::white));
    EXPECT_EQ(symbol.pixelColor(4, 11), QColor(Qt::white));
}

TEST_F(SettingsDialogTest, FrameAroundTheWindowAndLineUnderTheTitle) {
    dialog->show();
    const QImage picture = dialog->grab().toImage();
    ASSERT_EQ(picture.size(), QSize(250, 105));
    const QColor black(Qt::black);
    EXPECT_NE(picture.pixelColor(0, 50), black) << "left edge";
    EXPECT_NE(picture.pixelColor(125, 0), black) << "top edge";
    EXPECT_NE(picture.pixelColor(249, 50), black) << "right edge";
    EXPECT_NE(picture.pixelColor(125, 104), black) << "bottom edge";
    EXPECT_NE(picture.pixelColor(120, 24), black) << "line under the title";
    EXPECT_EQ(picture.pixelColor(120, 30), black) << "background";
    EXPECT_EQ(picture.pixelColor(120, 20), black) << "title strip";
}

TEST_F(SettingsDialogTest, ShowsCentredOnTheScreen) {
    dialog->show();
    const QRect screen = dialog->screen()->geometry();
    const QPoint offset = dialog->geometry().center() - screen.center();
    EXPECT_LE(std::abs(offset.x()), 1);
    EXPECT_LE(std::abs(offset.y()), 1);

    dialog->move(screen.topLeft() + QPoint(5, 5));
    dialog->hide();
    dialog->show();
    EXPECT_LE((dialog->geometry().center() - screen.center()).manhattanLength(), 2) << "at every showing";
}

// --- dragging ---------------------------------------------------------------

TEST_F(SettingsDialogTest, DraggingTheBackgroundMovesTheWindow) {
    dialog->show();
    const QPoint start = dialog->pos();
    const QPoint grip(100, 12);
    mouse(QEvent::MouseButtonPress, grip, Qt::LeftButton, Qt::LeftButton);
    mouse(QEvent::MouseMove, grip + QPoint(40, 30), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(dialog->pos(), start + QPoint(40, 30));
    // The grip point stays under the pointer.
    mouse(QEvent::MouseMove, grip + QPoint(-15, 7), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(dialog->pos(), start + QPoint(40, 30) + QPoint(-15, 7));
    const QPoint dropped = dialog->pos();
    mouse(QEvent::MouseButtonRelease, grip, Qt::LeftButton, Qt::NoButton);
    mouse(QEvent::MouseMove, grip + QPoint(50, 50), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(dialog->pos(), dropped) << "the release ends the dragging";
    // Held again without a press on the background (the press went elsewhere).
    mouse(QEvent::MouseMove, grip + QPoint(60, 20), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(dialog->pos(), dropped);
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(SettingsDialogTest, MovingWithoutPressingFirstDoesNothing) {
    dialog->show();
    const QPoint start = dialog->pos();
    mouse(QEvent::MouseMove, QPoint(60, 60), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(dialog->pos(), start);
    mouse(QEvent::MouseButtonPress, QPoint(60, 60), Qt::RightButton, Qt::RightButton);
    mouse(QEvent::MouseMove, QPoint(90, 90), Qt::NoButton, Qt::RightButton);
    EXPECT_EQ(dialog->pos(), start) << "only the left button drags";
}
