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

void FieldPicture::paintEvent(QPaintEvent* event) {
    QMovie* running = movie();
    if (!running || isEnabled() || running->currentPixmap().isNull()) {
        QLabel::paintEvent(event);
        return;
    }
    // QLabel greys a still picture of a disabled label, but draws the frames
    // of a movie in colour.
    QPainter painter(this);
    QStyleOption option;
    option.initFrom(this);
    const QPixmap frame = style()->generatedIconPixmap(QIcon::Disabled, running->currentPixmap(), &option);
    style()->drawItemPixmap(&painter, contentsRect(), int(alignment()), frame);
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
