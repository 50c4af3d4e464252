// What the fuzz targets feed their input to, shared with the test that
// replays the collected inputs on every build. Each function treats the
// bytes as the whole content of one file, reads it as the program does and,
// where the file is accepted, uses the result the way the program would.
// A file the reader rejects is fine; anything else that goes wrong (another
// exception, a broken promise of the reader, a sanitizer report) is a fault.
// A broken promise ends the process, or throws Fault after throwOnFault(),
// so that a test can name the input.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

namespace dz::fuzz {

// The folder with our data files; the plan reader checks against them and
// the data readers start from them.
void setDataDir(const std::filesystem::path& dir);

struct Fault : std::logic_error {
    using std::logic_error::logic_error;
};
void throwOnFault();

void planFile(std::string_view bytes);
// A plan code ("DZ1:…"), read as "Plan aus Code einfügen" reads it.
void planCode(std::string_view bytes);
void buildingFile(std::string_view bytes);
void resourceFile(std::string_view bytes);
void planetFile(std::string_view bytes);
void settingsFile(std::string_view bytes);

// The function for a target name ("plan_file", "building_file", ...), or
// nullptr for an unknown name.
using Entry = void (*)(std::string_view);
Entry entryFor(std::string_view target);

}  // namespace dz::fuzz
