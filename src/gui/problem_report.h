// The one way the planner tells the user that something failed. For a user
// at a window it is a message box; in batch mode, where nobody can answer a
// box, it is one line on stderr. The program start, batch mode, the
// application's last-resort handler and the window's file commands all report
// through here, each saying how the program runs.
#pragma once

#include <QMessageBox>
#include <QString>

#include "gui/run_mode.h"

class QWidget;

namespace dz {

struct Problem {
    QMessageBox::Icon icon = QMessageBox::Critical;
    QString title = QStringLiteral("Dizozodidu");  // of the message box
    QString subject;  // the file concerned, if any
    QString text;     // what went wrong
    QString details;  // why, if known
};

// In batch mode on stderr: "dizozodidu: [subject: ]text[ details]". Else in
// a box: `text`, below it the details and then the subject on a line of its
// own (a file name is never broken).
void reportProblem(RunMode mode, QWidget* parent, const Problem& problem);

// The buttons of our message boxes in German ("OK", "Ja", "Nein",
// "Abbrechen"), also where Qt's own translation is missing.
void setGermanButtonTexts(QMessageBox& box);

// A modal message with an "OK" button.
void showMessage(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text);

}  // namespace dz
