// Program start: load the catalog, create the window, run until it closes.
// `dizozodidu plan.kpls` opens a plan; `dizozodidu IMAGES plan.kpls` renders it
// to plan.kpls.jpeg without any window interaction (batch mode).
#include <QStringList>
#include <cstring>
#include <exception>

#include "catalog/catalog_files.h"
#include "shell/application.h"
#include "shell/main_window.h"

int main(int argc, char** argv) {
    // Exact and case-sensitive: "images" is a plan file name.
    const bool batchMode = argc > 1 && std::strcmp(argv[1], "IMAGES") == 0;
    // Batch mode needs no screen; without a display it runs offscreen.
    if (batchMode && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    dz::DizozodiduApplication app(argc, argv);
    app.setBatchMode(batchMode);

    dz::Info info;
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
        dz::TfrmMain frmMain(info, state, arguments, batchMode);
        if (!batchMode) frmMain.show();
        return app.exec();
    } catch (const std::exception& e) {
        dz::showFatalError(batchMode, QString::fromUtf8(e.what()));
        return dz::kExitFailure;
    }
}
