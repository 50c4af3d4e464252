#include "core/files/standard_output.h"

#include <cerrno>
#include <system_error>

namespace dz {

void CheckedOutput::keepError() {
    // Only the first failure counts: what follows it is a consequence.
    if (error_ == 0) error_ = errno != 0 ? errno : EIO;
}

void CheckedOutput::write(std::string_view text) {
    errno = 0;
    if (std::fwrite(text.data(), 1, text.size(), stream_) != text.size()) keepError();
}

std::optional<std::string> CheckedOutput::finish() {
    errno = 0;
    if (std::fflush(stream_) != 0) keepError();
    errno = 0;
    if (std::ferror(stream_)) keepError();
    if (error_ == 0) return std::nullopt;
    return "Die Ausgabe ließ sich nicht schreiben (" + std::generic_category().message(error_) + ").";
}

}  // namespace dz
