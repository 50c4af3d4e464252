// The busy sign of the update check.
#pragma once

#include <QWidget>

class QMovie;

namespace dz {

// A small busy sign: our animated GIF "images/b/busy.gif" beside the program
// (eight dots on a circle, a bright one running round). The widget is only
// visible while it runs. A file that is no readable picture leaves the sign
// empty; so does one that is no regular file or is too large for a picture,
// which is never opened (see pictureFileProblem). On a screen of a device
// pixel ratio above 1 it shows the double-size "busy@2x.gif" beside the file.
class BusyAnimation : public QWidget {
    Q_OBJECT

public:
    explicit BusyAnimation(QWidget* parent = nullptr);
    // The animation of another GIF file.
    BusyAnimation(const QString& file, QWidget* parent);

    void start();
    void stop();
    bool isRunning() const;
    int frame() const;

    static constexpr int frameCount = 8;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QMovie* movie_ = nullptr;
    qreal frameRatio_ = 1.0;  // 2 while the double-size twin runs
};

}  // namespace dz
