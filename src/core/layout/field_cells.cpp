#include "core/layout/field_cells.h"

namespace dz {

namespace {
constexpr int kSurfaceKeyBase = 10000;
constexpr int kCellPitch = 35;
}  // namespace

int fieldKey(int x, int y, bool onSurface) { return (onSurface ? kSurfaceKeyBase : 0) + 100 * x + y; }

FieldSelection decodeFieldKey(int key) {
    FieldSelection s;
    s.onSurface = key >= kSurfaceKeyBase;
    const int rest = key - (s.onSurface ? kSurfaceKeyBase : 0);
    s.y = rest % 100;
    s.x = (rest - s.y) / 100;
    return s;
}

Rect frameRect(int x, int y) { return {kCellPitch * x + 14, kCellPitch * y + 19, 34, 34}; }

Rect pictureRect(int x, int y) { return {kCellPitch * x + 15, kCellPitch * y + 20, 32, 32}; }

int frameIndex(const Field& field, bool showsBuilding) {
    int index = 4;
    if (field.coverNear > 0 && field.coverWide > 0)
        index = 7;
    else if (field.coverNear > 0)
        index = 6;
    else if (field.coverWide > 0)
        index = 5;
    if (showsBuilding && field.inOperation) index -= 4;
    return index;
}

std::string cellName(const Info& info, int fieldType, int building, bool inOperation) {
    const bool knownType = fieldType >= 0 && std::size_t(fieldType) < info.fields.size();
    std::string name = knownType ? info.fields[std::size_t(fieldType)].name : std::string("?");
    if (building < 0) return name;
    const bool knownBuilding = std::size_t(building) < info.buildings.size();
    name += ", ";
    name += knownBuilding ? info.buildings[std::size_t(building)].name : std::string("?");
    name += inOperation ? " (in Betrieb)" : " (au\xDF" "er Betrieb)";
    return name;
}

}  // namespace dz
