// Positional text files: a file is read whole into lines, values are found by
// their line number. Shared by the data files, plan files and the settings file.
#pragma once

#include <cstdint>
#include <exception>
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

// The lines of a file's content. A UTF-8 byte order mark at the very start,
// which some editors put there, is dropped first. Splits at CR LF, a lone CR
// or a lone LF. A line end at the very end of the data does not start another
// (empty) line.
std::vector<std::string> splitLines(std::string_view bytes);

// No plan or data file comes near this size; anything larger is refused
// before it is read.
inline constexpr std::uintmax_t kMaxTextFileBytes = 1024 * 1024;

// The content of a regular file of at most `maxBytes` bytes. Anything but a
// regular file (a folder, a named pipe, a device) is refused before it is
// opened and again once it is open (the open never waits), and a larger file
// is refused before and while reading, so that never more than maxBytes + 1
// bytes are read. Throws DataFileError naming the file for every problem, and
// no other exception.
std::string readFileBytes(const std::filesystem::path& path, std::uintmax_t maxBytes);

// The same, but reading stops at the first line end: the bytes before it.
// The first line must lie within `maxBytes` bytes, and so must the whole file
// as its size says.
std::string readFirstLineBytes(const std::filesystem::path& path, std::uintmax_t maxBytes);

// Reads a whole file of at most kMaxTextFileBytes and splits it into lines.
// Throws DataFileError naming the file when it cannot be opened or read, is
// no regular file or is too large.
std::vector<std::string> readTextLines(const std::filesystem::path& path);

// A signed decimal 32-bit integer: optional blanks, an optional sign, digits,
// optional blanks. Anything else, or a value outside int32, gives nothing.
std::optional<std::int32_t> parseInt32(std::string_view text);

// How the reader of one kind of file words its problems and which exception
// carries them. The data files and the plan files say the same things in
// different words.
class LineProblems {
public:
    virtual ~LineProblems() = default;
    // The file has `lineCount` lines and a value was wanted after the last.
    virtual std::string endedEarly(std::size_t lineCount) const = 0;
    // `line` (as read, Windows-1252) was to be an integer.
    virtual std::string noInteger(const std::string& line) const = 0;
    // `value`, named `what`, lies outside [low, high].
    virtual std::string outOfRange(const char* what, std::int32_t value, std::int32_t low,
                                   std::int32_t high) const = 0;
    // The exception that reports `problem`, found at 1-based line `lineNumber`.
    virtual std::exception_ptr error(std::size_t lineNumber, const std::string& problem) const = 0;
};

// The problems of a data file: DataFileError naming the file and the line.
class DataFileProblems : public LineProblems {
public:
    explicit DataFileProblems(std::string fileName) : fileName_(std::move(fileName)) {}
    std::string endedEarly(std::size_t lineCount) const override;
    std::string noInteger(const std::string& line) const override;
    std::string outOfRange(const char* what, std::int32_t value, std::int32_t low, std::int32_t high) const override;
    std::exception_ptr error(std::size_t lineNumber, const std::string& problem) const override;

private:
    std::string fileName_;
};

// Walks the lines of one file in order, reporting problems with their line.
// A read that fails throws and leaves the cursor where it was.
class LineCursor {
public:
    LineCursor(const std::vector<std::string>& lines, const LineProblems& problems)
        : lines_(lines), problems_(problems) {}

    // The line under the cursor, then advance. Throws when the file has ended.
    const std::string& text();
    std::int32_t integer();
    // An integer that must lie in [low, high]; `what` names it in the message.
    std::int32_t integerIn(std::int32_t low, std::int32_t high, const char* what);
    // Passes over `count` lines, which must all be there.
    void skip(std::size_t count);

    bool atEnd() const { return pos_ >= lines_.size(); }
    // The 0-based index of the line under the cursor.
    std::size_t position() const { return pos_; }
    // The line under the cursor without advancing; throws when the file has ended.
    const std::string& peek();

    [[noreturn]] void fail(const std::string& problem) const;  // at the current line
    [[noreturn]] void failAt(std::size_t index, const std::string& problem) const;

private:
    std::int32_t integerHere();  // the line under the cursor as an integer
    [[noreturn]] void failEnded() const;

    const std::vector<std::string>& lines_;
    const LineProblems& problems_;
    std::size_t pos_ = 0;
};

}  // namespace dz
