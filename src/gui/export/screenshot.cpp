#include "gui/export/screenshot.h"

#include <QCoreApplication>
#include <QDir>
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
#include <unistd.h>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string_view>
#include <vector>

// jpeglib.h needs FILE and size_t declared before it.
#include <jpeglib.h>

#include "core/files/safe_write.h"
#include "core/layout/window_layout.h"
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

// A bar of the window (menu bar, status line) as it looks at `width`.
QImage grabAtWidth(QWidget* bar, int width) {
    const QSize shown = bar->size();
    if (shown.width() != width) bar->resize(width, shown.height());
    QImage image = bar->grab().toImage();
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
    painter.drawImage(QPoint(0, menuHeight), content->grab().toImage());
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
    return window->grab().toImage().convertToFormat(QImage::Format_RGB32);
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

// --- JPEG encoding -----------------------------------------------------------

// libjpeg's default error handler ends the process; this one jumps back to
// the encoder with the message.
struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void errorExit(j_common_ptr cinfo) {
    auto* errors = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, errors->message);
    std::longjmp(errors->jump, 1);
}

void noWarnings(j_common_ptr, int) {}

// Room for the JPEG headers and tables beside the picture's bytes.
constexpr std::size_t kHeaderRoom = 64 * 1024;

// Everything the encoder touches lives here, on the heap: after a longjmp
// the state is read from memory the jump cannot have made indeterminate.
struct Encoder {
    jpeg_compress_struct cinfo;
    ErrorManager errors;
    // libjpeg's memory destination writes into `out`, which starts as a
    // buffer of ours; should the picture not fit, libjpeg puts it into a
    // larger buffer of its own, which `out` names once compressing is done.
    unsigned char* out;
    unsigned long outSize;
};

// Compresses the RGB888 rows of `rgb` into encoder->out. Holds no object
// with a destructor, so the jump back from libjpeg leaves nothing behind.
bool compress(Encoder* encoder, const QImage& rgb) {
    jpeg_compress_struct* cinfo = &encoder->cinfo;
    cinfo->err = jpeg_std_error(&encoder->errors.pub);
    encoder->errors.pub.error_exit = errorExit;
    encoder->errors.pub.emit_message = noWarnings;
    encoder->errors.message[0] = '\0';
    if (setjmp(encoder->errors.jump)) {
        jpeg_destroy_compress(cinfo);
        return false;
    }
    jpeg_create_compress(cinfo);
    jpeg_mem_dest(cinfo, &encoder->out, &encoder->outSize);

    cinfo->image_width = JDIMENSION(rgb.width());
    cinfo->image_height = JDIMENSION(rgb.height());
    cinfo->input_components = 3;
    cinfo->in_color_space = JCS_RGB;
    jpeg_set_defaults(cinfo);
    jpeg_set_quality(cinfo, 90, TRUE);
    jpeg_start_compress(cinfo, TRUE);
    while (cinfo->next_scanline < cinfo->image_height) {
        // Rows of a QImage are padded to 32 bits: one row at a time.
        JSAMPROW row = const_cast<JSAMPROW>(rgb.constScanLine(int(cinfo->next_scanline)));
        jpeg_write_scanlines(cinfo, &row, 1);
    }
    jpeg_finish_compress(cinfo);
    jpeg_destroy_compress(cinfo);
    return true;
}

QString nativePath(const std::filesystem::path& path) { return QDir::toNativeSeparators(fromNativeFileName(path)); }

bool fail(QString* error, const QString& reason) {
    if (error) *error = reason;
    return false;
}

}  // namespace

QString screenshotTarget(const QString& name) { return fromNativeFileName(nativeScreenshotTarget(toNativeFileName(name))); }

std::filesystem::path nativeScreenshotTarget(const std::filesystem::path& name) {
    // The extension is the last component's part from its last dot; since
    // ".jpeg" holds neither a dot nor a slash after its first character, that
    // part is ".jpeg" exactly when the name ends so.
    const std::string& bytes = name.native();
    constexpr std::string_view extension = ".jpeg";
    if (std::string_view(bytes).ends_with(extension)) return name;
    return std::filesystem::path(bytes + std::string(extension));
}

QImage captureWindow(QWidget* window) {
    const QImage client = grabClient(window);
    QImage image = realFrame(window, client);
    if (image.isNull()) image = drawnFrame(window, client);
    return image.convertToFormat(QImage::Format_RGB888);
}

bool writeJpeg(const QImage& image, const QString& path, QString* error) {
    return writeJpeg(image, toNativeFileName(path), error);
}

bool writeJpeg(const QImage& image, const std::filesystem::path& path, QString* error) {
    namespace fs = std::filesystem;
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    // As large as the raw picture plus the headers: a picture of quality 90
    // fits, so libjpeg need not make a buffer of its own (which it would
    // leave behind, out of our reach, if compressing failed after that).
    std::vector<unsigned char> first(std::size_t(rgb.width()) * std::size_t(rgb.height()) * 3 + kHeaderRoom);
    auto encoder = std::make_unique<Encoder>();
    encoder->out = first.data();
    encoder->outSize = static_cast<unsigned long>(first.size());
    const bool encoded = compress(encoder.get(), rgb);
    // A larger buffer that libjpeg made is ours to free once compressing has finished.
    std::unique_ptr<unsigned char, decltype(&std::free)> grown(
        encoded && encoder->out != first.data() ? encoder->out : nullptr, &std::free);
    if (!encoded)
        return fail(error, QStringLiteral("Das Bild konnte nicht als JPEG kodiert werden (%1).")
                               .arg(QString::fromLocal8Bit(encoder->errors.message)));

    std::error_code ignored;
    const fs::path folder = fs::absolute(path, ignored).lexically_normal().parent_path();
    if (!fs::is_directory(folder, ignored))
        return fail(error, QStringLiteral("Der Ordner %1 existiert nicht.").arg(nativePath(folder)));
    if (fs::is_directory(path, ignored))
        return fail(error, QStringLiteral("%1 ist ein Ordner.").arg(nativePath(path)));
    if (fs::exists(path, ignored) && ::access(path.c_str(), W_OK) != 0)
        return fail(error, QStringLiteral("Die Datei %1 ist schreibgeschützt.").arg(nativePath(path)));

    const std::string_view bytes(reinterpret_cast<const char*>(encoder->out), encoder->outSize);
    const auto failure = tryWriteFileSafely(path, bytes);
    if (!failure) return true;
    const QString reason = QString::fromLocal8Bit(failure->reason.c_str());
    if (failure->step == WriteFailure::Step::Create)
        return fail(error,
                    QStringLiteral("Die Datei %1 konnte nicht angelegt werden (%2).").arg(nativePath(path), reason));
    return fail(error, QStringLiteral("Die Datei %1 konnte nicht geschrieben werden (%2).").arg(nativePath(path), reason));
}

ScreenshotResult saveScreenshot(QWidget* window, const QString& name) {
    if (!window) return ScreenshotResult::Failed;
    const QImage image = captureWindow(window);
    return writeJpeg(image, screenshotTarget(name)) ? ScreenshotResult::Saved : ScreenshotResult::Failed;
}

QString screenshotSavedText() { return QStringLiteral("Screenshot konnte erfolgreich gespeichert werden!"); }

QString screenshotFailedText(const QString& givenName) {
    return QStringLiteral("Screenshot konnte nicht gespeichert werden! (") + givenName + QLatin1Char(')');
}

QString screenshotCancelledText() { return QStringLiteral("Screenshot konnte nicht gespeichert werden!"); }

}  // namespace dz
