#include "gui/widgets/up_down_button.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOption>

#include "gui/widgets/field_cursor.h"

namespace dz {

UpDownButton::UpDownButton(QWidget* parent) : QWidget(parent) {
    // Tab only: a click leaves the focus where it was, and the button's look.
    setFocusPolicy(Qt::TabFocus);
    // A button looks like a button, not like the black panel it stands on:
    // dark arrows on the standard button face.
    QPalette colours = QApplication::palette();
    for (auto group : {QPalette::Active, QPalette::Inactive})
        for (auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
            colours.setColor(group, role, Qt::black);
    colours.setColor(QPalette::Window, QApplication::palette().color(QPalette::Button));
    setPalette(colours);
}

void UpDownButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int half = height() / 2;
    const QRect halves[2] = {QRect(0, 0, width(), half), QRect(0, half, width(), height() - half)};
    for (int i = 0; i < 2; ++i) {
        QStyleOptionButton button;
        button.initFrom(this);
        button.rect = halves[i];
        if (pressedHalf_ == i + 1) button.state |= QStyle::State_Sunken;
        else button.state |= QStyle::State_Raised;
        style()->drawControl(QStyle::CE_PushButtonBevel, &button, &painter, this);
        QStyleOption arrow;
        arrow.initFrom(this);
        arrow.rect = halves[i].adjusted(3, 2, -3, -2);
        style()->drawPrimitive(i == 0 ? QStyle::PE_IndicatorArrowUp : QStyle::PE_IndicatorArrowDown, &arrow,
                               &painter, this);
    }
    // The keyboard is here: the same ring as the field cursor's, around both halves.
    if (hasFocus()) drawKeyboardRing(painter, rect());
}

void UpDownButton::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Up:
        case Qt::Key_Plus:
            emit released(halfAt(height() / 4, height()));
            return;
        case Qt::Key_Down:
        case Qt::Key_Minus:
            emit released(halfAt(height() - height() / 4 - 1, height()));
            return;
        default:
            QWidget::keyPressEvent(event);
    }
}

void UpDownButton::mousePressEvent(QMouseEvent* event) {
    pressedHalf_ = event->position().y() < height() / 2 ? 1 : 2;
    update();
}

void UpDownButton::mouseReleaseEvent(QMouseEvent* event) {
    pressedHalf_ = 0;
    update();
    emit released(halfAt(event->position().toPoint().y(), height()));
}

ButtonHalf UpDownButton::halfAt(int y, int height) {
    const int middle = height / 2;
    return y < middle ? ButtonHalf::Upper : y > middle ? ButtonHalf::Lower : ButtonHalf::Middle;
}

}  // namespace dz
