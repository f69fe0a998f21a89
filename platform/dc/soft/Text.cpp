// Fonts for CDC. The face comes from fontconfig: the requested name first, then the face a
// Windows font mapper falls back to for a Swiss face, the game's kind (Arial, which fontconfig
// maps to a metric-compatible face such as Liberation Sans where one is installed), then the
// generic family (sans-serif). Sizes follow GDI: a positive height is the cell height, ascent
// plus descent, measured with the face's Windows ascent and descent; the em size is that height
// scaled by units-per-em / (winAscent + winDescent), rounded to whole pixels as GDI does for
// TrueType. Glyphs are hinted and rendered with grayscale antialiasing, and advances are whole
// pixels.
#include "platform/dc/soft/Text.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <mutex>
#include <vector>

#include "platform/dc/Dc.h"

namespace dc_detail {
namespace {

// Windows-1252 code points of bytes 0x80..0x9F; the other bytes equal their Unicode value.
constexpr std::array<char32_t, 32> Cp1252High{0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                              0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                              0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                              0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr int MaxPixelHeight = 1000;  // larger requests are drawn at this size

struct LibraryDeleter {
    void operator()(FT_Library lib) const { FT_Done_FreeType(lib); }
};
struct FaceDeleter {
    void operator()(FT_Face face) const { FT_Done_Face(face); }
};
using LibraryPtr = std::unique_ptr<std::remove_pointer_t<FT_Library>, LibraryDeleter>;
using FacePtr = std::unique_ptr<std::remove_pointer_t<FT_Face>, FaceDeleter>;

// The FreeType library and the lock that guards it and every face made from it. Fonts share it,
// so it outlives the last face whatever the order of destruction at exit.
struct Library {
    std::mutex lock;
    LibraryPtr handle;
};

struct Glyph {
    int advance = 0;
    int left = 0;  // bitmap offset from the pen position
    int top = 0;   // bitmap top above the baseline
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> coverage;  // 0..255, row-major
};

struct FaceFile {
    std::string path;
    int index = 0;
};

class FreeTypeFont final : public SizedFont {
public:
    FreeTypeFont(std::shared_ptr<Library> library, FacePtr face, const FontRequest& request)
        : m_library(std::move(library)), m_face(std::move(face)), m_lock(m_library->lock)
    {
        SetSize(request);
    }

    int CellHeight() const override { return m_cell; }

    int TextWidth(std::string_view text) const override
    {
        std::lock_guard guard(m_lock);
        long long width = 0;
        for (char ch : text)
            width += GlyphOf(static_cast<unsigned char>(ch)).advance;
        return static_cast<int>(std::min<long long>(width, 1LL << 30));
    }

    void Draw(const Canvas& canvas, long long x, long long y, std::string_view text,
              std::uint32_t colour) const override
    {
        std::lock_guard guard(m_lock);
        const long long baseline = y + m_ascent;
        long long pen = x;
        for (char ch : text) {
            const Glyph& g = GlyphOf(static_cast<unsigned char>(ch));
            Blend(canvas, g, pen + g.left, baseline - g.top, colour);
            pen += g.advance;
        }
    }

private:
    void SetSize(const FontRequest& request)
    {
        const double upem = m_face->units_per_EM > 0 ? m_face->units_per_EM : 2048;
        const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(m_face.get(), FT_SFNT_OS2));
        double ascent = m_face->ascender, descent = -m_face->descender;
        if (os2 && os2->usWinAscent + os2->usWinDescent > 0) {
            ascent = os2->usWinAscent;
            descent = os2->usWinDescent;
        }
        if (ascent + descent <= 0) {
            ascent = upem * 0.8;
            descent = upem * 0.2;
        }
        int ppem = 0;
        if (request.height < 0) {
            ppem = std::min(-request.height, MaxPixelHeight);
            m_cell = std::max(1, static_cast<int>(std::lround((ascent + descent) * ppem / upem)));
        } else {
            m_cell = std::clamp(request.height == 0 ? 16 : request.height, 1, MaxPixelHeight);
            ppem = std::max(1, static_cast<int>(std::lround(m_cell * upem / (ascent + descent))));
        }
        m_ascent = std::clamp(static_cast<int>(std::lround(ascent * ppem / upem)), 0, m_cell);
        FT_Set_Pixel_Sizes(m_face.get(), static_cast<FT_UInt>(ppem), static_cast<FT_UInt>(ppem));
    }

    // Renders a glyph on first use; the caller holds the lock.
    const Glyph& GlyphOf(unsigned char ch) const
    {
        auto& slot = m_glyphs[ch];
        if (!slot)
            slot = std::make_unique<Glyph>(Render(FromCp1252(ch)));
        return *slot;
    }

    Glyph Render(char32_t code) const
    {
        Glyph g;
        FT_Face face = m_face.get();
        const FT_UInt index = FT_Get_Char_Index(face, code);
        if (FT_Load_Glyph(face, index, FT_LOAD_DEFAULT | FT_LOAD_TARGET_NORMAL) != 0)
            return g;
        g.advance = static_cast<int>((face->glyph->advance.x + 32) >> 6);
        if (FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL) != 0)
            return g;
        const FT_Bitmap& bm = face->glyph->bitmap;
        g.left = face->glyph->bitmap_left;
        g.top = face->glyph->bitmap_top;
        g.width = static_cast<int>(bm.width);
        g.height = static_cast<int>(bm.rows);
        g.coverage.resize(static_cast<std::size_t>(g.width) * g.height);
        for (int row = 0; row < g.height; ++row)
            std::copy_n(bm.buffer + static_cast<std::ptrdiff_t>(row) * bm.pitch, g.width,
                        g.coverage.data() + static_cast<std::size_t>(row) * g.width);
        return g;
    }

    static void Blend(const Canvas& canvas, const Glyph& g, long long left, long long top, std::uint32_t colour)
    {
        const long long y0 = std::max<long long>(top, canvas.clip.top);
        const long long y1 = std::min<long long>(top + g.height, canvas.clip.bottom);
        const long long x0 = std::max<long long>(left, canvas.clip.left);
        const long long x1 = std::min<long long>(left + g.width, canvas.clip.right);
        for (long long y = y0; y < y1; ++y) {
            const std::uint8_t* cov = g.coverage.data() + (y - top) * g.width - left;
            std::uint32_t* row = canvas.Row(static_cast<int>(y));
            for (long long x = x0; x < x1; ++x) {
                const unsigned a = cov[x];
                if (a == 0)
                    continue;
                row[x] = a == 255 ? colour : Mix(row[x], colour, a);
            }
        }
    }

    static std::uint32_t Mix(std::uint32_t dst, std::uint32_t src, unsigned a)
    {
        std::uint32_t out = 0;
        for (int shift = 0; shift <= 16; shift += 8) {
            const unsigned d = (dst >> shift) & 0xFF, s = (src >> shift) & 0xFF;
            out |= ((d * (255 - a) + s * a + 127) / 255) << shift;
        }
        return out;
    }

    std::shared_ptr<Library> m_library;
    FacePtr m_face;
    std::mutex& m_lock;
    int m_cell = 0;
    int m_ascent = 0;
    mutable std::array<std::unique_ptr<Glyph>, 256> m_glyphs;
};

// The process-wide font cache. Fonts live as long as the process unless the cache grows past
// MaxFonts, when those no longer in use are dropped.
class FontEngine {
public:
    static FontEngine& Instance()
    {
        static FontEngine engine;
        return engine;
    }

    std::shared_ptr<const SizedFont> Find(const FontRequest& request)
    {
        std::lock_guard guard(m_library->lock);
        if (auto it = m_fonts.find(request); it != m_fonts.end())
            return it->second;
        auto font = Load(request);
        if (m_fonts.size() >= MaxFonts)
            std::erase_if(m_fonts, [](const auto& entry) { return entry.second.use_count() == 1; });
        m_fonts.emplace(request, font);
        return font;
    }

private:
    static constexpr std::size_t MaxFonts = 64;

    FontEngine()
    {
        FT_Library lib = nullptr;
        if (FT_Init_FreeType(&lib) == 0)
            m_library->handle.reset(lib);
        m_fontconfig = FcInit() == FcTrue;
    }

    // fontconfig is never finalized here: in a toolkit's process other libraries (Pango) still
    // hold its caches at exit, and finalizing under them aborts.

    std::shared_ptr<const SizedFont> Load(const FontRequest& request)
    {
        if (!m_library->handle || !m_fontconfig)
            return nullptr;
        const FaceFile file = Match(request);
        if (file.path.empty())
            return nullptr;
        FT_Face face = nullptr;
        if (FT_New_Face(m_library->handle.get(), file.path.c_str(), file.index, &face) != 0)
            return nullptr;
        FacePtr owned(face);
        if (!FT_IS_SCALABLE(face))
            return nullptr;
        return std::make_shared<FreeTypeFont>(m_library, std::move(owned), request);
    }

    FaceFile Match(const FontRequest& r)
    {
        if (auto it = m_matches.find(r.face); it != m_matches.end())
            return it->second;
        FaceFile result;
        FcPattern* pattern = FcPatternCreate();
        for (const std::string& family : {r.face, std::string("Arial"), std::string("sans-serif")})
            if (!family.empty())
                FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
        FcPatternAddInteger(pattern, FC_WEIGHT, FC_WEIGHT_REGULAR);
        FcPatternAddInteger(pattern, FC_SLANT, FC_SLANT_ROMAN);
        FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
        FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
        FcDefaultSubstitute(pattern);
        FcResult status = FcResultNoMatch;
        if (FcPattern* match = FcFontMatch(nullptr, pattern, &status)) {
            FcChar8* path = nullptr;
            int index = 0;
            if (FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch && path) {
                result.path = reinterpret_cast<const char*>(path);
                if (FcPatternGetInteger(match, FC_INDEX, 0, &index) == FcResultMatch)
                    result.index = index;
            }
            FcPatternDestroy(match);
        }
        FcPatternDestroy(pattern);
        m_matches.emplace(r.face, result);
        return result;
    }

    std::shared_ptr<Library> m_library = std::make_shared<Library>();
    bool m_fontconfig = false;
    std::map<FontRequest, std::shared_ptr<const SizedFont>> m_fonts;
    std::map<std::string, FaceFile> m_matches;  // by the face asked for
};

}  // namespace

std::shared_ptr<const SizedFont> FindFont(const FontRequest& request)
{
    return FontEngine::Instance().Find(request);
}

char32_t FromCp1252(unsigned char c)
{
    return c >= 0x80 && c < 0xA0 ? Cp1252High[c - 0x80] : c;
}

}  // namespace dc_detail

// fontconfig keeps its configuration for the life of the process and is never finalized here
// (see above): what it holds at exit is not a leak of ours. A program built with
// AddressSanitizer carries this suppression itself, so it runs clean with no LSAN_OPTIONS.
#if defined(__SANITIZE_ADDRESS__)
#define ORBICLE_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ORBICLE_ADDRESS_SANITIZER 1
#endif
#endif
#ifdef ORBICLE_ADDRESS_SANITIZER
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}
// Nor is it worth a report on every exit.
extern "C" const char* __lsan_default_options()
{
    return "print_suppressions=0";
}
#endif
