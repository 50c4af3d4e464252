// Batch mode: a plan file becomes a JPEG picture of the window beside it,
// without any window interaction.
#pragma once

#include <filesystem>

namespace dz {

class MainWindow;

// Loads `planFile` into the window, writes the window's picture to
// "<planFile>.jpeg", closes the window and ends the event loop with 0.
// Any failure goes to stderr and ends the event loop with kExitFailure. The
// name is taken byte for byte as the command line gave it.
void runBatch(MainWindow& window, const std::filesystem::path& planFile);

}  // namespace dz
