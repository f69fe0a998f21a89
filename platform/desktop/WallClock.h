// The real clock: whole seconds since 1970 and a blocking sleep of the calling thread.
#pragma once

#include "platform/Clock.h"

class WallClock : public IClock {
public:
    time64 Now() const override;
    void Sleep(unsigned int ms) override;
};
