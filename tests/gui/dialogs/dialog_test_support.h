// Helpers of the dialog tests.
#pragma once

#include <QApplication>
#include <QMouseEvent>
#include <QString>
#include <QWidget>
#include <ostream>

QT_BEGIN_NAMESPACE
// Readable texts in the failure messages.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
QT_END_NAMESPACE

// A mouse event on `target` at a point given in its own coordinates, as the
// window system would deliver it (an ignored press goes on to the parent).
inline void sendMouse(QWidget* target, QEvent::Type type, QPoint local, Qt::MouseButton button,
                      Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(local), QPointF(target->mapToGlobal(local)), button, held, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}
