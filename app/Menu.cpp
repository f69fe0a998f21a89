// The main menu's items and its update pass.
#include "app/Menu.h"

#include <array>

#include "res/Resource.h"

namespace {
constexpr std::array<MenuItem, 15> Items = {{
    {"&File", ID_FILE_NEWSTOPGAME, "//Dynamic text", false, true},
    {"&File", ID_FILE_PAUSEGAME, "//Dynamic text", false, true},
    {"&File", 0, "", false, true},
    {"&File", ID_FILE_SELECTRACE, "Select &Race", false, true},
    {"&File", ID_FILE_HISTORY, "&History...", false, true},
    {"&File", 0, "", false, true},
    {"&File", ID_APP_EXIT, "E&xit", false, true},
    {"&Options", ID_OPTIONS_SHOWSTATISTICS, "Show S&tatistics", true, true},
    {"&Options", ID_OPTIONS_NOINTERSECT, "No&intersecting Circles", true, true},
    {"&Options", ID_OPTIONS_CUSTOMKEYS, "Custom &Keys", true, true},
    {"&Options", ID_OPTIONS_PRACTISESLOWKEYS, "&Practise Slow Keys", false, true},
    {"&Options", 0, "", false, true},
    {"&Options", ID_OPTIONS_DARKENING, "Da&rkening", true, true},
    {"&Options", ID_OPTIONS_SOUNDS, "&Sounds", true, true},
    {"&Help", ID_APP_ABOUT, "&About Orbicle...", false, false},
}};
}  // namespace

std::span<const MenuItem> MainMenu()
{
    return Items;
}

MenuItemState InitialState(const MenuItem& item)
{
    return MenuItemState{item.text, item.enabled, item.checked};
}

void UpdateMenuItem(ICmdTarget& target, UINT nID, MenuItemState& state)
{
    CCmdUI ui(nID);
    const bool handled = target.OnCmdMsg(nID, &ui) != 0;
    state.enabled = ui.m_enabled.value_or(handled);
    if (ui.m_checked)
        state.checked = *ui.m_checked;
    if (ui.m_text)
        state.text = *ui.m_text;
}
