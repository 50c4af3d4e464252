// The personnel the player hires and the places that buildings provide for it.
#pragma once

#include <cstdint>

#include "core/catalog/info.h"
#include "core/plan/act_plan.h"

namespace dz {

enum class Personnel { Eco, Holodeck, Scientist, Soldier };

// The places a building provides for one kind of personnel. The labs and the
// holodecks provide theirs while they are in operation; the eco building,
// which is never in operation, while it stands. Soldiers need no place.
struct PersonnelPlaces {
    int building;
    Personnel kind;
    std::int32_t places;
    bool whileStanding;  // counted while the building stands, not only in operation
};
inline constexpr PersonnelPlaces kPersonnelPlaces[] = {
    {bldLabSmall, Personnel::Scientist, 5, false},  {bldLabLarge, Personnel::Scientist, 10, false},
    {bldLabOrbit, Personnel::Scientist, 10, false}, {bldEco, Personnel::Eco, 10, true},
    {bldHolodeckA, Personnel::Holodeck, 4, false},  {bldHolodeckB, Personnel::Holodeck, 4, false},
};

// The entry of a building in kPersonnelPlaces, or nullptr for one without places.
const PersonnelPlaces* personnelPlaces(int building);

// Whether the places of the building on a field count in the capacities now.
bool placesCount(const Field& field);

// The hired persons of a kind, and the places for them that the plan keeps
// (nullptr for soldiers).
std::int32_t& hired(Ressources& r, Personnel kind);
std::int32_t* capacity(Ressources& r, Personnel kind);

}  // namespace dz
