#include "core/files/safe_write.h"

#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <random>
#include <stdexcept>
#include <string_view>
#include <system_error>

namespace dz {

namespace {

namespace fs = std::filesystem;

std::string describeError(int error) { return std::generic_category().message(error); }

// Temporary files are named "<target name, shortened>.~<hash>.<pid>.<random>":
// the hash (FNV-1a of the whole target name, 16 hex digits) tells whose
// temporary it is even where the name had to be shortened, the process id
// tells whether its writer still runs, and the random part keeps two writes
// of one process apart. The name never exceeds the folder's limit, so the
// longest legal target name can be saved as well.
constexpr const char* kHexDigits = "0123456789abcdef";
constexpr std::size_t kHashDigits = 16, kPidDigits = 10, kRandomDigits = 12;
constexpr std::size_t kSuffixBytes = 2 + kHashDigits + 1 + kPidDigits + 1 + kRandomDigits;

std::string hex(std::uint64_t bits, std::size_t digits) {
    std::string text(digits, '0');
    for (std::size_t i = digits; i-- > 0; bits >>= 4) text[i] = kHexDigits[bits & 15];
    return text;
}

// The longest name the target's folder allows (255 on common file systems).
std::size_t nameLimit(const fs::path& folder) {
    const long limit = ::pathconf(folder.empty() ? "." : folder.c_str(), _PC_NAME_MAX);
    return limit > 0 ? std::size_t(limit) : 255;
}

// What every temporary file of `target` begins with: up to the process id.
std::string temporaryPrefix(const fs::path& target) {
    const std::string name = target.filename().string();
    std::uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : name) hash = (hash ^ c) * 1099511628211ull;
    const std::size_t limit = nameLimit(target.parent_path());
    std::size_t keep = std::min(name.size(), limit > kSuffixBytes ? limit - kSuffixBytes : 0);
    // A UTF-8 character is not cut in two.
    while (keep > 0 && keep < name.size() && (static_cast<unsigned char>(name[keep]) & 0xC0) == 0x80) --keep;
    return name.substr(0, keep) + ".~" + hex(hash, kHashDigits) + ".";
}

// The process id in the name of a temporary file of ours with this prefix,
// or 0 when the name is not of that form.
pid_t writerOf(const std::string& name, const std::string& prefix) {
    if (name.size() <= prefix.size() + 1 + kRandomDigits || name.compare(0, prefix.size(), prefix) != 0) return 0;
    const std::string_view rest = std::string_view(name).substr(prefix.size());
    const std::size_t dot = rest.size() - kRandomDigits - 1;
    if (rest[dot] != '.' || rest.find_first_not_of(kHexDigits, dot + 1) != std::string_view::npos) return 0;
    if (dot == 0 || dot > kPidDigits || rest.find_first_not_of("0123456789") != dot) return 0;
    const long long pid = std::stoll(std::string(rest.substr(0, dot)));
    return pid > 0 && pid <= std::numeric_limits<pid_t>::max() ? pid_t(pid) : 0;
}

// Whether `name` is a temporary file of `target` as earlier versions named
// them: "<target name>.~<12 hex digits>", without the writer's process id.
bool isEarlierTemporary(const std::string& name, const std::string& target) {
    constexpr std::size_t kEarlierRandomDigits = 12;
    return name.size() == target.size() + 2 + kEarlierRandomDigits && name.compare(0, target.size(), target) == 0 &&
           name.compare(target.size(), 2, ".~") == 0 &&
           name.find_first_not_of(kHexDigits, target.size() + 2) == std::string::npos;
}

// Removes the temporary files of `target` that a write killed halfway left
// behind: regular files of our naming scheme for this very target whose
// writer no longer runs here and that did not change for a minute. The age
// spares a write still running in another process namespace or, on a shared
// folder, on another machine. Those of earlier versions do not name their
// writer: they go after an hour. Anything else in the folder stays.
void sweepStaleTemporaries(const fs::path& target, const std::string& prefix) {
    std::error_code error;
    const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    fs::directory_iterator entries(folder, error);
    const auto now = fs::file_time_type::clock::now();
    for (; !error && entries != fs::directory_iterator(); entries.increment(error)) {
        const std::string name = entries->path().filename().string();
        std::chrono::minutes unchangedFor(60);
        if (const pid_t writer = writerOf(name, prefix); writer != 0) {
            if (writer == ::getpid() || ::kill(writer, 0) == 0 || errno != ESRCH) continue;
            unchangedFor = std::chrono::minutes(1);
        } else if (!isEarlierTemporary(name, target.filename().string())) {
            continue;
        }
        std::error_code ignored;
        if (!entries->is_symlink(ignored) && entries->is_regular_file(ignored) &&
            now - entries->last_write_time(ignored) > unchangedFor)
            fs::remove(entries->path(), ignored);
    }
}

// A new file with a random name beside `target`, opened for writing. "x"
// makes the creation exclusive: a name that exists, even as a dangling
// symbolic link, is refused, and another name is tried. Fails for good on any
// other error.
std::FILE* createTemporary(const fs::path& target, const std::string& prefix, fs::path& temporary, int& error) {
    std::random_device seed;
    std::mt19937_64 random((std::uint64_t(seed()) << 32) ^ seed());
    const std::string writer = prefix + std::to_string(::getpid()) + ".";
    error = EEXIST;
    for (int attempt = 0; attempt < 16; ++attempt) {
        const fs::path candidate = target.parent_path() / (writer + hex(random(), kRandomDigits));
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

    const std::string prefix = temporaryPrefix(target);
    sweepStaleTemporaries(target, prefix);
    fs::path temporary;
    int error = 0;
    std::FILE* file = createTemporary(target, prefix, temporary, error);
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

std::string writeFailureMessage(const fs::path& target, const WriteFailure& failure) {
    return "Die Datei " + target.string() + " kann nicht geschrieben werden (" + failure.reason + ").";
}

void writeFileSafely(const fs::path& target, std::string_view bytes) {
    if (const std::optional<WriteFailure> failure = tryWriteFileSafely(target, bytes))
        throw std::runtime_error(writeFailureMessage(target, *failure));
}

}  // namespace dz
