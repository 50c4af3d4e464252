// What the JPEG tests read back: the markers of a JPEG file up to its scan,
// a file's bytes and the entries of a folder.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>
#include <vector>

namespace jpeg_file {

struct Segment {
    int marker = 0;            // second byte of the marker, e.g. 0xC0 for SOF0
    QByteArray payload;        // the bytes after the length field
};

struct JpegMarkers {
    bool startOfImage = false;
    std::vector<Segment> segments;  // up to and including the start of scan

    const Segment* find(int marker) const {
        for (const Segment& s : segments)
            if (s.marker == marker) return &s;
        return nullptr;
    }
    int count(int marker) const {
        int n = 0;
        for (const Segment& s : segments) n += s.marker == marker;
        return n;
    }
};

inline int byteAt(const QByteArray& bytes, qsizetype i) { return static_cast<unsigned char>(bytes.at(i)); }

inline int word(const QByteArray& bytes, qsizetype i) { return byteAt(bytes, i) << 8 | byteAt(bytes, i + 1); }

inline JpegMarkers readMarkers(const QByteArray& bytes) {
    JpegMarkers markers;
    if (bytes.size() < 4) return markers;
    markers.startOfImage = byteAt(bytes, 0) == 0xFF && byteAt(bytes, 1) == 0xD8;
    qsizetype i = 2;
    while (i + 4 <= bytes.size() && byteAt(bytes, i) == 0xFF) {
        const int marker = byteAt(bytes, i + 1);
        const int length = word(bytes, i + 2);
        if (length < 2 || i + 2 + length > bytes.size()) break;
        markers.segments.push_back(Segment{marker, bytes.mid(i + 4, length - 2)});
        if (marker == 0xDA) break;  // entropy-coded data follows
        i += 2 + length;
    }
    return markers;
}

inline QByteArray fileBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

inline bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

inline QStringList entriesOf(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

}  // namespace jpeg_file
