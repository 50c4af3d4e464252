// Replacing a file safely: the new content is written completely to a fresh
// file beside the target and only then put in the target's place, so a write
// that fails halfway leaves an existing file as it was.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace dz {

// Why a safe write failed.
struct WriteFailure {
    enum class Step {
        Create,   // no temporary file could be made beside the target
        Write,    // writing, flushing or closing the temporary file failed
        Replace,  // the temporary file could not take the target's place
    };
    Step step;
    std::string reason;  // the system's description of the error
};

// Writes `bytes` to a temporary file in the target's folder and renames it
// over the target. The temporary file gets a random name that is not in use
// and fits the folder's name limit (the target's name, shortened where
// needed, a mark of the target, the process id and a random part); it is
// created exclusively, so nothing already there under that name (a file, a
// symbolic link) is opened. Temporary files of the same target that an
// earlier write, killed halfway, left behind are removed first: those whose
// process no longer runs and that did not change for a minute. A symbolic link at the target is replaced
// by the new file, not followed. An existing regular file's permissions pass
// to the new one. On failure the temporary file is removed and the target is
// untouched.
std::optional<WriteFailure> tryWriteFileSafely(const std::filesystem::path& target, std::string_view bytes);

// "Die Datei TARGET kann nicht geschrieben werden (REASON).", REASON being
// the system's, e.g. "No space left on device".
std::string writeFailureMessage(const std::filesystem::path& target, const WriteFailure& failure);

// The same as tryWriteFileSafely, throwing std::runtime_error with
// writeFailureMessage on failure.
void writeFileSafely(const std::filesystem::path& target, std::string_view bytes);

}  // namespace dz
