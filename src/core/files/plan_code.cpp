#include "core/files/plan_code.h"

#include <zlib.h>

#include <array>
#include <cstdint>
#include <vector>

#include "core/files/plan_file.h"
#include "core/text/text_file.h"
#include "core/version.h"

namespace dz {

namespace {

constexpr std::string_view kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";

std::string toBase64Url(const std::string& bytes) {
    std::string text;
    text.reserve((bytes.size() * 4 + 2) / 3);
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::size_t n = std::min<std::size_t>(3, bytes.size() - i);
        std::uint32_t bits = 0;
        for (std::size_t k = 0; k < 3; ++k)
            bits = (bits << 8) | (k < n ? static_cast<unsigned char>(bytes[i + k]) : 0u);
        for (std::size_t k = 0; k <= n; ++k) text += kAlphabet[(bits >> (18 - 6 * k)) & 63];
    }
    return text;
}

[[noreturn]] void refuse(const std::string& why) { throw PlanFileError("Plan-Code: " + why); }

std::string fromBase64Url(std::string_view text) {
    std::array<int, 256> value{};
    value.fill(-1);
    for (std::size_t i = 0; i < kAlphabet.size(); ++i) value[static_cast<unsigned char>(kAlphabet[i])] = int(i);
    if (text.size() % 4 == 1) refuse("Der Code ist unvollständig.");
    std::string bytes;
    bytes.reserve(text.size() * 3 / 4);
    std::uint32_t bits = 0;
    int count = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const int v = value[static_cast<unsigned char>(text[i])];
        if (v < 0)
            refuse("Unerlaubtes Zeichen an Stelle " + std::to_string(kPlanCodePrefix.size() + i + 1) + ".");
        bits = (bits << 6) | std::uint32_t(v);
        if (++count == 4) {
            bytes += char(bits >> 16);
            bytes += char(bits >> 8);
            bytes += char(bits);
            bits = 0;
            count = 0;
        }
    }
    if (count == 2) bytes += char(bits >> 4);
    if (count == 3) {
        bytes += char(bits >> 10);
        bytes += char(bits >> 2);
    }
    return bytes;
}

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// How the lines are packed. A plan file is mostly columns read across: the
// cells' field type, state, building and 16 terraforming costs follow each
// other, and the same kind of value comes back every 19 lines. Packed in that
// order deflate finds little to repeat; so the lines of a plan in the
// writer's layout are packed column by column: the header, then the field
// types of all cells with the field types the plan started from right after
// them (mostly the same), then the states, the buildings and each cost, then
// the personnel and the limit. The layout is known from the version line and
// the number of lines alone, which the packing keeps, so unpacking puts every
// line back; any other text is packed as it is.
constexpr std::size_t kHeaderLines = 3 + kSummaryLines + 2 * kResourceCount;
constexpr std::size_t kCellLines = 3 + kResourceCount;
constexpr std::size_t kTailLines = 8;  // six kinds of personnel, the limit's switch and value

// The number of cells of a plan in the writer's layout, or 0.
std::size_t cellCount(const std::vector<std::string>& lines) {
    const std::size_t fixed = kHeaderLines + kTailLines;
    if (lines.empty() || lines[0] != kPlanFileVersion || lines.size() <= fixed) return 0;
    return (lines.size() - fixed) % (kCellLines + 1) == 0 ? (lines.size() - fixed) / (kCellLines + 1) : 0;
}

// Where the line at position `packed` of the packed order comes from.
std::vector<std::size_t> packingOrder(std::size_t lineCount, std::size_t cells) {
    std::vector<std::size_t> from;
    from.reserve(lineCount);
    if (cells == 0) {
        for (std::size_t i = 0; i < lineCount; ++i) from.push_back(i);
        return from;
    }
    const std::size_t cellStart = kHeaderLines, tailStart = cellStart + cells * kCellLines,
                      initialStart = tailStart + kTailLines;
    for (std::size_t i = 0; i < cellStart; ++i) from.push_back(i);
    for (std::size_t k = 0; k < kCellLines; ++k) {
        for (std::size_t c = 0; c < cells; ++c) from.push_back(cellStart + c * kCellLines + k);
        if (k == 0)
            for (std::size_t c = 0; c < cells; ++c) from.push_back(initialStart + c);
    }
    for (std::size_t i = tailStart; i < initialStart; ++i) from.push_back(i);
    return from;
}

}  // namespace

std::string planCode(std::string_view fileBytes) {
    const std::vector<std::string> lines = splitLines(fileBytes);
    std::string text;
    for (std::size_t i : packingOrder(lines.size(), cellCount(lines))) text.append(lines[i]).append("\n");
    uLongf size = compressBound(uLong(text.size()));
    std::string packed(size, '\0');
    if (compress2(reinterpret_cast<Bytef*>(packed.data()), &size, reinterpret_cast<const Bytef*>(text.data()),
                  uLong(text.size()), Z_BEST_COMPRESSION) != Z_OK)
        throw std::runtime_error("Plan-Code: Der Plan lässt sich nicht packen.");
    packed.resize(size);
    return std::string(kPlanCodePrefix) + toBase64Url(packed);
}

std::string planFileFromCode(std::string_view code) {
    while (!code.empty() && isBlank(code.front())) code.remove_prefix(1);
    while (!code.empty() && isBlank(code.back())) code.remove_suffix(1);
    if (code.size() < 4 || code.substr(0, 2) != "DZ" || code.find(':') == std::string_view::npos)
        refuse("Das ist kein Plan-Code (er beginnt nicht mit „DZ1:“).");
    const std::string_view version = code.substr(2, code.find(':') - 2);
    if (code.substr(0, kPlanCodePrefix.size()) != kPlanCodePrefix)
        refuse("Ein Plan-Code der Version „" + std::string(version.substr(0, 8)) +
               "“ kann nicht gelesen werden (nur Version 1).");
    const std::string packed = fromBase64Url(code.substr(kPlanCodePrefix.size()));

    z_stream stream{};
    if (inflateInit(&stream) != Z_OK) refuse("Der Code lässt sich nicht entpacken.");
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.data()));
    stream.avail_in = uInt(packed.size());
    // One byte more than allowed tells a plan that is too large; nothing beyond is unpacked.
    std::string text(kMaxTextFileBytes + 1, '\0');
    stream.next_out = reinterpret_cast<Bytef*>(text.data());
    stream.avail_out = uInt(text.size());
    const int result = inflate(&stream, Z_FINISH);
    const std::size_t unpacked = text.size() - stream.avail_out;
    const bool restLeft = stream.avail_in > 0;
    inflateEnd(&stream);
    if (unpacked > kMaxTextFileBytes) refuse("Der Plan wäre größer als 1 MB.");
    if (result != Z_STREAM_END) refuse("Der Code ist beschädigt oder unvollständig.");
    if (restLeft) refuse("Nach dem Plan folgen weitere Zeichen.");
    text.resize(unpacked);
    if (!text.empty() && text.back() != '\n') refuse("Der Code ist beschädigt oder unvollständig.");

    std::vector<std::string> packedLines;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = text.find('\n', start);
        packedLines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    std::vector<std::string> lines(packedLines.size());
    // The version line and the number of lines are where they were: they tell the order.
    const std::vector<std::size_t> from = packingOrder(packedLines.size(), cellCount(packedLines));
    for (std::size_t i = 0; i < from.size(); ++i) lines[from[i]] = std::move(packedLines[i]);
    const std::string file = planFileText(lines);
    if (file.size() > kMaxTextFileBytes) refuse("Der Plan wäre größer als 1 MB.");
    return file;
}

}  // namespace dz
