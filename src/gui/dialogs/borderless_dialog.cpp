#include "gui/dialogs/borderless_dialog.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <qdrawutil.h>

#include "gui/widgets/style.h"

namespace dz {

namespace {

// The close symbol: a small white cross on dark grey.
QPixmap drawCloseSymbol() {
    QPixmap picture(16, 16);
    picture.fill(QColor(64, 64, 64));
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::SquareCap));
    p.drawLine(QPoint(4, 4), QPoint(11, 11));
    p.drawLine(QPoint(11, 4), QPoint(4, 11));
    return picture;
}

}  // namespace

BorderlessDialog::BorderlessDialog(QWidget* parent, QSize clientSize, QPoint closeSymbolAt)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
    setFixedSize(clientSize);
    setFont(programFont());
    QPalette colours = palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        colours.setColor(group, QPalette::Window, Qt::black);
        colours.setColor(group, QPalette::WindowText, Qt::white);
    }
    setPalette(colours);
    setAutoFillBackground(true);

    closeSymbol_ = new QLabel(this);
    closeSymbol_->setObjectName(QStringLiteral("closeSymbol"));
    closeSymbol_->setGeometry(QRect(closeSymbolAt, QSize(16, 16)));
    closeSymbol_->setPixmap(drawCloseSymbol());
    closeSymbol_->setCursor(Qt::PointingHandCursor);
    closeSymbol_->installEventFilter(this);
}

void BorderlessDialog::moveToScreenCentre() {
    if (const QScreen* where = screen()) {
        QRect frame(QPoint(0, 0), size());
        frame.moveCenter(where->geometry().center());
        move(frame.topLeft());
    }
}

void BorderlessDialog::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    QPainter p(this);
    const QPalette& colours = palette();
    // A raised frame around the whole window and a groove under the title strip.
    qDrawShadePanel(&p, rect(), colours, false, 1);
    qDrawShadeLine(&p, 2, titleHeight, width() - 3, titleHeight, colours, true, 1, 0);
}

void BorderlessDialog::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        dragging_ = true;
        grip_ = event->globalPosition().toPoint() - pos();
        event->accept();
        return;
    }
    QDialog::mousePressEvent(event);
}

void BorderlessDialog::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_ && (event->buttons() & Qt::LeftButton)) {
        move(event->globalPosition().toPoint() - grip_);
        event->accept();
        return;
    }
    QDialog::mouseMoveEvent(event);
}

void BorderlessDialog::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) dragging_ = false;
    QDialog::mouseReleaseEvent(event);
}

bool BorderlessDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == closeSymbol_) {
        switch (event->type()) {
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonDblClick:
                // The close symbol is no grip for dragging.
                return static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
            case QEvent::MouseButtonRelease: {
                auto* mouse = static_cast<QMouseEvent*>(event);
                if (mouse->button() != Qt::LeftButton) break;
                // As with a button: only a release over the symbol counts.
                if (closeSymbol_->rect().contains(mouse->position().toPoint())) closeSymbolClicked();
                return true;
            }
            default:
                break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace dz
