#include "gui/dialogs/update_dialog.h"

#include <QHideEvent>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>

#include "gui/dialogs/busy_animation.h"
#include "gui/dialogs/update_checker.h"
#include "gui/widgets/labels.h"

namespace dz {

namespace {

constexpr int clientWidth = 354;
constexpr int clientHeight = 97;

}  // namespace

UpdateDialog::UpdateDialog(QWidget* parent)
    : BorderlessDialog(parent, QSize(clientWidth, clientHeight), QPoint(334, 3)),
      checker_(new UpdateChecker(this)) {
    setObjectName(QStringLiteral("updateDialog"));
    setWindowTitle(QStringLiteral("Updateprüfung"));
    setModal(true);
    checker_->setObjectName(QStringLiteral("updateChecker"));

    titleLabel_ = makeLabel(this, "titleLabel", QStringLiteral("Updateprüfung..."), 14, 6);

    resultLabel_ = makeLabel(this, "resultLabel", QString(), 16, 32);
    QFont bold = font();
    bold.setBold(true);
    resultLabel_->setFont(bold);
    // The longest result, with the server's name, takes a second line above the button.
    resultLabel_->setWordWrap(true);
    resultLabel_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    resultLabel_->setGeometry(16, 32, clientWidth - 16 - 6, 29);

    checkButton_ = new QPushButton(QStringLiteral("Überprüfen"), this);
    checkButton_->setObjectName(QStringLiteral("checkButton"));
    checkButton_->setGeometry(273, 62, 75, 25);
    checkButton_->setAutoDefault(false);
    connect(checkButton_, &QPushButton::clicked, this, [this] { check(); });

    busySign_ = new BusyAnimation(this);
    busySign_->setObjectName(QStringLiteral("busySign"));
    busySign_->setGeometry(248, 66, 16, 16);

    connect(checker_, &UpdateChecker::finished, this, [this](const QString& result) {
        busySign_->stop();
        showResult(result);
    });
}

void UpdateDialog::showResult(const QString& text) { resultLabel_->setText(text); }

void UpdateDialog::check() {
    busySign_->start();
    checker_->start();
}

void UpdateDialog::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        showResult(QString());
        moveToScreenCentre();
    }
    QDialog::showEvent(event);
}

void UpdateDialog::hideEvent(QHideEvent* event) {
    // A closed window asks nothing more; its result would only be wiped at the next showing.
    if (!event->spontaneous()) {
        checker_->cancel();
        busySign_->stop();
    }
    QDialog::hideEvent(event);
}

}  // namespace dz
