#include "gui/dialogs/busy_animation.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QImageReader>
#include <QMovie>
#include <QPainter>

#include "gui/widgets/image_list.h"

namespace dz {

BusyAnimation::BusyAnimation(QWidget* parent)
    : BusyAnimation(QCoreApplication::applicationDirPath() + QStringLiteral("/images/b/busy.gif"), parent) {}

BusyAnimation::BusyAnimation(const QString& file, QWidget* parent) : QWidget(parent) {
    // The movie opens its file only when it starts: a named pipe would stop
    // the program there, waiting for a writer. On a screen of a device pixel
    // ratio above 1 it runs the double-size twin, where that is a picture.
    const QString twin = doubleSizePath(file);
    if (wantsDoubleSize(devicePixelRatioF()) && QFileInfo::exists(twin) && pictureFileProblem(twin).isEmpty() &&
        QImageReader(twin).canRead()) {
        movie_ = new QMovie(twin, QByteArray(), this);
        frameRatio_ = 2.0;
    } else {
        movie_ = pictureFileProblem(file).isEmpty() ? new QMovie(file, QByteArray(), this) : new QMovie(this);
    }
    connect(movie_, &QMovie::frameChanged, this, [this] { update(); });
    hide();
}

void BusyAnimation::start() {
    movie_->stop();
    movie_->start();
    show();
    update();
}

void BusyAnimation::stop() {
    movie_->stop();
    hide();
}

bool BusyAnimation::isRunning() const { return movie_->state() == QMovie::Running; }

int BusyAnimation::frame() const { return movie_->currentFrameNumber(); }

void BusyAnimation::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);  // a double-size frame shrinks smoothly at 1.5
    QPixmap frame = movie_->currentPixmap();
    frame.setDevicePixelRatio(frameRatio_);
    p.drawPixmap(0, 0, frame);
}

}  // namespace dz
