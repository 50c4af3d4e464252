// One small web page fetched on a socket of the window's thread: a GET over
// HTTP/1.0 (so the page comes plain, never in chunks), or HTTPS.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QUrl>

class QTcpSocket;

namespace dz {

// The most a page's header may take; a longer header is no answer we read.
inline constexpr qint64 kPageHeaderLimit = 16 * 1024;
// How many redirects a request follows before it gives up.
inline constexpr int kPageRedirectLimit = 5;

// Reads at most `bodyLimit` bytes of the page: nothing the server sends can
// make it hold more than the two limits. Only http: and https: addresses are
// asked, also where a redirect leads. Everything happens on events of this
// thread, so abort() takes effect at once: the connection is closed and
// nothing is read any more. After `received` with `complete` or after `failed`
// the request is over and says nothing more.
class PageRequest : public QObject {
    Q_OBJECT

public:
    PageRequest(const QUrl& url, qint64 bodyLimit, QObject* parent = nullptr);
    ~PageRequest() override;

    // Closes the connection; the request says nothing more.
    void abort();

    static bool isWebAddress(const QUrl& url);

signals:
    // The page answered with a success status: `body` is all that arrived so
    // far, at most bodyLimit bytes. `complete` says the page ended, or the
    // limit was reached and the connection closed.
    void received(const QByteArray& body, bool complete);
    // No connection, a status other than success, a header that is too long
    // or not HTTP, a page shorter than it announced, or too many redirects.
    void failed();

private:
    void open(const QUrl& url);
    void readAvailable();
    // Parses the header once it is complete; false when it is not yet.
    bool takeHeader();
    void connectionClosed();
    void fail();
    void finish(bool complete);

    QPointer<QTcpSocket> socket_;
    QUrl url_;
    qint64 bodyLimit_;
    int redirects_ = 0;
    QByteArray header_;
    bool headerDone_ = false;
    qint64 announcedLength_ = -1;  // Content-Length, when given
    QByteArray body_;
    bool over_ = false;
};

}  // namespace dz
