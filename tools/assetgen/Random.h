// Seeded integer randomness and value noise, identical on every machine and compiler.
#pragma once

#include <cstdint>

namespace assetgen {

// Mixes the bits of a 64-bit value (the SplitMix64 finaliser).
constexpr std::uint64_t Mix64(std::uint64_t z)
{
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

// A hash of a lattice point, 0..255.
constexpr int Hash2(int x, int y, std::uint32_t seed)
{
    const std::uint64_t k = (static_cast<std::uint64_t>(static_cast<std::uint32_t>(x)) << 32) ^
                            static_cast<std::uint32_t>(y) ^ (static_cast<std::uint64_t>(seed) << 17);
    return static_cast<int>(Mix64(k + 0x9E3779B97F4A7C15ULL) & 0xFF);
}

// A small sequential generator (SplitMix64) for placing things and for noise in sounds.
class Rng {
public:
    explicit Rng(std::uint64_t seed) : m_state(seed) {}
    std::uint64_t Next()
    {
        m_state += 0x9E3779B97F4A7C15ULL;
        return Mix64(m_state);
    }
    // Uniform integer in [lo, hi].
    int Range(int lo, int hi)
    {
        const auto span = static_cast<std::uint64_t>(hi - lo + 1);
        return lo + static_cast<int>(Next() % span);
    }
    // Uniform 16-bit signed sample value.
    int Sample16() { return static_cast<int>(Next() >> 48) - 32768; }

private:
    std::uint64_t m_state;
};

// Value noise: smoothly interpolated lattice hashes with the given cell size, 0..255.
int ValueNoise(int x, int y, int cell, std::uint32_t seed);
// Several octaves of value noise, from cell down to cell/2^(octaves-1), 0..255.
int FractalNoise(int x, int y, int cell, int octaves, std::uint32_t seed);

}  // namespace assetgen
