// Values that live for the whole run of the program.
#pragma once

namespace dz {

struct ProgramState {
    bool planExists = false;        // a plan has been made since the program started
    bool alphabeticalSort = false;  // the "Bauen" submenu is sorted by name
    int internalReputation = 0;     // the player's own reputation, from the settings
};

}  // namespace dz
