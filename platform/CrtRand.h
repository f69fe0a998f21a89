// The C runtime's 15-bit linear congruential generator, so a seeded game replays
// identically on every platform (the host's own rand has another range and sequence).
#pragma once

#include <cstdint>

class CrtRand {
public:
    static constexpr int RandMax = 32767;

    CrtRand() = default;
    CrtRand(const CrtRand&) = default;
    CrtRand& operator=(const CrtRand&) = default;
    virtual ~CrtRand() = default;

    // Virtual so that a recording can note the seed the game gives and a replay check it.
    virtual void srand(unsigned int seed) { m_state = seed; }
    int rand()
    {
        m_state = m_state * 214013u + 2531011u;
        return static_cast<int>((m_state >> 16) & 0x7FFFu);
    }
    std::uint32_t State() const { return m_state; }

private:
    std::uint32_t m_state = 1;  // the runtime's state before any srand
};
