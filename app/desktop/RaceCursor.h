// The game window's cursor by race: the race's picture with its hot spot at the top-left,
// the standard arrow for no race, an unknown code, or a picture that cannot be read.
#pragma once

#include <string>

#include <wx/cursor.h>
#include <wx/image.h>

#include "platform/DiskFiles.h"

// The relative name of the race's cursor picture; null for no race and an unknown code.
const char* RaceCursorFile(const std::string& race);

// The race's cursor picture with its hot spot set; not Ok where the arrow is to be used.
wxImage RaceCursorImage(const std::string& race, const DiskFiles& files);

wxCursor RaceCursor(const std::string& race, const DiskFiles& files);
