// The real clock: whole seconds since 1970, a steady millisecond count and a blocking sleep of
// the calling thread.
#pragma once

#include "platform/Clock.h"

class WallClock : public IClock {
public:
    time64 Now() const override;
    std::int64_t SteadyMs() const override;
    void Sleep(unsigned int ms) override;
};
