// What may be built on and done with the selected field of a plan.
#pragma once

#include <vector>

#include "core/catalog/info.h"
#include "core/plan/act_plan.h"

namespace dz {

// Whether building b is offered for the selected field: its field type must
// carry it, the colony needs a base first (and the workbee port for the
// orbital buildings), and the planet type and the limits of unique and
// counted buildings must allow it. False for an index outside the table.
bool canBuild(const Info& info, const ActPlan& plan, int b);

// Whether terraforming t is offered for the selected field: its field type
// must allow it, the field must be empty, and the planet's limits of craters,
// core rifts and volcanoes (counted on the surface) must not be reached.
bool canTerraform(const Info& info, const ActPlan& plan, int t);

// Whether the planet type allows building b at all (some buildings belong to
// some planet types only).
bool planetAllows(const Info& info, int planetType, int b);

// At most one of these stands in a colony.
bool isUnique(int b);
// The base buildings: one of them comes first.
bool isBase(int b);
// The buildings that need the workbee port.
bool needsSpaceport(int b);

// Whether the planet type allows terraforming t at all.
bool planetAllowsTerraforming(int planetType, int t);

// The ways of terraformings from field type `from` on planet type
// `planetType`: the shortest to every type they reach, `from` itself first
// (the empty way), in the order they are found. A limited type ends a way:
// going through it would need a place under the planet's limit on the way.
// Whether a way can be taken now (a limit, the Orbitalseil) is canTerraform's
// question at each step.
std::vector<std::vector<int>> terraformingWays(const Info& info, int planetType, int from);

// The field types whose number on the surface the planet limits (craters,
// core rifts, volcanoes), and that limit.
bool isLimitedType(int f);
int typeLimit(const InfoPlanet& planet, int f);

// Buildings that start switched off and cannot be switched on: their effect
// does not need operation.
bool isPassive(int b);

// Buildings whose presence canBuild or canTerraform asks for elsewhere in the
// plan (a base, the workbee port, the Orbitalseil): taking one away can take
// away what other buildings and terraformings needed. Every other building
// only ever limits, through the caps and unique buildings.
bool isPrerequisite(int b);

}  // namespace dz
