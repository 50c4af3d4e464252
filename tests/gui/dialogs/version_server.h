// A tiny web server on 127.0.0.1 that serves version.php for the update check tests.
#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <algorithm>
#include <vector>

// How the server answers one request.
struct VersionAnswer {
    int status = 200;
    QByteArray body;
    int delayMs = 0;     // waits this long before answering
    bool never = false;  // keeps the connection open without a word
    bool endless = false;  // after the body, "x" without end (and without a length in the header)
    bool floodHeader = false;  // one header line of "x" without end
    QByteArray location = {};  // the Location of a redirect
};

// A page that never ends: `start`, then "xxx..." for as long as the client reads.
inline VersionAnswer endlessPage(QByteArray start) { return VersionAnswer{200, std::move(start), 0, false, true}; }

// A header line that never ends.
inline VersionAnswer floodedHeader() { return VersionAnswer{200, {}, 0, false, false, true}; }

// A redirect to `location`.
inline VersionAnswer redirectTo(QByteArray location) {
    return VersionAnswer{302, {}, 0, false, false, false, std::move(location)};
}

// A server that takes the request and never says a word.
inline const VersionAnswer silence{200, {}, 0, true};

// The n-th request gets the n-th answer; the last answer serves all later requests.
class VersionServer {
public:
    explicit VersionServer(std::vector<VersionAnswer> answers) : answers_(std::move(answers)) {
        server_.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&server_, &QTcpServer::newConnection, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection()) {
                auto* connection = new Connection;
                QObject::connect(socket, &QObject::destroyed, [connection] { delete connection; });
                QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, connection] {
                    if (connection->request.contains("\r\n\r\n")) return;  // already answered
                    connection->request.append(socket->readAll());
                    if (connection->request.contains("\r\n\r\n")) handle(socket, connection);
                });
                QObject::connect(socket, &QTcpSocket::disconnected, socket, [this, connection] {
                    if (!connection->answered) ++dropped;
                    if (connection->streaming) ++cut;
                });
            }
        });
    }

    bool listening() const { return server_.isListening(); }
    QString base() const { return QStringLiteral("http://127.0.0.1:%1").arg(server_.serverPort()); }
    int requests() const { return static_cast<int>(paths.size()); }

    std::vector<QByteArray> paths;  // the requested paths in order
    int dropped = 0;                // connections the client closed before the answer
    int cut = 0;                    // endless pages the client stopped reading by closing the connection

private:
    struct Connection {
        QByteArray request;
        bool answered = false;
        bool streaming = false;
    };

    // Writes `start`, then "x" without end whenever little is left to send.
    static void stream(QTcpSocket* socket, Connection* connection, const QByteArray& start) {
        connection->answered = true;
        connection->streaming = true;
        socket->write(start);
        QPointer<QTcpSocket> target(socket);
        auto more = [target] {
            const QByteArray filler(16 * 1024, 'x');
            while (target && target->state() == QAbstractSocket::ConnectedState && target->bytesToWrite() < 64 * 1024)
                target->write(filler);
        };
        QObject::connect(socket, &QTcpSocket::bytesWritten, socket, more);
        more();
    }

    void handle(QTcpSocket* socket, Connection* connection) {
        const QByteArray& request = connection->request;
        const QList<QByteArray> words = request.left(request.indexOf("\r\n")).split(' ');
        paths.push_back(words.size() > 1 ? words[1] : QByteArray());
        const VersionAnswer& answer = answers_[std::min(paths.size(), answers_.size()) - 1];
        if (answer.never) return;
        if (answer.endless)
            return stream(socket, connection,
                          "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nConnection: close\r\n\r\n" + answer.body);
        if (answer.floodHeader) return stream(socket, connection, "HTTP/1.1 200 OK\r\nX-Filler: ");
        QPointer<QTcpSocket> target(socket);
        auto reply = [target, connection, answer] {
            if (!target || target->state() != QAbstractSocket::ConnectedState) return;
            connection->answered = true;
            QByteArray text = "HTTP/1.1 " + QByteArray::number(answer.status) + " Whatever\r\n";
            if (!answer.location.isEmpty()) text += "Location: " + answer.location + "\r\n";
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
    std::vector<VersionAnswer> answers_;
};
