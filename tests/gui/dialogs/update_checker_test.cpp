// The update check without its window: judging the version page, and checks
// against a web server on this machine.
#include "gui/dialogs/update_checker.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <vector>

#include "dialog_test_support.h"
#include "gui/support/test_support.h"
#include "version_server.h"

using namespace dz;
using namespace std::chrono_literals;

namespace {

const QString noConnection = QStringLiteral("keine Verbindung");
const QString current = QStringLiteral("Sie verwenden bereits die aktuelle Version");
const QString download = QStringLiteral("Bitte laden sie die neuste Version von 127.0.0.1");

class UpdateCheckerTest : public ::testing::Test {
protected:
    void serve(std::vector<VersionAnswer> answers) {
        server = std::make_unique<VersionServer>(std::move(answers));
        ASSERT_TRUE(server->listening());
        checker->setServer(QUrl(server->base()));
    }

    // Runs one check and gives its result.
    QString check() {
        checker->start();
        EXPECT_TRUE(checker->isRunning());
        if (!spy.wait(5000)) return QStringLiteral("<no result>");
        EXPECT_EQ(spy.count(), 1) << "one result per check";
        EXPECT_FALSE(checker->isRunning());
        return spy.takeFirst().first().toString();
    }

    bool requestArrived(int n) const {
        return QTest::qWaitFor([this, n] { return server->requests() >= n; }, 3000);
    }
    // The server saw the client close the connection of a request it had not answered.
    bool requestDropped(int n) const {
        return QTest::qWaitFor([this, n] { return server->dropped >= n; }, 3000);
    }

    // The checker goes first, so no check outlives its server: keep this order.
    std::unique_ptr<VersionServer> server;
    std::unique_ptr<UpdateChecker> checker = std::make_unique<UpdateChecker>();
    QSignalSpy spy{checker.get(), &UpdateChecker::finished};
};

// One answer of the server and the result it gives.
struct AnswerCase {
    const char* name;
    VersionAnswer answer;
    QString result;
};

void PrintTo(const AnswerCase& answer, std::ostream* out) { *out << answer.name; }

class UpdateCheckerAnswerTest : public UpdateCheckerTest, public ::testing::WithParamInterface<AnswerCase> {};

}  // namespace

// --- judging the page ------------------------------------------------------------

TEST(VersionPage, OnlyTheExactFirstLineCounts) {
    const QString host = QStringLiteral("example.org");
    const QString elsewhere = QStringLiteral("Bitte laden sie die neuste Version von example.org");
    EXPECT_EQ(judgeVersionPage("064", host), current);
    EXPECT_EQ(judgeVersionPage("064\n", host), current);
    EXPECT_EQ(judgeVersionPage("064\r\nanything else", host), current);
    EXPECT_EQ(judgeVersionPage("064 ", host), elsewhere);
    EXPECT_EQ(judgeVersionPage(" 064", host), elsewhere);
    EXPECT_EQ(judgeVersionPage("065\r\n", host), elsewhere);
    EXPECT_EQ(judgeVersionPage("064\r\r\n", host), elsewhere) << "only one CR goes";
    EXPECT_EQ(judgeVersionPage("K1", host), elsewhere) << "a real answer is no browser error page";
    EXPECT_EQ(judgeVersionPage("E064", host), elsewhere);
    EXPECT_EQ(judgeVersionPage("", host), noConnection);
    EXPECT_EQ(judgeVersionPage("\r\n064", host), noConnection);
    EXPECT_EQ(judgeVersionPage("\n064", host), noConnection);
}

TEST(VersionPage, PageAtTheRootOfTheServer) {
    EXPECT_EQ(versionPageUrl(QUrl(QStringLiteral("http://www.dizozodidu.de"))),
              QUrl(QStringLiteral("http://www.dizozodidu.de/version.php")));
    EXPECT_EQ(versionPageUrl(QUrl(QStringLiteral("http://127.0.0.1:8080/"))),
              QUrl(QStringLiteral("http://127.0.0.1:8080/version.php")));
    EXPECT_EQ(versionPageUrl(QUrl(QStringLiteral("http://host/mirror?x=1#y"))),
              QUrl(QStringLiteral("http://host/mirror/version.php")));
    EXPECT_EQ(defaultUpdateServer().scheme(), "http") << "plain HTTP";
    EXPECT_FALSE(defaultUpdateServer().host().isEmpty());
    UpdateChecker checker;
    EXPECT_EQ(checker.server(), defaultUpdateServer());
    EXPECT_EQ(checker.timeout(), 10000ms);
    EXPECT_FALSE(checker.isRunning());
}

TEST(VersionPage, TheEnvironmentMayNameAnotherServer) {
    const QByteArray saved = qgetenv("DZ_UPDATE_SERVER");
    const bool wasSet = qEnvironmentVariableIsSet("DZ_UPDATE_SERVER");
    qunsetenv("DZ_UPDATE_SERVER");
    const QUrl built = defaultUpdateServer();
    qputenv("DZ_UPDATE_SERVER", "http://127.0.0.1:8080/spiegel");
    EXPECT_EQ(defaultUpdateServer(), QUrl(QStringLiteral("http://127.0.0.1:8080/spiegel")));
    EXPECT_EQ(UpdateChecker().server(), QUrl(QStringLiteral("http://127.0.0.1:8080/spiegel")));
    EXPECT_NE(built, defaultUpdateServer());
    qputenv("DZ_UPDATE_SERVER", "");
    EXPECT_EQ(defaultUpdateServer(), built) << "set but empty: the built-in server";
    if (wasSet)
        qputenv("DZ_UPDATE_SERVER", saved);
    else
        qunsetenv("DZ_UPDATE_SERVER");
}

// --- checks against a server on this machine -----------------------------------------

TEST_P(UpdateCheckerAnswerTest, AnswerGivesItsResult) {
    serve({GetParam().answer});
    EXPECT_EQ(check(), GetParam().result);
    ASSERT_EQ(server->requests(), 1);
    EXPECT_EQ(server->paths[0], "/version.php");
}

INSTANTIATE_TEST_SUITE_P(
    Answers, UpdateCheckerAnswerTest,
    ::testing::Values(AnswerCase{"RunningVersion", {200, "064"}, current},
                      AnswerCase{"RunningVersionAndMore", {200, "064\r\n<html>ignored</html>\r\n"}, current},
                      AnswerCase{"TrailingSpace", {200, "064 "}, download},
                      AnswerCase{"OtherVersion", {200, "065\n"}, download},
                      AnswerCase{"VersionBeginningWithK", {200, "K1"}, download},
                      AnswerCase{"NotFound", {404, "064"}, noConnection},
                      AnswerCase{"ServerError", {500, "064"}, noConnection},
                      AnswerCase{"EmptyPage", {200, ""}, noConnection},
                      AnswerCase{"EmptyFirstLine", {200, "\r\n064\r\n"}, noConnection},
                      AnswerCase{"FirstLineAtTheLimit", {200, QByteArray(kVersionPageLimit, '0') + "\n"}, download},
                      AnswerCase{"FirstLineBeyondTheLimit", {200, QByteArray(kVersionPageLimit + 1, '0') + "\n"},
                                 noConnection}),
    [](const ::testing::TestParamInfo<AnswerCase>& info) { return std::string(info.param.name); });

TEST_F(UpdateCheckerTest, RefusedConnectionGivesNoConnection) {
    quint16 port = 0;
    {
        QTcpServer probe;
        ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
        port = probe.serverPort();
    }
    checker->setServer(QUrl(QStringLiteral("http://127.0.0.1:%1").arg(port)));
    EXPECT_EQ(check(), noConnection);
}

TEST_F(UpdateCheckerTest, SilentServerGivesNoConnectionAfterTheTimeout) {
    serve({silence});
    checker->setTimeout(300ms);
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(check(), noConnection);
    EXPECT_GE(clock.elapsed(), 290);
    EXPECT_LT(clock.elapsed(), 4000);
    EXPECT_EQ(server->requests(), 1);
    EXPECT_TRUE(requestDropped(1)) << "the request is given up";
}

TEST_F(UpdateCheckerTest, OnlyWebServersAreAsked) {
    // A version page that is a pipe would hold up the window until someone writes into it.
    QTemporaryDir dir;
    PipeGuard pipe(QFile::encodeName(dir.filePath("version.php")).toStdString(), 2s);
    ASSERT_TRUE(pipe.made());
    for (const QUrl& server : {QUrl::fromLocalFile(dir.path()), QUrl(QStringLiteral("ftp://127.0.0.1/")),
                               QUrl(QStringLiteral("data:,064"))}) {
        checker->setServer(server);
        EXPECT_EQ(check(), noConnection) << server.toString().toStdString();
    }
    EXPECT_FALSE(pipe.rescued()) << "the pipe was opened";
}

TEST_F(UpdateCheckerTest, AnEndlessPageIsJudgedWithoutReadingItToTheEnd) {
    // The first page's first line is the running version; the second has no line end at all.
    serve({endlessPage("064\n"), endlessPage("")});
    ASSERT_EQ(checker->timeout(), 10000ms);
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(check(), current);
    EXPECT_TRUE(QTest::qWaitFor([this] { return server->cut >= 1; }, 3000)) << "the rest of the page is not read";
    EXPECT_EQ(check(), noConnection) << "a first line longer than the limit";
    EXPECT_TRUE(QTest::qWaitFor([this] { return server->cut >= 2; }, 3000));
    EXPECT_LT(clock.elapsed(), 5000) << "well before the timeout";
    EXPECT_EQ(server->requests(), 2);
}

TEST_F(UpdateCheckerTest, AnEndlessHeaderIsDroppedAndTheNextCheckWorks) {
    serve({floodedHeader(), {200, "064"}});
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(check(), noConnection);
    EXPECT_TRUE(QTest::qWaitFor([this] { return server->cut >= 1; }, 3000)) << "the connection is closed";
    EXPECT_LT(clock.elapsed(), 5000) << "well before the timeout";
    EXPECT_EQ(check(), current);
    EXPECT_EQ(server->requests(), 2);
}

TEST_F(UpdateCheckerTest, RedirectsAreFollowedToWebServersOnly) {
    serve({redirectTo("/neu/version.php"), {200, "064"}, redirectTo("file:///tmp/version.php")});
    EXPECT_EQ(check(), current);
    ASSERT_EQ(server->requests(), 2);
    EXPECT_EQ(server->paths[1], "/neu/version.php");
    EXPECT_EQ(check(), noConnection);
    EXPECT_EQ(server->requests(), 3);
}

TEST_F(UpdateCheckerTest, EveryStartAsksAgain) {
    serve({{200, "065"}, {200, "064"}});
    EXPECT_EQ(check(), download);
    EXPECT_EQ(check(), current);
    EXPECT_EQ(server->requests(), 2);
}

TEST_F(UpdateCheckerTest, NewerStartReplacesTheRunningCheck) {
    // The first answer would say "download" long before the second one comes.
    serve({{200, "065", 200}, {200, "064", 700}});
    checker->start();
    ASSERT_TRUE(requestArrived(1));
    checker->start();
    ASSERT_TRUE(spy.wait(5000));
    EXPECT_EQ(spy.count(), 1) << "the replaced check reports nothing";
    EXPECT_EQ(spy.first().first().toString(), current);
    EXPECT_EQ(server->requests(), 2);
    EXPECT_TRUE(requestDropped(1)) << "the replaced request is given up";
    EXPECT_EQ(server->dropped, 1);
}

TEST_F(UpdateCheckerTest, NewerStartRunsOnItsOwnClock) {
    // The first check would give up long before the second one's answer comes;
    // the second check may wait long enough.
    serve({silence, {200, "065", 400}});
    checker->setTimeout(200ms);
    checker->start();
    ASSERT_TRUE(requestArrived(1));
    checker->setTimeout(3000ms);
    checker->start();
    ASSERT_TRUE(spy.wait(5000));
    EXPECT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.first().first().toString(), download);
}

TEST_F(UpdateCheckerTest, CancelledCheckReportsNothing) {
    serve({silence});
    checker->setTimeout(200ms);
    checker->start();
    ASSERT_TRUE(requestArrived(1));
    checker->cancel();
    EXPECT_FALSE(checker->isRunning());
    EXPECT_TRUE(requestDropped(1)) << "the request is given up";
    EXPECT_FALSE(spy.wait(600)) << "not even when its time is up";
    checker->cancel();  // nothing running: nothing happens
    EXPECT_EQ(spy.count(), 0);
}
