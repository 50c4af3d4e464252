// Small helpers for the labels of our windows.
#pragma once

#include <QColor>
#include <QLabel>

namespace dz {

// A label at a position, sized to its text.
QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, int left, int top);

// A label that keeps its colour also in a disabled group box.
void setLabelColour(QLabel* label, const QColor& colour);

}  // namespace dz
