// The judged actions of the running (or last) game, each timed in milliseconds of play: the
// game's clock less its holds. Kept beside the game's own state, which it never changes.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "platform/History.h"
#include "platform/Win.h"

struct CCircle;

class CActions {
public:
    // A game with more actions keeps its latest: when the list is full its older half goes.
    static constexpr std::size_t Limit = 16'384;

    CActions();

    // A new game at nowMs; held from its start if the game is.
    void Start(std::int64_t nowMs, bool held);
    // Holds, as the game window's time accounting sees them begin and end.
    void HoldBegins(std::int64_t nowMs);
    void HoldEnds(std::int64_t nowMs);
    // The window stood still for ms without a hold (the first tick after one waits).
    void Frozen(std::int64_t ms);

    // A circle placed by the tick at nowMs. It stays known until it is hit, escapes or the
    // game ends; a circle not placed here (a test's own) is judged with no reaction time.
    void Placed(const CCircle& circle, std::int64_t nowMs);
    void Hit(const CCircle& circle, CPoint point, std::int64_t nowMs);
    void Escaped(const CCircle& circle, std::int64_t nowMs);
    // A wrong or empty click, with the key that was armed at the press.
    void Miss(CPoint point, bool left, const std::string& armed, std::int64_t nowMs);
    // A key that armed (Escape disarms and is none).
    void KeyArmed(unsigned char code, std::int64_t nowMs);
    // Every circle left the field with the game's end.
    void CirclesGone() { m_placed.clear(); }

    const std::vector<KeptAction>& List() const { return m_list; }

private:
    std::int64_t PlayMs(std::int64_t nowMs) const;
    // The placement's time in play of a known circle, which is forgotten; -1 for another.
    std::int64_t TakePlacement(const CCircle& circle);
    void Add(const KeptAction& action);

    std::int64_t m_startMs = 0;
    std::int64_t m_heldMs = 0;  // holds that ended, and waits
    std::int64_t m_holdStartMs = 0;
    bool m_held = false;
    std::int64_t m_keyPlayMs = -1;                                  // when the armed key was pressed
    std::vector<std::pair<const CCircle*, std::int64_t>> m_placed;  // live circles, placed at
    std::vector<KeptAction> m_list;
};
