// Everything the generator makes, as relative paths with their bytes.
#pragma once

#include <string>
#include <vector>

#include "tools/assetgen/Bytes.h"

namespace assetgen {

struct GeneratedFile {
    std::string path;  // relative to the output directory, with forward slashes
    Bytes bytes;
};

// The background, cursors, icon, sounds and hotkey sets, in a fixed order.
std::vector<GeneratedFile> GenerateAll();

}  // namespace assetgen
