#include "core/suggest/schedule.h"

#include <algorithm>
#include <initializer_list>
#include <tuple>
#include <utility>

#include "core/economy/economy.h"
#include "core/economy/personnel.h"
#include "core/plan/build_rules.h"
#include "core/plan/field_menu.h"
#include "core/planner/planner.h"

namespace dz::suggest_place {

namespace {

long long hiredCount(const Ressources& r) {
    return static_cast<long long>(r.ecoGuards) + r.holodeckOperators + r.scientists + r.soldiers;
}

bool isBuild(int tag) { return tag >= tagBuildBase && tag < tagBuildBase + kBuildingCount; }

// How an action on a field changes the free persons (living space less
// workers), for the order of the actions.
long long freedBy(const Info& info, const Field& f, int tag) {
    auto net = [&](int b) {
        const InfoBuilding& building = info.buildings[std::size_t(b)];
        return static_cast<long long>(building.housing) - building.workers;
    };
    if (isBuild(tag)) {
        const int b = tag - tagBuildBase;
        long long gain = isPassive(b) ? 0 : net(b);
        if (f.built && f.inOperation) gain -= net(f.building);
        return gain;
    }
    if ((tag == tagDemolish || tag == tagToggle) && f.built && f.inOperation) return -net(f.building);
    if (tag == tagToggle && f.built) return net(f.building);
    return 0;
}

// What an action leaves on a field, as far as the order cares.
void applyTo(Field& f, int tag) {
    if (isBuild(tag)) {
        f.building = tag - tagBuildBase;
        f.built = true;
        f.inOperation = !isPassive(f.building);
    } else if (tag == tagDemolish) {
        f.building = -1;
        f.built = f.inOperation = false;
    } else if (tag == tagToggle) {
        f.inOperation = !f.inOperation;
    }
}

class Scheduler {
public:
    Scheduler(const Info& info, const ActPlan& start) : info_(info), plan_(start), planner_(info_, plan_, state_, view_) {}

    struct Pending {
        FieldPosition at;
        std::vector<int> tags;
        std::size_t done = 0;
    };

    std::optional<Placed> run(const std::vector<FieldJob>& jobs) {
        std::vector<Pending> pending;
        for (const FieldJob& job : jobs) pending.push_back({job.at, job.tags, 0});
        Placed placed;
        while (!pending.empty()) {
            // The next action of every field, best first: prerequisites, then
            // what frees the most persons; ties in the order of the fields.
            std::vector<std::size_t> order(pending.size());
            for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
            std::vector<std::tuple<int, long long, long long>> key(pending.size());
            for (std::size_t i = 0; i < pending.size(); ++i) key[i] = priority(pending[i]);
            std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return key[a] < key[b]; });
            bool progress = false;
            for (std::size_t i : order) {
                Pending& p = pending[i];
                const int tag = p.tags[p.done];
                if (offered(p.at, tag) && !dismisses(p.at, {tag})) {
                    carryOut(p.at, tag, placed);
                    ++p.done;
                    progress = true;
                    break;
                }
                // A building that cannot replace another directly (a base of
                // the other kind, a second unique building) goes up right
                // after the old one is demolished.
                if (isBuild(tag) && plan_.fieldAt(p.at.x, p.at.y, p.at.onSurface).built && offered(p.at, tagDemolish) &&
                    !dismisses(p.at, {tagDemolish, tag})) {
                    carryOut(p.at, tagDemolish, placed);
                    if (!offered(p.at, tag)) return std::nullopt;
                    carryOut(p.at, tag, placed);
                    ++p.done;
                    progress = true;
                    break;
                }
            }
            if (!progress) progress = makeRoom(pending, order, placed);
            if (!progress) {
                shortfall_ = lackingPersons(pending);
                return std::nullopt;
            }
            pending.erase(std::remove_if(pending.begin(), pending.end(), [](const Pending& p) { return p.done == p.tags.size(); }),
                          pending.end());
        }
        return placed;
    }

    // When run() found no order: how many more free persons the job that
    // lacks the fewest would have needed, 0 when persons were not what lacked.
    long long shortfall() const { return shortfall_; }

private:
    // The order of the fields' remaining actions, smallest first. A field's
    // actions are a job that changes the free persons (living space less
    // workers) by `change` and needs `need` free persons on the way (a
    // building binds its workers as it goes up, before it may be switched
    // off). Prerequisites go first, then the jobs that free persons, those
    // needing fewest first, then the ones that bind persons, those leaving
    // the most free first: the order that keeps the most persons free.
    std::tuple<int, long long, long long> priority(const Pending& p) const {
        const int tag = p.tags[p.done];
        if ((isBuild(tag) && isPrerequisite(tag - tagBuildBase)) || placesForScientists(p.at, tag)) return {0, 0, 0};
        const auto [change, need] = job(p);
        if (change >= 0) return {1, need, -change};
        return {2, -(need + change), 0};
    }

    // The remaining actions of a field as a job: how they change the free
    // persons in all, and how many free persons they need on the way.
    std::pair<long long, long long> job(const Pending& p) const {
        long long change = 0, need = 0;
        Field f = plan_.fieldAt(p.at.x, p.at.y, p.at.onSurface);
        for (std::size_t k = p.done; k < p.tags.size(); ++k) {
            change += freedBy(info_, f, p.tags[k]);
            need = std::max(need, -change);
            applyTo(f, p.tags[k]);
        }
        return {change, need};
    }

    long long lackingPersons(const std::vector<Pending>& pending) const {
        const long long free = unemployed(plan_.ressources);
        long long least = 0;
        for (const Pending& p : pending)
            if (const long long lacking = job(p).second - free; lacking > 0 && (least == 0 || lacking < least)) least = lacking;
        return least;
    }

    // Whether the action gives places to scientists while more are hired
    // than places run: until then, switching anything off would dismiss
    // scientists (the planner keeps no more of them than running labs hold).
    bool placesForScientists(const FieldPosition& at, int tag) const {
        const Ressources& r = plan_.ressources;
        if (r.scientists <= r.scientistCapacity) return false;
        const Field& f = plan_.fieldAt(at.x, at.y, at.onSurface);
        int b = -1;
        if (isBuild(tag)) b = tag - tagBuildBase;
        if (tag == tagToggle && f.built && !f.inOperation) b = f.building;
        const PersonnelPlaces* places = b >= 0 ? personnelPlaces(b) : nullptr;
        return places && places->kind == Personnel::Scientist;
    }

    // Nothing can go next without dismissing personnel: a building that
    // needs more workers than are free now, whose place in the order cannot
    // wait (the Orbitalseil before the houses on Dyson spheres). Buildings
    // that are done are switched off for a while to free their workers; they
    // are switched on again once there is room, at the latest at the end,
    // when the colony is complete and has room for every worker.
    bool makeRoom(std::vector<Pending>& pending, const std::vector<std::size_t>& order, Placed& placed) {
        for (std::size_t i : order) {
            Pending& p = pending[i];
            const int tag = p.tags[p.done];
            if (!offered(p.at, tag)) continue;
            std::vector<FieldPosition> switched;
            while (dismisses(p.at, {tag})) {
                const std::optional<FieldPosition> idle = mostWorkersIdle(pending);
                if (!idle) break;
                carryOut(*idle, tagToggle, placed);
                switched.push_back(*idle);
                lent_.push_back(*idle);  // each field once: the order must come to an end
            }
            if (dismisses(p.at, {tag})) {
                // Not enough: switch them on again and try the next action.
                for (const FieldPosition& at : switched) carryOut(at, tagToggle, placed);
                placed.choices.resize(placed.choices.size() - 2 * switched.size());
                placed.work.switches -= 2 * int(switched.size());
                continue;
            }
            carryOut(p.at, tag, placed);
            ++p.done;
            for (const FieldPosition& at : switched) pending.push_back({at, {tagToggle}, 0});
            return true;
        }
        return false;
    }

    // The building in operation whose switching off frees the most persons,
    // on a field with nothing left to do, that may be switched off without
    // dismissing anyone.
    std::optional<FieldPosition> mostWorkersIdle(const std::vector<Pending>& pending) {
        std::optional<FieldPosition> best;
        long long most = 0;
        for (int x = 0; x < plan_.width(); ++x)
            for (bool onSurface : {true, false}) {
                const int height = onSurface ? plan_.surfaceHeight() : plan_.orbitHeight();
                for (int y = 0; y < height; ++y) {
                    const FieldPosition at{x, y, onSurface};
                    const Field& f = plan_.fieldAt(x, y, onSurface);
                    if (!f.built || !f.inOperation || isPassive(f.building)) continue;
                    const long long freed = freedBy(info_, f, tagToggle);
                    if (freed <= most) continue;
                    if (std::any_of(pending.begin(), pending.end(), [&](const Pending& p) { return p.at == at; }) ||
                        std::find(lent_.begin(), lent_.end(), at) != lent_.end() || dismisses(at, {tagToggle}))
                        continue;
                    most = freed;
                    best = at;
                }
            }
        return best;
    }

    bool offered(const FieldPosition& at, int tag) {
        plan_.selected = FieldSelection{at.x, at.y, at.onSurface};
        const std::vector<int> tags = menuTags(planner_.buildFieldMenu());
        return std::find(tags.begin(), tags.end(), tag) != tags.end();
    }

    // Whether the actions, one after the other, would make the planner
    // dismiss hired personnel, or one of them is not on the menu at its turn.
    bool dismisses(const FieldPosition& at, std::initializer_list<int> tags) {
        const long long before = hiredCount(plan_.ressources);
        if (before == 0 && tags.size() == 1) return false;
        ActPlan trial = plan_;
        ProgramState state;
        Planner trialPlanner(info_, trial, state, view_);
        for (int tag : tags) {
            trial.selected = FieldSelection{at.x, at.y, at.onSurface};
            const std::vector<int> menu = menuTags(trialPlanner.buildFieldMenu());
            if (std::find(menu.begin(), menu.end(), tag) == menu.end()) return true;
            trialPlanner.chooseMenuEntry(tag);
            if (hiredCount(trial.ressources) < before) return true;
        }
        return false;
    }

    void carryOut(const FieldPosition& at, int tag, Placed& placed) {
        record(at, tag, placed);
        plan_.selected = FieldSelection{at.x, at.y, at.onSurface};
        planner_.chooseMenuEntry(tag);
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

    std::vector<FieldPosition> lent_;  // fields switched off for room
    long long shortfall_ = 0;
    Info info_;
    ActPlan plan_;
    ProgramState state_;
    NullPlanView view_;
    Planner planner_;
};

}  // namespace

std::optional<Placed> orderChoices(const Info& info, const ActPlan& start, const std::vector<FieldJob>& jobs,
                                   long long* lacking) {
    Scheduler scheduler(info, start);
    std::optional<Placed> placed = scheduler.run(jobs);
    if (!placed && lacking) *lacking = scheduler.shortfall();
    return placed;
}

}  // namespace dz::suggest_place
