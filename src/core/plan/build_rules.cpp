#include "core/plan/build_rules.h"

#include <array>

namespace dz {

namespace {

bool meadowBasePlanet(int p) { return p == ptStandard || p == ptTemperate || p == ptWater; }

}  // namespace

bool needsSpaceport(int b) { return (b >= bldFirstOrbital && b <= bldLastOrbital) || b == bldStandardOnly; }

bool isUnique(int b) {
    return b == bldOrbitSupply || b == bldOrbitUniqueA || b == bldOrbitUniqueB || b == bldBaseC ||
           b == bldWorkbeePort || b == bldRepDrain || b == bldStandardOnly || b == bldOrbitalseil;
}

bool isBase(int b) { return b == bldBaseA || b == bldBaseB || b == bldBaseC; }

bool planetAllows(const Info& info, int p, int b) {
    if (p < 0 || p >= kPlanetCount || b < 0 || b >= kBuildingCount) return false;
    const InfoPlanet& planet = info.planets[std::size_t(p)];
    if (b == bldPlanetYieldA && (p == ptSmallAsteroids || p == ptIceAsteroid || p == ptLargeAsteroids)) return false;
    if (b == bldStandardOnly && p != ptStandard) return false;
    if (b == bldBaseC && meadowBasePlanet(p)) return false;
    if ((b == bldBaseA || b == bldBaseB) && !meadowBasePlanet(p)) return false;
    if (b == bldOrbitSupply && (p == ptSmallAsteroids || p == ptLargeAsteroids)) return false;
    if (b == bldPlanetYieldD && planet.yieldD <= 0) return false;
    return true;
}

bool isPassive(int b) { return b == bldEco || b == bldPassive || b == bldBspDepotA || b == bldBspDepotB; }

bool isPrerequisite(int b) {
    return b == bldBaseA || b == bldBaseB || b == bldBaseC || b == bldWorkbeePort || b == bldOrbitalseil;
}

bool canBuild(const Info& info, const ActPlan& plan, int b) {
    if (b < 0 || b >= kBuildingCount) return false;
    const Field& f = plan.selectedField();
    if (f.fieldType < 0 || f.fieldType >= kFieldTypeCount) return false;
    const int p = plan.planetType;
    const InfoPlanet& planet = info.planets.at(std::size_t(p));
    if (!info.fields[std::size_t(f.fieldType)].buildable[std::size_t(b)]) return false;
    const std::array<int, kBuildingCount> counts = plan.buildingCounts();
    auto n = [&counts](int building) { return counts[std::size_t(building)]; };
    // A base building first.
    if (!isBase(b) && n(bldBaseC) < 1 && n(bldBaseA) < 1 && n(bldBaseB) < 1) return false;
    if (needsSpaceport(b) && n(bldWorkbeePort) < 1) return false;
    if (b == bldPlanetCapA && n(bldPlanetCapA) >= planet.capA) return false;
    if (b == bldPlanetCapB && n(bldPlanetCapB) >= planet.capB) return false;
    if (!planetAllows(info, p, b)) return false;
    // At most one.
    if (isUnique(b) && n(b) != 0) return false;
    if ((b == bldBaseA || b == bldBaseB) && (n(bldBaseA) != 0 || n(bldBaseB) != 0)) return false;
    return true;
}

bool canTerraform(const Info& info, const ActPlan& plan, int t) {
    if (t < 0 || t >= kTerraformingCount) return false;
    const Field& f = plan.selectedField();
    if (f.fieldType < 0 || f.fieldType >= kFieldTypeCount) return false;
    const InfoPlanet& planet = info.planets.at(std::size_t(plan.planetType));

    if (!info.fields[std::size_t(f.fieldType)].terraformable[std::size_t(t)]) return false;
    if (f.built) return false;
    // The limits count the surface, wherever the field is.
    if (t == tfCrater && plan.countSurfaceFields(ftCrater) >= planet.maxCraters) return false;
    if (t == tfCoreRift && plan.countSurfaceFields(ftCoreRift) >= planet.maxCoreRifts) return false;
    if (t == tfVolcano && plan.countSurfaceFields(ftVolcano) >= planet.maxVolcanoes) return false;
    if (t == tfDysonSphere && plan.countBuildings(bldOrbitalseil) < 1) return false;
    return planetAllowsTerraforming(plan.planetType, t);
}

bool planetAllowsTerraforming(int planetType, int t) {
    // Meadow from ice is not possible on the ice asteroid.
    return !(t == tfMeadowFromIce && planetType == ptIceAsteroid);
}

std::vector<std::vector<int>> terraformingWays(const Info& info, int planetType, int from) {
    std::vector<std::vector<int>> wayTo(kFieldTypeCount);
    std::vector<bool> reached(kFieldTypeCount, false);
    std::vector<int> order{from};
    reached[std::size_t(from)] = true;
    for (std::size_t next = 0; next < order.size(); ++next) {
        const int type = order[next];
        if (next > 0 && isLimitedType(type)) continue;
        for (int t = 0; t < kTerraformingCount; ++t) {
            if (!info.fields[std::size_t(type)].terraformable[std::size_t(t)]) continue;
            if (!planetAllowsTerraforming(planetType, t)) continue;
            const int target = info.terraformings[std::size_t(t)].targetField;
            if (target < 0 || target >= kFieldTypeCount || reached[std::size_t(target)]) continue;
            reached[std::size_t(target)] = true;
            wayTo[std::size_t(target)] = wayTo[std::size_t(type)];
            wayTo[std::size_t(target)].push_back(t);
            order.push_back(target);
        }
    }
    std::vector<std::vector<int>> ways;
    for (int type : order) ways.push_back(wayTo[std::size_t(type)]);
    return ways;
}

bool isLimitedType(int f) { return f == ftCrater || f == ftCoreRift || f == ftVolcano; }

int typeLimit(const InfoPlanet& planet, int f) {
    if (f == ftCrater) return planet.maxCraters;
    if (f == ftCoreRift) return planet.maxCoreRifts;
    if (f == ftVolcano) return planet.maxVolcanoes;
    return 0;
}

}  // namespace dz
