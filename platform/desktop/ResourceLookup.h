// Where the run-time files under res/ (hotkey sets, sounds, cursors, icons) are looked up.
#pragma once

#include <filesystem>
#include <vector>

// The base folders for res/..., in the order they are tried: the current folder first (the
// game names its files relative to it); then the program's own folder; then the data folder of an
// installation, both relative to the program (a moved installation) and as configured at
// build time. A program started from a desktop menu, whose current folder is the home,
// finds its files this way. Folders that repeat an earlier one are left out.
std::vector<std::filesystem::path> ResourceBases(const std::filesystem::path& executable,
                                                 const std::filesystem::path& relativeDataDir,
                                                 const std::filesystem::path& installedDataDir);

// ResourceBases for this program, with the data folders of the build configuration.
std::vector<std::filesystem::path> ProgramResourceBases(const std::filesystem::path& executable);
