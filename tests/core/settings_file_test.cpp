// Settings tests (being written).
