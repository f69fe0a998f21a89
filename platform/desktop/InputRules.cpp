// Double-click classification.
#include "platform/desktop/InputRules.h"

#include <cstdlib>

bool ClickClassifier::Press(Button button, long timeMs, CPoint point)
{
    const bool isDouble = m_bHavePrevious && button == m_previousButton &&
                          timeMs - m_previousTime >= 0 && timeMs - m_previousTime <= m_timeMs &&
                          2 * std::abs(point.x - m_previousPoint.x) <= m_cx &&
                          2 * std::abs(point.y - m_previousPoint.y) <= m_cy;
    // A press that completes a double click starts no new one: a third press is ordinary.
    m_bHavePrevious = !isDouble;
    m_previousButton = button;
    m_previousTime = timeMs;
    m_previousPoint = point;
    return isDouble;
}
