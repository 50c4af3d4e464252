// Reading our GIF pictures and the image lists that hold the pictures needed
// again and again: planet icons, field pictures, state frames.
#pragma once

#include <QByteArray>
#include <QHash>
#include <QImage>
#include <QPixmap>
#include <QString>
#include <vector>

namespace dz {

// The picture path of a catalog entry: the catalog writes folders with a
// backslash ("m\2"); below the program's images folder they are folders.
QString imagePath(const QString& programDir, const std::string& catalogPath);

// No picture of ours comes near this size; a larger file is refused unread.
inline constexpr qint64 kMaxPictureFileBytes = 1024 * 1024;

// Why `path` must not be opened as a picture, in German, or an empty string:
// "keine normale Datei" for a folder, a named pipe or a device (opening a
// pipe would wait for a writer forever), "Datei zu groß" above
// kMaxPictureFileBytes. A symbolic link counts as what it points to. A path
// that does not exist gives an empty string: the reader says so itself.
QString pictureFileProblem(const QString& path);

// The text of every picture that cannot be read:
// "Bild kann nicht gelesen werden: <path> (<reason>)".
QString unreadablePictureText(const QString& path, const QString& reason);

// Every picture of the set has a twin drawn at twice the size for screens of
// a device pixel ratio above 1, beside it under Qt's name for it:
// "b/busy.gif" -> "b/busy@2x.gif".
QString doubleSizePath(const QString& path);

// Whether a widget of `devicePixelRatio` shows the double-size pictures. At
// 1.5 it does too, shrunk smoothly to its pixels, where the plain ones would
// have to be enlarged.
inline bool wantsDoubleSize(qreal devicePixelRatio) { return devicePixelRatio > 1.0; }

// A double-size picture for a screen of `devicePixelRatio`: between 1 and 2
// shrunk smoothly to that many pixels per device-independent pixel (a painter
// would shrink it pixel by pixel); from 2 up as it is, at ratio 2.
QImage twinForRatio(QImage twin, qreal devicePixelRatio);

// Reads the first frame of a GIF file. Throws std::runtime_error with
// unreadablePictureText when the file is missing, is no regular file, is too
// large or is not a picture; the reason is pictureFileProblem's or the reader's.
// For a widget of a device pixel ratio above 1 it reads the double-size twin
// instead (twinForRatio of it), with the same checks;
// where the twin is missing or cannot be read, it reads `path` as at ratio 1.
QImage readPicture(const QString& path, qreal devicePixelRatio = 1.0);

// A catalog record whose picture line is empty has no picture to show: the
// path made of it would be the images folder itself. Throws std::runtime_error
// "<record> nennt kein Bild." (a folder of pictures: "nennt keinen
// Bildordner."); `record` names the data file and the record, e.g.
// "planets.kpl: Planet 3 (Lavaplanet)".
enum class PictureName { File, Folder };
[[noreturn]] void throwNoPictureName(const QString& record, PictureName kind);

// An image list: pictures of one fixed square size (in device-independent
// pixels; a double-size picture has twice as many), in order.
class ImageList {
public:
    explicit ImageList(int size) : size_(size) {}
    int size() const { return size_; }
    int count() const { return int(entries_.size()); }
    const QPixmap& at(int index) const { return entries_.at(std::size_t(index)); }
    void clear() { entries_.clear(); }
    void append(QPixmap pixmap) { entries_.push_back(std::move(pixmap)); }

private:
    int size_;
    std::vector<QPixmap> entries_;
};

// A picture brought to `size` x `size` device-independent pixels without
// scaling: a larger one is cut at the right and bottom, a smaller one is
// extended there in black. It keeps the picture's device pixel ratio.
QImage cutOrExtend(const QImage& picture, int size);

// Appends the first frame of `file` (of its double-size twin for a
// `devicePixelRatio` above 1), cut or extended to the list's size. Throws as
// readPicture does; the list is then unchanged.
void addToImageList(const QString& file, ImageList& list, qreal devicePixelRatio = 1.0);

// The building pictures, each read and decoded once: a redraw of many cells
// must not read and decode the same files again and again. The pictures are
// part of the installation and do not change while the program runs.
class PictureCache {
public:
    struct Picture {
        QPixmap still;     // the first frame, with the device pixel ratio of its file
        QByteArray bytes;  // the file, for an animated picture
        bool animated = false;
        qreal devicePixelRatio = 1.0;  // 2 for the double-size twin: the ratio of the movie's frames
        // `still` is shrunk as twinForRatio does; the movie's frames are not.
    };
    // Checks the file and throws as readPicture does; a failure is not
    // remembered. For a `devicePixelRatio` above 1 it takes the double-size
    // twin and falls back to `path` as readPicture does.
    const Picture& get(const QString& path, qreal devicePixelRatio = 1.0);
    int size() const { return int(pictures_.size()); }

private:
    // Reads `path` as a picture of `devicePixelRatio`; throws as readPicture does.
    static Picture read(const QString& path, qreal devicePixelRatio);
    QHash<QString, Picture> pictures_;
};

}  // namespace dz
