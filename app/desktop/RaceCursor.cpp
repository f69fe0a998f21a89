// Race cursors from the cursor pictures under res/cursors.
#include "app/desktop/RaceCursor.h"

#include <wx/log.h>

#include "res/Races.h"

const char* RaceCursorFile(const std::string& race)
{
    const Race* known = FindRace(race);
    return known ? known->cursorFile : nullptr;
}

wxImage RaceCursorImage(const std::string& race, const DiskFiles& files)
{
    const char* name = RaceCursorFile(race);
    const std::filesystem::path found = name ? files.Find(name) : std::filesystem::path();
    wxImage image;
    const wxLogNull quiet;  // a bad picture falls back to the arrow without a message
    if (found.empty() || !image.LoadFile(wxString(found.string()), wxBITMAP_TYPE_PNG))
        return wxImage();
    image.SetOption(wxIMAGE_OPTION_CUR_HOTSPOT_X, 0);
    image.SetOption(wxIMAGE_OPTION_CUR_HOTSPOT_Y, 0);
    return image;
}

wxCursor RaceCursor(const std::string& race, const DiskFiles& files)
{
    const wxImage image = RaceCursorImage(race, files);
    return image.IsOk() ? wxCursor(image) : wxCursor(wxCURSOR_ARROW);
}
