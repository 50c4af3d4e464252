#include "core/text/text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <limits>
#include <utility>

#include "core/text/cp1252.h"

namespace dz {

namespace {

std::string describe(const std::string& file, std::size_t line, const std::string& problem) {
    if (line == 0) return file + ": " + problem;
    return file + ", Zeile " + std::to_string(line) + ": " + problem;
}

}  // namespace

DataFileError::DataFileError(std::string file, std::size_t line, const std::string& problem)
    : std::runtime_error(describe(file, line, problem)), file_(std::move(file)), line_(line) {}

std::vector<std::string> splitLines(std::string_view bytes) {
    constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";
    if (bytes.substr(0, byteOrderMark.size()) == byteOrderMark) bytes.remove_prefix(byteOrderMark.size());
    std::vector<std::string> lines;
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < bytes.size()) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            lines.emplace_back(bytes.substr(start, i - start));
            i += (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ? 2 : 1;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < bytes.size()) lines.emplace_back(bytes.substr(start));
    return lines;
}

namespace {

constexpr const char* kCannotOpen = "Die Datei kann nicht geöffnet werden.";
constexpr const char* kCannotRead = "Die Datei kann nicht gelesen werden.";
constexpr const char* kNotRegular = "keine normale Datei.";

// "1 MB", "4 KB" or "100 Bytes".
std::string sizeText(std::uintmax_t bytes) {
    constexpr std::uintmax_t kilo = 1024, mega = 1024 * 1024;
    if (bytes >= mega && bytes % mega == 0) return std::to_string(bytes / mega) + " MB";
    if (bytes >= kilo && bytes % kilo == 0) return std::to_string(bytes / kilo) + " KB";
    return std::to_string(bytes) + " Bytes";
}

[[noreturn]] void refuse(const std::filesystem::path& path, const std::string& problem) {
    throw DataFileError(path.string(), 0, problem);
}

[[noreturn]] void refuseTooLarge(const std::filesystem::path& path, std::uintmax_t maxBytes) {
    refuse(path, "Die Datei ist zu groß (mehr als " + sizeText(maxBytes) + ").");
}

// Only a regular file (or a link to one) is read: opening a named pipe
// waits for a writer that may never come, and a folder or a device has no
// content of its own. The check by name keeps devices from being opened at
// all (some act on an open).
void checkRegularFile(const std::filesystem::path& path) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (error || !std::filesystem::exists(status)) refuse(path, kCannotOpen);
    if (!std::filesystem::is_regular_file(status)) refuse(path, kNotRegular);
}

// A file descriptor, closed with the object.
class OpenFile {
public:
    explicit OpenFile(int fd) : fd_(fd) {}
    OpenFile(OpenFile&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    ~OpenFile() {
        if (fd_ >= 0) ::close(fd_);
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    int fd() const { return fd_; }

private:
    int fd_;
};

// Opens a regular file no larger than maxBytes as its size says. The name
// may be given to something else between the check by name and the open (a
// named pipe, say): the open does not wait, and the kind and the size are
// taken from what was opened. A regular file reads the same without the
// O_NONBLOCK flag.
OpenFile openRegularFile(const std::filesystem::path& path, std::uintmax_t maxBytes) {
    checkRegularFile(path);
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) refuse(path, kCannotOpen);
    OpenFile file(fd);
    struct stat status {};
    if (::fstat(fd, &status) != 0) refuse(path, kCannotRead);
    if (!S_ISREG(status.st_mode)) refuse(path, kNotRegular);
    if (std::uintmax_t(status.st_size) > maxBytes) refuseTooLarge(path, maxBytes);
    return file;
}

// Reads the opened file up to its end, or up to the first line end when
// `firstLineOnly`. The size said may be wrong (files under /proc say 0) or
// the file may grow meanwhile: never more than maxBytes + 1 bytes are read,
// and more than maxBytes is refused.
std::string readOpened(const OpenFile& file, const std::filesystem::path& path, std::uintmax_t maxBytes,
                       bool firstLineOnly) {
    std::string bytes;
    char buffer[16 * 1024];
    while (bytes.size() <= maxBytes) {
        const std::uintmax_t wanted = std::min<std::uintmax_t>(sizeof buffer, maxBytes + 1 - bytes.size());
        const ssize_t got = ::read(file.fd(), buffer, std::size_t(wanted));
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) refuse(path, kCannotRead);
        if (got == 0) break;  // the end of the file
        bytes.append(buffer, std::size_t(got));
        if (firstLineOnly) {
            const std::size_t end = bytes.find_first_of("\r\n");
            if (end != std::string::npos && end <= maxBytes) return bytes.substr(0, end);
        }
    }
    if (bytes.size() > maxBytes) refuseTooLarge(path, maxBytes);
    return bytes;
}

// Runs a read of `path`; whatever the library throws on the way (a read
// error, a file system error, no memory) becomes a DataFileError naming the
// file, so that the readers have one error to handle.
template <typename Read>
auto guardedRead(const std::filesystem::path& path, Read read) {
    try {
        return read();
    } catch (const DataFileError&) {
        throw;
    } catch (const std::exception&) {
        refuse(path, kCannotRead);
    }
}

}  // namespace

std::string readFileBytes(const std::filesystem::path& path, std::uintmax_t maxBytes) {
    return guardedRead(path, [&] { return readOpened(openRegularFile(path, maxBytes), path, maxBytes, false); });
}

std::string readFirstLineBytes(const std::filesystem::path& path, std::uintmax_t maxBytes) {
    return guardedRead(path, [&] { return readOpened(openRegularFile(path, maxBytes), path, maxBytes, true); });
}

std::vector<std::string> readTextLines(const std::filesystem::path& path) {
    const std::string bytes = readFileBytes(path, kMaxTextFileBytes);
    return guardedRead(path, [&] { return splitLines(bytes); });
}

std::optional<std::int32_t> parseInt32(std::string_view text) {
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) return std::nullopt;
    for (char c : text)
        if (c < '0' || c > '9') return std::nullopt;
    std::int64_t value = 0;
    for (char c : text) {
        value = value * 10 + (c - '0');
        if (value > std::int64_t(std::numeric_limits<std::int32_t>::max()) + 1) return std::nullopt;
    }
    if (negative) value = -value;
    if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

std::string DataFileProblems::endedEarly(std::size_t lineCount) const {
    return "Die Datei endet zu früh (sie hat " + std::to_string(lineCount) + (lineCount == 1 ? " Zeile)." : " Zeilen).");
}

std::string DataFileProblems::noInteger(const std::string& line) const {
    return "\"" + cp1252ToUtf8(line) + "\" ist keine gültige Ganzzahl.";
}

std::string DataFileProblems::outOfRange(const char* what, std::int32_t value, std::int32_t low,
                                         std::int32_t high) const {
    return std::string(what) + " " + std::to_string(value) + " liegt nicht zwischen " + std::to_string(low) + " und " +
           std::to_string(high) + ".";
}

std::exception_ptr DataFileProblems::error(std::size_t lineNumber, const std::string& problem) const {
    return std::make_exception_ptr(DataFileError(fileName_, lineNumber, problem));
}

const std::string& LineCursor::peek() {
    if (atEnd()) failEnded();
    return lines_[pos_];
}

const std::string& LineCursor::text() {
    const std::string& line = peek();
    ++pos_;
    return line;
}

std::int32_t LineCursor::integerHere() {
    const std::string& line = peek();
    const auto value = parseInt32(line);
    if (!value) fail(problems_.noInteger(line));
    return *value;
}

std::int32_t LineCursor::integer() {
    const std::int32_t value = integerHere();
    ++pos_;
    return value;
}

std::int32_t LineCursor::integerIn(std::int32_t low, std::int32_t high, const char* what) {
    const std::int32_t value = integerHere();
    if (value < low || value > high) fail(problems_.outOfRange(what, value, low, high));
    ++pos_;
    return value;
}

void LineCursor::skip(std::size_t count) {
    if (count > lines_.size() - pos_) failEnded();
    pos_ += count;
}

void LineCursor::fail(const std::string& problem) const { failAt(pos_, problem); }

void LineCursor::failAt(std::size_t index, const std::string& problem) const {
    std::rethrow_exception(problems_.error(index + 1, problem));
}

// The line after the last is missing: the position is never beyond the end.
void LineCursor::failEnded() const { failAt(lines_.size(), problems_.endedEarly(lines_.size())); }

}  // namespace dz
