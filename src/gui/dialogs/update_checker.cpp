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

QUrl defaultUpdateServer() { return QUrl(QStringLiteral(DZ_UPDATE_SERVER)); }

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

void UpdateChecker::start() {
    cancel();
    QNetworkRequest request(versionPageUrl(server_));
    // Always the page as the server has it now, never a cached copy.
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    QNetworkReply* reply = network_->get(request);
    reply_ = reply;
    connect(reply, &QNetworkReply::finished, this, [this, reply] { replyFinished(reply); });
    deadline_->start(timeout_);
}

void UpdateChecker::cancel() {
    deadline_->stop();
    QNetworkReply* reply = reply_.data();
    reply_.clear();
    if (!reply) return;
    disconnect(reply, nullptr, this, nullptr);
    reply->abort();
    reply->deleteLater();
}

void UpdateChecker::replyFinished(QNetworkReply* reply) {
    reply->deleteLater();
    if (reply != reply_) return;  // a check that was replaced meanwhile
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (reply->error() != QNetworkReply::NoError || status < 200 || status > 299) {
        finish(QString::fromLatin1(updateNoConnectionText));
        return;
    }
    finish(judgeVersionPage(reply->readAll(), server_.host()));
}

void UpdateChecker::timedOut() {
    if (reply_.isNull()) return;
    cancel();
    emit finished(QString::fromLatin1(updateNoConnectionText));
}

void UpdateChecker::finish(const QString& result) {
    deadline_->stop();
    reply_.clear();
    emit finished(result);
}

}  // namespace dz
