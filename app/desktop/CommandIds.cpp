// Command identifier mapping.
#include "app/desktop/CommandIds.h"

#include <wx/defs.h>

#include "res/Resource.h"

namespace {
constexpr UINT FirstGameCommand = ID_OPTIONS_SOUNDS;  // 32776
// 32795: the History window and Practise Slow Keys after the game's own
constexpr UINT LastGameCommand = ID_OPTIONS_PRACTISESLOWKEYS;
// Exit is no stock item: the toolkit would show an accelerator for it that the menu, having
// none, does not honour.
constexpr int ExitMenuId = wxID_HIGHEST + 1;
constexpr int FirstGameMenuId = wxID_HIGHEST + 2;
}  // namespace

int MenuIdFromCommand(UINT nID)
{
    if (nID == ID_APP_ABOUT)
        return wxID_ABOUT;
    if (nID == ID_APP_EXIT)
        return ExitMenuId;
    if (nID >= FirstGameCommand && nID <= LastGameCommand)
        return FirstGameMenuId + static_cast<int>(nID - FirstGameCommand);
    return 0;
}

UINT CommandFromMenuId(int menuId)
{
    if (menuId == wxID_ABOUT)
        return ID_APP_ABOUT;
    if (menuId == ExitMenuId)
        return ID_APP_EXIT;
    const int last = FirstGameMenuId + static_cast<int>(LastGameCommand - FirstGameCommand);
    if (menuId >= FirstGameMenuId && menuId <= last)
        return FirstGameCommand + static_cast<UINT>(menuId - FirstGameMenuId);
    return 0;
}
