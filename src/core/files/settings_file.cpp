#include "core/files/settings_file.h"

#include <fstream>
#include <ios>
#include <random>
#include <system_error>

#include "core/text/text_file.h"

namespace dz {

namespace {

// A fresh name beside the target for writing the new content; the random part
// keeps two programs saving at the same moment apart. Empty when none is free.
std::filesystem::path temporaryBeside(const std::filesystem::path& target) {
    static const char digits[] = "0123456789abcdef";
    std::random_device seed;
    std::mt19937_64 random(seed());
    for (int attempt = 0; attempt < 16; ++attempt) {
        std::string name = target.filename().string() + ".~";
        std::uint64_t bits = random();
        for (int i = 0; i < 12; ++i, bits >>= 4) name += digits[bits & 15];
        std::filesystem::path candidate = target.parent_path() / name;
        std::error_code error;
        if (std::filesystem::symlink_status(candidate, error).type() == std::filesystem::file_type::not_found)
            return candidate;
    }
    return {};
}

}  // namespace

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
    if (path.filename().empty()) return false;
    const std::filesystem::path temporary = temporaryBeside(path);
    if (temporary.empty()) return false;

    std::error_code ignored;
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        out.write("\r\n", 2);
        out.close();  // flushes; a full disk shows up here at the latest
        if (out.fail()) {
            std::filesystem::remove(temporary, ignored);
            return false;
        }
    }
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    if (error) {
        std::filesystem::remove(temporary, ignored);
        return false;
    }
    return true;
}

}  // namespace dz
