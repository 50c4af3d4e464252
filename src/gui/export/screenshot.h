// The main window as a picture: the window as it stands on the screen, with
// frame, caption bar and menu bar, and the file it goes to. A JPEG (written by
// jpeg_writer.h) unless the name asks for PNG.
#pragma once

#include <QImage>
#include <QString>
#include <filesystem>

class QWidget;

namespace dz {

// The file a screenshot named `name` goes to: `name` itself when it ends in
// ".jpeg" or ".png" (exactly so, lower case), otherwise `name` + ".jpeg". Only
// the last path component counts: "dir.x/plan" becomes "dir.x/plan.jpeg".
QString screenshotTarget(const QString& name);
// The same for a name as the system has it (bytes).
std::filesystem::path nativeScreenshotTarget(const std::filesystem::path& name);

// The window's whole outer rectangle as it is shown now, in RGB: the client
// area (menu bar and status bar included), the caption bar and the frame. Its
// size is always the window's size plus the frame of FrameMetrics (8 pixels
// wider, 31 pixels higher). A frame that a window manager draws is taken from
// the screen when it has exactly that size; otherwise (no window manager, as
// offscreen or on a bare X server) the frame is drawn with the window's style.
// A main window that a small screen made smaller than its content (its
// central widget a scroll area) is pictured at its full designed size, as it
// would stand on a screen large enough, with a frame drawn with its style.
QImage captureWindow(QWidget* window);

// Whether a screenshot named so is written as PNG (it ends in ".png");
// every other one is a JPEG.
bool isPngName(const std::filesystem::path& name);

enum class ScreenshotResult { Saved, Failed };

// Captures `window` and writes it to screenshotTarget(name), as PNG or JPEG. Encoding and
// writing failures come back as Failed, never as an exception.
ScreenshotResult saveScreenshot(QWidget* window, const QString& name);

// What the user is told afterwards.
QString screenshotSavedText();
// `givenName` as the user gave it, without the ".jpeg" that may be appended.
QString screenshotFailedText(const QString& givenName);
// The user cancelled the file dialog.
QString screenshotCancelledText();

}  // namespace dz
