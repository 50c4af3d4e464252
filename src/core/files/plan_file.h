// Plan files (*.kpls): one value per line, found by position. The writer
// always writes the current layout; the reader also takes the older ones.
// A file is read and checked completely before anything of the plan changes.
#pragma once

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/catalog/info.h"
#include "core/plan/act_plan.h"

namespace dz {

// The layouts of plan files, told apart by the first line.
enum class PlanFormat {
    Current,        // "064" (kPlanFileVersion): reputation, 18 summary lines, the initial field types at the end
    Older,          // "0.6.1", "0.6.2" or "063": reputation, 16 summary lines, nothing read after the population limit
    NoVersionLine,  // no version line (or "0.0"): as Older, and a second reputation follows the population limit
    Unknown,        // any other first line: no reputation and no summary
};

// What a file without a version line counts as: a first line of at most two
// characters is the planet type, not a version.
inline constexpr const char* kNoVersionLine = "0.0";

// The summary after the reputation: the production of the 16 resources, then
// storage and EPS; the older layouts have the production only.
inline constexpr int kSummaryLines = kResourceCount + 2;
inline constexpr int kOlderSummaryLines = kResourceCount;

// The layout a version line selects. Blanks and tabs at its end do not count
// ("064 " is "064"); everything else must match exactly, case and leading
// blanks included. Earlier versions took "064 " as unknown and so misread the
// plan one line off.
PlanFormat planFormat(const std::string& versionLine);

// The name a plan is saved under: the chosen name when its extension is
// exactly ".kpls", otherwise the chosen name followed by ".kpls".
std::string planFileName(const std::string& chosen);

// The lines of the current layout for the plan.
std::vector<std::string> planLines(const Info& info, const ActPlan& plan, int internalReputation);

// Writes the plan safely (see writeFileSafely): a failed save leaves an
// existing file as it was. Throws std::runtime_error with a German message on
// failure.
void savePlan(const std::filesystem::path& file, const Info& info, const ActPlan& plan, int internalReputation);

// The file text of plan lines: CR LF after each.
std::string planFileText(const std::vector<std::string>& lines);

// Writes lines with CR LF after each, safely as savePlan does.
void writeLinesSafely(const std::filesystem::path& file, const std::vector<std::string>& lines);

// A plan file that cannot be used; what() says why (German, with the line).
class PlanFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct LoadedCell {
    std::int32_t fieldType = 0;
    bool inOperation = false;
    std::int32_t building = -1;
    ResourceArray terraformCost{};
};
using LoadedGrid = std::vector<std::vector<LoadedCell>>;

// Everything a plan file holds, checked against the catalog.
struct LoadedPlan {
    PlanFormat format = PlanFormat::Current;
    std::int32_t planetType = 0;
    std::optional<std::string> reputationText;  // the internal reputation as written
    std::int32_t internalReputation = 0;
    ResourceArray terraformCosts{};
    ResourceArray buildingCosts{};
    LoadedGrid surface;
    LoadedGrid orbit;
    std::int32_t livingSpace = 0;
    std::int32_t workersNeeded = 0;
    std::int32_t ecoGuards = 0;
    std::int32_t holodeckOperators = 0;
    std::int32_t scientists = 0;
    std::int32_t soldiers = 0;
    bool hasLimit = false;  // the two population-limit lines were there
    bool limitEnabled = false;
    std::int32_t populationLimit = 0;
    std::string populationLimitText;
    std::optional<IntGrid> initialSurface;  // the field types the plan started from
    std::optional<IntGrid> initialOrbit;
};

// Reads a plan file's lines. Throws PlanFileError for a missing line, a value
// that is no integer, a planet type outside 0..9, a field type outside 0..14,
// a building outside -1..54 or a building on a field type that cannot carry it.
LoadedPlan readPlanLines(const std::vector<std::string>& lines, const Info& info);
// Reads and checks a plan file; throws PlanFileError also when it cannot be
// read, is no regular file or is larger than kMaxTextFileBytes.
LoadedPlan readPlanFile(const std::filesystem::path& file, const Info& info);

}  // namespace dz
