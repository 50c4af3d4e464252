#include "gui/problem_report.h"

#include <cstdio>

namespace dz {

namespace {
bool toStderr = false;
}  // namespace

void setProblemsToStderr(bool on) { toStderr = on; }

bool problemsGoToStderr() { return toStderr; }

void reportProblem(QWidget* parent, const Problem& problem) {
    if (toStderr) {
        QString line = QStringLiteral("dizozodidu: ");
        if (!problem.subject.isEmpty()) line += problem.subject + QStringLiteral(": ");
        line += problem.text;
        if (!problem.details.isEmpty()) line += QLatin1Char(' ') + problem.details;
        std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
        return;
    }
    QMessageBox box(problem.icon, problem.title, problem.text, QMessageBox::Ok, parent);
    QStringList below;
    if (!problem.subject.isEmpty()) below << problem.subject;
    if (!problem.details.isEmpty()) below << problem.details;
    if (!below.isEmpty()) box.setInformativeText(below.join(QLatin1Char('\n')));
    box.exec();
}

}  // namespace dz
