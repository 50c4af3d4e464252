// The fields the player has locked for "Vorschlag": a proposal leaves them
// exactly as they are. Locks belong to the fields of the plan on screen: they
// last while the program runs and are not part of the plan file; they go
// when another plan is started or loaded, and saving, undo and redo keep
// them (locking is no change of the plan).
#pragma once

#include <set>
#include <vector>

#include "core/suggest/suggest.h"

namespace dz {

class FieldLocks {
public:
    bool contains(FieldPosition field) const { return locked_.count(field) > 0; }
    bool empty() const { return locked_.empty(); }
    // Locks an unlocked field and unlocks a locked one; returns whether it is locked now.
    bool toggle(FieldPosition field);
    void clear() { locked_.clear(); }
    // The locked fields in a fixed order: the same locks make the same request.
    std::vector<FieldPosition> positions() const { return {locked_.begin(), locked_.end()}; }

private:
    std::set<FieldPosition> locked_;
};

}  // namespace dz
