// Small helpers for the labels of our windows.
#pragma once

#include <QColor>
#include <QLabel>

namespace dz {

// A label at a position, sized to its text.
QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, int left, int top);

// A label over a rectangle whose text wraps, aligned to the top left.
QLabel* makeWrappingLabel(QWidget* parent, const char* name, QRect where);

// A label that keeps its colour also in a disabled group box.
void setLabelColour(QLabel* label, const QColor& colour);

}  // namespace dz
