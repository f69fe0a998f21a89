// Little-endian byte buffer used by every file format the generator writes.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace assetgen {

using Bytes = std::vector<std::uint8_t>;

class ByteWriter {
public:
    void u8(std::uint32_t v) { data_.push_back(static_cast<std::uint8_t>(v)); }
    void u16(std::uint32_t v)
    {
        u8(v & 0xFF);
        u8((v >> 8) & 0xFF);
    }
    void u32(std::uint32_t v)
    {
        u16(v & 0xFFFF);
        u16(v >> 16);
    }
    void i32(std::int32_t v) { u32(static_cast<std::uint32_t>(v)); }
    void tag(std::string_view fourcc)
    {
        for (char c : fourcc)
            u8(static_cast<std::uint8_t>(c));
    }
    void append(const Bytes& b) { data_.insert(data_.end(), b.begin(), b.end()); }
    void zeros(std::size_t n) { data_.insert(data_.end(), n, 0); }

    std::size_t size() const { return data_.size(); }
    Bytes& data() { return data_; }
    Bytes take() { return std::move(data_); }

private:
    Bytes data_;
};

}  // namespace assetgen
