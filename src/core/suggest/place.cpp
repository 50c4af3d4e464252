#include "core/suggest/place.h"

#include <algorithm>
#include <cmath>
#include <tuple>
#include <utility>

#include "core/plan/build_rules.h"
#include "core/plan/field_menu.h"
#include "core/suggest/schedule.h"

namespace dz::suggest_place {

using suggest_model::Group;
using suggest_model::Model;
using suggest_model::Placement;
using suggest_model::Way;

namespace {

int countOf(const std::vector<double>& values, int column) {
    return column < 0 ? 0 : int(std::lround(values[std::size_t(column)]));
}

// What becomes of one field.
struct Target {
    FieldPosition at;
    const Group* group = nullptr;
    const Way* way = nullptr;
    bool kept = false;
    int building = -1;  // what stands at the end (kept or put up)
    bool running = false;
};

// The field-menu actions that turn a field into its target, in order.
std::vector<int> actionsFor(const Target& t) {
    const Group& g = *t.group;
    std::vector<int> tags;
    if (t.kept) return tags;
    const bool stays = t.way->terraformings.empty() && !t.way->reset;
    if (stays && g.building >= 0 && g.building == t.building) {
        if (g.running != t.running) tags.push_back(tagToggle);
        return tags;
    }
    if (!stays && g.building >= 0) tags.push_back(tagDemolish);
    if (stays && g.building >= 0 && t.building < 0) tags.push_back(tagDemolish);
    if (t.way->reset) tags.push_back(tagInitial);
    for (int tf : t.way->terraformings) tags.push_back(tagTerraformBase + tf);
    if (t.building >= 0) {
        tags.push_back(tagBuildBase + t.building);
        if (!t.running && !isPassive(t.building)) tags.push_back(tagToggle);
    }
    return tags;
}


}  // namespace

std::optional<Placed> placeAndOrder(const Info& info, const ActPlan& start, const Model& model,
                                    const std::vector<double>& values, long long* lacking) {
    // The ways of the fields: in each group the kept fields first (they stay
    // as they are), then the ways in the model's order.
    std::vector<Target> targets;
    for (const Group& g : model.groups) {
        std::size_t next = 0;
        const int kept = countOf(values, g.keepColumn);
        for (const Way& w : g.ways) {
            const int n = countOf(values, w.column);
            for (int i = 0; i < n && next < g.fields.size(); ++i, ++next) {
                Target t;
                t.at = g.fields[next];
                t.group = &g;
                t.way = &w;
                t.kept = &w == &g.ways[0] && int(next) < kept;
                if (t.kept) {
                    t.building = g.building;
                    t.running = g.running;
                }
                targets.push_back(t);
            }
        }
        if (next != g.fields.size()) return std::nullopt;  // the counts do not add up
    }

    // The buildings, each on the field that takes the fewest actions: one
    // that stands there already (in the same state, then in the other),
    // then a build-over, an empty field, and last a terraformed one.
    // A house is built over last: what replaces it binds workers at once,
    // while the living space goes, and the order may have no room for that.
    auto rank = [&info](const Target& t, const Placement& p) {
        const bool stays = t.way->terraformings.empty() && !t.way->reset;
        if (!stays) return 5;
        const int old = t.group->building;
        if (old == p.building) return t.group->running == p.running ? 0 : 1;
        if (old < 0) return 3;
        const InfoBuilding& b = info.buildings[std::size_t(old)];
        return t.group->running && b.housing > b.workers ? 4 : 2;
    };
    std::vector<int> left(model.placements.size());
    for (std::size_t i = 0; i < model.placements.size(); ++i) left[i] = countOf(values, model.placements[i].column);
    for (int pass = 0; pass <= 5; ++pass)
        for (std::size_t i = 0; i < model.placements.size(); ++i) {
            const Placement& p = model.placements[i];
            for (Target& t : targets) {
                if (left[i] == 0) break;
                if (t.kept || t.building >= 0 || t.at.onSurface != p.onSurface || t.way->type != p.type) continue;
                if (rank(t, p) != pass) continue;
                t.building = p.building;
                t.running = p.running;
                --left[i];
            }
        }
    if (std::any_of(left.begin(), left.end(), [](int n) { return n != 0; })) return std::nullopt;

    // The fields in the order of the plan: column by column, surface first.
    std::stable_sort(targets.begin(), targets.end(), [](const Target& a, const Target& b) {
        return std::make_tuple(a.at.x, !a.at.onSurface, a.at.y) < std::make_tuple(b.at.x, !b.at.onSurface, b.at.y);
    });
    std::vector<FieldJob> jobs;
    for (const Target& t : targets)
        if (std::vector<int> tags = actionsFor(t); !tags.empty()) jobs.push_back({t.at, std::move(tags)});
    return orderChoices(info, start, jobs, lacking);
}

}  // namespace dz::suggest_place
