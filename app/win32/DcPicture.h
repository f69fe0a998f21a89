// A child window whose picture the program's device context draws at the window's size: the
// History window's chart and result graph are the drawings of render/, drawn into a back buffer
// and copied onto the window, as on every other system.
#pragma once

#include "app/win32/DcPainter.h"
#include "platform/win32/WinApi.h"

class DcPicture {
public:
    // The window class: a dialog template names it for a control.
    static constexpr const wchar_t* ClassName = L"OrbicleDcPicture";

    // Registers the window class once; true when it is there.
    static bool Register(HINSTANCE instance);

    // Draws the window (of the class above) with the painter from now on.
    DcPicture(HWND window, DcPainter painter);
    ~DcPicture();
    DcPicture(const DcPicture&) = delete;
    DcPicture& operator=(const DcPicture&) = delete;

    HWND Handle() const { return m_hwnd; }
    // Paints the picture anew soon.
    void Redraw() const;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // The picture at the window's size onto the context.
    void PaintOn(HDC hdc);

    HWND m_hwnd;
    DcPainter m_painter;
};
