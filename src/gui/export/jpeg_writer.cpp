#include "gui/export/jpeg_writer.h"

#include <QDir>
#include <unistd.h>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string_view>
#include <vector>

// jpeglib.h needs FILE and size_t declared before it.
#include <jpeglib.h>

#include "core/files/safe_write.h"
#include "gui/widgets/qt_text.h"

namespace dz {

namespace {

// libjpeg's default error handler ends the process; this one jumps back to
// the encoder with the message.
struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void errorExit(j_common_ptr cinfo) {
    auto* errors = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, errors->message);
    std::longjmp(errors->jump, 1);
}

void noWarnings(j_common_ptr, int) {}

// Room for the JPEG headers and tables beside the picture's bytes.
constexpr std::size_t kHeaderRoom = 64 * 1024;

// Everything the encoder touches lives here, on the heap: after a longjmp
// the state is read from memory the jump cannot have made indeterminate.
struct Encoder {
    jpeg_compress_struct cinfo;
    ErrorManager errors;
    // libjpeg's memory destination writes into `out`, which starts as a
    // buffer of ours; should the picture not fit, libjpeg puts it into a
    // larger buffer of its own, which `out` names once compressing is done.
    unsigned char* out;
    unsigned long outSize;
};

// Compresses the RGB888 rows of `rgb` into encoder->out. Holds no object
// with a destructor, so the jump back from libjpeg leaves nothing behind.
bool compress(Encoder* encoder, const QImage& rgb) {
    jpeg_compress_struct* cinfo = &encoder->cinfo;
    cinfo->err = jpeg_std_error(&encoder->errors.pub);
    encoder->errors.pub.error_exit = errorExit;
    encoder->errors.pub.emit_message = noWarnings;
    encoder->errors.message[0] = '\0';
    if (setjmp(encoder->errors.jump)) {
        jpeg_destroy_compress(cinfo);
        return false;
    }
    jpeg_create_compress(cinfo);
    jpeg_mem_dest(cinfo, &encoder->out, &encoder->outSize);

    cinfo->image_width = JDIMENSION(rgb.width());
    cinfo->image_height = JDIMENSION(rgb.height());
    cinfo->input_components = 3;
    cinfo->in_color_space = JCS_RGB;
    jpeg_set_defaults(cinfo);
    jpeg_set_quality(cinfo, 90, TRUE);
    jpeg_start_compress(cinfo, TRUE);
    while (cinfo->next_scanline < cinfo->image_height) {
        // Rows of a QImage are padded to 32 bits: one row at a time.
        JSAMPROW row = const_cast<JSAMPROW>(rgb.constScanLine(int(cinfo->next_scanline)));
        jpeg_write_scanlines(cinfo, &row, 1);
    }
    jpeg_finish_compress(cinfo);
    jpeg_destroy_compress(cinfo);
    return true;
}

QString nativePath(const std::filesystem::path& path) { return QDir::toNativeSeparators(fromNativeFileName(path)); }

bool fail(QString* error, const QString& reason) {
    if (error) *error = reason;
    return false;
}

}  // namespace

bool writeJpeg(const QImage& image, const QString& path, QString* error) {
    return writeJpeg(image, toNativeFileName(path), error);
}

bool writeJpeg(const QImage& image, const std::filesystem::path& path, QString* error) {
    namespace fs = std::filesystem;
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    // As large as the raw picture plus the headers: a picture of quality 90
    // fits, so libjpeg need not make a buffer of its own (which it would
    // leave behind, out of our reach, if compressing failed after that).
    std::vector<unsigned char> first(std::size_t(rgb.width()) * std::size_t(rgb.height()) * 3 + kHeaderRoom);
    auto encoder = std::make_unique<Encoder>();
    encoder->out = first.data();
    encoder->outSize = static_cast<unsigned long>(first.size());
    const bool encoded = compress(encoder.get(), rgb);
    // A larger buffer that libjpeg made is ours to free once compressing has finished.
    std::unique_ptr<unsigned char, decltype(&std::free)> grown(
        encoded && encoder->out != first.data() ? encoder->out : nullptr, &std::free);
    if (!encoded)
        return fail(error, QStringLiteral("Das Bild konnte nicht als JPEG kodiert werden (%1).")
                               .arg(QString::fromLocal8Bit(encoder->errors.message)));

    std::error_code ignored;
    const fs::path folder = fs::absolute(path, ignored).lexically_normal().parent_path();
    if (!fs::is_directory(folder, ignored))
        return fail(error, QStringLiteral("Der Ordner %1 existiert nicht.").arg(nativePath(folder)));
    if (fs::is_directory(path, ignored))
        return fail(error, QStringLiteral("%1 ist ein Ordner.").arg(nativePath(path)));
    if (fs::exists(path, ignored) && ::access(path.c_str(), W_OK) != 0)
        return fail(error, QStringLiteral("Die Datei %1 ist schreibgeschützt.").arg(nativePath(path)));

    const std::string_view bytes(reinterpret_cast<const char*>(encoder->out), encoder->outSize);
    const auto failure = tryWriteFileSafely(path, bytes);
    if (!failure) return true;
    const QString reason = QString::fromLocal8Bit(failure->reason.c_str());
    if (failure->step == WriteFailure::Step::Create)
        return fail(error,
                    QStringLiteral("Die Datei %1 konnte nicht angelegt werden (%2).").arg(nativePath(path), reason));
    return fail(error, QStringLiteral("Die Datei %1 konnte nicht geschrieben werden (%2).").arg(nativePath(path), reason));
}

}  // namespace dz
