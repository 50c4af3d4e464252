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

    // "Zurück" and the close symbol: close the box.
    void Button1Click();
    void Image1Click();

    // The top left corner the box starts at, in screen coordinates.
    static QPoint startPosition() { return {530, 279}; }

    QLabel* Label1 = nullptr;  // title
    QLabel* Image1 = nullptr;  // close symbol
    QPlainTextEdit* Memo1 = nullptr;  // what the program does and who makes it
    QLabel* Label5 = nullptr;
    QPlainTextEdit* Memo3 = nullptr;  // the projects we build on
    QLabel* Label2 = nullptr;
    QPlainTextEdit* Memo2 = nullptr;  // release notes, newest first
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;  // the version number
    QPushButton* Button1 = nullptr;

protected:
    void closeSymbolClicked() override { Image1Click(); }
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    // Runs however the box is closed: the main window accepts input again.
    void FormClose();

};

}  // namespace dz
