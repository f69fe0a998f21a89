// The one place where the program's command identifiers meet the toolkit's menu ids.
#pragma once

#include "platform/Win.h"

// The menu commands keep their own numbers (32776-32795, 57664 and 57665), but some
// toolkits keep menu ids in 16 signed bits, and wxWidgets reserves its own range for stock
// items. So About becomes the stock About item (which each platform places its usual way);
// Exit, the game's commands, History and Practise Slow Keys follow the reserved range. Both directions give 0 for a
// number that is no menu command.
int MenuIdFromCommand(UINT nID);
UINT CommandFromMenuId(int menuId);
