#include "gui/problem_report.h"

#include <QAbstractButton>
#include <cstdio>
#include <utility>

namespace dz {

void reportProblem(RunMode mode, QWidget* parent, const Problem& problem) {
    if (mode == RunMode::Batch) {
        QString line = QStringLiteral("dizozodidu: ");
        if (!problem.subject.isEmpty()) line += problem.subject + QStringLiteral(": ");
        line += problem.text;
        if (!problem.details.isEmpty()) line += QLatin1Char(' ') + problem.details;
        std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
        return;
    }
    QMessageBox box(problem.icon, problem.title, problem.text, QMessageBox::Ok, parent);
    setGermanButtonTexts(box);
    // The reason first, then the file on a line of its own. A long file
    // name is broken after a "/" only, never inside a name.
    QStringList below;
    if (!problem.details.isEmpty()) below << QStringLiteral("<p>%1</p>").arg(problem.details.toHtmlEscaped());
    if (!problem.subject.isEmpty()) {
        QString file = problem.subject.toHtmlEscaped();
        file.replace(QLatin1Char(' '), QStringLiteral("&nbsp;"));
        file.replace(QLatin1Char('/'), QStringLiteral("/&#8203;"));  // a zero-width space: a place to break
        below << QStringLiteral("<p>%1</p>").arg(file);
    }
    if (!below.isEmpty()) box.setInformativeText(below.join(QString()));
    box.exec();
}

void setGermanButtonTexts(QMessageBox& box) {
    const std::pair<QMessageBox::StandardButton, const char*> texts[] = {
        {QMessageBox::Ok, "OK"}, {QMessageBox::Yes, "&Ja"}, {QMessageBox::No, "&Nein"}, {QMessageBox::Cancel, "Abbrechen"}};
    for (auto [which, text] : texts)
        if (QAbstractButton* button = box.button(which)) button->setText(QString::fromUtf8(text));
}

void showMessage(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text) {
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    setGermanButtonTexts(box);
    box.exec();
}

}  // namespace dz
