#include "gui/screen_fit.h"

#include <QEvent>
#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QWindow>
#include <algorithm>
#include <cmath>

#include "core/layout/window_layout.h"

namespace dz {

namespace {
// A window smaller than this is of no use; on a smaller screen it reaches beyond the edge.
constexpr int kSmallestWidth = 320;
constexpr int kSmallestHeight = 240;
}  // namespace

ScreenFit::ScreenFit(QMainWindow* window, QWidget* content)
    : QObject(window), window_(window), area_(new QScrollArea(window)) {
    setObjectName(QStringLiteral("screenFit"));
    area_->setObjectName(QStringLiteral("clientScrollArea"));
    area_->setFrameShape(QFrame::NoFrame);
    area_->setWidgetResizable(false);
    area_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // No stop of its own in the Tab chain: the controls inside it are the stops.
    area_->setFocusPolicy(Qt::NoFocus);
    area_->setWidget(content);
    // A pixel of room beside the content shows the content's background.
    area_->viewport()->setPalette(content->palette());
    window->setCentralWidget(area_);
    window->installEventFilter(this);
}

void ScreenFit::setDesignedSize(QSize window, QSize content) {
    designed_ = window;
    area_->widget()->setFixedSize(content);
    fit();
}

void ScreenFit::setAvailableArea(std::optional<QRect> area) {
    givenArea_ = area;
    fit();
}

std::optional<QRect> ScreenFit::availableArea() const {
    if (givenArea_) return givenArea_;
    if (QGuiApplication::platformName() == QLatin1String("offscreen")) return std::nullopt;
    QScreen* screen = window_->screen();
    if (!screen) return std::nullopt;
    return screen->availableGeometry();
}

QMargins ScreenFit::frameMargins() const {
    // Once a window manager has framed the shown window, its frame is known;
    // until then (and without one) the frame metrics of the layout stand in.
    if (window_->isVisible()) {
        const QRect frame = window_->frameGeometry();
        const QRect inner = window_->geometry();
        if (frame != inner)
            return QMargins(inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
                            frame.bottom() - inner.bottom());
    }
    return QMargins(FrameMetrics::border, FrameMetrics::border + FrameMetrics::caption, FrameMetrics::border,
                    FrameMetrics::border);
}

void ScreenFit::fit() {
    if (fitting_ || !designed_.isValid()) return;
    fitting_ = true;
    const QMargins frame = frameMargins();
    fittedWithFrame_ = frame;
    QSize size = designed_;
    FittedWindow fitted{Size{size.width(), size.height()}};
    const std::optional<QRect> area = availableArea();
    if (area) {
        const int extent =
            area_->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, area_->verticalScrollBar());
        const Size room{std::max(area->width() - frame.left() - frame.right(), kSmallestWidth),
                        std::max(area->height() - frame.top() - frame.bottom(), kSmallestHeight)};
        // At a fractional pixel ratio the window system rounds the window to
        // whole device pixels, and the window may end a pixel smaller than
        // asked: it asks for one more, so that the content still fits.
        const qreal ratio = window_->devicePixelRatioF();
        const int slack = ratio == std::floor(ratio) ? 0 : 1;
        fitted = fitWindow(Size{designed_.width() + slack, designed_.height() + slack}, room, extent);
        size = QSize(fitted.size.width, fitted.size.height);
    }
    // Where the content fits, no bar may appear, not even for a pixel lost to rounding.
    area_->setHorizontalScrollBarPolicy(fitted.horizontalBar ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    area_->setVerticalScrollBarPolicy(fitted.verticalBar ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    window_->setFixedSize(size);
    if (area && window_->isVisible()) {
        // A window that grew (a larger planet) may reach beyond the screen's edge now.
        const QRect outer = window_->frameGeometry();
        const QPoint at(std::clamp(outer.left(), area->left(), std::max(area->left(), area->right() + 1 - outer.width())),
                        std::clamp(outer.top(), area->top(), std::max(area->top(), area->bottom() + 1 - outer.height())));
        if (at != outer.topLeft()) window_->move(at);
    }
    fitting_ = false;
}

bool ScreenFit::eventFilter(QObject* watched, QEvent* event) {
    if (watched != window_) return false;
    switch (event->type()) {
        case QEvent::Show:
            if (!followsScreen_ && window_->windowHandle()) {
                connect(window_->windowHandle(), &QWindow::screenChanged, this, [this] { fit(); });
                followsScreen_ = true;
            }
            fit();
            break;
        case QEvent::Move:
        case QEvent::Resize:
            // The window manager's frame has become known or changed.
            if (frameMargins() != fittedWithFrame_) fit();
            break;
        default:
            break;
    }
    return false;
}

}  // namespace dz
