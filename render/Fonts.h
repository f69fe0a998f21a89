// The game's one font family at a given cell height: "Corrida", or the sans-serif face the
// font mapper offers in its place.
#pragma once

#include "platform/dc/Dc.h"

inline void CreateGameFont(CFont& font, int height)
{
    font.CreateFontA(height, 0, 0, 0, FW_DONTCARE, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                     DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "Corrida");
}
