#include "core/files/settings_file.h"

#include <ios>

#include "core/files/safe_write.h"
#include "core/text/text_file.h"

namespace dz {

std::optional<StoredReputation> readSettingsFile(const std::filesystem::path& path) {
    std::vector<std::string> lines;
    try {
        lines = readTextLines(path);
    } catch (const DataFileError&) {
        return std::nullopt;  // missing or not to be opened
    } catch (const std::ios_base::failure&) {
        return std::nullopt;  // opened but not readable, a folder for instance
    }
    return settingsFromLines(lines);
}

std::optional<StoredReputation> settingsFromLines(const std::vector<std::string>& lines) {
    if (lines.empty()) return std::nullopt;
    const std::optional<std::int32_t> value = parseInt32(lines.front());
    if (!value) return std::nullopt;
    return StoredReputation{lines.front(), *value};
}

bool writeSettingsFile(const std::string& text, const std::filesystem::path& path) {
    return !tryWriteFileSafely(path, text + "\r\n");
}

}  // namespace dz
