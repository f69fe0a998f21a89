// Little-endian numbers, LEB128 varints and length-prefixed strings, written to a byte string
// and read back from one without trusting it: a read past the end or a number out of range
// marks the reader failed, and every later read gives zero.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace replay_bytes {

// Signed numbers as unsigned ones, small magnitudes small: 0, -1, 1, -2 ... become 0, 1, 2, 3 ...
inline std::uint64_t ZigZag(std::int64_t v)
{
    return (static_cast<std::uint64_t>(v) << 1) ^ (v < 0 ? ~std::uint64_t{0} : 0);
}
inline std::int64_t UnZigZag(std::uint64_t u)
{
    return static_cast<std::int64_t>((u >> 1) ^ (~(u & 1) + 1));
}

class Writer {
public:
    void Byte(std::uint8_t b) { m_bytes.push_back(static_cast<char>(b)); }
    void Fixed(std::uint64_t v, int bytes)
    {
        for (int i = 0; i < bytes; ++i)
            Byte(static_cast<std::uint8_t>(v >> (8 * i)));
    }
    void Unsigned(std::uint64_t v)
    {
        while (v >= 0x80) {
            Byte(static_cast<std::uint8_t>(v | 0x80));
            v >>= 7;
        }
        Byte(static_cast<std::uint8_t>(v));
    }
    void Signed(std::int64_t v) { Unsigned(ZigZag(v)); }
    void Text(std::string_view s)
    {
        Unsigned(s.size());
        m_bytes.append(s);
    }
    void Raw(std::string_view s) { m_bytes.append(s); }

    std::string& Bytes() { return m_bytes; }

private:
    std::string m_bytes;
};

class Reader {
public:
    explicit Reader(std::string_view bytes) : m_rest(bytes) {}

    bool Failed() const { return m_failed; }
    bool AtEnd() const { return m_rest.empty(); }
    std::size_t Left() const { return m_rest.size(); }
    void Fail() { m_failed = true, m_rest = {}; }

    std::uint8_t Byte()
    {
        if (m_rest.empty()) {
            Fail();
            return 0;
        }
        const auto b = static_cast<std::uint8_t>(m_rest.front());
        m_rest.remove_prefix(1);
        return b;
    }
    std::uint64_t Fixed(int bytes)
    {
        std::uint64_t v = 0;
        for (int i = 0; i < bytes; ++i)
            v |= std::uint64_t{Byte()} << (8 * i);
        return v;
    }
    std::uint64_t Unsigned()
    {
        std::uint64_t v = 0;
        for (int shift = 0; shift < 64; shift += 7) {
            const std::uint8_t b = Byte();
            // The tenth byte may carry only the top bit.
            if (shift == 63 && b > 1) {
                Fail();
                return 0;
            }
            v |= std::uint64_t{b & 0x7Fu} << shift;
            if (!(b & 0x80))
                return v;
        }
        Fail();
        return 0;
    }
    std::int64_t Signed() { return UnZigZag(Unsigned()); }
    // An unsigned number that must lie in [lo, hi].
    std::int64_t Within(std::int64_t lo, std::int64_t hi)
    {
        const std::uint64_t u = Unsigned();
        if (u > static_cast<std::uint64_t>(INT64_MAX) || static_cast<std::int64_t>(u) < lo ||
            static_cast<std::int64_t>(u) > hi) {
            Fail();
            return 0;
        }
        return static_cast<std::int64_t>(u);
    }
    // A signed number that must lie in [lo, hi].
    std::int64_t SignedWithin(std::int64_t lo, std::int64_t hi)
    {
        const std::int64_t v = Signed();
        if (v < lo || v > hi) {
            Fail();
            return 0;
        }
        return v;
    }
    std::string_view Raw(std::size_t n)
    {
        if (n > m_rest.size()) {
            Fail();
            return {};
        }
        const std::string_view bytes = m_rest.substr(0, n);
        m_rest.remove_prefix(n);
        return bytes;
    }
    std::string Text()
    {
        return std::string(Raw(static_cast<std::size_t>(Within(0, static_cast<std::int64_t>(Left())))));
    }

private:
    std::string_view m_rest;
    bool m_failed = false;
};

}  // namespace replay_bytes
