// Start-up as the player sees it: runs the planner exactly as main() does and
// writes "shown" to stdout once the main window has been exposed on the screen
// and painted; then the program ends. bench_processes times a start from the
// spawn to that line. With DZ_PROBE_UNTIL=ready it waits instead until the
// window's start-up timer has run (settings, pictures) and its work is painted.
#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWindow>
#include <cstdio>

#include "app/application.h"
#include "gui/main_window.h"

namespace {

class ShownWatch : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override {
        if (reported_) return false;
        if (untilReady_) {
            // The filter sees the timer's event before the timer handles it;
            // the report is queued behind the start-up work and its painting.
            if (event->type() == QEvent::Timer && receiver->objectName() == QLatin1String("startupTimer") &&
                qobject_cast<dz::MainWindow*>(receiver->parent()))
                report();
            return false;
        }
        if (event->type() != QEvent::Expose) return false;
        auto* window = qobject_cast<QWindow*>(receiver);
        if (!window || !window->isExposed() || !isMainWindow(window)) return false;
        // Queued, so the line follows the painting the expose starts.
        report();
        return false;
    }

private:
    void report() {
        reported_ = true;
        QTimer::singleShot(0, [] {
            std::fputs("shown\n", stdout);
            std::fflush(stdout);
            QCoreApplication::exit(0);
        });
    }
    static bool isMainWindow(QWindow* window) {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (qobject_cast<dz::MainWindow*>(widget) && widget->windowHandle() == window) return true;
        return false;
    }
    bool reported_ = false;
    const bool untilReady_ = qgetenv("DZ_PROBE_UNTIL") == "ready";
};

// Runs as the application object is made, before the window exists.
void watchForTheWindow() {
    QCoreApplication::instance()->installEventFilter(new ShownWatch(QCoreApplication::instance()));
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(watchForTheWindow)

int main(int argc, char** argv) { return dz::runPlanner(argc, argv); }
