// The report of one plan file: what the planner's panels show, as UTF-8 text.
#pragma once

#include <string>

#include "core/catalog/info.h"

namespace dz {

// The report of one plan file; throws when the file cannot be used. Nothing
// is printed before the whole report is there, so that a plan that fails
// halfway leaves no half report behind.
std::string planReport(Info& info, const std::string& file);

// Two plan files side by side (dizozodidu-report --compare): every row of the
// report with the value in the first plan, in the second and the difference
// (first less second), tab-separated, then the number of differing fields.
std::string comparisonReport(Info& info, const std::string& thisFile, const std::string& otherFile);

}  // namespace dz
