// Dialog-unit conversion.
#include "platform/desktop/DialogUnits.h"

#include <wx/font.h>
#include <wx/settings.h>
#include <wx/window.h>

namespace {
// x * numerator / denominator, rounded half away from zero as MulDiv rounds.
int MulDiv(int x, int numerator, int denominator)
{
    const long long product = static_cast<long long>(x) * numerator;
    const long long half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator : (product - half) / denominator);
}
}  // namespace

wxRect DialogUnitsToPixels(int x, int y, int width, int height, DialogBaseUnits base)
{
    return wxRect(MulDiv(x, base.cx, 4), MulDiv(y, base.cy, 8), MulDiv(width, base.cx, 4), MulDiv(height, base.cy, 8));
}

DialogBaseUnits BaseUnitsOf(const wxWindow& window, const wxFont& font)
{
    int width = 0;
    int height = 0;
    window.GetTextExtent("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", &width, &height, nullptr, nullptr,
                         &font);
    return DialogBaseUnits{(width / 26 + 1) / 2, height};
}

wxFont DialogFont()
{
    return wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
}
