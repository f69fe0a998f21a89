// Seeded integer randomness and value noise, identical on every machine and compiler.
#pragma once

#include <cstdint>

namespace assetgen {

// Mixes the bits of a 64-bit value (the SplitMix64 finaliser).
constexpr std::uint64_t mix64(std::uint64_t z)
{
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

// A hash of a lattice point, 0..255.
constexpr int hash2(int x, int y, std::uint32_t seed)
{
    const std::uint64_t k = (static_cast<std::uint64_t>(static_cast<std::uint32_t>(x)) << 32) ^
                            static_cast<std::uint32_t>(y) ^ (static_cast<std::uint64_t>(seed) << 17);
    return static_cast<int>(mix64(k + 0x9E3779B97F4A7C15ULL) & 0xFF);
}

// A small sequential generator (SplitMix64) for placing things and for noise in sounds.
class Rng {
public:
    explicit Rng(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next()
    {
        state_ += 0x9E3779B97F4A7C15ULL;
        return mix64(state_);
    }
    // Uniform integer in [lo, hi].
    int range(int lo, int hi)
    {
        const auto span = static_cast<std::uint64_t>(hi - lo + 1);
        return lo + static_cast<int>(next() % span);
    }
    // Uniform 16-bit signed sample value.
    int sample16() { return static_cast<int>(next() >> 48) - 32768; }

private:
    std::uint64_t state_;
};

// Value noise: smoothly interpolated lattice hashes with the given cell size, 0..255.
int valueNoise(int x, int y, int cell, std::uint32_t seed);
// Several octaves of value noise, from cell down to cell/2^(octaves-1), 0..255.
int fractalNoise(int x, int y, int cell, int octaves, std::uint32_t seed);

}  // namespace assetgen
