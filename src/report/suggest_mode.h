// dizozodidu-report --suggest: the proposal for a goal, written to a plan
// file and reported with a section of its own.
#pragma once

#include <string>
#include <vector>

#include "core/catalog/info.h"

// The call of the proposal, in its usage and in the help (usageText).
#define DZ_SUGGEST_CALL                                                                      \
    "dizozodidu-report --suggest ZIEL [--min ZIEL=WERT]... [--then ZIEL] [--rebuild]\n"      \
    "                          [--lock SPALTE,ZEILE,o|s]... [--cap MENGE:ROHSTOFF]\n"          \
    "                          [--nodes N] [--seconds N] PLAN.kpls VORSCHLAG.kpls\n"

namespace dz {

// --suggest GOAL [options] IN OUT, the arguments after --suggest. Returns the
// program's status: 0, 1 when there is no proposal or a file fails, 2 for a
// usage error.
int suggestMode(Info& info, const std::vector<std::string>& args);

}  // namespace dz
