// Timing the player's actions: time in play from the game's start and from each circle's
// placement, holds left out.
#include "game/Actions.h"

#include <algorithm>
#include <limits>

#include "game/GameView.h"

namespace {
// A length of time as the record holds it: never below 0 (a clock set back), at most 2^31 - 1.
std::int32_t Span(std::int64_t ms)
{
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(ms, 0, std::numeric_limits<std::int32_t>::max()));
}

KeptAction::Button ButtonOf(BOOL left)
{
    return left ? KeptAction::Button::Left : KeptAction::Button::Right;
}

unsigned char LabelCode(const std::string& label)
{
    return label.empty() ? 0 : static_cast<unsigned char>(label[0]);
}
}  // namespace

CActions::CActions()
{
    // Reserved once, so that a long game never grows the heap.
    m_list.reserve(Limit);
}

void CActions::Start(std::int64_t nowMs, bool held)
{
    m_list.clear();
    m_placed.clear();
    m_startMs = nowMs;
    m_heldMs = 0;
    m_keyPlayMs = -1;
    m_held = held;
    m_holdStartMs = nowMs;
}

void CActions::HoldBegins(std::int64_t nowMs)
{
    if (m_held)
        return;
    m_held = true;
    m_holdStartMs = nowMs;
}

void CActions::HoldEnds(std::int64_t nowMs)
{
    if (!m_held)
        return;
    m_held = false;
    m_heldMs += std::max<std::int64_t>(nowMs - m_holdStartMs, 0);
}

void CActions::Frozen(std::int64_t ms)
{
    m_heldMs += ms;
}

std::int64_t CActions::PlayMs(std::int64_t nowMs) const
{
    // During a hold the time in play stands where the hold began.
    const std::int64_t now = m_held ? m_holdStartMs : nowMs;
    return std::max<std::int64_t>(now - m_startMs - m_heldMs, 0);
}

void CActions::Placed(const CCircle& circle, std::int64_t nowMs)
{
    m_placed.emplace_back(&circle, PlayMs(nowMs));
}

std::int64_t CActions::TakePlacement(const CCircle& circle)
{
    const auto found =
        std::find_if(m_placed.begin(), m_placed.end(), [&](const auto& placed) { return placed.first == &circle; });
    if (found == m_placed.end())
        return -1;
    const std::int64_t placedMs = found->second;
    m_placed.erase(found);
    return placedMs;
}

void CActions::Hit(const CCircle& circle, CPoint point, std::int64_t nowMs)
{
    const std::int64_t playMs = PlayMs(nowMs);
    const std::int64_t placedMs = TakePlacement(circle);
    KeptAction action{
        KeptAction::Kind::Hit, ButtonOf(circle.m_bLeftButton), LabelCode(circle.m_strLabel), point.x, point.y, playMs};
    if (placedMs >= 0) {
        action.reactionMs = Span(playMs - placedMs);
        // A key pressed before its circle appeared was as quick as can be.
        if (action.key != 0 && m_keyPlayMs >= 0)
            action.keyMs = Span(m_keyPlayMs - placedMs);
    }
    Add(action);
}

void CActions::Escaped(const CCircle& circle, std::int64_t nowMs)
{
    const std::int64_t playMs = PlayMs(nowMs);
    const std::int64_t placedMs = TakePlacement(circle);
    KeptAction action{KeptAction::Kind::Escape,
                      ButtonOf(circle.m_bLeftButton),
                      LabelCode(circle.m_strLabel),
                      circle.m_nX,
                      circle.m_nY,
                      playMs};
    if (placedMs >= 0)
        action.reactionMs = Span(playMs - placedMs);
    Add(action);
}

void CActions::Miss(CPoint point, bool left, const std::string& armed, std::int64_t nowMs)
{
    Add(KeptAction{KeptAction::Kind::Miss, ButtonOf(left), LabelCode(armed), point.x, point.y, PlayMs(nowMs)});
}

void CActions::KeyArmed(unsigned char code, std::int64_t nowMs)
{
    m_keyPlayMs = PlayMs(nowMs);
    Add(KeptAction{KeptAction::Kind::Key, KeptAction::Button::None, code, 0, 0, m_keyPlayMs});
}

void CActions::Add(const KeptAction& action)
{
    if (m_list.size() == Limit)
        m_list.erase(m_list.begin(), m_list.begin() + Limit / 2);
    m_list.push_back(action);
}
