// Painting a window between BeginPaint and EndPaint, as a scoped object.
#pragma once

#include "platform/Window.h"

class CPaintDC {
public:
    explicit CPaintDC(CWnd& wnd) : m_pHost(wnd.GetHost())
    {
        CRect rcPaint;  // the context comes clipped to it already
        m_pDC = m_pHost ? m_pHost->BeginPaint(rcPaint) : nullptr;
    }
    ~CPaintDC()
    {
        if (m_pHost)
            m_pHost->EndPaint();
    }
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;

    // The window's context, or null when there is nothing to paint on.
    CDC* Get() const { return m_pDC; }

private:
    IWindowHost* m_pHost;
    CDC* m_pDC = nullptr;
};
