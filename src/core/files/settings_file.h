// The settings file saves.kpl: the player's internal reputation. It is opened
// by its bare name, that is in the current working directory, not beside the
// program.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace dz {

inline constexpr const char* settingsFileName = "saves.kpl";

// What the settings file holds: line 1 exactly as the user typed it
// (Windows-1252 bytes, leading zeros and blanks kept) and its value.
struct StoredReputation {
    std::string text;
    std::int32_t value = 0;
};

// A settings file holds one short line; a larger file is not ours.
inline constexpr std::uintmax_t kMaxSettingsFileBytes = 4 * 1024;

// Reads line 1 of the settings file and nothing after its line end. Gives
// nothing when the file is missing, cannot be read, is no regular file, is
// larger than kMaxSettingsFileBytes, is empty or when line 1 is not an
// integer. Never throws a file error.
std::optional<StoredReputation> readSettingsFile(const std::filesystem::path& path = settingsFileName);

// The same for the lines of a settings file already read.
std::optional<StoredReputation> settingsFromLines(const std::vector<std::string>& lines);

// Creates or replaces the settings file with one line: `text` verbatim,
// followed by CR LF, safely (see tryWriteFileSafely): a write that fails
// leaves the old file as it was. Returns false when the file could not be
// written (no folder, no permission, disk full, ...) and then puts the German
// message with the system's reason into `problem`, if given; never throws a
// file error.
bool writeSettingsFile(const std::string& text, const std::filesystem::path& path = settingsFileName,
                       std::string* problem = nullptr);

}  // namespace dz
