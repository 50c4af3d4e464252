#include "gui/dialogs/update_dialog.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>
#include <memory>
#include <vector>

#include "dialog_test_support.h"

using namespace dz;

using namespace std::chrono_literals;

namespace {

const QString noConnection = QStringLiteral("keine Verbindung");
const QString current = QStringLiteral("Sie verwenden bereits die aktuelle Version");
const QString download = QStringLiteral("Bitte laden sie die neuste Version von 127.0.0.1");

// How the test server answers one request.
struct Answer {
    int status = 200;
    QByteArray body;
    int delayMs = 0;     // waits this long before answering
    bool never = false;  // keeps the connection open without a word
};

// A server that takes the request and never says a word.
const Answer silence{200, {}, 0, true};

// A tiny HTTP server on 127.0.0.1. The n-th request gets the n-th answer; the
// last answer serves all later requests.
class TestServer {
public:
    explicit TestServer(std::vector<Answer> answers) : answers_(std::move(answers)) {
        server_.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&server_, &QTcpServer::newConnection, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection()) {
                auto* received = new QByteArray;
                QObject::connect(socket, &QObject::destroyed, [received] { delete received; });
                QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, received] {
                    if (received->contains("\r\n\r\n")) return;  // already answered
                    received->append(socket->readAll());
                    if (received->contains("\r\n\r\n")) handle(socket, *received);
                });
            }
        });
    }

    bool listening() const { return server_.isListening(); }
    QString base() const { return QStringLiteral("http://127.0.0.1:%1").arg(server_.serverPort()); }
    int requests() const { return static_cast<int>(paths.size()); }

    std::vector<QByteArray> paths;  // the requested paths in order

private:
    void handle(QTcpSocket* socket, const QByteArray& request) {
        const QList<QByteArray> words = request.left(request.indexOf("\r\n")).split(' ');
        paths.push_back(words.size() > 1 ? words[1] : QByteArray());
        const Answer& answer = answers_[std::min(paths.size(), answers_.size()) - 1];
        if (answer.never) return;
        QPointer<QTcpSocket> target(socket);
        auto reply = [target, answer] {
            if (!target) return;
            QByteArray text = "HTTP/1.1 " + QByteArray::number(answer.status) + " Whatever\r\n";
            text += "Content-Type: text/plain\r\nContent-Length: " + QByteArray::number(answer.body.size()) +
                    "\r\nConnection: close\r\n\r\n" + answer.body;
            target->write(text);
            target->disconnectFromHost();
        };
        if (answer.delayMs > 0)
            QTimer::singleShot(answer.delayMs, socket, reply);
        else
            reply();
    }

    QTcpServer server_;
    std::vector<Answer> answers_;
};

class UpdateDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        dialog = std::make_unique<UpdateDialog>();
        dialog->show();
    }

    void serve(std::vector<Answer> answers) {
        server = std::make_unique<TestServer>(std::move(answers));
        ASSERT_TRUE(server->listening());
        dialog->setServer(QUrl(server->base()));
    }

    // Presses "Überprüfen" and waits for the result of that check.
    QString check(int waitMs = 5000) {
        QSignalSpy spy(dialog.get(), &UpdateDialog::checkFinished);
        press();
        EXPECT_TRUE(busySign()->isRunning()) << "the busy sign runs while the check does";
        if (!spy.wait(waitMs)) return QStringLiteral("<no result>");
        EXPECT_EQ(spy.count(), 1);
        EXPECT_FALSE(busySign()->isRunning());
        EXPECT_FALSE(dialog->checkRunning());
        EXPECT_EQ(label("resultLabel")->text(), spy.first().first().toString());
        return label("resultLabel")->text();
    }

    void press() const { QTest::mouseClick(checkButton(), Qt::LeftButton); }

    void mouse(QEvent::Type type, QPoint local, Qt::MouseButton button, Qt::MouseButtons held) const {
        sendMouse(dialog.get(), type, local, button, held);
    }

    // The controls, found by their object names.
    QLabel* label(const char* name) const { return dialog->findChild<QLabel*>(QString::fromLatin1(name)); }
    QPushButton* checkButton() const { return dialog->findChild<QPushButton*>(QStringLiteral("checkButton")); }
    BusyAnimation* busySign() const { return dialog->findChild<BusyAnimation*>(QStringLiteral("busySign")); }

    // The dialog goes first, so no check outlives its server: keep this order.
    std::unique_ptr<TestServer> server;
    std::unique_ptr<UpdateDialog> dialog;
};

}  // namespace

// --- judging the first line ---------------------------------------------------

TEST(UpdateVersionPage, OnlyTheExactFirstLineCounts) {
    const QString host = QStringLiteral("example.org");
    EXPECT_EQ(judgeVersionPage("064", host), current);
    EXPECT_EQ(judgeVersionPage("064\n", host), current);
    EXPECT_EQ(judgeVersionPage("064\r\nanything else", host), current);
    EXPECT_EQ(judgeVersionPage("064 ", host), "Bitte laden sie die neuste Version von example.org");
    EXPECT_EQ(judgeVersionPage(" 064", host), "Bitte laden sie die neuste Version von example.org");
    EXPECT_EQ(judgeVersionPage("065\r\n", host), "Bitte laden sie die neuste Version von example.org");
    EXPECT_EQ(judgeVersionPage("064\r\r\n", host), "Bitte laden sie die neuste Version von example.org")
        << "only one CR goes";
    EXPECT_EQ(judgeVersionPage("K1", host), "Bitte laden sie die neuste Version von example.org")
        << "a real answer is no browser error page";
    EXPECT_EQ(judgeVersionPage("E064", host), "Bitte laden sie die neuste Version von example.org");
    EXPECT_EQ(judgeVersionPage("", host), noConnection);
    EXPECT_EQ(judgeVersionPage("\r\n064", host), noConnection);
    EXPECT_EQ(judgeVersionPage("\n064", host), noConnection);
}

TEST(UpdateVersionPage, PageAtTheRootOfTheServer) {
    EXPECT_EQ(versionPageUrl(QUrl(QStringLiteral("http://www.dizozodidu.de"))),
              QUrl(QStringLiteral("http://www.dizozodidu.de/version.php")));
    EXPECT_EQ(versionPageUrl(QUrl(QStringLiteral("http://127.0.0.1:8080/"))),
              QUrl(QStringLiteral("http://127.0.0.1:8080/version.php")));
    EXPECT_EQ(versionPageUrl(QUrl(QStringLiteral("http://host/mirror"))),
              QUrl(QStringLiteral("http://host/mirror/version.php")));
    EXPECT_EQ(defaultUpdateServer().scheme(), "http") << "plain HTTP";
    EXPECT_FALSE(defaultUpdateServer().host().isEmpty());
}

// --- checks against a server on this machine ------------------------------------

TEST_F(UpdateDialogTest, RunningVersionIsUpToDate) {
    serve({{200, "064"}});
    EXPECT_EQ(check(), current);
    ASSERT_EQ(server->requests(), 1);
    EXPECT_EQ(server->paths[0], "/version.php");
}

TEST_F(UpdateDialogTest, OnlyTheFirstLineOfThePageCounts) {
    serve({{200, "064\r\n<html>ignored</html>\r\n"}});
    EXPECT_EQ(check(), current);
}

TEST_F(UpdateDialogTest, TrailingSpaceMakesADifferentVersion) {
    serve({{200, "064 "}});
    EXPECT_EQ(check(), download);
}

TEST_F(UpdateDialogTest, OtherVersionAsksForTheDownload) {
    serve({{200, "065\n"}});
    EXPECT_EQ(check(), download);
}

TEST_F(UpdateDialogTest, VersionBeginningWithKIsAVersion) {
    serve({{200, "K1"}});
    EXPECT_EQ(check(), download);
}

TEST_F(UpdateDialogTest, NotFoundGivesNoConnection) {
    serve({{404, "064"}});
    EXPECT_EQ(check(), noConnection);
}

TEST_F(UpdateDialogTest, ServerErrorGivesNoConnection) {
    serve({{500, "064"}});
    EXPECT_EQ(check(), noConnection);
}

TEST_F(UpdateDialogTest, EmptyPageGivesNoConnection) {
    serve({{200, ""}});
    EXPECT_EQ(check(), noConnection);
    serve({{200, "\r\n064\r\n"}});
    EXPECT_EQ(check(), noConnection) << "empty first line";
}

TEST_F(UpdateDialogTest, RefusedConnectionGivesNoConnection) {
    quint16 port = 0;
    {
        QTcpServer probe;
        ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
        port = probe.serverPort();
    }
    dialog->setServer(QUrl(QStringLiteral("http://127.0.0.1:%1").arg(port)));
    EXPECT_EQ(check(), noConnection);
}

TEST_F(UpdateDialogTest, SilentServerGivesNoConnectionAfterTheTimeout) {
    serve({silence});
    EXPECT_EQ(dialog->timeout(), 10000ms) << "the default";
    dialog->setTimeout(300ms);
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(check(), noConnection);
    EXPECT_GE(clock.elapsed(), 290);
    EXPECT_LT(clock.elapsed(), 4000);
    EXPECT_EQ(server->requests(), 1);
}

TEST_F(UpdateDialogTest, EveryPressRunsAFreshCheck) {
    serve({{200, "065"}, {200, "064"}});
    EXPECT_EQ(check(), download);
    EXPECT_EQ(check(), current);
    EXPECT_EQ(server->requests(), 2);
}

TEST_F(UpdateDialogTest, SecondPressLeavesOnlyTheSecondResult) {
    // The first answer comes late and would say "download"; the second comes at once.
    serve({{200, "065", 400}, {200, "064"}});
    QSignalSpy spy(dialog.get(), &UpdateDialog::checkFinished);
    press();
    ASSERT_TRUE(QTest::qWaitFor([this] { return server->requests() == 1; }, 3000));
    EXPECT_TRUE(checkButton()->isEnabled()) << "the button stays usable during a check";
    press();
    ASSERT_TRUE(spy.wait(3000));
    EXPECT_EQ(label("resultLabel")->text(), current);
    QTest::qWait(700);  // the first answer has long been due
    EXPECT_EQ(spy.count(), 1);
    EXPECT_EQ(label("resultLabel")->text(), current);
    EXPECT_EQ(server->requests(), 2);
}

TEST_F(UpdateDialogTest, SecondPressGetsItsOwnTimeout) {
    // The first check would run out of time before the second one's late answer.
    serve({silence, {200, "065", 350}});
    dialog->setTimeout(500ms);
    QSignalSpy spy(dialog.get(), &UpdateDialog::checkFinished);
    press();
    QTest::qWait(250);
    press();
    ASSERT_TRUE(spy.wait(3000));
    EXPECT_EQ(spy.count(), 1);
    EXPECT_EQ(label("resultLabel")->text(), download);
    QTest::qWait(600);
    EXPECT_EQ(spy.count(), 1);
    EXPECT_EQ(label("resultLabel")->text(), download);
}

TEST_F(UpdateDialogTest, CloseSymbolWorksDuringACheckAndDropsIt) {
    serve({silence});
    dialog->setTimeout(300ms);
    QSignalSpy spy(dialog.get(), &UpdateDialog::checkFinished);
    press();
    ASSERT_TRUE(QTest::qWaitFor([this] { return server->requests() == 1; }, 3000));
    EXPECT_TRUE(dialog->checkRunning());
    QTest::mouseClick(dialog->closeSymbol(), Qt::LeftButton, {}, QPoint(8, 8));
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_FALSE(dialog->checkRunning());
    EXPECT_FALSE(busySign()->isRunning());
    QTest::qWait(500);
    EXPECT_EQ(spy.count(), 0) << "a dropped check reports nothing";
}

TEST_F(UpdateDialogTest, WindowCanBeDraggedDuringACheck) {
    serve({silence});
    press();
    const QPoint start = dialog->pos();
    mouse(QEvent::MouseButtonPress, QPoint(100, 50), Qt::LeftButton, Qt::LeftButton);
    mouse(QEvent::MouseMove, QPoint(130, 70), Qt::NoButton, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, QPoint(130, 70), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(dialog->pos(), start + QPoint(30, 20));
    EXPECT_TRUE(dialog->checkRunning());
}

// --- showing ------------------------------------------------------------------

TEST_F(UpdateDialogTest, ShowingEmptiesTheResultLine) {
    EXPECT_TRUE(label("resultLabel")->text().isEmpty());
    serve({{200, "064"}});
    EXPECT_EQ(check(), current);
    dialog->hide();
    EXPECT_EQ(label("resultLabel")->text(), current) << "kept until the next showing";
    dialog->show();
    EXPECT_TRUE(label("resultLabel")->text().isEmpty());
}

// --- looks ----------------------------------------------------------------------

TEST_F(UpdateDialogTest, ResultLineButtonAndBusySignInTheirPlaces) {
    EXPECT_TRUE(dialog->isModal());
    EXPECT_EQ(label("resultLabel")->pos(), QPoint(16, 32));
    EXPECT_TRUE(label("resultLabel")->font().bold());
    EXPECT_EQ(checkButton()->geometry(), QRect(273, 62, 75, 25));
    EXPECT_EQ(checkButton()->text(), "Überprüfen");
    EXPECT_EQ(busySign()->geometry(), QRect(248, 66, 16, 16));
    EXPECT_FALSE(busySign()->isVisible()) << "no check, no busy sign";
}

TEST_F(UpdateDialogTest, LongestResultFitsIntoTheWindow) {
    serve({{200, "065"}});
    EXPECT_EQ(check(), download);
    const QRect place = label("resultLabel")->geometry();
    EXPECT_LT(place.right(), 354 - 2) << "inside the frame";
    EXPECT_LT(place.bottom(), checkButton()->y()) << "above the button";
    const QString longest = QStringLiteral("Bitte laden sie die neuste Version von ") + defaultUpdateServer().host();
    const QRect needed = QFontMetrics(label("resultLabel")->font())
                             .boundingRect(QRect(0, 0, place.width(), 1000), Qt::TextWordWrap, longest);
    EXPECT_LE(needed.width(), place.width());
    EXPECT_LE(needed.height(), place.height()) << "the server's name wraps, nothing is cut off";
}

TEST_F(UpdateDialogTest, BusySignRunsRoundDuringACheck) {
    serve({silence});
    press();
    BusyAnimation* sign = busySign();
    EXPECT_TRUE(sign->isRunning());
    EXPECT_TRUE(sign->isVisible());
    const int first = sign->frame();
    const QImage before = dialog->grab(sign->geometry()).toImage();
    ASSERT_TRUE(QTest::qWaitFor([&] { return sign->frame() != first; }, 2000));
    const QImage after = dialog->grab(sign->geometry()).toImage();
    EXPECT_NE(before, after) << "each frame looks different";
    bool bright = false;
    for (int y = 0; y < before.height(); ++y)
        for (int x = 0; x < before.width(); ++x) bright |= before.pixelColor(x, y).lightness() > 200;
    EXPECT_TRUE(bright) << "light dots on the black window";
    EXPECT_EQ(before.pixelColor(0, 0), QColor(Qt::black)) << "no background of its own";
}
