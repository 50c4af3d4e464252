// The window of the update check: its controls and how it drives its checker.
// The checks themselves are tested in update_checker_test.cpp.
#include "gui/dialogs/update_dialog.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <vector>

#include "dialog_test_support.h"
#include "gui/dialogs/busy_animation.h"
#include "gui/dialogs/update_checker.h"
#include "gui/support/test_support.h"
#include "gui/widgets/image_list.h"
#include "version_server.h"

using namespace dz;
using namespace std::chrono_literals;

namespace {

class UpdateDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        dialog = std::make_unique<UpdateDialog>();
        checker = dialog->findChild<UpdateChecker*>(QStringLiteral("updateChecker"));
        result = dialog->findChild<QLabel*>(QStringLiteral("resultLabel"));
        button = dialog->findChild<QPushButton*>(QStringLiteral("checkButton"));
        busySign = dialog->findChild<BusyAnimation*>(QStringLiteral("busySign"));
        ASSERT_NE(checker, nullptr);
        ASSERT_NE(result, nullptr);
        ASSERT_NE(button, nullptr);
        ASSERT_NE(busySign, nullptr);
        spy = std::make_unique<QSignalSpy>(checker, &UpdateChecker::finished);
        dialog->show();
    }

    void serve(std::vector<VersionAnswer> answers) {
        server = std::make_unique<VersionServer>(std::move(answers));
        ASSERT_TRUE(server->listening());
        checker->setServer(QUrl(server->base()));
    }

    void press() const { QTest::mouseClick(button, Qt::LeftButton); }

    // The dialog goes first, so no check outlives its server: keep this order.
    std::unique_ptr<VersionServer> server;
    std::unique_ptr<UpdateDialog> dialog;
    std::unique_ptr<QSignalSpy> spy;
    UpdateChecker* checker = nullptr;
    QLabel* result = nullptr;
    QPushButton* button = nullptr;
    BusyAnimation* busySign = nullptr;
};

}  // namespace

// --- controls ---------------------------------------------------------------------

TEST_F(UpdateDialogTest, ResultLineButtonAndBusySignInTheirPlaces) {
    EXPECT_TRUE(dialog->isModal());
    EXPECT_EQ(result->pos(), QPoint(16, 32));
    EXPECT_TRUE(result->font().bold());
    EXPECT_TRUE(result->text().isEmpty());
    EXPECT_EQ(button->geometry(), QRect(273, 62, 75, 25));
    EXPECT_EQ(button->text(), "Überprüfen");
    EXPECT_EQ(busySign->geometry(), QRect(248, 66, 16, 16));
    EXPECT_FALSE(busySign->isVisible()) << "no check, no busy sign";
    EXPECT_EQ(checker->server(), defaultUpdateServer());
}

TEST_F(UpdateDialogTest, LongestResultFitsIntoTheWindow) {
    const QRect place = result->geometry();
    EXPECT_LT(place.right(), dialog->width() - 2) << "inside the frame";
    EXPECT_LT(place.bottom(), button->y()) << "above the button";
    const QString longest = QString::fromLatin1(updateDownloadText) + defaultUpdateServer().host();
    const QRect needed =
        QFontMetrics(result->font()).boundingRect(QRect(0, 0, place.width(), 1000), Qt::TextWordWrap, longest);
    EXPECT_LE(needed.width(), place.width());
    EXPECT_LE(needed.height(), place.height()) << "the server's name wraps, nothing is cut off";
}

// --- checking -----------------------------------------------------------------------

TEST_F(UpdateDialogTest, EveryPressRunsACheckWhileTheBusySignTurns) {
    serve({{200, "065"}, {200, "064"}});
    for (const char* expected : {"Bitte laden sie die neuste Version von 127.0.0.1",
                                 "Sie verwenden bereits die aktuelle Version"}) {
        SCOPED_TRACE(expected);
        press();
        EXPECT_TRUE(checker->isRunning());
        EXPECT_TRUE(busySign->isRunning());
        EXPECT_TRUE(busySign->isVisible());
        EXPECT_TRUE(button->isEnabled()) << "the button stays usable during a check";
        ASSERT_TRUE(spy->wait(5000));
        EXPECT_EQ(result->text(), QString::fromUtf8(expected));
        EXPECT_FALSE(busySign->isRunning());
        EXPECT_FALSE(busySign->isVisible());
        spy->clear();
    }
    EXPECT_EQ(server->requests(), 2);
}

TEST_F(UpdateDialogTest, WindowCanBeDraggedDuringACheck) {
    serve({silence});
    press();
    const QPoint start = dialog->pos();
    sendMouse(dialog.get(), QEvent::MouseButtonPress, QPoint(100, 50), Qt::LeftButton, Qt::LeftButton);
    sendMouse(dialog.get(), QEvent::MouseMove, QPoint(130, 70), Qt::NoButton, Qt::LeftButton);
    sendMouse(dialog.get(), QEvent::MouseButtonRelease, QPoint(130, 70), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(dialog->pos(), start + QPoint(30, 20));
    EXPECT_TRUE(checker->isRunning());
}

TEST_F(UpdateDialogTest, ClosingDropsTheCheck) {
    serve({silence});
    checker->setTimeout(300ms);
    press();
    ASSERT_TRUE(QTest::qWaitFor([this] { return server->requests() == 1; }, 3000));
    QTest::mouseClick(dialog->closeSymbol(), Qt::LeftButton, {}, QPoint(8, 8));
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_FALSE(checker->isRunning());
    EXPECT_FALSE(busySign->isRunning());
    EXPECT_TRUE(QTest::qWaitFor([this] { return server->dropped == 1; }, 3000)) << "the request is given up";
    EXPECT_FALSE(spy->wait(600)) << "a dropped check reports nothing";
    EXPECT_TRUE(result->text().isEmpty());
}

TEST_F(UpdateDialogTest, ShowingEmptiesTheResultLine) {
    serve({{200, "064"}});
    press();
    ASSERT_TRUE(spy->wait(5000));
    ASSERT_EQ(result->text(), "Sie verwenden bereits die aktuelle Version");
    dialog->hide();
    EXPECT_EQ(result->text(), "Sie verwenden bereits die aktuelle Version") << "kept until the next showing";
    dialog->show();
    EXPECT_TRUE(result->text().isEmpty());
}

TEST_F(UpdateDialogTest, BusySignRunsRoundDuringACheck) {
    serve({silence});
    press();
    const int first = busySign->frame();
    const QImage before = dialog->grab(busySign->geometry()).toImage();
    ASSERT_TRUE(QTest::qWaitFor([&] { return busySign->frame() != first; }, 2000));
    const QImage after = dialog->grab(busySign->geometry()).toImage();
    EXPECT_NE(before, after) << "each frame looks different";
    bool bright = false;
    for (int y = 0; y < before.height(); ++y)
        for (int x = 0; x < before.width(); ++x) bright |= before.pixelColor(x, y).lightness() > 200;
    EXPECT_TRUE(bright) << "light dots on the black window";
    EXPECT_EQ(before.pixelColor(0, 0), QColor(Qt::black)) << "no background of its own";
}

TEST(BusySignFile, AFileThatIsNoPictureLeavesTheSignEmpty) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString pipe = dir.filePath("busy.gif");
    const PipeGuard guard(pipe.toStdString());
    ASSERT_TRUE(guard.made());
    const QString folder = dir.filePath("ordner.gif");
    ASSERT_TRUE(QDir().mkdir(folder));
    const QString big = dir.filePath("gross.gif");
    {
        QFile out(big);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        ASSERT_TRUE(out.resize(kMaxPictureFileBytes + 1));
    }
    for (const QString& file : {pipe, folder, big}) {
        QWidget window;
        window.resize(40, 40);
        window.setStyleSheet(QStringLiteral("background: black"));
        auto* sign = new BusyAnimation(file, &window);
        sign->setGeometry(8, 8, 16, 16);
        window.show();
        sign->start();
        QTest::qWait(50);
        EXPECT_TRUE(sign->isVisible()) << file.toStdString();
        EXPECT_FALSE(sign->isRunning()) << file.toStdString();
        const QImage shown = window.grab(sign->geometry()).toImage();
        bool drawn = false;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x) drawn |= shown.pixelColor(x, y) != QColor(Qt::black);
        EXPECT_FALSE(drawn) << file.toStdString() << ": the sign stays empty";
        sign->stop();
    }
    EXPECT_FALSE(guard.rescued()) << "the pipe was opened";
}
