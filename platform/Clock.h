// Wall clock and blocking wait, as the game needs them: whole seconds like _time64 and Sleep,
// and a millisecond count for timing the player's actions.
#pragma once

#include <cstdint>

#include "platform/Win.h"

class IClock {
public:
    virtual ~IClock() = default;
    // Seconds since 1970 (64-bit), as _time64 gives them.
    virtual time64 Now() const = 0;
    // Milliseconds on a count that only moves forward with the time (its start is arbitrary):
    // for lengths of time, never for dates.
    virtual std::int64_t SteadyMs() const = 0;
    // Blocks the calling (user-interface) thread.
    virtual void Sleep(unsigned int ms) = 0;

    // The 32-bit seconds of time(), used to seed the random generator.
    unsigned int Time32() const { return static_cast<unsigned int>(Now()); }
};
