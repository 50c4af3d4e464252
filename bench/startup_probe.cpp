// Start-up as the player sees it: runs the planner exactly as main() does and
// writes "shown" to stdout once the main window has been exposed on the screen
// and painted; then the program ends. bench_processes times a start from the
// spawn to that line.
#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWindow>
#include <cstdio>

#include "shell/application.h"
#include "shell/main_window.h"

namespace {

class ShownWatch : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override {
        if (reported_ || event->type() != QEvent::Expose) return false;
        auto* window = qobject_cast<QWindow*>(receiver);
        if (!window || !window->isExposed() || !isMainWindow(window)) return false;
        reported_ = true;
        // Queued, so the line follows the painting the expose starts.
        QTimer::singleShot(0, [] {
            std::fputs("shown\n", stdout);
            std::fflush(stdout);
            QCoreApplication::exit(0);
        });
        return false;
    }

private:
    static bool isMainWindow(QWindow* window) {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (qobject_cast<dz::TfrmMain*>(widget) && widget->windowHandle() == window) return true;
        return false;
    }
    bool reported_ = false;
};

// Runs as the application object is made, before the window exists.
void watchForTheWindow() {
    QCoreApplication::instance()->installEventFilter(new ShownWatch(QCoreApplication::instance()));
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(watchForTheWindow)

int main(int argc, char** argv) { return dz::runPlanner(argc, argv); }
