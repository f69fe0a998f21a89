// Reads the X window dump files (xwd) that the end-to-end test takes as screenshots.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct Rgb8 {
    int r = 0, g = 0, b = 0;
    bool operator==(const Rgb8&) const = default;
};

class XwdImage {
public:
    // Parses a true-colour ZPixmap dump of 24 or 32 bits per pixel; nullopt, with the
    // reason in error, for anything else.
    static std::optional<XwdImage> Parse(const std::vector<std::uint8_t>& bytes, std::string& error);
    static std::optional<XwdImage> Load(const std::string& path, std::string& error);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // The pixel's colour; black outside the image.
    Rgb8 At(int x, int y) const;

private:
    std::vector<std::uint8_t> m_data;
    int m_width = 0;
    int m_height = 0;
    std::uint32_t m_bytesPerLine = 0;
    std::uint32_t m_bytesPerPixel = 0;
    bool m_msbFirst = false;
    std::uint32_t m_masks[3] = {};
};
