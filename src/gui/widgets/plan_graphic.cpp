#include "gui/widgets/plan_graphic.h"

#include <QMenu>
#include <QMouseEvent>
#include <QMovie>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

namespace dz {

FieldPicture::FieldPicture(int fieldKey, QMenu* popupMenu, QWidget* parent)
    : QLabel(parent), fieldKey_(fieldKey), popupMenu_(popupMenu) {
    // The menu opens when the button is released, after the field was selected.
    setContextMenuPolicy(Qt::PreventContextMenu);
}

void FieldPicture::mouseReleaseEvent(QMouseEvent* event) {
    const Qt::MouseButton button = event->button();
    const QPoint global = event->globalPosition().toPoint();
    emit mouseUp(this, button, event->position().toPoint());
    // The handler may have replaced this very control; the menu still opens.
    if (button == Qt::RightButton && popupMenu_ && !popupMenu_->isEmpty()) popupMenu_->popup(global);
}

void FieldPicture::setLocked(bool locked) {
    if (locked_ == locked) return;
    locked_ = locked;
    update();
}

namespace {

// A padlock of 7 x 10 pixels whose lower right corner is `corner`: a gold body
// with a dark outline and a dark shackle, readable on every field colour.
void drawPadlock(QPainter& painter, QPoint corner) {
    const QRect body(corner.x() - 6, corner.y() - 5, 7, 6);
    const QRect shackle(body.left() + 1, body.top() - 4, 4, 7);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(QColor(32, 32, 32), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawArc(shackle, 0, 180 * 16);
    painter.drawLine(shackle.left(), shackle.center().y(), shackle.left(), body.top());
    painter.drawLine(shackle.right() + 1, shackle.center().y(), shackle.right() + 1, body.top());
    painter.setPen(QPen(QColor(32, 32, 32), 1));
    painter.setBrush(QColor(240, 200, 40));
    painter.drawRect(body);
    painter.fillRect(body.center().x(), body.top() + 2, 1, 2, QColor(32, 32, 32));  // the keyhole
}

}  // namespace

void FieldPicture::paintEvent(QPaintEvent* event) {
    QMovie* running = movie();
    if (!running || running->currentPixmap().isNull() || (isEnabled() && movieRatio_ == 1.0)) {
        QLabel::paintEvent(event);
    } else {
        // QLabel draws the frames of a movie at their pixel size, and in
        // colour where it greys a still picture of a disabled label.
        QPainter painter(this);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);  // at 1.5 the frames are shrunk
        QPixmap frame = running->currentPixmap();
        frame.setDevicePixelRatio(movieRatio_);
        if (!isEnabled()) {
            QStyleOption option;
            option.initFrom(this);
            frame = style()->generatedIconPixmap(QIcon::Disabled, frame, &option);
            frame.setDevicePixelRatio(movieRatio_);
        }
        style()->drawItemPixmap(&painter, contentsRect(), int(alignment()), frame);
    }
    if (locked_) {
        QPainter painter(this);
        drawPadlock(painter, rect().bottomRight() - QPoint(1, 1));
    }
}

void PlanGraphic::resize(int width, int surfaceHeight, int orbitHeight) {
    for (auto [grid, height] : {std::pair{&surface, surfaceHeight}, std::pair{&orbit, orbitHeight}}) {
        // Cells that go are normally empty already; release what they still hold.
        for (std::size_t x = 0; x < grid->size(); ++x)
            for (std::size_t y = 0; y < (*grid)[x].size(); ++y)
                if (x >= std::size_t(width) || y >= std::size_t(height)) releaseCell((*grid)[x][y]);
        grid->resize(std::size_t(width));
        for (auto& column : *grid) column.resize(std::size_t(height), Cell{nullptr, nullptr});
    }
}

void releaseCell(Cell& cell) {
    for (QLabel*& control : cell) {
        if (!control) continue;
        control->hide();
        control->deleteLater();
        control = nullptr;
    }
}

}  // namespace dz
