// The field types and terraformings are tables of the program, not data files.
#pragma once

#include "core/catalog/info.h"

namespace dz {

void buildFieldTypes(Info& info);
void buildTerraformings(Info& info);

}  // namespace dz
