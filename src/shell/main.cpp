// Program start: load the catalog, create the window, run until it closes.
// `dizozodidu plan.kpls` opens a plan; `dizozodidu IMAGES plan.kpls` renders it
// to plan.kpls.jpeg without any window interaction (batch mode).
#include <QStringList>
#include <cstdio>
#include <cstring>
#include <exception>

#include "catalog/catalog_files.h"
#include "shell/application.h"
#include "shell/main_window.h"

int main(int argc, char** argv) {
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
        return dz::kExitFailure;
    }

    dz::installQuietMessageHandler();
    dz::DizozodiduApplication app(argc, argv);
    app.setBatchMode(batchMode);

    // The program-wide objects: the catalog, the one plan, the run's flags.
    dz::Info info;
    dz::ActPlan actPlan;
    dz::ProgramState state;
    try {
        dz::loadCatalog(info, QCoreApplication::applicationDirPath().toStdString());
    } catch (const std::exception& e) {
        dz::showFatalError(batchMode, QStringLiteral("Die Spieldaten konnten nicht geladen werden.\n\n%1")
                                          .arg(QString::fromUtf8(e.what())));
        return dz::kExitFailure;
    }

    QStringList arguments = app.arguments();
    arguments.removeFirst();
    try {
        dz::TfrmMain frmMain(info, actPlan, state, arguments, batchMode);
        // Batch mode shows the window too (offscreen without a display): its
        // picture is what batch mode writes.
        frmMain.show();
        return app.exec();
    } catch (const std::exception& e) {
        dz::showFatalError(batchMode, QString::fromUtf8(e.what()));
        return dz::kExitFailure;
    }
}
