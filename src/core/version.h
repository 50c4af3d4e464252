// The program's version numbers, in one place. CMake reads kProgramVersion
// from this file for project(VERSION).
#pragma once

namespace dz {

// The release, as the about box shows it.
inline constexpr const char* kProgramVersion = "0.6.5";

// The first line of every plan file we write and the value the update check
// compares with the version the web server publishes.
inline constexpr const char* kPlanFileVersion = "064";

}  // namespace dz
