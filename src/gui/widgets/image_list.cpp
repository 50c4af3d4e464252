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

QImage readPicture(const QString& path) {
    checkPictureFile(path);
    QImageReader reader(path);
    QImage image = reader.read();
    if (image.isNull()) throwUnreadable(path, reader.errorString());
    return image;
}

void throwNoPictureName(const QString& record, PictureName kind) {
    const QString what = kind == PictureName::File ? QStringLiteral("nennt kein Bild")
                                                   : QStringLiteral("nennt keinen Bildordner");
    throw std::runtime_error(QStringLiteral("%1 %2.").arg(record, what).toStdString());
}

QImage cutOrExtend(const QImage& picture, int size) {
    QImage result(size, size, QImage::Format_RGB32);
    result.fill(Qt::black);
    QPainter painter(&result);
    painter.drawImage(0, 0, picture);
    return result;
}

void addToImageList(const QString& file, ImageList& list) {
    list.append(QPixmap::fromImage(cutOrExtend(readPicture(file), list.size())));
}

const PictureCache::Picture& PictureCache::get(const QString& path) {
    const auto found = pictures_.constFind(path);
    if (found != pictures_.constEnd()) return *found;

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
    if (!picture.animated) picture.bytes.clear();
    return *pictures_.insert(path, std::move(picture));
}

}  // namespace dz
