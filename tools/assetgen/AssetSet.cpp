// Gathers every picture, sound and hotkey set into the files the game loads.
#include "tools/assetgen/AssetSet.h"

#include <deque>

#include "tools/assetgen/Background.h"
#include "tools/assetgen/Cursors.h"
#include "tools/assetgen/Hotkeys.h"
#include "tools/assetgen/Icon.h"
#include "tools/assetgen/ImageFormats.h"
#include "tools/assetgen/Sounds.h"

namespace assetgen {

namespace {
constexpr int PixelsPerMetre = 2834;       // 72 dots per inch
constexpr int IconSizes[] = {48, 32, 16};  // in the .ico, each at every depth
constexpr int IconDepths[] = {4, 8, 24};
constexpr int PngOnlyIconSizes[] = {24, 64, 128, 256};  // PNG files only, for desktops
constexpr int SvgIconSize = 256;
}  // namespace

std::vector<GeneratedFile> GenerateAll()
{
    std::vector<GeneratedFile> files;
    files.push_back({"background.bmp", EncodeBmp24(MakeBackground(), PixelsPerMetre)});

    for (const Cursor& c : MakeCursors()) {
        files.push_back({"cursors/" + c.race + ".cur", EncodeCursor({&c.image, c.bitsPerPixel}, 0, 0)});
        files.push_back({"cursors/" + c.race + ".png", EncodePng(c.image)});
    }

    // Each depth gets the painting that suits it; the PNG files are the true-colour ones.
    std::deque<Canvas> icons;  // keeps every image in place while the .ico refers to it
    std::vector<IconImage> images;
    for (int size : IconSizes) {
        for (int depth : IconDepths) {
            const IconStyle style = depth == 4 ? IconStyle::Crisp : (depth == 8 ? IconStyle::Flat : IconStyle::Lit);
            icons.push_back(MakeIcon(size, style));
            images.push_back({&icons.back(), depth});
        }
        files.push_back({"icon/orbicle_" + std::to_string(size) + ".png", EncodePng(icons.back())});
    }
    files.push_back({"icon/orbicle.ico", EncodeIcon(images)});
    for (int size : PngOnlyIconSizes)
        files.push_back({"icon/orbicle_" + std::to_string(size) + ".png", EncodePng(MakeIcon(size))});
    const std::string svg = MakeIconSvg(SvgIconSize);
    files.push_back({"icon/orbicle.svg", Bytes(svg.begin(), svg.end())});

    for (const Sound& s : MakeSounds())
        files.push_back({s.fileName, EncodeWav(s.samples, SampleRate)});

    for (const HotkeySet& set : MakeHotkeySets()) {
        const std::string text = set.Text();
        files.push_back({"keys_" + set.race + ".txt", Bytes(text.begin(), text.end())});
    }
    return files;
}

}  // namespace assetgen
