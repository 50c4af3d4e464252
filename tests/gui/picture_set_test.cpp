// Checks of the generated picture set (being written).
