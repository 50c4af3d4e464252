#include "gif_file.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <unordered_map>

namespace dz::pictures {

namespace {

constexpr std::size_t kMaxColours = 256;

struct ColourCount {
    QRgb rgb;
    long count;
};

int channel(QRgb c, int which) { return which == 0 ? qRed(c) : which == 1 ? qGreen(c) : qBlue(c); }

// A box of the median cut: the colours [begin, end) of the colour list.
struct Box {
    std::size_t begin;
    std::size_t end;
};

// Widest channel of a box and its range.
std::pair<int, int> widestChannel(const std::vector<ColourCount>& colours, const Box& box) {
    int bestChannel = 0;
    int bestRange = -1;
    for (int ch = 0; ch < 3; ++ch) {
        int lo = 255, hi = 0;
        for (std::size_t i = box.begin; i < box.end; ++i) {
            lo = std::min(lo, channel(colours[i].rgb, ch));
            hi = std::max(hi, channel(colours[i].rgb, ch));
        }
        if (hi - lo > bestRange) {
            bestRange = hi - lo;
            bestChannel = ch;
        }
    }
    return {bestChannel, bestRange};
}

// At most 256 colours for the distinct colours in `colours` (sorted by value).
// With more, the box with the widest channel is split at the pixel-weighted
// median of that channel until there are 256 boxes; each box then stands for
// the weighted mean of its colours. Ties are broken by the colour value, so
// the result depends only on the input.
std::vector<QRgb> buildPalette(std::vector<ColourCount> colours) {
    std::vector<QRgb> palette;
    if (colours.size() <= kMaxColours) {
        for (const ColourCount& c : colours) palette.push_back(c.rgb);
        return palette;
    }
    std::vector<Box> boxes{{0, colours.size()}};
    while (boxes.size() < kMaxColours) {
        std::size_t best = boxes.size();
        int bestChannel = 0, bestRange = 0;
        for (std::size_t b = 0; b < boxes.size(); ++b) {
            if (boxes[b].end - boxes[b].begin < 2) continue;
            const auto [ch, range] = widestChannel(colours, boxes[b]);
            if (range > bestRange) {
                best = b;
                bestChannel = ch;
                bestRange = range;
            }
        }
        if (best == boxes.size()) break;
        const Box box = boxes[best];
        const auto first = colours.begin() + static_cast<std::ptrdiff_t>(box.begin);
        const auto last = colours.begin() + static_cast<std::ptrdiff_t>(box.end);
        std::sort(first, last, [ch = bestChannel](const ColourCount& a, const ColourCount& b) {
            const int ca = channel(a.rgb, ch), cb = channel(b.rgb, ch);
            return ca != cb ? ca < cb : a.rgb < b.rgb;
        });
        long total = 0;
        for (std::size_t i = box.begin; i < box.end; ++i) total += colours[i].count;
        std::size_t split = box.begin + 1;
        long running = 0;
        for (std::size_t i = box.begin; i + 1 < box.end; ++i) {
            running += colours[i].count;
            if (2 * running >= total) {
                split = i + 1;
                break;
            }
        }
        boxes[best] = {box.begin, split};
        boxes.push_back({split, box.end});
    }
    for (const Box& box : boxes) {
        long r = 0, g = 0, b = 0, n = 0;
        for (std::size_t i = box.begin; i < box.end; ++i) {
            r += qRed(colours[i].rgb) * colours[i].count;
            g += qGreen(colours[i].rgb) * colours[i].count;
            b += qBlue(colours[i].rgb) * colours[i].count;
            n += colours[i].count;
        }
        palette.push_back(qRgb(static_cast<int>((r + n / 2) / n), static_cast<int>((g + n / 2) / n),
                               static_cast<int>((b + n / 2) / n)));
    }
    return palette;
}

int nearestIndex(const std::vector<QRgb>& palette, QRgb c) {
    int best = 0;
    long bestDistance = -1;
    for (std::size_t i = 0; i < palette.size(); ++i) {
        const long dr = qRed(palette[i]) - qRed(c), dg = qGreen(palette[i]) - qGreen(c),
                   db = qBlue(palette[i]) - qBlue(c);
        const long d = dr * dr + dg * dg + db * db;
        if (bestDistance < 0 || d < bestDistance) {
            bestDistance = d;
            best = static_cast<int>(i);
        }
    }
    return best;
}

struct GifFileCloser {
    void operator()(GifFileType* gif) const {
        int error = 0;
        EGifCloseFile(gif, &error);
    }
};
struct ColourMapFreer {
    void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};

// giflib output callback: appends to the byte vector in UserData.
int appendBytes(GifFileType* gif, const GifByteType* bytes, int length) {
    auto* out = static_cast<std::vector<GifByteType>*>(gif->UserData);
    out->insert(out->end(), bytes, bytes + length);
    return length;
}

[[noreturn]] void fail(const std::filesystem::path& file, const std::string& what, int gifError) {
    const char* reason = GifErrorString(gifError);
    throw std::runtime_error(file.string() + ": " + what + (reason ? std::string(": ") + reason : std::string()));
}

}  // namespace

void writeGif(const std::filesystem::path& file, const std::vector<QImage>& frames, int frameDelayCs) {
    if (frames.empty()) throw std::runtime_error(file.string() + ": no picture to write");
    const QSize size = frames.front().size();
    std::vector<QImage> rgb;
    std::map<QRgb, long> counts;
    for (const QImage& frame : frames) {
        if (frame.size() != size) throw std::runtime_error(file.string() + ": frames of different sizes");
        rgb.push_back(frame.convertToFormat(QImage::Format_RGB32));
        const QImage& image = rgb.back();
        for (int y = 0; y < size.height(); ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = 0; x < size.width(); ++x) ++counts[line[x] | 0xff000000u];
        }
    }
    std::vector<ColourCount> colours;
    for (const auto& [c, n] : counts) colours.push_back({c, n});
    const std::vector<QRgb> palette = buildPalette(std::move(colours));
    std::unordered_map<QRgb, GifPixelType> indexOf;
    for (const auto& entry : counts)
        indexOf[entry.first] = static_cast<GifPixelType>(nearestIndex(palette, entry.first));

    // giflib takes colour tables of 2, 4, ..., 256 entries; the rest stays black.
    int bits = 1;
    while ((std::size_t{1} << bits) < palette.size()) ++bits;
    std::vector<GifColorType> table(std::size_t{1} << bits, GifColorType{0, 0, 0});
    for (std::size_t i = 0; i < palette.size(); ++i)
        table[i] =
            GifColorType{static_cast<GifByteType>(qRed(palette[i])), static_cast<GifByteType>(qGreen(palette[i])),
                         static_cast<GifByteType>(qBlue(palette[i]))};
    const std::unique_ptr<ColorMapObject, ColourMapFreer> map(
        GifMakeMapObject(static_cast<int>(table.size()), table.data()));
    if (!map) throw std::runtime_error(file.string() + ": out of memory");

    // The picture is put together in memory and written in one go, so a
    // failure leaves no half-written file.
    std::vector<GifByteType> bytes;
    int error = 0;
    std::unique_ptr<GifFileType, GifFileCloser> gif(EGifOpen(&bytes, appendBytes, &error));
    if (!gif) fail(file, "cannot start the picture", error);
    auto check = [&](int result, const char* what) {
        if (result == GIF_ERROR) fail(file, what, gif->Error);
    };

    const bool animated = frames.size() > 1;
    EGifSetGifVersion(gif.get(), animated);
    check(EGifPutScreenDesc(gif.get(), size.width(), size.height(), bits, 0, map.get()), "cannot write the header");
    if (animated) {
        // NETSCAPE2.0 block, sub-block 1 with loop count 0: repeat forever.
        static const char kApplication[] = "NETSCAPE2.0";
        static const GifByteType kLoopForever[] = {1, 0, 0};
        check(EGifPutExtensionLeader(gif.get(), APPLICATION_EXT_FUNC_CODE), "cannot write the loop block");
        check(EGifPutExtensionBlock(gif.get(), 11, kApplication), "cannot write the loop block");
        check(EGifPutExtensionBlock(gif.get(), 3, kLoopForever), "cannot write the loop block");
        check(EGifPutExtensionTrailer(gif.get()), "cannot write the loop block");
    }
    std::vector<GifPixelType> line(static_cast<std::size_t>(size.width()));
    for (const QImage& image : rgb) {
        if (animated) {
            GraphicsControlBlock control{};
            control.DisposalMode = DISPOSE_DO_NOT;
            control.UserInputFlag = false;
            control.DelayTime = frameDelayCs;
            control.TransparentColor = NO_TRANSPARENT_COLOR;
            GifByteType extension[4];
            const std::size_t length = EGifGCBToExtension(&control, extension);
            check(EGifPutExtension(gif.get(), GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension),
                  "cannot write the frame delay");
        }
        check(EGifPutImageDesc(gif.get(), 0, 0, size.width(), size.height(), false, nullptr),
              "cannot write the picture");
        for (int y = 0; y < size.height(); ++y) {
            const auto* pixels = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = 0; x < size.width(); ++x)
                line[static_cast<std::size_t>(x)] = indexOf.at(pixels[x] | 0xff000000u);
            check(EGifPutLine(gif.get(), line.data(), size.width()), "cannot write the picture");
        }
    }
    error = 0;
    if (EGifCloseFile(gif.release(), &error) == GIF_ERROR) fail(file, "cannot finish the picture", error);

    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) throw std::runtime_error(file.string() + ": cannot write the file");
}

}  // namespace dz::pictures
