// A plan as a short line of text for a chat or forum post: "DZ1:" and the
// plan file's content, compressed with zlib and written in the URL-safe
// base64 alphabet (A–Z a–z 0–9 - _, no padding). The digit after "DZ" is the
// format version. A code holds exactly the file's bytes, so it loads as the
// file would.
#pragma once

#include <string>
#include <string_view>

namespace dz {

inline constexpr std::string_view kPlanCodePrefix = "DZ1:";

// The code of a plan file's content.
std::string planCode(std::string_view fileBytes);

// The plan file content a code holds. Blanks and line ends around the code
// (as a chat adds them) do not count. Throws PlanFileError with a German
// reason for a code of another kind or version, a character outside the
// alphabet, a code cut short or changed, and for content that would unpack
// to more than kMaxTextFileBytes (it is never unpacked further).
std::string planFileFromCode(std::string_view code);

}  // namespace dz
