// Dialog units, the font-relative measure of dialog templates, turned into pixels.
#pragma once

#include <wx/gdicmn.h>

class wxFont;
class wxWindow;

// Average character width and the character height of a dialog's font, in pixels.
struct DialogBaseUnits {
    int cx = 0;
    int cy = 0;
};

// A box of a dialog template, x, y, width, height in dialog units, in pixels: a horizontal
// unit is a quarter of cx and a vertical unit an eighth of cy, rounded to the nearest pixel.
wxRect DialogUnitsToPixels(int x, int y, int width, int height, DialogBaseUnits base);

// The base units of a font as Windows measures them: the rounded average
// width of the 52 letters, and the font's height.
DialogBaseUnits BaseUnitsOf(const wxWindow& window, const wxFont& font);

// The system's default GUI font, this platform's stand-in for "MS Shell Dlg" at 8 points.
wxFont DialogFont();
