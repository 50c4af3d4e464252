// The about box: its texts, its place, and how it holds the main window while
// it is open. The look it shares with the other dialogs is checked in
// borderless_dialog_test.cpp.
#include "gui/dialogs/about_box.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QLabel>
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

#include "dialog_test_support.h"
#include "gui/widgets/style.h"

using namespace dz;

namespace {

class AboutBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        mainWindow.resize(300, 200);
        mainWindow.show();
        box = std::make_unique<AboutBox>(&mainWindow);
        description = text("descriptionText");
        sponsors = text("sponsorsText");
        releaseNotes = text("releaseNotesText");
        back = box->findChild<QPushButton*>(QStringLiteral("backButton"));
        ASSERT_NE(back, nullptr);
    }

    QPlainTextEdit* text(const char* name) const {
        auto* field = box->findChild<QPlainTextEdit*>(QString::fromLatin1(name));
        EXPECT_NE(field, nullptr) << name;
        return field;
    }
    QLabel* label(const char* name) const {
        auto* found = box->findChild<QLabel*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    // What the "About..." menu item does.
    void open() {
        mainWindow.setEnabled(false);
        box->show();
    }

    void mouse(QEvent::Type type, QPoint local, Qt::MouseButton button, Qt::MouseButtons held) const {
        sendMouse(box.get(), type, local, button, held);
    }

    static QStringList lines(const QPlainTextEdit* field) { return field->toPlainText().split(QLatin1Char('\n')); }

    QWidget mainWindow;  // stands in for the main window
    std::unique_ptr<AboutBox> box;
    QPlainTextEdit* description = nullptr;
    QPlainTextEdit* sponsors = nullptr;
    QPlainTextEdit* releaseNotes = nullptr;
    QPushButton* back = nullptr;
};

}  // namespace

// --- controls ---------------------------------------------------------------------

TEST_F(AboutBoxTest, TextsCaptionsAndButtonInTheirPlaces) {
    EXPECT_EQ(box->parentWidget(), &mainWindow);
    EXPECT_FALSE(box->isModal());

    EXPECT_EQ(description->geometry(), QRect(14, 40, 435, 225));
    EXPECT_EQ(label("sponsorsCaption")->text(), "Sponsoren:");
    EXPECT_EQ(label("sponsorsCaption")->pos(), QPoint(14, 276));
    EXPECT_EQ(sponsors->geometry(), QRect(14, 294, 435, 127));
    EXPECT_EQ(label("releaseNotesCaption")->text(), "Versionshinweise:");
    EXPECT_EQ(label("releaseNotesCaption")->pos(), QPoint(16, 431));
    EXPECT_EQ(releaseNotes->geometry(), QRect(14, 450, 435, 127));
    EXPECT_EQ(label("versionCaption")->pos(), QPoint(12, 595));
    EXPECT_EQ(label("versionLabel")->pos(), QPoint(70, 595));
    EXPECT_LE(label("versionCaption")->geometry().right(), 69) << "the two version labels do not overlap";
    EXPECT_EQ(back->geometry(), QRect(374, 590, 75, 25));
    EXPECT_EQ(back->text(), QString::fromUtf8("Zur\u00fcck"));

    open();
    const QImage picture = box->grab().toImage();
    EXPECT_EQ(picture.pixelColor(300, 600), QColor(Qt::black)) << "background beside the version";
}

TEST_F(AboutBoxTest, VersionNumberIsTheAboutBoxOne) {
    EXPECT_EQ(label("versionCaption")->text(), "Version: ");
    EXPECT_EQ(label("versionLabel")->text(), "0.6.5");
    EXPECT_NE(label("versionLabel")->text(), "064") << "not the plan file version";
}

TEST_F(AboutBoxTest, StartsAtItsPlaceAndStaysOnTheScreen) {
    EXPECT_EQ(box->pos(), AboutBox::startPosition());
    EXPECT_EQ(AboutBox::startPosition(), QPoint(530, 279));
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

// --- the texts ------------------------------------------------------------------------

TEST_F(AboutBoxTest, TextsCanBeReadButNotEditedNorTabbedInto) {
    for (QPlainTextEdit* field : {description, releaseNotes, sponsors}) {
        SCOPED_TRACE(field->objectName().toStdString());
        EXPECT_TRUE(field->isReadOnly());
        EXPECT_EQ(field->focusPolicy(), Qt::NoFocus);
        EXPECT_FALSE(field->toPlainText().isEmpty());
    }
    open();
    const QString before = description->toPlainText();
    QTest::keyClicks(description, QStringLiteral("xyz"));
    QTest::keyClick(description, Qt::Key_Backspace);
    EXPECT_EQ(description->toPlainText(), before);

    EXPECT_EQ(releaseNotes->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(sponsors->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(description->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
}

TEST_F(AboutBoxTest, DescriptionIsWhiteOnBlackAndFitsWithoutScrolling) {
    EXPECT_EQ(description->palette().color(QPalette::Base), QColor(Qt::black));
    EXPECT_EQ(description->palette().color(QPalette::Text), QColor(Qt::white));
    EXPECT_EQ(description->font(), programFont());
    open();
    QApplication::processEvents();
    EXPECT_EQ(description->verticalScrollBar()->maximum(), 0) << "the text has no scroll bar, so all of it must show";
}

TEST_F(AboutBoxTest, DescriptionSaysWhatTheProgramDoesAndWhoMakesIt) {
    const QString text = description->toPlainText();
    EXPECT_TRUE(text.startsWith(QStringLiteral("Dizozodidu")));
    for (const char* part : {"Kolonie", "Feld f\u00fcr Feld", "Wirtschaft", "gespeichert", "Bild des Fensters",
                             "Dizozodidu-Team"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(part))) << part;
}

TEST_F(AboutBoxTest, SponsorsAreTheProjectsWeBuildOnOneALine) {
    const QStringList names = lines(sponsors);
    const char* const projects[] = {"Qt 6", "giflib", "libjpeg-turbo", "COIN-OR CBC", "GoogleTest", "Google Benchmark",
                                    "CMake", "Ninja", "DejaVu-Schriften", "Debian"};
    ASSERT_EQ(names.size(), qsizetype(std::size(projects)));
    for (qsizetype i = 0; i < names.size(); ++i) {
        const QString name = QString::fromLatin1(projects[i]);
        EXPECT_TRUE(names[i] == name || names[i].startsWith(name + QLatin1Char(' '))) << names[i].toStdString();
    }
}

TEST_F(AboutBoxTest, ReleaseNotesAreBlocksNewestFirstBeginningWithThisVersion) {
    const QStringList notes = lines(releaseNotes);
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
    const QString notes = releaseNotes->toPlainText();
    const QString newest = notes.left(notes.indexOf(QStringLiteral("\n\n")));
    EXPECT_TRUE(newest.contains(QStringLiteral("Updates")));
    EXPECT_TRUE(newest.contains(QStringLiteral("About")));
}

// --- the main window ------------------------------------------------------------------

TEST_F(AboutBoxTest, BoxTakesInputWhileTheMainWindowIsDisabled) {
    open();
    EXPECT_TRUE(box->isVisible());
    EXPECT_FALSE(mainWindow.isEnabled());
    EXPECT_TRUE(box->isEnabled()) << "disabling the parent must not lock the box";
    EXPECT_TRUE(back->isEnabled());
}

TEST_F(AboutBoxTest, EveryWayOfClosingEnablesTheMainWindow) {
    const std::vector<std::pair<const char*, std::function<void()>>> ways = {
        {"Zurück", [this] { QTest::mouseClick(back, Qt::LeftButton); }},
        {"close symbol", [this] { QTest::mouseClick(box->closeSymbol(), Qt::LeftButton, {}, QPoint(8, 8)); }},
        {"close()", [this] { box->close(); }},
        {"hide()", [this] { box->hide(); }},
        {"reject()", [this] { box->reject(); }},
        {"Escape", [this] { QTest::keyClick(box.get(), Qt::Key_Escape); }},
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

TEST_F(AboutBoxTest, CloseSymbolReleasedElsewhereKeepsTheMainWindowDisabled) {
    open();
    sendMouse(box->closeSymbol(), QEvent::MouseButtonPress, QPoint(8, 8), Qt::LeftButton, Qt::LeftButton);
    sendMouse(box->closeSymbol(), QEvent::MouseButtonRelease, QPoint(-40, 30), Qt::LeftButton, Qt::NoButton);
    EXPECT_TRUE(box->isVisible());
    EXPECT_FALSE(mainWindow.isEnabled());
}

// --- dragging -------------------------------------------------------------------------

TEST_F(AboutBoxTest, DraggedPlaceIsKeptForTheNextShowing) {
    open();
    box->move(100, 50);
    mouse(QEvent::MouseButtonPress, QPoint(200, 12), Qt::LeftButton, Qt::LeftButton);
    mouse(QEvent::MouseMove, QPoint(210, 22), Qt::NoButton, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, QPoint(210, 22), Qt::LeftButton, Qt::NoButton);
    const QPoint dropped = box->pos();
    EXPECT_EQ(dropped, QPoint(110, 60));
    EXPECT_FALSE(mainWindow.isEnabled()) << "dragging does not close the box";
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
