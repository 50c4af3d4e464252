// Writing pictures as GIF files with giflib.
#pragma once

#include <QImage>
#include <filesystem>
#include <vector>

namespace dz::pictures {

// Writes `frames` (same size, opaque) as one GIF file. One frame gives a still
// picture; more frames give an animation that loops forever, every frame shown
// for `frameDelayCs` hundredths of a second. The frames share one colour
// table: their exact colours if there are at most 256, else a median-cut
// reduction. Throws std::runtime_error naming the file.
void writeGif(const std::filesystem::path& file, const std::vector<QImage>& frames, int frameDelayCs);

}  // namespace dz::pictures
