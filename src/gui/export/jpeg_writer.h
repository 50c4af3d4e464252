// Pictures as JPEG files: baseline, 24-bit colour, quality 90, encoded with
// libjpeg and written so that a failure never damages an existing file.
#pragma once

#include <QImage>
#include <QString>
#include <filesystem>

namespace dz {

// Writes `image` to `path` as a baseline JPEG of quality 90 (24-bit colour).
// The file is replaced only when the whole picture has been written; on
// failure `path` is left as it was, false is returned and `error` (if given)
// receives the reason in German.
bool writeJpeg(const QImage& image, const QString& path, QString* error = nullptr);
// The same for a name as the system has it: its bytes reach the system unchanged.
bool writeJpeg(const QImage& image, const std::filesystem::path& path, QString* error = nullptr);

}  // namespace dz
