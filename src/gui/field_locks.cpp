#include "gui/field_locks.h"

namespace dz {

bool FieldLocks::toggle(FieldPosition field) {
    if (locked_.erase(field) > 0) return false;
    locked_.insert(field);
    return true;
}

}  // namespace dz
