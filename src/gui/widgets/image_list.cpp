#include "gui/widgets/image_list.h"

#include <QBuffer>
#include <QFile>
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

QImage readPicture(const QString& path) {
    QImageReader reader(path);
    QImage image = reader.read();
    if (image.isNull())
        throw std::runtime_error(
            QStringLiteral("Bild kann nicht gelesen werden: %1 (%2)").arg(path, reader.errorString()).toStdString());
    return image;
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

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error(
            QStringLiteral("Bild kann nicht gelesen werden: %1 (%2)").arg(path, file.errorString()).toStdString());
    Picture picture;
    picture.bytes = file.readAll();
    QBuffer buffer(&picture.bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QImage first = reader.read();
    if (first.isNull())
        throw std::runtime_error(
            QStringLiteral("Bild kann nicht gelesen werden: %1 (%2)").arg(path, reader.errorString()).toStdString());
    picture.animated = reader.supportsAnimation() && reader.imageCount() > 1;
    picture.still = QPixmap::fromImage(first);
    if (!picture.animated) picture.bytes.clear();
    return *pictures_.insert(path, std::move(picture));
}

}  // namespace dz
