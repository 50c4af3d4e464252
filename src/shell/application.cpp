#include "shell/application.h"

#include <QMessageBox>
#include <cstdio>
#include <exception>

namespace dz {

DizozodiduApplication::DizozodiduApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("Dizozodidu"));
    setApplicationDisplayName(QStringLiteral("Dizozodidu"));
}

DizozodiduApplication* DizozodiduApplication::instance() {
    return qobject_cast<DizozodiduApplication*>(QCoreApplication::instance());
}

bool DizozodiduApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        reportError(QString::fromUtf8(e.what()));
    } catch (...) {
        reportError(QStringLiteral("Unbekannter Fehler."));
    }
    return false;
}

void DizozodiduApplication::reportError(const QString& message) {
    if (reporter_) {
        reporter_(message);
        return;
    }
    if (batchMode_) {
        std::fprintf(stderr, "dizozodidu: %s\n", message.toLocal8Bit().constData());
        exit(kExitFailure);
        return;
    }
    QMessageBox::critical(activeWindow(), QStringLiteral("Fehler"), message);
}

namespace {

void quietMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.startsWith(QLatin1String("This plugin does not support")) ||
        message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")))
        return;
    qt_message_output(type, context, message);
}

}  // namespace

void installQuietMessageHandler() { qInstallMessageHandler(quietMessages); }

void showFatalError(bool batchMode, const QString& message) {
    if (batchMode) {
        std::fprintf(stderr, "dizozodidu: %s\n", message.toLocal8Bit().constData());
        return;
    }
    QMessageBox::critical(nullptr, QStringLiteral("Dizozodidu"), message);
}

}  // namespace dz
