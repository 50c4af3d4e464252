#include "app/application.h"

#include <QLibraryInfo>
#include <QTranslator>
#include <cstdio>
#include <exception>

#include "app/batch_mode.h"
#include "core/catalog/catalog_files.h"
#include "core/files/standard_output.h"
#include "core/version.h"
#include "gui/file_commands.h"
#include "gui/main_window.h"
#include "gui/problem_report.h"
#include "gui/zoom_setting.h"

namespace dz {

DizozodiduApplication::DizozodiduApplication(int& argc, char** argv) : QApplication(argc, argv) {
    // No display name: Qt would append it to the title of every window and
    // dialog, and the main window names the product itself.
    setApplicationName(QStringLiteral("Dizozodidu"));
    // Desktops find the window's entry and icon by this name (dizozodidu.desktop).
    setDesktopFileName(QStringLiteral("dizozodidu"));
    installQtTranslation();
}

bool DizozodiduApplication::installQtTranslation() {
    // Whatever the user's locale: the planner speaks German, and so do Qt's
    // file dialogs, message box buttons and key names.
    auto* translator = new QTranslator(this);
    if (!translator->load(QStringLiteral("qtbase_de"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    installTranslator(translator);
    return true;
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
    reportProblem(runMode_, activeWindow(),
                  Problem{QMessageBox::Critical, QStringLiteral("Fehler"), QString(), message, QString()});
    if (runMode_ == RunMode::Batch) exit(kExitFailure);
}

namespace {

void quietMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.startsWith(QLatin1String("This plugin does not support")) ||
        message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")))
        return;
    qt_message_output(type, context, message);
}

void reportFatal(RunMode mode, const QString& message) {
    reportProblem(mode, nullptr,
                  Problem{QMessageBox::Critical, QStringLiteral("Dizozodidu"), QString(), message, QString()});
}

// The arguments after the program name, as the bytes the system passed: a
// file name need not be UTF-8.
QByteArrayList argumentsOf(int argc, char** argv) {
    QByteArrayList arguments;
    for (int i = 1; i < argc; ++i) arguments << QByteArray(argv[i]);
    return arguments;
}

}  // namespace

void installQuietMessageHandler() { qInstallMessageHandler(quietMessages); }

CommandLine parseCommandLine(const QByteArrayList& arguments) {
    CommandLine line;
    const QByteArray first = arguments.value(0);
    if (first == "IMAGES") {
        line.mode = RunMode::Batch;
        line.planFile = arguments.value(1).toStdString();
    } else {
        line.planFile = first.toStdString();
    }
    return line;
}

std::string commandLineInformation(const char* firstArgument) {
    const std::string argument = firstArgument ? firstArgument : "";
    if (argument == "--version") return std::string("Dizozodidu ") + kProgramVersion + "\n";
    if (argument != "--help") return {};
    return std::string("Dizozodidu ") + kProgramVersion +
           ", ein Kolonieplaner\n"
           "\n"
           "Aufruf: dizozodidu [PLAN.kpls]\n"
           "        dizozodidu IMAGES PLAN.kpls\n"
           "        dizozodidu --help | --version\n"
           "\n"
           "  PLAN.kpls          öffnet den Plan beim Start.\n"
           "  IMAGES PLAN.kpls   Stapelbetrieb: lädt den Plan, speichert das Bild des\n"
           "                     Fensters als PLAN.kpls.jpeg und endet ohne Rückfragen,\n"
           "                     auch ohne Bildschirm. Fehler stehen auf stderr, der\n"
           "                     Rückgabewert ist dann 1.\n"
           "  --help             zeigt diese Hilfe.\n"
           "  --version          zeigt die Version.\n"
           "\n"
           "Die Spieldaten (buildings.kpl, ressources.kpl, planets.kpl) und die Bilder\n"
           "(images/) liegen im Ordner des Programms, die Einstellungen in saves.kpl im\n"
           "Arbeitsverzeichnis.\n";
}

void followCommandLine(MainWindow& window, const CommandLine& command) {
    if (command.mode == RunMode::Batch) window.startStartupAtOnce();
    QObject::connect(&window, &MainWindow::startupFinished, &window, [&window, command] {
        if (command.mode == RunMode::Batch)
            runBatch(window, command.planFile);
        else if (!command.planFile.empty())
            window.files().loadPlanFile(command.planFile);
    });
}

int runPlanner(int argc, char** argv) {
    if (argc > 1) {
        const std::string information = commandLineInformation(argv[1]);
        if (!information.empty()) {
            CheckedOutput out;
            out.write(information);
            if (const std::optional<std::string> lost = out.finish()) {
                std::fprintf(stderr, "dizozodidu: %s\n", lost->c_str());
                return kExitFailure;
            }
            return 0;
        }
    }
    // Without a screen batch mode runs offscreen, which Qt must know before
    // its application object exists: here the command line still holds Qt's
    // own options (-platform …). How the program runs is read once Qt has
    // taken them out, below.
    const bool batchAsked = parseCommandLine(argumentsOf(argc, argv)).mode == RunMode::Batch;
    const bool noScreen = qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
                          qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    if (noScreen && batchAsked) {
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

    // The kept "Vergrößerung" (not for batch mode's picture, which keeps its size).
    const bool zoomed = !batchAsked && applyKeptZoom();
    installQuietMessageHandler();
    DizozodiduApplication app(argc, argv);
    // Qt has taken the factor; programs started from the window are not scaled by it.
    if (zoomed) qunsetenv("QT_SCALE_FACTOR");
    // The arguments Qt left (it takes its own options out of argv), as the
    // bytes they are: app.arguments() decodes them as UTF-8, and a plan file
    // named in Windows-1252 would no longer be found. They decide how the
    // program runs, once: the application and the window are told.
    const CommandLine command = parseCommandLine(argumentsOf(argc, argv));
    app.setRunMode(command.mode);

    // The program-wide objects: the catalog, the one plan, the run's flags.
    Info info;
    ActPlan actPlan;
    ProgramState state;
    try {
        loadCatalog(info, QCoreApplication::applicationDirPath().toStdString());
    } catch (const std::exception& e) {
        reportFatal(command.mode,
                    QStringLiteral("Die Spieldaten konnten nicht geladen werden.\n\n%1").arg(QString::fromUtf8(e.what())));
        return kExitFailure;
    }

    try {
        MainWindow window(info, actPlan, state, command.mode);
        followCommandLine(window, command);
        // Batch mode shows the window too (offscreen without a display): its
        // picture is what batch mode writes.
        window.show();
        return app.exec();
    } catch (const std::exception& e) {
        reportFatal(command.mode, QString::fromUtf8(e.what()));
        return kExitFailure;
    }
}

}  // namespace dz
