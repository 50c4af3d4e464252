// Settings dialog tests (being written).
