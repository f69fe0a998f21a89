// The picture window's paint: the painter into a bitmap of the window's size, then one copy.
#include "app/win32/DcPicture.h"

#include "platform/dc/gdi/NativeDc.h"

bool DcPicture::Register(HINSTANCE instance)
{
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.lpszClassName = ClassName;
    return RegisterClassW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

DcPicture::DcPicture(HWND window, DcPainter painter) : m_hwnd(window), m_painter(std::move(painter))
{
    SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    Redraw();
}

DcPicture::~DcPicture()
{
    if (IsWindow(m_hwnd))
        SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, 0);
}

void DcPicture::Redraw() const
{
    InvalidateRect(m_hwnd, nullptr, FALSE);
}

LRESULT CALLBACK DcPicture::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<DcPicture*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
    case WM_ERASEBKGND: return 1;  // the picture covers the whole window
    case WM_SIZE: InvalidateRect(window, nullptr, FALSE); return 0;
    case WM_PAINT:
        if (self) {
            PAINTSTRUCT paint;
            self->PaintOn(BeginPaint(window, &paint));
            EndPaint(window, &paint);
            return 0;
        }
        break;
    case WM_PRINTCLIENT:  // the picture onto a context of the asker's (PrintWindow, the tests)
        if (self) {
            self->PaintOn(reinterpret_cast<HDC>(wParam));
            return 0;
        }
        break;
    default: break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void DcPicture::PaintOn(HDC hdc)
{
    RECT client;
    GetClientRect(m_hwnd, &client);
    const CSize size{client.right, client.bottom};
    if (hdc && size.cx > 0 && size.cy > 0) {
        CNativeDC screen;
        if (CDC* target = screen.Attach(hdc))
            PaintBuffered(*target, size, m_painter);
        screen.Detach();
    }
}
