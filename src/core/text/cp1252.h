// Windows-1252 <-> UTF-8. Catalog and file strings stay Windows-1252 bytes in
// the core; texts are converted only where they meet the screen or a message.
#pragma once

#include <string>
#include <string_view>

namespace dz {

std::string cp1252ToUtf8(std::string_view bytes);

// Characters without a Windows-1252 byte, and malformed UTF-8, become '?'.
std::string utf8ToCp1252(std::string_view text);

}  // namespace dz
