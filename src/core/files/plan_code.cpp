#include "core/files/plan_code.h"

#include <zlib.h>

#include <array>
#include <cstdint>

#include "core/files/plan_file.h"
#include "core/text/text_file.h"

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

}  // namespace

std::string planCode(std::string_view fileBytes) {
    uLongf size = compressBound(uLong(fileBytes.size()));
    std::string packed(size, '\0');
    if (compress2(reinterpret_cast<Bytef*>(packed.data()), &size, reinterpret_cast<const Bytef*>(fileBytes.data()),
                  uLong(fileBytes.size()), Z_BEST_COMPRESSION) != Z_OK)
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
    std::string file(kMaxTextFileBytes + 1, '\0');
    stream.next_out = reinterpret_cast<Bytef*>(file.data());
    stream.avail_out = uInt(file.size());
    const int result = inflate(&stream, Z_FINISH);
    const std::size_t unpacked = file.size() - stream.avail_out;
    const bool restLeft = stream.avail_in > 0;
    inflateEnd(&stream);
    if (unpacked > kMaxTextFileBytes) refuse("Der Plan wäre größer als 1 MB.");
    if (result != Z_STREAM_END) refuse("Der Code ist beschädigt oder unvollständig.");
    if (restLeft) refuse("Nach dem Plan folgen weitere Zeichen.");
    file.resize(unpacked);
    return file;
}

}  // namespace dz
