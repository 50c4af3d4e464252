// The application object. It is the one place where an exception that escapes
// an event handler is caught: the message is shown and the program goes on.
// In batch mode no message box ever opens: messages go to stderr and the
// program ends with a non-zero status.
#pragma once

#include <QApplication>
#include <functional>

namespace dz {

class DizozodiduApplication : public QApplication {
    Q_OBJECT
public:
    DizozodiduApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    bool batchMode() const { return batchMode_; }
    void setBatchMode(bool on) { batchMode_ = on; }

    // Reports a failure the way the mode asks for: a message box normally,
    // stderr in batch mode. Tests replace the reporter to observe it.
    void reportError(const QString& message);
    using Reporter = std::function<void(const QString&)>;
    void setErrorReporter(Reporter reporter) { reporter_ = std::move(reporter); }
    const Reporter& errorReporter() const { return reporter_; }

    static DizozodiduApplication* instance();

private:
    bool batchMode_ = false;
    Reporter reporter_;
};

// Exit status of a run that failed (batch mode, start-up).
inline constexpr int kExitFailure = 1;

// Drops Qt's remarks that say nothing to a player: what the offscreen
// platform cannot do, and a missing runtime folder of a session without desktop.
void installQuietMessageHandler();

// Shows `message` as an error: message box, or stderr without a window system
// in batch mode. Usable before any window exists.
void showFatalError(bool batchMode, const QString& message);

// The whole program with main()'s arguments: the application object, the
// catalog, the window and the event loop. `dizozodidu plan.kpls` opens a plan;
// `dizozodidu IMAGES plan.kpls` is batch mode. Returns the exit status.
int runPlanner(int argc, char** argv);

}  // namespace dz
