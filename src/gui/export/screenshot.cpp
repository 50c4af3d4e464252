#include "gui/export/screenshot.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLayout>
#include <QMainWindow>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QStyle>
#include <QStyleOption>
#include <QWidget>
#include <filesystem>
#include <string_view>

#include "core/files/safe_write.h"
#include "core/layout/window_layout.h"
#include "gui/export/jpeg_writer.h"
#include "gui/widgets/qt_text.h"

namespace dz {

namespace {

// The outer size of a window whose client area (menu bar and status line
// included) is `client` large.
QSize outerSize(QSize client) {
    return client + QSize(2 * FrameMetrics::border, 2 * FrameMetrics::border + FrameMetrics::caption);
}

// The scroll area of a main window that is smaller than its content (on a
// small screen, see ScreenFit); null when the window shows all of it.
QScrollArea* cutContent(QWidget* window) {
    auto* main = qobject_cast<QMainWindow*>(window);
    auto* area = main ? qobject_cast<QScrollArea*>(main->centralWidget()) : nullptr;
    if (!area || !area->widget()) return nullptr;
    return area->size() == area->widget()->size() ? nullptr : area;
}

// What `widget` shows, at one pixel per device-independent pixel: a
// screenshot has the window's size on every screen, while grab() on a screen
// of a device pixel ratio above 1 returns that many times the pixels.
QImage grabPlain(QWidget* widget) {
    if (widget->devicePixelRatioF() == 1.0) return widget->grab().toImage();
    QPixmap pixmap(widget->size());
    pixmap.fill(Qt::transparent);
    widget->render(&pixmap, QPoint(), QRegion(widget->rect()),
                   QWidget::DrawWindowBackground | QWidget::DrawChildren | QWidget::IgnoreMask);
    return pixmap.toImage();
}

// A bar of the window (menu bar, status line) as it looks at `width`.
QImage grabAtWidth(QWidget* bar, int width) {
    const QSize shown = bar->size();
    if (shown.width() != width) bar->resize(width, shown.height());
    QImage image = grabPlain(bar);
    if (shown.width() != width) bar->resize(shown);
    return image;
}

// The client area of a window that is smaller than its content, as it would
// look at its full size: the menu bar, all of the content and the status line,
// each drawn at the content's width.
QImage grabWholeClient(QMainWindow* window, QScrollArea* area) {
    QWidget* content = area->widget();
    QWidget* menu = window->menuWidget();
    QWidget* status = window->findChild<QStatusBar*>(QString(), Qt::FindDirectChildrenOnly);
    const int width = content->width();
    const int menuHeight = menu ? menu->height() : 0;
    const int statusHeight = status ? status->height() : 0;
    QImage image(width, menuHeight + content->height() + statusHeight, QImage::Format_RGB32);
    image.fill(window->palette().color(QPalette::Active, QPalette::Window));
    QPainter painter(&image);
    if (menu) painter.drawImage(QPoint(0, 0), grabAtWidth(menu, width));
    painter.drawImage(QPoint(0, menuHeight), grabPlain(content));
    if (status) painter.drawImage(QPoint(0, menuHeight + content->height()), grabAtWidth(status, width));
    return image;
}

// The client area as it is painted now, at its full size. Layout requests,
// polish and resize events still waiting in the queue are delivered first, so
// that a plan loaded a moment ago is shown in its final layout. Timers and
// input stay queued.
QImage grabClient(QWidget* window) {
    QCoreApplication::sendPostedEvents();
    if (QLayout* layout = window->layout()) layout->activate();  // a hidden window is laid out on demand only
    if (QScrollArea* area = cutContent(window)) return grabWholeClient(static_cast<QMainWindow*>(window), area);
    return grabPlain(window).convertToFormat(QImage::Format_RGB32);
}

// Title bar hints as the window system sees them: without CustomizeWindowHint
// a window gets the full set of buttons.
Qt::WindowFlags captionFlags(const QWidget* window) {
    Qt::WindowFlags flags = window->windowFlags();
    if (!flags.testFlag(Qt::CustomizeWindowHint))
        flags |= Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                 Qt::WindowCloseButtonHint;
    return flags;
}

// The outer window drawn by us, for platforms without a window manager: the
// style's window frame around everything, the active caption bar inside the
// top border, the client area below it.
QImage drawnFrame(QWidget* window, const QImage& client) {
    const QSize outer = outerSize(client.size());
    QStyle* style = window->style();
    QImage image(outer, QImage::Format_RGB32);
    image.fill(window->palette().color(QPalette::Active, QPalette::Window));

    QPainter painter(&image);

    QStyleOptionFrame frame;
    frame.initFrom(window);
    frame.rect = image.rect();
    frame.lineWidth = FrameMetrics::border;
    frame.midLineWidth = 0;
    frame.state |= QStyle::State_Active;
    style->drawPrimitive(QStyle::PE_FrameWindow, &frame, &painter, window);

    QStyleOptionTitleBar caption;
    caption.initFrom(window);
    caption.rect = QRect(FrameMetrics::border, FrameMetrics::border, outer.width() - 2 * FrameMetrics::border,
                         FrameMetrics::caption);
    caption.text = window->windowTitle();
    // A caption shows the small size of the window's icon, as a window
    // manager does; QIcon would otherwise shrink a larger size into its box.
    const int small = style->pixelMetric(QStyle::PM_SmallIconSize, nullptr, window);
    caption.icon = QIcon(window->windowIcon().pixmap(QSize(small, small)));
    caption.titleBarFlags = captionFlags(window);
    caption.titleBarState = int(window->windowState() & ~Qt::WindowMinimized) | QStyle::State_Active;
    caption.state |= QStyle::State_Active;
    caption.palette.setCurrentColorGroup(QPalette::Active);
    caption.subControls = QStyle::SC_All;
    caption.activeSubControls = QStyle::SC_None;
    style->drawComplexControl(QStyle::CC_TitleBar, &caption, &painter, window);

    painter.drawImage(QPoint(FrameMetrics::border, FrameMetrics::border + FrameMetrics::caption), client);
    return image;
}

// The frame a window manager draws, taken from the screen; a null image when
// there is none or it does not have the outer size we promise.
QImage realFrame(QWidget* window, const QImage& client) {
    if (QGuiApplication::platformName() != QLatin1String("xcb") || !window->isVisible()) return {};
    const QRect frame = window->frameGeometry();
    const QRect inner = window->geometry();
    if (frame.size() == inner.size() || frame.size() != outerSize(client.size())) return {};
    QScreen* screen = window->screen();
    if (!screen) return {};
    const QPoint onScreen = frame.topLeft() - screen->geometry().topLeft();
    QImage image = screen->grabWindow(0, onScreen.x(), onScreen.y(), frame.width(), frame.height())
                       .toImage()
                       .convertToFormat(QImage::Format_RGB32);
    if (image.size() != frame.size()) return {};  // scaled screen or partly off the screen
    // Another window may cover the client area on the screen: it comes from
    // the widget's own rendering instead.
    QPainter painter(&image);
    painter.drawImage(inner.topLeft() - frame.topLeft(), client);
    return image;
}

}  // namespace

bool isPngName(const std::filesystem::path& name) {
    return std::string_view(name.native()).ends_with(".png") && name.filename().native().size() > 4;
}

QString screenshotTarget(const QString& name) { return fromNativeFileName(nativeScreenshotTarget(toNativeFileName(name))); }

std::filesystem::path nativeScreenshotTarget(const std::filesystem::path& name) {
    // The extension is the last component's part from its last dot; since
    // ".jpeg" holds neither a dot nor a slash after its first character, that
    // part is ".jpeg" exactly when the name ends so.
    const std::string& bytes = name.native();
    constexpr std::string_view extension = ".jpeg";
    if (std::string_view(bytes).ends_with(extension) || isPngName(name)) return name;
    return std::filesystem::path(bytes + std::string(extension));
}

QImage captureWindow(QWidget* window) {
    const QImage client = grabClient(window);
    QImage image = realFrame(window, client);
    if (image.isNull()) image = drawnFrame(window, client);
    return image.convertToFormat(QImage::Format_RGB888);
}

ScreenshotResult saveScreenshot(QWidget* window, const QString& name) {
    if (!window) return ScreenshotResult::Failed;
    const QImage image = captureWindow(window);
    const std::filesystem::path target = nativeScreenshotTarget(toNativeFileName(name));
    if (!isPngName(target)) return writeJpeg(image, target) ? ScreenshotResult::Saved : ScreenshotResult::Failed;
    // PNG keeps every pixel of our pictures; written safely as every file.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG")) return ScreenshotResult::Failed;
    try {
        writeFileSafely(target, std::string_view(bytes.constData(), std::size_t(bytes.size())));
    } catch (const std::exception&) {
        return ScreenshotResult::Failed;
    }
    return ScreenshotResult::Saved;
}

QString screenshotSavedText() { return QStringLiteral("Screenshot konnte erfolgreich gespeichert werden!"); }

QString screenshotFailedText(const QString& givenName) {
    return QStringLiteral("Screenshot konnte nicht gespeichert werden! (") + givenName + QLatin1Char(')');
}

QString screenshotCancelledText() { return QStringLiteral("Screenshot konnte nicht gespeichert werden!"); }

}  // namespace dz
