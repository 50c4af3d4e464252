// The update check: asks our web server which version is published and tells
// the user whether the running program is up to date.
#pragma once

#include <QByteArray>
#include "gui/dialogs/borderless_dialog.h"
#include <QPoint>
#include <QPointer>
#include <QString>
#include <QUrl>
#include <QWidget>
#include <chrono>

class QLabel;
class QNetworkAccessManager;
class QNetworkReply;
class QPushButton;
class QTimer;

class QMovie;

namespace dz {

// The result texts of a check.
inline constexpr const char* updateNoConnectionText = "keine Verbindung";
inline constexpr const char* updateCurrentText = "Sie verwenden bereits die aktuelle Version";
inline constexpr const char* updateDownloadText = "Bitte laden sie die neuste Version von ";

// The server asked by default: the build setting DZ_UPDATE_SERVER.
QUrl defaultUpdateServer();

// The address of the version page below a server's base address.
QUrl versionPageUrl(const QUrl& server);

// The result text for the body of a version page that arrived complete. Only
// the first line counts; a trailing CR is dropped, nothing else is trimmed.
// An empty body or an empty first line means no usable answer.
QString judgeVersionPage(const QByteArray& body, const QString& host);

// A small busy sign: our animated GIF "images/b/busy.gif" beside the program
// (eight dots on a circle, a bright one running round). The widget is only
// visible while it runs.
class BusyAnimation : public QWidget {
    Q_OBJECT

public:
    explicit BusyAnimation(QWidget* parent = nullptr);

    void start();
    void stop();
    bool isRunning() const;
    int frame() const;

    static constexpr int frameCount = 8;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QMovie* movie_ = nullptr;
};

// A small borderless black window with its title strip, close symbol, the
// result line and the button "Überprüfen". It can be dragged by its
// background. Every press of the button runs one check: a GET of version.php
// on the update server, without blocking the window. A newer press replaces a
// running check; closing the window drops it.
class UpdateDialog : public BorderlessDialog {
    Q_OBJECT

public:
    explicit UpdateDialog(QWidget* parent = nullptr);
    ~UpdateDialog() override;

    // The server asked, by default defaultUpdateServer().
    void setServer(const QUrl& server) { server_ = server; }
    QUrl server() const { return server_; }

    // How long a check waits for the complete answer, 10 seconds by default.
    void setTimeout(std::chrono::milliseconds timeout) { timeout_ = timeout; }
    std::chrono::milliseconds timeout() const { return timeout_; }

    bool checkRunning() const { return !reply_.isNull(); }

signals:
    // A check came to its result (after the result line shows it). Replaced or dropped
    // checks send nothing.
    void checkFinished(const QString& result);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    // "Überprüfen": starts a check; the result goes into the result line when it is known.
    void check();
    void replyFinished(QNetworkReply* reply);
    void timedOut();
    void finishCheck(const QString& result);
    void dropCheck();
    void showResult(const QString& text);

    QNetworkAccessManager* network_ = nullptr;
    QPointer<QNetworkReply> reply_;  // the running check's request
    QTimer* deadline_ = nullptr;
    QUrl server_;
    std::chrono::milliseconds timeout_{10000};

    QLabel* titleLabel_ = nullptr;
    QLabel* resultLabel_ = nullptr;
    QPushButton* checkButton_ = nullptr;
    BusyAnimation* busySign_ = nullptr;
};

}  // namespace dz
