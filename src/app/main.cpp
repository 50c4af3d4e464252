// Program start: load the catalog, create the window, run until it closes.
// `dizozodidu plan.kpls` opens a plan at start; `dizozodidu IMAGES plan.kpls`
// renders it to plan.kpls.jpeg without any window interaction (batch mode);
// `dizozodidu --help` and `--version` print the usage or the version and end.
#include "app/application.h"

int main(int argc, char** argv) { return dz::runPlanner(argc, argv); }
