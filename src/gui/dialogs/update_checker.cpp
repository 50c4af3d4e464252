#include "gui/dialogs/update_checker.h"

#include <QTimer>

#include "core/version.h"
#include "gui/dialogs/page_request.h"

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
    : QObject(parent), deadline_(new QTimer(this)), server_(defaultUpdateServer()) {
    deadline_->setSingleShot(true);
    deadline_->setTimerType(Qt::PreciseTimer);
    connect(deadline_, &QTimer::timeout, this, [this] { finish(QString::fromLatin1(updateNoConnectionText)); });
}

UpdateChecker::~UpdateChecker() { cancel(); }

bool UpdateChecker::isRunning() const { return deadline_->isActive(); }

void UpdateChecker::start() {
    cancel();
    // A page that is no web page (a file "version.php" might be a pipe) is
    // not asked for: "keine Verbindung", as a check does, once the event loop runs.
    if (!PageRequest::isWebAddress(server_)) {
        deadline_->start(0);
        return;
    }
    // One byte more than the limit tells a first line that is too long.
    auto* request = new PageRequest(versionPageUrl(server_), kVersionPageLimit + 1, this);
    request_ = request;
    connect(request, &PageRequest::received, this, [this](const QByteArray& page, bool complete) {
        const qsizetype end = page.indexOf('\n');
        if (!complete && end < 0 && page.size() <= kVersionPageLimit) return;  // the first line is still coming
        // A page that goes on without a line end within the limit is no version page.
        const bool firstLineTooLong = (end < 0 ? page.size() : end) > kVersionPageLimit;
        finish(firstLineTooLong ? QString::fromLatin1(updateNoConnectionText) : judgeVersionPage(page, server_.host()));
    });
    connect(request, &PageRequest::failed, this, [this] { finish(QString::fromLatin1(updateNoConnectionText)); });
    deadline_->start(timeout_);
}

void UpdateChecker::cancel() {
    deadline_->stop();
    if (PageRequest* request = request_.data()) {
        request_.clear();
        disconnect(request, nullptr, this, nullptr);
        request->abort();  // the connection closes now; the rest of the page is not read
        request->deleteLater();
    }
}

void UpdateChecker::finish(const QString& result) {
    cancel();
    emit finished(result);
}

}  // namespace dz
