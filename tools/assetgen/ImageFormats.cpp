// Writes BMP, CUR, ICO and PNG files byte by byte, with no library whose output could drift.
#include "tools/assetgen/ImageFormats.h"

#include <array>
#include <stdexcept>
#include <string_view>

#include "tools/assetgen/Palette.h"

namespace assetgen {

namespace {

constexpr int InfoHeaderSize = 40;

int RowBytes(int width, int bitsPerPixel)
{
    return (width * bitsPerPixel + 31) / 32 * 4;
}

void WriteInfoHeader(ByteWriter& w, int width, int height, int bits, std::uint32_t imageSize, int pixelsPerMetre)
{
    w.U32(InfoHeaderSize);
    w.I32(width);
    w.I32(height);
    w.U16(1);  // planes
    w.U16(static_cast<std::uint32_t>(bits));
    w.U32(0);  // BI_RGB, uncompressed
    w.U32(imageSize);
    w.I32(pixelsPerMetre);
    w.I32(pixelsPerMetre);
    w.U32(0);  // colours used: all the table holds
    w.U32(0);  // all colours important
}

bool Transparent(Rgba p)
{
    return p.a < 128;
}

const std::vector<Rgb>* PaletteFor(int bits)
{
    switch (bits) {
    case 4: return &Palette16();
    case 8: return &Palette256();
    case 24: return nullptr;
    default: throw std::invalid_argument("icon images are 4, 8 or 24 bits per pixel");
    }
}

// The image part of an icon or cursor: header with doubled height, colour table,
// colour (XOR) rows and the 1-bit AND mask, both bottom-up.
Bytes EncodeDib(const IconImage& icon)
{
    const Canvas& img = *icon.image;
    const int w = img.Width(), h = img.Height(), bits = icon.bitsPerPixel;
    const std::vector<Rgb>* palette = PaletteFor(bits);
    const int xorRow = RowBytes(w, bits), andRow = RowBytes(w, 1);
    ByteWriter out;
    WriteInfoHeader(out, w, 2 * h, bits, static_cast<std::uint32_t>((xorRow + andRow) * h), 0);
    if (palette)
        for (const Rgb& c : *palette) {
            out.U8(c.b);
            out.U8(c.g);
            out.U8(c.r);
            out.U8(0);
        }
    for (int y = h - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(static_cast<std::size_t>(xorRow), 0);
        for (int x = 0; x < w; ++x) {
            const Rgba p = img.At(x, y);
            const Rgb c = Transparent(p) ? Rgb{0, 0, 0} : p.ToRgb();
            if (bits == 24) {
                row[3 * x] = static_cast<std::uint8_t>(c.b);
                row[3 * x + 1] = static_cast<std::uint8_t>(c.g);
                row[3 * x + 2] = static_cast<std::uint8_t>(c.r);
            } else if (bits == 8) {
                row[x] = static_cast<std::uint8_t>(NearestIndex(*palette, c));
            } else {
                const int index = NearestIndex(*palette, c);
                row[x / 2] |= static_cast<std::uint8_t>(x % 2 ? index : index << 4);
            }
        }
        out.Append(row);
    }
    for (int y = h - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(static_cast<std::size_t>(andRow), 0);
        for (int x = 0; x < w; ++x)
            if (Transparent(img.At(x, y)))
                row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        out.Append(row);
    }
    return out.Take();
}

// --- PNG pieces -----------------------------------------------------------------------------

std::uint32_t Crc32(const std::uint8_t* data, std::size_t n, std::uint32_t crc = 0)
{
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t i = 0; i < 256; ++i) {
            std::uint32_t c = i;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320U ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    crc = ~crc;
    for (std::size_t i = 0; i < n; ++i)
        crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

std::uint32_t Adler32(const Bytes& data)
{
    std::uint32_t a = 1, b = 0;
    for (std::uint8_t v : data) {
        a = (a + v) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

void Be32(Bytes& out, std::uint32_t v)
{
    for (int s = 24; s >= 0; s -= 8)
        out.push_back(static_cast<std::uint8_t>(v >> s));
}

void Chunk(Bytes& out, std::string_view type, const Bytes& body)
{
    Be32(out, static_cast<std::uint32_t>(body.size()));
    const std::size_t start = out.size();
    out.insert(out.end(), type.begin(), type.end());
    out.insert(out.end(), body.begin(), body.end());
    Be32(out, Crc32(out.data() + start, out.size() - start));
}

// A zlib stream of stored (uncompressed) deflate blocks.
Bytes ZlibStored(const Bytes& raw)
{
    Bytes z = {0x78, 0x01};
    std::size_t pos = 0;
    do {
        const std::size_t n = std::min<std::size_t>(65535, raw.size() - pos);
        const bool last = pos + n == raw.size();
        z.push_back(last ? 1 : 0);
        z.push_back(static_cast<std::uint8_t>(n & 0xFF));
        z.push_back(static_cast<std::uint8_t>(n >> 8));
        z.push_back(static_cast<std::uint8_t>(~n & 0xFF));
        z.push_back(static_cast<std::uint8_t>((~n >> 8) & 0xFF));
        z.insert(z.end(), raw.begin() + static_cast<std::ptrdiff_t>(pos),
                 raw.begin() + static_cast<std::ptrdiff_t>(pos + n));
        pos += n;
    } while (pos < raw.size());
    Be32(z, Adler32(raw));
    return z;
}

}  // namespace

Bytes EncodeBmp24(const Canvas& image, int pixelsPerMetre)
{
    const int w = image.Width(), h = image.Height();
    const int stride = RowBytes(w, 24);
    const auto pixelBytes = static_cast<std::uint32_t>(stride * h);
    // Two zero bytes follow the rows, as common paint programs write them; a resource
    // compiler keeps them, so the embedded bitmap is the file minus its 14-byte header.
    constexpr std::uint32_t Trailer = 2;
    constexpr std::uint32_t Offset = 14 + InfoHeaderSize;
    ByteWriter out;
    out.Tag("BM");
    out.U32(Offset + pixelBytes + Trailer);
    out.U32(0);
    out.U32(Offset);
    WriteInfoHeader(out, w, h, 24, pixelBytes, pixelsPerMetre);
    for (int y = h - 1; y >= 0; --y) {
        for (int x = 0; x < w; ++x) {
            const Rgba p = image.At(x, y);
            out.U8(p.b);
            out.U8(p.g);
            out.U8(p.r);
        }
        out.Zeros(static_cast<std::size_t>(stride - 3 * w));
    }
    out.Zeros(Trailer);
    return out.Take();
}

Bytes EncodeCursor(const IconImage& image, int hotX, int hotY)
{
    const Bytes dib = EncodeDib(image);
    ByteWriter out;
    out.U16(0);
    out.U16(2);  // cursor
    out.U16(1);
    out.U8(static_cast<std::uint32_t>(image.image->Width()));
    out.U8(static_cast<std::uint32_t>(image.image->Height()));
    out.U8(image.bitsPerPixel == 4 ? 16 : 0);
    out.U8(0);
    out.U16(static_cast<std::uint32_t>(hotX));
    out.U16(static_cast<std::uint32_t>(hotY));
    out.U32(static_cast<std::uint32_t>(dib.size()));
    out.U32(6 + 16);
    out.Append(dib);
    return out.Take();
}

Bytes EncodeIcon(const std::vector<IconImage>& images)
{
    std::vector<Bytes> dibs;
    for (const IconImage& i : images)
        dibs.push_back(EncodeDib(i));
    ByteWriter out;
    out.U16(0);
    out.U16(1);  // icon
    out.U16(static_cast<std::uint32_t>(images.size()));
    auto offset = static_cast<std::uint32_t>(6 + 16 * images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        const int side = images[i].image->Width();
        out.U8(side >= 256 ? 0 : static_cast<std::uint32_t>(side));
        out.U8(side >= 256 ? 0 : static_cast<std::uint32_t>(images[i].image->Height()));
        out.U8(images[i].bitsPerPixel == 4 ? 16 : 0);
        out.U8(0);
        out.U16(1);  // planes
        out.U16(static_cast<std::uint32_t>(images[i].bitsPerPixel));
        out.U32(static_cast<std::uint32_t>(dibs[i].size()));
        out.U32(offset);
        offset += static_cast<std::uint32_t>(dibs[i].size());
    }
    for (const Bytes& d : dibs)
        out.Append(d);
    return out.Take();
}

Bytes EncodePng(const Canvas& image)
{
    const int w = image.Width(), h = image.Height();
    Bytes raw;
    raw.reserve(static_cast<std::size_t>(h) * (4 * w + 1));
    for (int y = 0; y < h; ++y) {
        raw.push_back(0);  // filter: none
        for (int x = 0; x < w; ++x) {
            const Rgba p = image.At(x, y);
            raw.insert(raw.end(), {p.r, p.g, p.b, p.a});
        }
    }
    Bytes out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    Bytes header;
    Be32(header, static_cast<std::uint32_t>(w));
    Be32(header, static_cast<std::uint32_t>(h));
    header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, no filter set, no interlace
    Chunk(out, "IHDR", header);
    Chunk(out, "IDAT", ZlibStored(raw));
    Chunk(out, "IEND", {});
    return out;
}

}  // namespace assetgen
