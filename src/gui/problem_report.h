// The one way the planner tells the user that something failed. With a window
// system it is a message box; in batch mode, where nobody can answer a box, it
// is one line on stderr. The program start, batch mode, the application's
// last-resort handler and the window's file commands all report through here.
#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

namespace dz {

struct Problem {
    QMessageBox::Icon icon = QMessageBox::Critical;
    QString title = QStringLiteral("Dizozodidu");  // of the message box
    QString subject;  // the file concerned, if any
    QString text;     // what went wrong
    QString details;  // why, if known
};

// Whether problems go to stderr (batch mode) instead of message boxes.
void setProblemsToStderr(bool on);
bool problemsGoToStderr();

// On stderr: "dizozodidu: [subject: ]text[ details]". In a box: `text`, with
// the subject and the details below it.
void reportProblem(QWidget* parent, const Problem& problem);

}  // namespace dz
