// The ranges of the two area buildings: which fields they reach and the
// cover counters of those fields.
#include "core/planner/planner.h"

namespace dz {

std::vector<Planner::Target> Planner::wideTargets(int x, int y) const {
    const int w = plan_.width(), hs = plan_.surfaceHeight(), ho = plan_.orbitHeight();
    const bool large = plan_.planetType == ptLargeAsteroids;
    std::vector<Target> targets;
    for (int i = x - 2; i <= x + 2; ++i) {
        const int c = i < 0 ? i + w : i >= w ? i - w : i;
        if (c < 0 || c >= w) continue;  // a grid narrower than the range
        for (int j = y - 2; j <= y + 2; ++j) {
            // Above the surface lies the end of the orbit, below it its start;
            // on the large asteroid field the surface closes on itself.
            Target t{c, j, true};
            if (j < 0) {
                t = large ? Target{c, hs + j, true} : Target{c, ho + j, false};
            } else if (j >= hs) {
                t = large ? Target{c, j - hs, true} : Target{c, j - hs, false};
            }
            // Orbit rows the planet does not have are left out.
            if (t.y < 0 || t.y >= (t.onSurface ? hs : ho)) continue;
            targets.push_back(t);
        }
    }
    return targets;
}

std::vector<Planner::Target> Planner::nearTargets(int x, int y) const {
    const int w = plan_.width(), hs = plan_.surfaceHeight();
    std::vector<Target> targets;
    for (int i = x - 1; i <= x + 1; ++i) {
        const int c = i < 0 ? i + w : i >= w ? i - w : i;
        if (c < 0 || c >= w) continue;
        for (int j = y - 1; j <= y + 1; ++j) {
            const int r = j < 0 ? j + hs : j >= hs ? j - hs : j;
            if (r < 0 || r >= hs) continue;
            targets.push_back({c, r, true});
        }
    }
    return targets;
}

void Planner::applyArea(RangeChange change, const std::vector<Target>& targets, AreaReach reach) {
    // All counters first: a picture that fails to draw must not leave a
    // range half applied.
    const int d = change == RangeChange::Add ? 1 : -1;
    for (const Target& t : targets) {
        Field& f = plan_.fieldAt(t.x, t.y, t.onSurface);
        (reach == AreaReach::Wide ? f.coverWide : f.coverNear) += d;
    }
    for (const Target& t : targets) redraw(t.x, t.y, t.onSurface);
}

void Planner::applyAreaWide(RangeChange change, int x, int y) {
    applyArea(change, wideTargets(x, y), AreaReach::Wide);
}

void Planner::applyAreaNear(RangeChange change, int x, int y) {
    applyArea(change, nearTargets(x, y), AreaReach::Near);
}

void Planner::applyRange(int building, RangeChange change, int x, int y) {
    if (building == bldAreaWide) applyAreaWide(change, x, y);
    if (building == bldAreaNear) applyAreaNear(change, x, y);
}

void Planner::redraw(int x, int y, bool onSurface) {
    const Field& f = plan_.fieldAt(x, y, onSurface);
    if (f.built)
        view_.showBuilding(x, y, f.building, onSurface);
    else
        view_.showField(x, y, f.fieldType, onSurface);
}

}  // namespace dz
