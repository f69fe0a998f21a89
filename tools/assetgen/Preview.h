// Pictures for checking the art as a player sees it: the background enlarged with the
// darkening grid and targets over it, the cursors enlarged on light and dark, the icon sizes.
#pragma once

#include <filesystem>

namespace assetgen {

// Writes the preview PNG files into dir (which must exist).
void WritePreviews(const std::filesystem::path& dir);

}  // namespace assetgen
