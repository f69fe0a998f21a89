// Press filtering and the frame's activation state.
#include "platform/desktop/InputRules.h"

bool PressFilter::Down(Button button, long timeMs)
{
    m_bHaveDown = true;
    m_downButton = button;
    m_downTime = timeMs;
    return true;
}

bool PressFilter::DoubleClick(Button button, long timeMs)
{
    const bool repeat = m_bHaveDown && button == m_downButton && timeMs == m_downTime;
    m_bHaveDown = false;
    return !repeat;
}

void FrameActivation::DialogOpens()
{
    if (m_nDialogs++ == 0)
        m_bActiveBeforeDialog = m_bActiveWindow && !m_bMinimized;
}

void FrameActivation::DialogCloses()
{
    if (m_nDialogs > 0 && --m_nDialogs == 0 && m_bActiveBeforeDialog)
        m_bActiveWindow = true;
}
