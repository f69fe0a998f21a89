// Key codes of the toolkit turned into the Windows virtual-key codes the game works with.
#pragma once

#include "platform/Win.h"

// The virtual-key code of a wxWidgets key code, or 0 for a key the table lacks, which the
// game window ignores. Punctuation follows the US layout, as the virtual-key codes do.
UINT VirtualKeyFromWx(int wxKeyCode);

// Keys that Windows sends as system keys: Alt itself, F10, and any key pressed while Alt is
// held. They never reach the game; the menu bar takes them (mnemonics, F10).
bool IsSystemKey(int wxKeyCode, bool altDown);
