#include "gui/widgets/image_list.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <stdexcept>

#include "gui/widgets/qt_text.h"

namespace dz {

QString imagePath(const QString& programDir, const std::string& catalogPath) {
    QString relative = fromCp1252(catalogPath);
    relative.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return programDir + QStringLiteral("/images/") + relative;
}

namespace {

const QString kNoRegularFile = QStringLiteral("keine normale Datei");
const QString kTooLarge = QStringLiteral("Datei zu groß");

[[noreturn]] void throwUnreadable(const QString& path, const QString& reason) {
    throw std::runtime_error(unreadablePictureText(path, reason).toStdString());
}

void checkPictureFile(const QString& path) {
    const QString problem = pictureFileProblem(path);
    if (!problem.isEmpty()) throwUnreadable(path, problem);
}

}  // namespace

QString pictureFileProblem(const QString& path) {
    const QFileInfo file(path);  // isFile() and size() follow a symbolic link
    if (!file.exists()) return {};
    if (!file.isFile()) return kNoRegularFile;
    if (file.size() > kMaxPictureFileBytes) return kTooLarge;
    return {};
}

QString unreadablePictureText(const QString& path, const QString& reason) {
    return QStringLiteral("Bild kann nicht gelesen werden: %1 (%2)").arg(path, reason);
}

QString doubleSizePath(const QString& path) {
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    const qsizetype end = dot > slash ? dot : path.size();
    return path.left(end) + QStringLiteral("@2x") + path.mid(end);
}

QImage twinForRatio(QImage twin, qreal devicePixelRatio) {
    if (devicePixelRatio >= 2.0) {
        twin.setDevicePixelRatio(2.0);
        return twin;
    }
    const QSize pixels(qRound(twin.width() * devicePixelRatio / 2), qRound(twin.height() * devicePixelRatio / 2));
    QImage shrunk = twin.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    shrunk.setDevicePixelRatio(devicePixelRatio);
    return shrunk;
}

namespace {

QImage readOneFrame(const QString& path) {
    checkPictureFile(path);
    QImageReader reader(path);
    QImage image = reader.read();
    if (image.isNull()) throwUnreadable(path, reader.errorString());
    return image;
}

}  // namespace

QImage readPicture(const QString& path, qreal devicePixelRatio) {
    if (wantsDoubleSize(devicePixelRatio)) {
        const QString twin = doubleSizePath(path);
        if (QFileInfo::exists(twin)) {
            try {
                return twinForRatio(readOneFrame(twin), devicePixelRatio);
            } catch (const std::runtime_error&) {
                // The plain picture stands in for a broken twin.
            }
        }
    }
    return readOneFrame(path);
}

void throwNoPictureName(const QString& record, PictureName kind) {
    const QString what = kind == PictureName::File ? QStringLiteral("nennt kein Bild")
                                                   : QStringLiteral("nennt keinen Bildordner");
    throw std::runtime_error(QStringLiteral("%1 %2.").arg(record, what).toStdString());
}

QImage cutOrExtend(const QImage& picture, int size) {
    const qreal ratio = picture.devicePixelRatio();
    const int pixels = qRound(size * ratio);
    QImage result(pixels, pixels, QImage::Format_RGB32);
    result.setDevicePixelRatio(ratio);
    result.fill(Qt::black);
    QPainter painter(&result);
    painter.drawImage(0, 0, picture);
    return result;
}

void addToImageList(const QString& file, ImageList& list, qreal devicePixelRatio) {
    list.append(QPixmap::fromImage(cutOrExtend(readPicture(file, devicePixelRatio), list.size())));
}

const PictureCache::Picture& PictureCache::get(const QString& path, qreal devicePixelRatio) {
    if (wantsDoubleSize(devicePixelRatio)) {
        const QString twin = doubleSizePath(path);
        // The still picture is made for the ratio: one entry per ratio.
        const QString key = twin + QLatin1Char('|') + QString::number(devicePixelRatio);
        const auto found = pictures_.constFind(key);
        if (found != pictures_.constEnd()) return *found;
        if (QFileInfo::exists(twin)) {
            try {
                Picture picture = read(twin, 2.0);
                picture.still = QPixmap::fromImage(twinForRatio(picture.still.toImage(), devicePixelRatio));
                return *pictures_.insert(key, std::move(picture));
            } catch (const std::runtime_error&) {
                // The plain picture stands in for a broken twin, as in readPicture.
            }
        }
    }
    const auto found = pictures_.constFind(path);
    if (found != pictures_.constEnd()) return *found;
    return *pictures_.insert(path, read(path, 1.0));
}

PictureCache::Picture PictureCache::read(const QString& path, qreal devicePixelRatio) {
    checkPictureFile(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) throwUnreadable(path, file.errorString());
    Picture picture;
    // No more than the largest picture allowed: the file may have grown since the check.
    picture.bytes = file.read(kMaxPictureFileBytes + 1);
    if (picture.bytes.size() > kMaxPictureFileBytes) throwUnreadable(path, kTooLarge);
    QBuffer buffer(&picture.bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QImage first = reader.read();
    if (first.isNull()) throwUnreadable(path, reader.errorString());
    picture.animated = reader.supportsAnimation() && reader.imageCount() > 1;
    picture.still = QPixmap::fromImage(first);
    picture.still.setDevicePixelRatio(devicePixelRatio);
    picture.devicePixelRatio = devicePixelRatio;
    if (!picture.animated) picture.bytes.clear();
    return picture;
}

}  // namespace dz
