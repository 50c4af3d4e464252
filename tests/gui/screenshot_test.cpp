// Screenshot tests (being written).
