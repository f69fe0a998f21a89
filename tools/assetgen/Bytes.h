// Little-endian byte buffer used by every file format the generator writes.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace assetgen {

using Bytes = std::vector<std::uint8_t>;

class ByteWriter {
public:
    void U8(std::uint32_t v) { m_data.push_back(static_cast<std::uint8_t>(v)); }
    void U16(std::uint32_t v)
    {
        U8(v & 0xFF);
        U8((v >> 8) & 0xFF);
    }
    void U32(std::uint32_t v)
    {
        U16(v & 0xFFFF);
        U16(v >> 16);
    }
    void I32(std::int32_t v) { U32(static_cast<std::uint32_t>(v)); }
    void Tag(std::string_view fourcc)
    {
        for (char c : fourcc)
            U8(static_cast<std::uint8_t>(c));
    }
    void Append(const Bytes& b) { m_data.insert(m_data.end(), b.begin(), b.end()); }
    void Zeros(std::size_t n) { m_data.insert(m_data.end(), n, 0); }

    std::size_t Size() const { return m_data.size(); }
    Bytes& Data() { return m_data; }
    Bytes Take() { return std::move(m_data); }

private:
    Bytes m_data;
};

}  // namespace assetgen
