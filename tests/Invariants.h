// The rules the game window keeps after every step of play, for the soak and the fuzz targets.
#pragma once

#include <string>
#include <utility>

#include "game/GameView.h"

namespace invariants {
// What holds whatever happened: indices, counts and the game's life cycle. timerSet: whether
// the game timer is set. Empty when all holds, else the first rule broken.
inline std::string Broken(const CGameView& v, bool timerSet)
{
    int closed = 0;
    for (int i = 0; i < CGameView::SlotCount; ++i)
        closed += i != v.m_nSlot ? v.m_aSlots[i].nUseful : 0;
    bool labels = true;
    for (const CCircle& c : v.m_listCircles)
        labels = labels && c.m_strLabel.size() <= 1 && (c.m_bLeftButton || c.m_strLabel.empty());
    const std::pair<bool, const char*> rules[] = {
        {v.m_nKeys >= 0 && v.m_nKeys <= CGameView::MaxKeys, "0 <= m_nKeys <= 1024"},
        {v.m_nSlot >= 0 && v.m_nSlot < CGameView::SlotCount, "0 <= m_nSlot < 128"},
        {v.m_nApmSamples >= 0 && v.m_nApmSamples < CGameView::HistorySize, "0 <= m_nApmSamples < 1024"},
        {v.m_nAccuracy >= 0 && v.m_nAccuracy <= 100, "0 <= m_nAccuracy <= 100"},
        {v.m_nApm >= 0 && v.m_nApm <= v.m_nApmMax, "0 <= m_nApm <= m_nApmMax"},
        {v.m_nScore >= 0, "m_nScore >= 0"},
        {(v.m_bRunning != 0) == timerSet, "the timer is set exactly while a game runs"},
        {!(v.m_bRunning && v.m_bShowResult), "no result while a game runs"},
        {v.m_bRunning || v.m_listCircles.empty(), "no circles without a game"},
        {v.m_strLastKey.size() <= 1, "the armed key is one character"},
        {v.m_nUsefulWindow == closed, "m_nUsefulWindow is the sum of the closed slots"},
        {v.m_nUsefulWindow <= v.m_nUsefulTotal, "m_nUsefulWindow <= m_nUsefulTotal"},
        {labels, "a label is one character, on a left-button circle"},
    };
    for (const auto& [holds, rule] : rules) {
        if (!holds)
            return rule;
    }
    return {};
}

// On a field of a real screen's size, besides: every circle lies inside the field, at least
// about a unit from its edges, and never grows past its full size.
inline std::string BrokenOnField(const CGameView& v, bool timerSet)
{
    const double unit = v.m_dUnit;
    for (const CCircle& c : v.m_listCircles) {
        const bool inside = c.m_dRadius > 0 && c.m_dRadius <= unit + 2 * unit / 36.0 && c.m_nX >= unit - 1.0 &&
                            c.m_nX <= v.m_nWidth - unit + 1.0 && c.m_nY >= unit - 1.0 &&
                            c.m_nY <= v.m_nHeight - unit + 1.0;
        if (!inside)
            return "every circle lies inside the field and within its size";
    }
    return Broken(v, timerSet);
}
}  // namespace invariants
