// Values that live for the whole run of the program.
#pragma once

namespace dz {

// Version of the program: first line of every plan file and the value the
// update check compares with the published one.
inline constexpr const char* programVersion = "064";

struct ProgramState {
    bool planChanged = false;       // the plan has changes that are not saved
    bool planExists = false;        // a plan has been made since the program started
    bool alphabeticalSort = false;  // the "Bauen" submenu is sorted by name
    int internalReputation = 0;     // the player's own reputation, from the settings
};

}  // namespace dz
