// The game window's view of its native window: timers and repaint requests,
// and a small CWnd base that forwards to it once the window exists.
#pragma once

#include "platform/Win.h"

class CDC;

class IWindowHost {
public:
    virtual ~IWindowHost() = default;
    // Window timer; each expiry arrives as a call of the window's OnTimer. Returns the
    // timer's identifier, or 0 when it could not be set.
    virtual UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapseMs) = 0;
    // Fails without effect for a timer that is not set.
    virtual BOOL KillTimer(UINT_PTR nIDEvent) = 0;
    // Asks for a paint of the rectangle; bErase asks for the class background first.
    virtual void InvalidateRect(const CRect& rect, BOOL bErase) = 0;

    // Painting: the device context of the window's client area, clipped to the area to
    // repaint, whose bounding box goes to rcPaint; null if the window cannot be painted.
    // EndPaint shows what was drawn and makes the area valid again.
    virtual CDC* BeginPaint(CRect& rcPaint) = 0;
    virtual void EndPaint() = 0;
};

class CWnd {
public:
    virtual ~CWnd() = default;

    // Binds the object to its native window (the end of Create).
    void AttachHost(IWindowHost* pHost) { m_pHost = pHost; }
    IWindowHost* GetHost() const { return m_pHost; }

    // Without a native window these fail quietly, as calls on a null window handle do.
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapseMs)
    {
        return m_pHost ? m_pHost->SetTimer(nIDEvent, nElapseMs) : 0;
    }
    BOOL KillTimer(UINT_PTR nIDEvent) { return m_pHost ? m_pHost->KillTimer(nIDEvent) : 0; }
    void InvalidateRect(const CRect& rect, BOOL bErase)
    {
        if (m_pHost)
            m_pHost->InvalidateRect(rect, bErase);
    }

private:
    IWindowHost* m_pHost = nullptr;
};
