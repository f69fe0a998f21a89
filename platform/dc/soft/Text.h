// Fonts for CDC: faces chosen by fontconfig, glyphs rendered by FreeType, both cached for the
// whole process so that making the same font every frame is only a lookup.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/dc/soft/Raster.h"

namespace dc_detail {

// What CreateFontA asks for, reduced to what the software back end uses: the game's text is
// regular, upright and antialiased, at the face's own proportions, in a Swiss face.
struct FontRequest {
    int height = 0;    // > 0 cell height, < 0 em height, 0 default
    std::string face;  // requested face name, may be empty
    auto operator<=>(const FontRequest&) const = default;
};

// One face at one size, with its rendered glyphs.
class SizedFont {
public:
    virtual ~SizedFont() = default;
    virtual int CellHeight() const = 0;
    // Sum of the advances of the text, in whole pixels (no kerning, as TextOut has none).
    virtual int TextWidth(std::string_view text) const = 0;
    // Draws the text with its cell's top-left corner at (x, y), each glyph's coverage blending
    // the text colour over what is there.
    virtual void Draw(const Canvas& canvas, long long x, long long y, std::string_view text,
                      std::uint32_t colour) const = 0;
};

// The character a byte of the game's text stands for: its texts are Windows-1252, as on Windows.
// The five bytes that code page leaves undefined stand for the control characters of their value.
char32_t FromCp1252(unsigned char c);

// The cached font for a request; null when no face at all can be found or loaded.
std::shared_ptr<const SizedFont> FindFont(const FontRequest& request);

}  // namespace dc_detail
