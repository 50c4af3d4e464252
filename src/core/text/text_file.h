// Positional text files: a file is read whole into lines, values are found by
// their line number. Shared by the data files, plan files and the settings file.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace dz {

// A file that cannot be used. `line` is the 1-based line number the problem is
// at, or 0 when it concerns the whole file. what() is a complete German message
// in UTF-8 that names the file and the line.
class DataFileError : public std::runtime_error {
public:
    DataFileError(std::string file, std::size_t line, const std::string& problem);
    const std::string& file() const { return file_; }
    std::size_t line() const { return line_; }

private:
    std::string file_;
    std::size_t line_;
};

// Splits at CR LF, a lone CR or a lone LF. A line end at the very end of the
// data does not start another (empty) line.
std::vector<std::string> splitLines(std::string_view bytes);

// Reads a whole file and splits it into lines. Throws DataFileError when the
// file cannot be opened or read.
std::vector<std::string> readTextLines(const std::filesystem::path& path);

// A signed decimal 32-bit integer: optional blanks, an optional sign, digits,
// optional blanks. Anything else, or a value outside int32, gives nothing.
std::optional<std::int32_t> parseInt32(std::string_view text);

// Walks the lines of one file in order, reporting problems with their line.
class LineCursor {
public:
    LineCursor(const std::vector<std::string>& lines, std::string fileName)
        : lines_(lines), fileName_(std::move(fileName)) {}

    // The line under the cursor, then advance. Throws when the file has ended.
    const std::string& text();
    std::int32_t integer();
    // An integer that must lie in [low, high]; `what` names it in the message.
    std::int32_t integerIn(std::int32_t low, std::int32_t high, const char* what);

    bool atEnd() const { return pos_ >= lines_.size(); }
    std::size_t position() const { return pos_; }
    // The line under the cursor without advancing; the file must not have ended.
    const std::string& peek();

    [[noreturn]] void fail(const std::string& problem) const;  // at the current line
    [[noreturn]] void failAt(std::size_t index, const std::string& problem) const;

private:
    const std::vector<std::string>& lines_;
    std::string fileName_;
    std::size_t pos_ = 0;
};

}  // namespace dz
