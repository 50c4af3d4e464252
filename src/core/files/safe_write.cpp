#include "core/files/safe_write.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <random>
#include <stdexcept>
#include <system_error>

namespace dz {

namespace {

namespace fs = std::filesystem;

std::string describeError(int error) { return std::generic_category().message(error); }

// A new file with a random name beside `target`, opened for writing. "x"
// makes the creation exclusive: a name that exists, even as a dangling
// symbolic link, is refused, and another name is tried. Fails for good on any
// other error.
std::FILE* createTemporary(const fs::path& target, fs::path& temporary, int& error) {
    static const char digits[] = "0123456789abcdef";
    std::random_device seed;
    std::mt19937_64 random((std::uint64_t(seed()) << 32) ^ seed());
    error = EEXIST;
    for (int attempt = 0; attempt < 16; ++attempt) {
        std::string name = target.filename().string() + ".~";
        std::uint64_t bits = random();
        for (int i = 0; i < 12; ++i, bits >>= 4) name += digits[bits & 15];
        const fs::path candidate = target.parent_path() / name;
        errno = 0;
        if (std::FILE* file = std::fopen(candidate.c_str(), "wbx")) {
            temporary = candidate;
            return file;
        }
        error = errno != 0 ? errno : EIO;
        if (error != EEXIST) return nullptr;
    }
    return nullptr;
}

// The permissions of the file being replaced, if it is a regular file.
std::optional<fs::perms> permissionsToKeep(const fs::path& target) {
    std::error_code error;
    const fs::file_status status = fs::symlink_status(target, error);
    if (error || status.type() != fs::file_type::regular) return std::nullopt;
    return status.permissions();
}

}  // namespace

std::optional<WriteFailure> tryWriteFileSafely(const fs::path& target, std::string_view bytes) {
    using Step = WriteFailure::Step;
    if (target.filename().empty()) return WriteFailure{Step::Create, describeError(EISDIR)};

    fs::path temporary;
    int error = 0;
    std::FILE* file = createTemporary(target, temporary, error);
    if (!file) return WriteFailure{Step::Create, describeError(error)};

    std::error_code ignored;
    errno = 0;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() && std::fflush(file) == 0;
    error = errno;
    // Closing flushes what is left; a full disk shows up here at the latest.
    errno = 0;
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) {
        if (written) error = errno;
        fs::remove(temporary, ignored);
        return WriteFailure{Step::Write, describeError(error != 0 ? error : EIO)};
    }

    if (const auto keep = permissionsToKeep(target))
        fs::permissions(temporary, *keep, fs::perm_options::replace | fs::perm_options::nofollow, ignored);
    std::error_code renamed;
    fs::rename(temporary, target, renamed);
    if (renamed) {
        fs::remove(temporary, ignored);
        return WriteFailure{Step::Replace, renamed.message()};
    }
    return std::nullopt;
}

void writeFileSafely(const fs::path& target, std::string_view bytes) {
    if (tryWriteFileSafely(target, bytes))
        throw std::runtime_error("Die Datei " + target.string() + " kann nicht geschrieben werden.");
}

}  // namespace dz
