#include "gui/dialogs/page_request.h"

#include <QList>
#include <QSslSocket>
#include <QTcpSocket>

namespace dz {

namespace {

// Where the socket keeps what it read and we did not yet take.
constexpr qint64 kSocketBuffer = 16 * 1024;

int statusOf(const QByteArray& statusLine) {
    // "HTTP/1.1 200 OK"
    const QList<QByteArray> words = statusLine.split(' ');
    if (words.size() < 2 || !words[0].startsWith("HTTP/1.")) return -1;
    bool ok = false;
    const int status = words[1].toInt(&ok);
    return ok && words[1].size() == 3 ? status : -1;
}

// The value of header field `name` (case does not count), or a null array.
QByteArray fieldOf(const QList<QByteArray>& lines, const QByteArray& name) {
    for (const QByteArray& line : lines) {
        const qsizetype colon = line.indexOf(':');
        if (colon > 0 && line.left(colon).trimmed().toLower() == name) return line.mid(colon + 1).trimmed();
    }
    return {};
}

}  // namespace

PageRequest::PageRequest(const QUrl& url, qint64 bodyLimit, QObject* parent)
    : QObject(parent), bodyLimit_(bodyLimit) {
    open(url);
}

PageRequest::~PageRequest() { abort(); }

bool PageRequest::isWebAddress(const QUrl& url) {
    return url.isValid() && !url.host().isEmpty() &&
           (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https"));
}

void PageRequest::abort() {
    over_ = true;
    if (QTcpSocket* socket = socket_.data()) {
        socket_.clear();
        disconnect(socket, nullptr, this, nullptr);
        socket->abort();
        socket->deleteLater();
    }
}

void PageRequest::open(const QUrl& url) {
    if (socket_) {
        disconnect(socket_, nullptr, this, nullptr);
        socket_->abort();
        socket_->deleteLater();
    }
    url_ = url;
    header_.clear();
    headerDone_ = false;
    announcedLength_ = -1;
    body_.clear();
    if (!isWebAddress(url)) return fail();
    const bool secure = url.scheme() == QLatin1String("https");
    QTcpSocket* socket = secure ? new QSslSocket(this) : new QTcpSocket(this);
    socket_ = socket;
    socket->setReadBufferSize(kSocketBuffer);
    connect(socket, &QTcpSocket::readyRead, this, &PageRequest::readAvailable);
    connect(socket, &QTcpSocket::disconnected, this, &PageRequest::connectionClosed);
    connect(socket, &QTcpSocket::errorOccurred, this, [this](QAbstractSocket::SocketError error) {
        if (error == QAbstractSocket::RemoteHostClosedError)
            connectionClosed();
        else
            fail();
    });
    QByteArray path = url.path(QUrl::FullyEncoded).toLatin1();
    if (path.isEmpty()) path = "/";
    if (url.hasQuery()) path += '?' + url.query(QUrl::FullyEncoded).toLatin1();
    const int port = url.port(secure ? 443 : 80);
    QByteArray host = url.host(QUrl::FullyEncoded).toLatin1();
    if (host.contains(':')) host = '[' + host + ']';  // an IPv6 address
    if (url.port() != -1) host += ':' + QByteArray::number(port);
    const QByteArray request = "GET " + path + " HTTP/1.0\r\nHost: " + host +
                               "\r\nUser-Agent: Dizozodidu\r\nAccept: text/plain, text/html\r\n"
                               "Cache-Control: no-cache\r\nPragma: no-cache\r\nConnection: close\r\n\r\n";
    auto send = [socket, request] { socket->write(request); };
    if (secure) {
        auto* tls = static_cast<QSslSocket*>(socket);
        connect(tls, &QSslSocket::encrypted, this, send);
        // A certificate that does not hold ends the request as any other error.
        connect(tls, &QSslSocket::sslErrors, this, [this] { fail(); });
        tls->connectToHostEncrypted(url.host(), static_cast<quint16>(port));
    } else {
        connect(socket, &QTcpSocket::connected, this, send);
        socket->connectToHost(url.host(), static_cast<quint16>(port));
    }
}

void PageRequest::readAvailable() {
    QTcpSocket* socket = socket_.data();
    while (!over_ && socket == socket_.data() && socket->bytesAvailable() > 0) {
        if (!headerDone_) {
            // One byte more than allowed tells a header that is too long.
            header_ += socket->read(kPageHeaderLimit + 1 - header_.size());
            if (!takeHeader()) {
                if (header_.size() > kPageHeaderLimit) return fail();
                continue;
            }
            if (socket != socket_.data()) return;  // a redirect opened a new connection
        } else {
            body_ += socket->read(bodyLimit_ - body_.size());
        }
        if (over_) return;
        if (body_.size() >= bodyLimit_ || (announcedLength_ >= 0 && body_.size() >= announcedLength_))
            return finish(true);
        if (!body_.isEmpty()) emit received(body_, false);
    }
}

bool PageRequest::takeHeader() {
    qsizetype end = header_.indexOf("\r\n\r\n");
    qsizetype bodyStart = end + 4;
    if (const qsizetype bare = header_.indexOf("\n\n"); bare >= 0 && (end < 0 || bare < end)) {
        end = bare;
        bodyStart = bare + 2;
    }
    if (end < 0) return false;
    QList<QByteArray> lines = header_.left(end).split('\n');
    for (QByteArray& line : lines)
        if (line.endsWith('\r')) line.chop(1);
    const int status = statusOf(lines.takeFirst());
    body_ = header_.mid(bodyStart).left(bodyLimit_);
    headerDone_ = true;
    if (status >= 300 && status <= 399 && status != 304) {
        const QByteArray location = fieldOf(lines, "location");
        const QUrl target = url_.resolved(QUrl::fromEncoded(location));
        // Never from an encrypted page to a plain one.
        const bool lessSafe = url_.scheme() == QLatin1String("https") && target.scheme() != url_.scheme();
        if (location.isEmpty() || lessSafe || ++redirects_ > kPageRedirectLimit) {
            fail();
            return true;
        }
        open(target);
        return true;
    }
    // Pages in chunks are not asked for, and nothing else is understood.
    if (status < 200 || status > 299 || !fieldOf(lines, "transfer-encoding").isNull()) {
        fail();
        return true;
    }
    if (const QByteArray length = fieldOf(lines, "content-length"); !length.isNull()) {
        bool ok = false;
        announcedLength_ = length.toLongLong(&ok);
        if (!ok || announcedLength_ < 0) fail();
    }
    return true;
}

void PageRequest::connectionClosed() {
    if (over_) return;
    QTcpSocket* closed = socket_.data();
    readAvailable();  // the last of it
    if (over_ || socket_.data() != closed) return;
    if (!headerDone_ || (announcedLength_ >= 0 && body_.size() < announcedLength_)) return fail();
    finish(true);
}

void PageRequest::fail() {
    if (over_) return;
    abort();
    emit failed();
}

void PageRequest::finish(bool complete) {
    // What a server sends beyond the length it announced is not part of the page.
    const QByteArray body = announcedLength_ >= 0 ? body_.left(announcedLength_) : body_;
    abort();
    emit received(body, complete);
}

}  // namespace dz
