// The application object and the program's start. The application object is
// the one place where an exception that escapes an event handler is caught:
// it is reported (a message box, or stderr in batch mode) and the program goes
// on; batch mode ends with a non-zero status instead.
#pragma once

#include <QApplication>
#include <QByteArrayList>
#include <filesystem>
#include <functional>
#include <string>

#include "gui/run_mode.h"

namespace dz {

class DizozodiduApplication : public QApplication {
    Q_OBJECT
public:
    DizozodiduApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // How the program runs, as its command line says (runPlanner tells it
    // once). In batch mode an escaped exception is reported on stderr, never
    // in a message box, and ends the event loop with kExitFailure.
    void setRunMode(RunMode mode) { runMode_ = mode; }

    // Reports an exception that escaped an event handler. Tests replace the
    // reporter to observe it.
    void reportError(const QString& message);
    using Reporter = std::function<void(const QString&)>;
    void setErrorReporter(Reporter reporter) { reporter_ = std::move(reporter); }
    const Reporter& errorReporter() const { return reporter_; }

    static DizozodiduApplication* instance();

    // Loads Qt's German translation of its own texts (qtbase_de.qm from Qt's
    // translations folder, Debian package qt6-translations-l10n); the
    // constructor does. False when it is not there: Qt's texts stay English,
    // our own message boxes still say "Ja" and "Nein" (see problem_report.h).
    bool installQtTranslation();

private:
    RunMode runMode_ = RunMode::Interactive;
    Reporter reporter_;
};

// Exit status of a run that failed (batch mode, start-up).
inline constexpr int kExitFailure = 1;

// Drops Qt's remarks that say nothing to a player: what the offscreen
// platform cannot do, and a missing runtime folder of a session without desktop.
void installQuietMessageHandler();

// What the command line asks for: `dizozodidu plan.kpls` opens a plan at
// start, `dizozodidu IMAGES plan.kpls` is batch mode (exactly "IMAGES": a
// plan file may be called "images"). The arguments are the bytes the system
// passed, without the program name: a file name need not be UTF-8, and the
// plan file's name is kept byte for byte.
struct CommandLine {
    RunMode mode = RunMode::Interactive;
    std::filesystem::path planFile;
};
CommandLine parseCommandLine(const QByteArrayList& arguments);

class MainWindow;
// Once the window's start-up has finished: batch mode for its plan, or the
// plan named on the command line opened as "Laden" would. Batch mode shows
// nobody a window, so its start-up runs as soon as the event loop does. The
// window was made in the command line's mode.
void followCommandLine(MainWindow& window, const CommandLine& command);

// `dizozodidu --help` and `dizozodidu --version` (exactly so, as the first
// argument): the German usage or the version, to be printed on stdout before
// the program ends with status 0. They are answered before any application
// object exists, so they need no screen. Empty for every other first
// argument, which stays a plan file or "IMAGES".
std::string commandLineInformation(const char* firstArgument);

// The whole program with main()'s arguments: the application object, the
// catalog, the window and the event loop. Returns the exit status.
int runPlanner(int argc, char** argv);

}  // namespace dz
