// The about box: version number, what the program does, the projects we build
// on and the release notes.
#pragma once

#include "gui/dialogs/borderless_dialog.h"
#include <QPoint>
#include <QString>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace dz {

// A borderless black window with a title strip, a close symbol, three read-only
// text fields and "Zurück". It can be dragged by its background.
//
// The box behaves like a modal dialog although it is shown without waiting:
// the caller disables the main window and calls show(); however the box is
// closed afterwards ("Zurück", the close symbol, Escape, close() or hide()),
// it enables the main window again.
class AboutBox : public BorderlessDialog {
    Q_OBJECT

public:
    // `mainWindow` is the window that is enabled again when the box closes. It
    // is also the box's parent, so the box stays above it and goes with it.
    // The box enables itself when it is shown, although its parent is disabled.
    explicit AboutBox(QWidget* mainWindow = nullptr);

    // The top left corner the box starts at, in screen coordinates.
    static QPoint startPosition() { return {530, 279}; }

protected:
    void closeSymbolClicked() override { close(); }
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    // Runs however the box is closed: the main window accepts input again.
    void enableMainWindow();

    QLabel* titleLabel_ = nullptr;
    QPlainTextEdit* descriptionText_ = nullptr;  // what the program does and who makes it
    QLabel* sponsorsCaption_ = nullptr;
    QPlainTextEdit* sponsorsText_ = nullptr;  // the projects we build on
    QLabel* releaseNotesCaption_ = nullptr;
    QPlainTextEdit* releaseNotesText_ = nullptr;  // release notes, newest first
    QLabel* versionCaption_ = nullptr;
    QLabel* versionLabel_ = nullptr;  // the version number
    QPushButton* backButton_ = nullptr;  // "Zurück"
};

}  // namespace dz
