#include "core/plan/field_menu.h"

#include <algorithm>

#include "core/plan/build_rules.h"
#include "core/text/cp1252.h"

namespace dz {

namespace {

std::string text(const char* utf8) { return utf8ToCp1252(utf8); }

bool bytesLess(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
    });
}

// Whether going back to the initial field type is offered: the field must
// differ from it, and on the surface the planet's limits must allow the
// template's field type there.
bool resetOffered(const Info& info, const ActPlan& plan, const Field& f, const Field& initial) {
    if (initial.fieldType == f.fieldType || initial.fieldType < 0 || initial.fieldType >= kFieldTypeCount) return false;
    const FieldSelection& s = plan.selected;
    if (!s.onSurface) return true;
    const InfoPlanet& planet = info.planets.at(std::size_t(plan.planetType));
    const int g = planet.surface.at(std::size_t(s.x)).at(std::size_t(s.y));
    return !(isLimitedType(g) && plan.countSurfaceFields(g) >= typeLimit(planet, g));
}

}  // namespace

void sortByCaption(std::vector<MenuEntry>& entries) {
    // A bubble sort: equal captions keep their order.
    const std::size_t n = entries.size();
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t j = 1; j < n - i; ++j)
            if (bytesLess(entries[j].caption, entries[j - 1].caption)) std::swap(entries[j], entries[j - 1]);
}

std::vector<int> menuTags(const std::vector<MenuEntry>& entries) {
    std::vector<int> tags;
    for (const MenuEntry& e : entries) {
        if (!e.submenu) {
            tags.push_back(e.tag);
            continue;
        }
        const std::vector<int> inner = menuTags(e.entries);
        tags.insert(tags.end(), inner.begin(), inner.end());
    }
    return tags;
}

FieldMenu fieldMenu(const Info& info, const ActPlan& plan, bool alphabetical) {
    const FieldSelection& s = plan.selected;
    const Field& f = plan.selectedField();
    FieldMenu menu;
    if (f.built) {
        menu.push_back({text("Abreißen"), tagDemolish, false, {}});
        if (!isPassive(f.building))
            menu.push_back({text(f.inOperation ? "Betrieb einstellen" : "In Betrieb nehmen"), tagToggle, false, {}});
    }
    MenuEntry build{text("Bauen"), 0, true, {}};
    for (int b = 0; b < kBuildingCount; ++b)
        if (canBuild(info, plan, b))
            build.entries.push_back({info.buildings[std::size_t(b)].name, tagBuildBase + b, false, {}});
    if (alphabetical) sortByCaption(build.entries);
    menu.push_back(std::move(build));
    if (f.built) return menu;

    MenuEntry terraform{text("Terraforming"), 0, true, {}};
    const Field& initial = (s.onSurface ? plan.initial.surface : plan.initial.orbit).at(std::size_t(s.x)).at(std::size_t(s.y));
    if (resetOffered(info, plan, f, initial))
        terraform.entries.push_back(
            {text("Anfangszustand (") + info.fields[std::size_t(initial.fieldType)].name + ")", tagInitial, false, {}});
    for (int t = 0; t < kTerraformingCount; ++t)
        if (canTerraform(info, plan, t))
            terraform.entries.push_back({info.terraformings[std::size_t(t)].name, tagTerraformBase + t, false, {}});
    if (!terraform.entries.empty()) menu.push_back(std::move(terraform));
    return menu;
}

}  // namespace dz
