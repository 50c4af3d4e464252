// dizozodidu-report --code and --from-code: a plan as a short line of text
// (see core/files/plan_code.h) and back.
#pragma once

#include <string>
#include <vector>

#include "core/catalog/info.h"
#include "core/files/standard_output.h"

#define DZ_CODE_CALLS                                             \
    "dizozodidu-report --code PLAN.kpls\n"                        \
    "        dizozodidu-report --from-code CODE PLAN.kpls\n"

namespace dz {

// `mode` is "--code" or "--from-code", `args` what follows it. --code prints
// the code of a plan file, --from-code writes the plan a code holds, once it
// has been read as a plan. Returns the program's status: 0, 1 when the plan
// or the code cannot be used or the file not written, 2 for a usage error.
int codeMode(const Info& info, const std::string& mode, const std::vector<std::string>& args, CheckedOutput& out);

}  // namespace dz
