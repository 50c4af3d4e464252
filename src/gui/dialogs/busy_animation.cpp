#include "gui/dialogs/busy_animation.h"

#include <QCoreApplication>
#include <QMovie>
#include <QPainter>

namespace dz {

BusyAnimation::BusyAnimation(QWidget* parent)
    : QWidget(parent),
      movie_(new QMovie(QCoreApplication::applicationDirPath() + QStringLiteral("/images/b/busy.gif"), QByteArray(),
                        this)) {
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
    p.drawPixmap(0, 0, movie_->currentPixmap());
}

}  // namespace dz
