#include "app/batch_mode.h"

#include <QCoreApplication>

#include "app/application.h"
#include "gui/export/jpeg_writer.h"
#include "gui/export/screenshot.h"
#include "gui/file_commands.h"
#include "gui/main_window.h"
#include "gui/problem_report.h"
#include "gui/widgets/qt_text.h"

namespace dz {

void runBatch(MainWindow& window, const std::filesystem::path& planFile) {
    auto fail = [&window](const QString& message) {
        reportProblem(RunMode::Batch, &window,
                      Problem{QMessageBox::Critical, QStringLiteral("Dizozodidu"), QString(), message, QString()});
        QCoreApplication::exit(kExitFailure);
    };
    if (planFile.empty()) return fail(QStringLiteral("Aufruf: dizozodidu IMAGES plan.kpls"));
    // The reason of a refused plan is reported by the load itself.
    if (!window.files().loadPlanFile(planFile)) return QCoreApplication::exit(kExitFailure);
    QString error;
    const std::filesystem::path target = nativeScreenshotTarget(planFile);
    if (!writeJpeg(captureWindow(&window), target, &error))
        return fail(screenshotFailedText(fromNativeFileName(planFile)) + QStringLiteral(" ") + error);
    window.close();
    QCoreApplication::exit(0);
}

}  // namespace dz
