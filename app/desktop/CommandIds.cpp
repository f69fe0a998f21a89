// Command identifier mapping.
#include "app/desktop/CommandIds.h"

#include <wx/defs.h>

#include "res/Resource.h"

namespace {
constexpr UINT FirstGameCommand = ID_OPTIONS_SOUNDS;    // 32776
constexpr UINT LastGameCommand = ID_OPTIONS_DARKENING;  // 32793
constexpr int FirstGameMenuId = wxID_HIGHEST + 1;
}  // namespace

int MenuIdFromCommand(UINT nID)
{
    if (nID == ID_APP_ABOUT)
        return wxID_ABOUT;
    if (nID == ID_APP_EXIT)
        return wxID_EXIT;
    if (nID >= FirstGameCommand && nID <= LastGameCommand)
        return FirstGameMenuId + static_cast<int>(nID - FirstGameCommand);
    return 0;
}

UINT CommandFromMenuId(int menuId)
{
    if (menuId == wxID_ABOUT)
        return ID_APP_ABOUT;
    if (menuId == wxID_EXIT)
        return ID_APP_EXIT;
    const int last = FirstGameMenuId + static_cast<int>(LastGameCommand - FirstGameCommand);
    if (menuId >= FirstGameMenuId && menuId <= last)
        return FirstGameCommand + static_cast<UINT>(menuId - FirstGameMenuId);
    return 0;
}
