#include "app/application.h"

#include <QMessageBox>
#include <QStringList>
#include <cstdio>
#include <cstring>
#include <exception>

#include "core/catalog/catalog_files.h"
#include "gui/main_window.h"

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

int runPlanner(int argc, char** argv) {
    // Exact and case-sensitive: "images" is a plan file name.
    const bool batchMode = argc > 1 && std::strcmp(argv[1], "IMAGES") == 0;
    const bool noScreen = qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
                          qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    if (noScreen && batchMode) {
        // Batch mode needs no screen: it runs offscreen.
        qputenv("QT_QPA_PLATFORM", "offscreen");
    } else if (noScreen) {
        // Qt would abort with a terse message of its own; say what to do instead.
        std::fputs("dizozodidu: Kein Bildschirm gefunden (DISPLAY ist nicht gesetzt).\n"
                   "Starten Sie den Planer auf einem Desktop, über \"ssh -X\" oder mit \"xvfb-run -a dizozodidu\".\n"
                   "Ein Bild eines Plans ohne Bildschirm: dizozodidu IMAGES plan.kpls\n",
                   stderr);
        return kExitFailure;
    }

    installQuietMessageHandler();
    DizozodiduApplication app(argc, argv);
    app.setBatchMode(batchMode);

    // The program-wide objects: the catalog, the one plan, the run's flags.
    Info info;
    ActPlan actPlan;
    ProgramState state;
    try {
        loadCatalog(info, QCoreApplication::applicationDirPath().toStdString());
    } catch (const std::exception& e) {
        showFatalError(batchMode, QStringLiteral("Die Spieldaten konnten nicht geladen werden.\n\n%1")
                                      .arg(QString::fromUtf8(e.what())));
        return kExitFailure;
    }

    QStringList arguments = app.arguments();
    arguments.removeFirst();
    try {
        MainWindow frmMain(info, actPlan, state, arguments, batchMode);
        // Batch mode shows the window too (offscreen without a display): its
        // picture is what batch mode writes.
        frmMain.show();
        return app.exec();
    } catch (const std::exception& e) {
        showFatalError(batchMode, QString::fromUtf8(e.what()));
        return kExitFailure;
    }
}

}  // namespace dz
