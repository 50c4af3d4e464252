// The field menu as data: what a right click on a field offers. The window
// turns it into menu entries; a chosen entry's tag selects the action.
#pragma once

#include <string>
#include <vector>

#include "core/catalog/info.h"
#include "core/plan/act_plan.h"

namespace dz {

inline constexpr int tagDemolish = 0;
inline constexpr int tagToggle = 1;
inline constexpr int tagInitial = 3;
inline constexpr int tagBuildBase = 100;       // + building index
inline constexpr int tagTerraformBase = 200;   // + terraforming index

struct MenuEntry {
    std::string caption;  // Windows-1252
    int tag = 0;
    bool submenu = false;
    std::vector<MenuEntry> entries;  // of a submenu
    bool operator==(const MenuEntry&) const = default;
};

using FieldMenu = std::vector<MenuEntry>;

// Sorts entries by caption, byte by byte as unsigned Windows-1252 values
// (upper case before lower case, umlauts after "z", a prefix first); equal
// captions keep their order.
void sortByCaption(std::vector<MenuEntry>& entries);

// The tags of every entry that carries out an action, submenus included, in
// menu order.
std::vector<int> menuTags(const std::vector<MenuEntry>& entries);

// The menu of the selected field: "Abreißen" and switching on or off for a
// building (no switching for a passive one), the "Bauen" submenu (always
// there, perhaps empty; sorted by caption when `alphabetical`), and for an
// empty field the "Terraforming" submenu when it offers anything, led by the
// way back to the initial field type.
FieldMenu fieldMenu(const Info& info, const ActPlan& plan, bool alphabetical);

}  // namespace dz
