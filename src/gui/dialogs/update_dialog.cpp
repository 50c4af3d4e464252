#include "gui/dialogs/update_dialog.h"

#include <QHideEvent>
#include <QLabel>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QMovie>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPainter>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <qdrawutil.h>

#include "core/version.h"
#include "gui/style.h"
#include "gui/widgets/labels.h"

#ifndef DZ_UPDATE_SERVER
#define DZ_UPDATE_SERVER "http://www.dizozodidu.de"
#endif

namespace dz {

namespace {

constexpr int clientWidth = 354;
constexpr int clientHeight = 97;

}  // namespace

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

// --- the busy sign -----------------------------------------------------------

BusyAnimation::BusyAnimation(QWidget* parent)
    : QWidget(parent),
      movie_(new QMovie(QCoreApplication::applicationDirPath() + QStringLiteral("/images/b/busy.gif"), QByteArray(),
                        this)) {
    connect(movie_, &QMovie::frameChanged, this, [this] { update(); });
    hide();
}

void BusyAnimation::start() {
    movie_->stop();
    movie_->start();
    show();
    update();
}

void BusyAnimation::stop() {
    movie_->stop();
    hide();
}

bool BusyAnimation::isRunning() const { return movie_->state() == QMovie::Running; }

int BusyAnimation::frame() const { return movie_->currentFrameNumber(); }

void BusyAnimation::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawPixmap(0, 0, movie_->currentPixmap());
}

// --- the dialog ----------------------------------------------------------------

UpdateDialog::UpdateDialog(QWidget* parent)
    : BorderlessDialog(parent, QSize(clientWidth, clientHeight), QPoint(334, 3)),
      network_(new QNetworkAccessManager(this)),
      deadline_(new QTimer(this)),
      server_(defaultUpdateServer()) {
    setObjectName(QStringLiteral("updateDialog"));
    setWindowTitle(QStringLiteral("Updateprüfung"));
    setModal(true);

    titleLabel_ = makeLabel(this, "titleLabel", QStringLiteral("Updateprüfung..."), 14, 6);

    resultLabel_ = makeLabel(this, "resultLabel", QString(), 16, 32);
    QFont bold = font();
    bold.setBold(true);
    resultLabel_->setFont(bold);
    // The longest result, with the server's name, takes a second line above the button.
    resultLabel_->setWordWrap(true);
    resultLabel_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    resultLabel_->setGeometry(16, 32, clientWidth - 16 - 6, 29);

    checkButton_ = new QPushButton(QStringLiteral("Überprüfen"), this);
    checkButton_->setObjectName(QStringLiteral("checkButton"));
    checkButton_->setGeometry(273, 62, 75, 25);
    checkButton_->setAutoDefault(false);
    connect(checkButton_, &QPushButton::clicked, this, [this] { check(); });

    busySign_ = new BusyAnimation(this);
    busySign_->setObjectName(QStringLiteral("busySign"));
    busySign_->setGeometry(248, 66, 16, 16);

    deadline_->setSingleShot(true);
    deadline_->setTimerType(Qt::PreciseTimer);
    connect(deadline_, &QTimer::timeout, this, [this] { timedOut(); });
}

UpdateDialog::~UpdateDialog() { dropCheck(); }

void UpdateDialog::showResult(const QString& text) { resultLabel_->setText(text); }

void UpdateDialog::check() {
    dropCheck();
    busySign_->start();
    QNetworkRequest request(versionPageUrl(server_));
    // Always the page as the server has it now, never a cached copy.
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    QNetworkReply* reply = network_->get(request);
    reply_ = reply;
    connect(reply, &QNetworkReply::finished, this, [this, reply] { replyFinished(reply); });
    deadline_->start(timeout_);
}

void UpdateDialog::replyFinished(QNetworkReply* reply) {
    reply->deleteLater();
    if (reply != reply_) return;  // a check that was replaced meanwhile
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (reply->error() != QNetworkReply::NoError || status < 200 || status > 299) {
        finishCheck(QString::fromLatin1(updateNoConnectionText));
        return;
    }
    finishCheck(judgeVersionPage(reply->readAll(), server_.host()));
}

void UpdateDialog::timedOut() {
    if (reply_.isNull()) return;
    dropCheck();
    showResult(QString::fromLatin1(updateNoConnectionText));
    emit checkFinished(resultLabel_->text());
}

void UpdateDialog::finishCheck(const QString& result) {
    deadline_->stop();
    reply_.clear();
    busySign_->stop();
    showResult(result);
    emit checkFinished(result);
}

void UpdateDialog::dropCheck() {
    deadline_->stop();
    busySign_->stop();
    QNetworkReply* reply = reply_.data();
    reply_.clear();
    if (!reply) return;
    disconnect(reply, nullptr, this, nullptr);
    reply->abort();
    reply->deleteLater();
}

void UpdateDialog::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        showResult(QString());
        moveToScreenCentre();
    }
    QDialog::showEvent(event);
}

void UpdateDialog::hideEvent(QHideEvent* event) {
    // A closed window asks nothing more; its result would only be wiped at the next showing.
    if (!event->spontaneous()) dropCheck();
    QDialog::hideEvent(event);
}

}  // namespace dz
