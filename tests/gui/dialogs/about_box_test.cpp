#include "gui/style.h"
#include "gui/dialogs/about_box.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <array>
#include <functional>
#include <iterator>
#include <memory>
#include <vector>

#include "gui/main_window.h"
#include "gui/test_support.h"

using namespace dz;

namespace {

class AboutBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        mainWindow.resize(300, 200);
        mainWindow.show();
        box = std::make_unique<AboutBox>(&mainWindow);
    }

    // What the "About..." menu item does.
    void open() {
        mainWindow.setEnabled(false);
        box->show();
    }

    // A mouse event on the box at a point given in its own coordinates.
    void mouse(QEvent::Type type, QPoint local, Qt::MouseButton button, Qt::MouseButtons held) const {
        QMouseEvent event(type, QPointF(local), QPointF(box->mapToGlobal(local)), button, held, Qt::NoModifier);
        QApplication::sendEvent(box.get(), &event);
    }

    static QStringList lines(const QPlainTextEdit* field) { return field->toPlainText().split(QLatin1Char('\n')); }

    // The controls, found by their object names.
    QLabel* label(const char* name) const { return box->findChild<QLabel*>(QString::fromLatin1(name)); }
    QPlainTextEdit* text(const char* name) const { return box->findChild<QPlainTextEdit*>(QString::fromLatin1(name)); }
    QPushButton* backButton() const { return box->findChild<QPushButton*>(QStringLiteral("backButton")); }

    QWidget mainWindow;  // stands in for the main window
    std::unique_ptr<AboutBox> box;
};

}  // namespace

// --- looks ------------------------------------------------------------------

TEST_F(AboutBoxTest, BorderlessBlackWindowWithItsControls) {
    EXPECT_TRUE(box->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(box->windowType(), Qt::Dialog);
    EXPECT_EQ(box->parentWidget(), &mainWindow);
    EXPECT_EQ(box->size(), QSize(465, 627));
    EXPECT_EQ(box->font(), programFont());
    EXPECT_EQ(box->palette().color(QPalette::Window), QColor(Qt::black));
    EXPECT_EQ(box->palette().color(QPalette::WindowText), QColor(Qt::white));
    EXPECT_FALSE(box->isModal());


    EXPECT_EQ(label("titleLabel")->text(), "About...");
    EXPECT_EQ(label("titleLabel")->pos(), QPoint(14, 6));
    EXPECT_EQ(box->closeSymbol()->geometry(), QRect(444, 4, 16, 16));
    EXPECT_EQ(text("descriptionText")->geometry(), QRect(14, 40, 435, 225));
    EXPECT_EQ(label("sponsorsCaption")->text(), "Sponsoren:");
    EXPECT_EQ(label("sponsorsCaption")->pos(), QPoint(14, 276));
    EXPECT_EQ(text("sponsorsText")->geometry(), QRect(14, 294, 435, 127));
    EXPECT_EQ(label("releaseNotesCaption")->text(), "Versionshinweise:");
    EXPECT_EQ(label("releaseNotesCaption")->pos(), QPoint(16, 431));
    EXPECT_EQ(text("releaseNotesText")->geometry(), QRect(14, 450, 435, 127));
    EXPECT_EQ(label("versionCaption")->pos(), QPoint(12, 595));
    EXPECT_EQ(label("versionLabel")->pos(), QPoint(70, 595));
    EXPECT_LE(label("versionCaption")->geometry().right(), 69) << "the two version labels do not overlap";
    EXPECT_EQ(backButton()->geometry(), QRect(374, 590, 75, 25));
    EXPECT_EQ(backButton()->text(), QString::fromUtf8("Zur\u00fcck"));
    for (QLabel* label : {label("titleLabel"), label("sponsorsCaption"), label("releaseNotesCaption"), label("versionCaption"), label("versionLabel")})
        EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(Qt::white)) << label->objectName().toStdString();
}

TEST_F(AboutBoxTest, VersionNumberIsTheAboutBoxOne) {
    EXPECT_EQ(label("versionCaption")->text(), "Version: ");
    EXPECT_EQ(label("versionLabel")->text(), "0.6.5");
    EXPECT_NE(label("versionLabel")->text(), "064") << "not the plan file version";
}

TEST_F(AboutBoxTest, StartsAtItsPlaceAndStaysOnTheScreen) {
    EXPECT_EQ(box->pos(), QPoint(530, 279));
    open();
    const QRect room = box->screen()->availableGeometry();
    if (room.contains(QRect(QPoint(530, 279), box->size()))) {
        EXPECT_EQ(box->pos(), QPoint(530, 279));
    } else {
        // A screen too small for the place: the box is moved in as far as needed.
        EXPECT_TRUE(room.contains(box->geometry()) || box->height() > room.height() || box->width() > room.width());
        if (530 + box->width() <= room.right() + 1) {
            EXPECT_EQ(box->x(), 530);
        }
        if (279 + box->height() <= room.bottom() + 1) {
            EXPECT_EQ(box->y(), 279);
        }
    }
}

TEST_F(AboutBoxTest, CloseSymbolIsAWhiteCrossOnDarkGrey) {
    const QImage symbol = box->closeSymbol()->pixmap().toImage();
    ASSERT_EQ(symbol.size(), QSize(16, 16));
    const QColor corner = symbol.pixelColor(0, 0);
    EXPECT_LT(corner.lightness(), 128);
    EXPECT_GT(corner.lightness(), 0) << "dark grey, not black";
    EXPECT_EQ(symbol.pixelColor(7, 7), QColor(Qt::white));
    EXPECT_EQ(symbol.pixelColor(4, 11), QColor(Qt::white));
}

TEST_F(AboutBoxTest, FrameAroundTheBoxAndLineUnderTheTitle) {
    open();
    const QImage picture = box->grab().toImage();
    ASSERT_EQ(picture.size(), QSize(465, 627));
    const QColor black(Qt::black);
    EXPECT_NE(picture.pixelColor(0, 300), black) << "left edge";
    EXPECT_NE(picture.pixelColor(230, 0), black) << "top edge";
    EXPECT_NE(picture.pixelColor(464, 300), black) << "right edge";
    EXPECT_NE(picture.pixelColor(230, 626), black) << "bottom edge";
    EXPECT_NE(picture.pixelColor(230, 24), black) << "line under the title";
    EXPECT_EQ(picture.pixelColor(230, 20), black) << "title strip";
    EXPECT_EQ(picture.pixelColor(6, 300), black) << "background beside the texts";
    EXPECT_EQ(picture.pixelColor(300, 600), black) << "background beside the version";
}

// --- the texts ----------------------------------------------------------------

TEST_F(AboutBoxTest, TextsCanBeReadButNotEditedNorTabbedInto) {
    for (QPlainTextEdit* field : {text("descriptionText"), text("releaseNotesText"), text("sponsorsText")}) {
        SCOPED_TRACE(field->objectName().toStdString());
        EXPECT_TRUE(field->isReadOnly());
        EXPECT_EQ(field->focusPolicy(), Qt::NoFocus);
        EXPECT_FALSE(field->toPlainText().isEmpty());
    }
    open();
    const QString before = text("descriptionText")->toPlainText();
    QTest::keyClicks(text("descriptionText"), QStringLiteral("xyz"));
    QTest::keyClick(text("descriptionText"), Qt::Key_Backspace);
    EXPECT_EQ(text("descriptionText")->toPlainText(), before);

    EXPECT_EQ(text("releaseNotesText")->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(text("sponsorsText")->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(text("descriptionText")->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
}

TEST_F(AboutBoxTest, InformationTextIsWhiteOnBlackAndFitsWithoutScrolling) {
    EXPECT_EQ(text("descriptionText")->palette().color(QPalette::Base), QColor(Qt::black));
    EXPECT_EQ(text("descriptionText")->palette().color(QPalette::Text), QColor(Qt::white));
    EXPECT_EQ(text("descriptionText")->font(), programFont());
    open();
    QApplication::processEvents();
    EXPECT_EQ(text("descriptionText")->verticalScrollBar()->maximum(), 0) << "the text has no scroll bar, so all of it must show";
}

TEST_F(AboutBoxTest, InformationTextSaysWhatTheProgramDoesAndWhoMakesIt) {
    const QString description = text("descriptionText")->toPlainText();
    EXPECT_TRUE(description.startsWith(QStringLiteral("Dizozodidu")));
    for (const char* part : {"Kolonie", "Feld f\u00fcr Feld", "Wirtschaft", "gespeichert", "Bild des Fensters",
                             "Dizozodidu-Team"})
        EXPECT_TRUE(description.contains(QString::fromUtf8(part))) << part;
}

TEST_F(AboutBoxTest, SponsorsAreTheProjectsWeBuildOnOneALine) {
    const QStringList sponsors = lines(text("sponsorsText"));
    const char* const projects[] = {"Qt 6", "giflib", "libjpeg-turbo", "GoogleTest", "Google Benchmark",
                                    "CMake", "Ninja", "DejaVu-Schriften", "Debian"};
    ASSERT_EQ(sponsors.size(), qsizetype(std::size(projects)));
    for (qsizetype i = 0; i < sponsors.size(); ++i) {
        const QString name = QString::fromLatin1(projects[i]);
        EXPECT_TRUE(sponsors[i] == name || sponsors[i].startsWith(name + QLatin1Char(' ')))
            << sponsors[i].toStdString();
    }
}

TEST_F(AboutBoxTest, ReleaseNotesAreBlocksNewestFirstBeginningWithThisVersion) {
    const QStringList notes = lines(text("releaseNotesText"));
    ASSERT_FALSE(notes.isEmpty());
    EXPECT_EQ(notes.first(), "0.6.5:");

    // Blocks: a version line "a.b.c:", then note lines, then an empty line before the next block.
    const QRegularExpression versionLine(QStringLiteral("^(\\d+)\\.(\\d+)\\.(\\d+):$"));
    std::vector<std::array<int, 3>> versions;
    int notesInBlock = 0;
    bool expectVersion = true;
    for (const QString& line : notes) {
        if (expectVersion) {
            const QRegularExpressionMatch match = versionLine.match(line);
            ASSERT_TRUE(match.hasMatch()) << "version line expected: " << line.toStdString();
            versions.push_back({match.captured(1).toInt(), match.captured(2).toInt(), match.captured(3).toInt()});
            expectVersion = false;
            notesInBlock = 0;
        } else if (line.isEmpty()) {
            EXPECT_GT(notesInBlock, 0) << "a block without notes";
            expectVersion = true;
        } else {
            EXPECT_TRUE(line.startsWith(QStringLiteral(" - "))) << line.toStdString();
            EXPECT_GT(line.size(), 3);
            ++notesInBlock;
        }
    }
    EXPECT_FALSE(expectVersion) << "the text ends with a block, not an empty line";
    EXPECT_GT(notesInBlock, 0);
    ASSERT_GE(versions.size(), 2u);
    for (size_t i = 1; i < versions.size(); ++i) EXPECT_GT(versions[i - 1], versions[i]) << "newest first";
}

TEST_F(AboutBoxTest, NewestNotesNameTheUpdateCheckAndThisBox) {
    const QString notes = text("releaseNotesText")->toPlainText();
    const QString newest = notes.left(notes.indexOf(QStringLiteral("\n\n")));
    EXPECT_TRUE(newest.contains(QStringLiteral("Updates")));
    EXPECT_TRUE(newest.contains(QStringLiteral("About")));
}

// --- the main window --------------------------------------------------------

TEST_F(AboutBoxTest, BoxTakesInputWhileTheMainWindowIsDisabled) {
    open();
    EXPECT_TRUE(box->isVisible());
    EXPECT_FALSE(mainWindow.isEnabled());
    EXPECT_TRUE(box->isEnabled()) << "disabling the parent must not lock the box";
    EXPECT_TRUE(backButton()->isEnabled());
}

TEST_F(AboutBoxTest, ZurueckClosesTheBoxAndEnablesTheMainWindow) {
    open();
    QTest::mouseClick(backButton(), Qt::LeftButton);
    EXPECT_FALSE(box->isVisible());
    EXPECT_TRUE(mainWindow.isEnabled());
}

TEST_F(AboutBoxTest, CloseSymbolClosesTheBoxAndEnablesTheMainWindow) {
    open();
    const QPoint before = box->pos();
    QTest::mouseClick(box->closeSymbol(), Qt::LeftButton, {}, QPoint(8, 8));
    EXPECT_FALSE(box->isVisible());
    EXPECT_TRUE(mainWindow.isEnabled());
    EXPECT_EQ(box->pos(), before) << "the close symbol is no grip";
}

TEST_F(AboutBoxTest, EveryOtherWayOfClosingEnablesTheMainWindow) {
    const std::vector<std::pair<const char*, std::function<void()>>> ways = {
        {"close()", [this] { box->close(); }},
        {"hide()", [this] { box->hide(); }},
        {"reject()", [this] { box->reject(); }},
        {"Escape", [this] { QTest::keyClick(box.get(), Qt::Key_Escape); }},
        {"Zurück", [this] { backButton()->click(); }},
        {"close symbol", [this] { QTest::mouseClick(box->closeSymbol(), Qt::LeftButton, {}, QPoint(8, 8)); }},
    };
    for (const auto& [name, closeIt] : ways) {
        SCOPED_TRACE(name);
        open();
        ASSERT_TRUE(box->isVisible());
        ASSERT_FALSE(mainWindow.isEnabled());
        ASSERT_TRUE(box->isEnabled());
        closeIt();
        EXPECT_FALSE(box->isVisible());
        EXPECT_TRUE(mainWindow.isEnabled());
    }
}

TEST_F(AboutBoxTest, CloseSymbolReleasedElsewhereKeepsTheBoxOpen) {
    open();
    const QPoint start = box->pos();
    const QPoint onSymbol(8, 8);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(onSymbol), QPointF(box->closeSymbol()->mapToGlobal(onSymbol)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(box->closeSymbol(), &press);
    mouse(QEvent::MouseMove, QPoint(300, 60), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(box->pos(), start) << "the close symbol is no grip";
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(-40, 30),
                        QPointF(box->closeSymbol()->mapToGlobal(QPoint(-40, 30))), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(box->closeSymbol(), &release);
    EXPECT_TRUE(box->isVisible());
    EXPECT_FALSE(mainWindow.isEnabled());
}

// --- dragging ---------------------------------------------------------------

TEST_F(AboutBoxTest, DraggingTheBackgroundMovesTheBoxWithThePointer) {
    open();
    box->move(100, 50);
    const QPoint start = box->pos();
    const QPoint grip(200, 12);  // in the title strip
    mouse(QEvent::MouseButtonPress, grip, Qt::LeftButton, Qt::LeftButton);
    const QPoint pointer = box->mapToGlobal(grip) + QPoint(37, 21);
    mouse(QEvent::MouseMove, box->mapFromGlobal(pointer), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(box->pos(), start + QPoint(37, 21));
    EXPECT_EQ(box->mapFromGlobal(pointer), grip) << "the grip point stays under the pointer";

    const QPoint further = pointer + QPoint(-50, 10);
    mouse(QEvent::MouseMove, box->mapFromGlobal(further), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(box->pos(), start + QPoint(-13, 31));
    mouse(QEvent::MouseButtonRelease, box->mapFromGlobal(further), Qt::LeftButton, Qt::NoButton);
    const QPoint dropped = box->pos();

    mouse(QEvent::MouseMove, QPoint(10, 10), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(box->pos(), dropped) << "the release ends the dragging";
    EXPECT_TRUE(box->isVisible());
    EXPECT_FALSE(mainWindow.isEnabled()) << "dragging does not close the box";
}

TEST_F(AboutBoxTest, OnlyTheLeftButtonDrags) {
    open();
    box->move(100, 50);
    const QPoint start = box->pos();
    mouse(QEvent::MouseButtonPress, QPoint(300, 600), Qt::RightButton, Qt::RightButton);
    mouse(QEvent::MouseMove, QPoint(340, 620), Qt::NoButton, Qt::RightButton);
    EXPECT_EQ(box->pos(), start);
}

TEST_F(AboutBoxTest, TheTitleIsAGripToo) {
    open();
    box->move(100, 50);
    const QPoint start = box->pos();
    const QPoint onTitle(3, 3);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(onTitle), QPointF(label("titleLabel")->mapToGlobal(onTitle)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(label("titleLabel"), &press);
    const QPoint grip = label("titleLabel")->mapTo(box.get(), onTitle);
    mouse(QEvent::MouseMove, grip + QPoint(25, 15), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(box->pos(), start + QPoint(25, 15));
    mouse(QEvent::MouseButtonRelease, grip, Qt::LeftButton, Qt::NoButton);
}

TEST_F(AboutBoxTest, DraggedPlaceIsKeptForTheNextShowing) {
    open();
    box->move(100, 50);
    mouse(QEvent::MouseButtonPress, QPoint(200, 12), Qt::LeftButton, Qt::LeftButton);
    mouse(QEvent::MouseMove, QPoint(210, 22), Qt::NoButton, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, QPoint(210, 22), Qt::LeftButton, Qt::NoButton);
    const QPoint dropped = box->pos();
    EXPECT_EQ(dropped, QPoint(110, 60));
    box->close();
    open();
    EXPECT_EQ(box->pos(), dropped);
    // A drag that was going on when the box closed does not continue.
    mouse(QEvent::MouseButtonPress, QPoint(200, 12), Qt::LeftButton, Qt::LeftButton);
    box->close();
    open();
    mouse(QEvent::MouseMove, QPoint(260, 52), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(box->pos(), dropped);
}
