// How the program runs: for a user at a window, or in batch mode
// (`dizozodidu IMAGES plan.kpls`), which turns a plan into a picture and
// ends. Batch mode asks nobody anything: no message box, no question before
// unsaved changes go, no recent plans kept; problems go to stderr. The
// program decides it once at start and hands it to what behaves differently.
#pragma once

namespace dz {

enum class RunMode { Interactive, Batch };

}  // namespace dz
