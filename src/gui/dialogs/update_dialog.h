// The window of the update check: tells the user whether the running program
// is up to date.
#pragma once

#include "gui/dialogs/borderless_dialog.h"

class QLabel;
class QPushButton;

namespace dz {

class BusyAnimation;
class UpdateChecker;

// A small borderless black window with its title strip, close symbol, the
// result line and the button "Überprüfen". It can be dragged by its
// background. Every press of the button runs one check (see UpdateChecker)
// while the busy sign turns; a newer press replaces a running check, and
// closing the window drops it.
class UpdateDialog : public BorderlessDialog {
    Q_OBJECT

public:
    explicit UpdateDialog(QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void check();
    void showResult(const QString& text);

    UpdateChecker* checker_ = nullptr;
    QLabel* titleLabel_ = nullptr;
    QLabel* resultLabel_ = nullptr;
    QPushButton* checkButton_ = nullptr;
    BusyAnimation* busySign_ = nullptr;
};

}  // namespace dz
