// What a screen reader finds in the plan view. The surface box, where the
// keyboard reaches the fields, keeps its own name ("Oberfläche") and offers
// every field of surface and orbit as a child cell, named as the cursor
// describes it ("Wiese, Koloniezentrale (in Betrieb) – Oberfläche, Spalte 2,
// Zeile 2"). While the box has the focus, the cell under the cursor is its
// focused child.
#pragma once

class QGroupBox;

namespace dz {

class CellCursor;

// Lets the screen reader see `box` (the box that takes the keyboard for the
// fields) through `cursor`. Call once per box.
void makeFieldAreaAccessible(QGroupBox* box, CellCursor* cursor);

// Tells the screen reader that the focus is on the cell at `index` of `box`
// (in the order of CellCursor::indexOf).
void announceFocusedCell(QGroupBox* box, int index);

}  // namespace dz
