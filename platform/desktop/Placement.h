// Keeps a stored frame position from opening the frame where no display can show it.
#pragma once

#include <span>

#include "platform/FrameHost.h"

// The frame rectangle unchanged when it overlaps at least one display; a rectangle wholly
// off every display moves, with its size, to DefaultFrameCorner (a size that would reach
// past the largest int is cut to fit). With no display known the rectangle is kept.
CRect KeepOnSomeDisplay(const CRect& frame, std::span<const CRect> displays);
