#include "gui/dialogs/update_checker.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

#include "core/version.h"

#ifndef DZ_UPDATE_SERVER
#define DZ_UPDATE_SERVER "http://www.dizozodidu.de"
#endif

namespace dz {

QUrl defaultUpdateServer() {
    const QString fromEnvironment = qEnvironmentVariable("DZ_UPDATE_SERVER");
    return QUrl(fromEnvironment.isEmpty() ? QStringLiteral(DZ_UPDATE_SERVER) : fromEnvironment);
}

QUrl versionPageUrl(const QUrl& server) {
    QUrl page = server;
    QString path = page.path();
    if (!path.endsWith(u'/')) path += u'/';
    page.setPath(path + QStringLiteral("version.php"));
    page.setQuery(QString());
    page.setFragment(QString());
    return page;
}

QString judgeVersionPage(const QByteArray& body, const QString& host) {
    const qsizetype end = body.indexOf('\n');
    QByteArray first = end < 0 ? body : body.left(end);
    if (first.endsWith('\r')) first.chop(1);
    if (first.isEmpty()) return QString::fromLatin1(updateNoConnectionText);
    if (first == QByteArray(kPlanFileVersion)) return QString::fromLatin1(updateCurrentText);
    return QString::fromLatin1(updateDownloadText) + host;
}

UpdateChecker::UpdateChecker(QObject* parent)
    : QObject(parent),
      network_(new QNetworkAccessManager(this)),
      deadline_(new QTimer(this)),
      server_(defaultUpdateServer()) {
    deadline_->setSingleShot(true);
    deadline_->setTimerType(Qt::PreciseTimer);
    connect(deadline_, &QTimer::timeout, this, [this] { timedOut(); });
}

UpdateChecker::~UpdateChecker() { cancel(); }

namespace {

// A web server: nothing else is asked (a file "version.php" might be a pipe,
// and reading it would hold up the window).
bool isWebServer(const QUrl& server) {
    return server.scheme() == QLatin1String("http") || server.scheme() == QLatin1String("https");
}

}  // namespace

bool UpdateChecker::isRunning() const { return deadline_->isActive(); }

void UpdateChecker::start() {
    cancel();
    if (!isWebServer(server_)) {
        // No request: "keine Verbindung", as a check does, once the event loop runs.
        deadline_->start(0);
        return;
    }
    QNetworkRequest request(versionPageUrl(server_));
    // Always the page as the server has it now, never a cached copy.
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    QNetworkReply* reply = network_->get(request);
    reply_ = reply;
    page_.clear();
    // Qt keeps no more than this of the body unread; what we read is capped
    // too, so an endless page costs no memory.
    reply->setReadBufferSize(kVersionPageLimit);
    connect(reply, &QNetworkReply::readyRead, this, [this, reply] { bodyArrived(reply); });
    connect(reply, &QNetworkReply::finished, this, [this, reply] { replyFinished(reply); });
    deadline_->start(timeout_);
}

void UpdateChecker::cancel() {
    deadline_->stop();
    page_.clear();
    QNetworkReply* reply = reply_.data();
    reply_.clear();
    if (!reply) return;
    disconnect(reply, nullptr, this, nullptr);
    reply->abort();
    reply->deleteLater();
}

namespace {

int httpStatus(QNetworkReply* reply) { return reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(); }
bool isSuccess(int status) { return status >= 200 && status <= 299; }
bool isRedirect(int status) { return status >= 300 && status <= 399; }

}  // namespace

void UpdateChecker::takeBody(QNetworkReply* reply) {
    const qint64 room = kVersionPageLimit + 1 - page_.size();
    if (room > 0) page_ += reply->read(room);
}

void UpdateChecker::bodyArrived(QNetworkReply* reply) {
    if (reply != reply_) return;
    const int status = httpStatus(reply);
    if (isRedirect(status)) {
        reply->skip(reply->bytesAvailable());  // the page comes from where it leads
        return;
    }
    if (reply->error() != QNetworkReply::NoError || !isSuccess(status)) {
        cancel();
        emit finished(QString::fromLatin1(updateNoConnectionText));
        return;
    }
    takeBody(reply);
    if (page_.contains('\n') || page_.size() > kVersionPageLimit) judge(false);
}

void UpdateChecker::replyFinished(QNetworkReply* reply) {
    reply->deleteLater();
    if (reply != reply_) return;  // a check that was replaced meanwhile
    if (reply->error() != QNetworkReply::NoError || !isSuccess(httpStatus(reply))) {
        finish(QString::fromLatin1(updateNoConnectionText));
        return;
    }
    takeBody(reply);
    judge(true);
}

void UpdateChecker::judge(bool pageEnded) {
    const QByteArray page = page_;
    const qsizetype end = page.indexOf('\n');
    // A page that goes on without a line end within the limit is no version page.
    const bool firstLineTooLong = (end < 0 ? page.size() : end) > kVersionPageLimit;
    // The rest of a page still coming is not wanted: the request goes.
    if (!pageEnded) cancel();
    finish(firstLineTooLong ? QString::fromLatin1(updateNoConnectionText) : judgeVersionPage(page, server_.host()));
}

void UpdateChecker::timedOut() {
    cancel();
    emit finished(QString::fromLatin1(updateNoConnectionText));
}

void UpdateChecker::finish(const QString& result) {
    deadline_->stop();
    reply_.clear();
    page_.clear();
    emit finished(result);
}

}  // namespace dz
