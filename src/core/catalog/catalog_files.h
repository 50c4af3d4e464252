// Readers of the three game data files and the loading of the whole catalog.
// Every reader validates its whole file before it changes the catalog; on a
// problem it throws DataFileError naming the file and the line. A file that
// is no Windows-1252 text (UTF-16, NUL bytes) is refused at its first such line.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "core/catalog/info.h"

namespace dz {

inline constexpr int kBuildingRecordLines = 39;
inline constexpr int kResourceRecordLines = 2;
inline constexpr int kPlanetHeaderLines = 15;
inline constexpr int kMaxPlanetWidth = 25;
inline constexpr int kMaxPlanetHeight = 20;

inline constexpr const char* kBuildingFileName = "buildings.kpl";
inline constexpr const char* kResourceFileName = "ressources.kpl";
inline constexpr const char* kPlanetFileName = "planets.kpl";

// 55 records of 39 lines; lines after the last record are ignored. Then sets
// the fixed BSP values (see applyBspTable).
void readBuildingLines(Info& info, const std::vector<std::string>& lines, const std::string& fileName);
// 16 records of 2 lines; lines after the last record are ignored.
void readResourceLines(Info& info, const std::vector<std::string>& lines, const std::string& fileName);
// Planet blocks up to the line "!". Rejects more than ten blocks, negative
// sizes, a width above 25, heights above 20 and field types outside 0..14.
void readPlanetLines(Info& info, const std::vector<std::string>& lines, const std::string& fileName);

// BSP has no line in the building file: the buildings of kBspTable get their
// value from there, every other building 0.
void applyBspTable(Info& info);

void readBuildingFile(Info& info, const std::filesystem::path& file);
void readResourceFile(Info& info, const std::filesystem::path& file);
void readPlanetFile(Info& info, const std::filesystem::path& file);

// Fills the whole catalog from the data files in `dataDir`, in the fixed order
// field types, planets, buildings, terraformings, resources. On failure `info`
// is left as it was.
void loadCatalog(Info& info, const std::filesystem::path& dataDir);

}  // namespace dz
