#include "core/suggest/place.h"

#include <algorithm>
#include <cmath>
#include <tuple>

#include "core/economy/economy.h"
#include "core/plan/build_rules.h"
#include "core/planner/planner.h"

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

long long hiredCount(const Ressources& r) {
    return static_cast<long long>(r.ecoGuards) + r.holodeckOperators + r.scientists + r.soldiers;
}

// How an action changes the free persons (living space less workers), for
// the order: what frees persons goes first, what binds them last.
long long freedBy(const Info& info, const ActPlan& plan, const FieldPosition& at, int tag) {
    const Field& f = plan.fieldAt(at.x, at.y, at.onSurface);
    auto net = [&](int b) {
        const InfoBuilding& building = info.buildings[std::size_t(b)];
        return static_cast<long long>(building.housing) - building.workers;
    };
    if (tag >= tagBuildBase && tag < tagBuildBase + kBuildingCount) {
        const int b = tag - tagBuildBase;
        long long gain = isPassive(b) ? 0 : net(b);
        if (f.built && f.inOperation) gain -= net(f.building);
        return gain;
    }
    if ((tag == tagDemolish || tag == tagToggle) && f.built && f.inOperation) return -net(f.building);
    if (tag == tagToggle && f.built) return net(f.building);
    return 0;
}

class Scheduler {
public:
    Scheduler(const Info& info, const ActPlan& start) : info_(info), plan_(start), planner_(info_, plan_, state_, view_) {}

    std::optional<Placed> run(std::vector<Target>& targets) {
        struct Pending {
            FieldPosition at;
            std::vector<int> tags;
            std::size_t done = 0;
        };
        std::vector<Pending> pending;
        for (const Target& t : targets) {
            std::vector<int> tags = actionsFor(t);
            if (!tags.empty()) pending.push_back({t.at, std::move(tags), 0});
        }
        Placed placed;
        while (!pending.empty()) {
            // The next action of every field, best first: prerequisites, then
            // what frees the most persons; ties in the order of the fields.
            std::vector<std::size_t> order(pending.size());
            for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
            std::vector<long long> score(pending.size());
            for (std::size_t i = 0; i < pending.size(); ++i) {
                const int tag = pending[i].tags[pending[i].done];
                const bool prerequisite = tag >= tagBuildBase && tag < tagBuildBase + kBuildingCount &&
                                          isPrerequisite(tag - tagBuildBase);
                score[i] = (prerequisite ? 1LL << 40 : 0) + freedBy(info_, plan_, pending[i].at, tag);
            }
            std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return score[a] > score[b]; });
            bool progress = false;
            for (std::size_t i : order) {
                Pending& p = pending[i];
                const int tag = p.tags[p.done];
                if (!offered(p.at, tag) || dismisses(p.at, tag)) continue;
                record(p.at, tag, placed);
                planner_.chooseMenuEntry(tag);
                ++p.done;
                progress = true;
                break;
            }
            if (!progress) return std::nullopt;
            pending.erase(std::remove_if(pending.begin(), pending.end(), [](const Pending& p) { return p.done == p.tags.size(); }),
                          pending.end());
        }
        return placed;
    }

private:
    bool offered(const FieldPosition& at, int tag) {
        plan_.selected = FieldSelection{at.x, at.y, at.onSurface};
        const std::vector<int> tags = menuTags(planner_.buildFieldMenu());
        return std::find(tags.begin(), tags.end(), tag) != tags.end();
    }

    // Whether the action would make the planner dismiss hired personnel.
    bool dismisses(const FieldPosition& at, int tag) {
        const long long before = hiredCount(plan_.ressources);
        if (before == 0) return false;
        ActPlan trial = plan_;
        ProgramState state;
        Planner trialPlanner(info_, trial, state, view_);
        trial.selected = FieldSelection{at.x, at.y, at.onSurface};
        trialPlanner.chooseMenuEntry(tag);
        return hiredCount(trial.ressources) < before;
    }

    void record(const FieldPosition& at, int tag, Placed& placed) {
        const Field& f = plan_.fieldAt(at.x, at.y, at.onSurface);
        SuggestWork& w = placed.work;
        if (tag >= tagBuildBase && tag < tagBuildBase + kBuildingCount) {
            ++(f.built ? w.buildOvers : w.builds);
            const ResourceArray& cost = info_.buildings[std::size_t(tag - tagBuildBase)].buildCost;
            for (int r = 0; r < kResourceCount; ++r) w.cost[std::size_t(r)] += cost[std::size_t(r)];
        } else if (tag >= tagTerraformBase && tag < tagTerraformBase + kTerraformingCount) {
            ++w.terraformings;
            const ResourceArray& cost = info_.terraformings[std::size_t(tag - tagTerraformBase)].cost;
            for (int r = 0; r < kResourceCount; ++r) w.cost[std::size_t(r)] += cost[std::size_t(r)];
        } else if (tag == tagInitial) {
            ++w.terraformings;
        } else if (tag == tagDemolish) {
            ++w.demolitions;
        } else if (tag == tagToggle) {
            ++w.switches;
        }
        placed.choices.push_back({at.x, at.y, at.onSurface, tag});
    }

    Info info_;
    ActPlan plan_;
    ProgramState state_;
    NullPlanView view_;
    Planner planner_;
};

}  // namespace

std::optional<Placed> placeAndOrder(const Info& info, const ActPlan& start, const Model& model,
                                    const std::vector<double>& values) {
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
    auto rank = [](const Target& t, const Placement& p) {
        const bool stays = t.way->terraformings.empty() && !t.way->reset;
        if (!stays) return 4;
        if (t.group->building == p.building) return t.group->running == p.running ? 0 : 1;
        return t.group->building >= 0 ? 2 : 3;
    };
    std::vector<int> left(model.placements.size());
    for (std::size_t i = 0; i < model.placements.size(); ++i) left[i] = countOf(values, model.placements[i].column);
    for (int pass = 0; pass <= 4; ++pass)
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
    return Scheduler(info, start).run(targets);
}

}  // namespace dz::suggest_place
