// Sound playback by file name: synchronous (returns when finished) or asynchronous.
#pragma once

#include <string>

enum class SoundMode { Sync, Async };

class ISound {
public:
    virtual ~ISound() = default;
    // An asynchronous sound cuts off the one still playing. A missing or unreadable
    // file plays a short default sound instead; failures are never reported.
    virtual void Play(const std::string& file, SoundMode mode) = 0;
};
