#include "core/files/settings_file.h"

#include "core/files/safe_write.h"
#include "core/text/text_file.h"

namespace dz {

std::optional<StoredReputation> readSettingsFile(const std::filesystem::path& path) {
    std::string firstLine;
    try {
        firstLine = readFirstLineBytes(path, kMaxSettingsFileBytes);
    } catch (const DataFileError&) {
        return std::nullopt;  // missing, not to be read, no regular file or too large
    }
    return settingsFromLines(splitLines(firstLine));
}

std::optional<StoredReputation> settingsFromLines(const std::vector<std::string>& lines) {
    if (lines.empty()) return std::nullopt;
    const std::optional<std::int32_t> value = parseInt32(lines.front());
    if (!value) return std::nullopt;
    return StoredReputation{lines.front(), *value};
}

bool writeSettingsFile(const std::string& text, const std::filesystem::path& path, std::string* problem) {
    const std::optional<WriteFailure> failure = tryWriteFileSafely(path, text + "\r\n");
    if (failure && problem) *problem = writeFailureMessage(path, *failure);
    return !failure;
}

}  // namespace dz
