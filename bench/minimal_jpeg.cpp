// The least a Qt program does for batch mode's job, as the yardstick of batch
// mode's own time: a window of the picture's size, offscreen, shown, grabbed
// and written by our JPEG writer (libjpeg-turbo, quality 90). Like batch mode
// it chooses the offscreen platform itself when there is no display and does
// its work once the event loop runs.
// Usage: bench_minimal_jpeg WIDTH HEIGHT PICTURE.jpeg
#include <QApplication>
#include <QFile>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>

#include "gui/export/jpeg_writer.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 4) {
        std::fputs("Usage: bench_minimal_jpeg WIDTH HEIGHT PICTURE.jpeg\n", stderr);
        return 2;
    }
    QWidget window;
    window.setFixedSize(std::atoi(argv[1]), std::atoi(argv[2]));
    window.show();
    const QString picture = QFile::decodeName(argv[3]);
    QTimer::singleShot(0, [&window, &picture] {
        QString error;
        if (!dz::writeJpeg(window.grab().toImage(), picture, &error)) {
            std::fprintf(stderr, "bench_minimal_jpeg: %s\n", error.toLocal8Bit().constData());
            QCoreApplication::exit(1);
            return;
        }
        QCoreApplication::exit(0);
    });
    return app.exec();
}
