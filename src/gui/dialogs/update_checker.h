// The update check without its window: asks our web server which version is
// published and turns the answer into the text the user reads.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>
#include <chrono>

class QTimer;

namespace dz {

class PageRequest;

// The result texts of a check.
inline constexpr const char* updateNoConnectionText = "keine Verbindung";
inline constexpr const char* updateCurrentText = "Sie verwenden bereits die aktuelle Version";
inline constexpr const char* updateDownloadText = "Bitte laden sie die neuste Version von ";

// The server asked by default: the environment variable DZ_UPDATE_SERVER when
// it is set and not empty, otherwise the build setting DZ_UPDATE_SERVER.
QUrl defaultUpdateServer();

// The most of a version page a check reads: the first line must end within it.
inline constexpr qint64 kVersionPageLimit = 4096;

// The address of the version page below a server's base address.
QUrl versionPageUrl(const QUrl& server);

// The result text for the body of a version page that arrived complete. Only
// the first line counts; a trailing CR is dropped, nothing else is trimmed.
// An empty body or an empty first line means no usable answer.
QString judgeVersionPage(const QByteArray& body, const QString& host);

// Runs one check at a time: a GET of version.php on the update server, without
// blocking (a PageRequest, so header and page are capped). The check is judged as soon as the first line of the page has
// arrived, or the page has ended; the rest is not read. A first line longer
// than kVersionPageLimit bytes, or no such answer in time, ends with "keine
// Verbindung", and the request is aborted. Only http: and https: servers
// are asked: any other address ends with "keine Verbindung" without a
// request. Starting a check replaces a running one; a replaced or cancelled
// check reports nothing.
class UpdateChecker : public QObject {
    Q_OBJECT

public:
    explicit UpdateChecker(QObject* parent = nullptr);
    ~UpdateChecker() override;

    // The server asked, by default defaultUpdateServer().
    void setServer(const QUrl& server) { server_ = server; }
    QUrl server() const { return server_; }

    // How long a check waits for the complete answer, 10 seconds by default.
    void setTimeout(std::chrono::milliseconds timeout) { timeout_ = timeout; }
    std::chrono::milliseconds timeout() const { return timeout_; }

    // Starts a check, dropping the one that is running.
    void start();
    // Drops the running check, if any.
    void cancel();
    bool isRunning() const;

signals:
    // A check came to its result: one of the three result texts.
    void finished(const QString& result);

private:
    // Ends the running check with `result`.
    void finish(const QString& result);

    QPointer<PageRequest> request_;  // the running check's request
    QTimer* deadline_ = nullptr;     // runs while a check does
    QUrl server_;
    std::chrono::milliseconds timeout_{10000};
};

}  // namespace dz
