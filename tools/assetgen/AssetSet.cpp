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
constexpr int kPixelsPerMetre = 2834;       // 72 dots per inch
constexpr int kIconSizes[] = {48, 32, 16};  // in the .ico, each at every depth
constexpr int kIconDepths[] = {4, 8, 24};
constexpr int kPngOnlyIconSizes[] = {24, 64, 128, 256};  // PNG files only, for desktops
constexpr int kSvgIconSize = 256;
}  // namespace

std::vector<GeneratedFile> generateAll()
{
    std::vector<GeneratedFile> files;
    files.push_back({"background.bmp", encodeBmp24(makeBackground(), kPixelsPerMetre)});

    for (const Cursor& c : makeCursors()) {
        files.push_back({"cursors/" + c.race + ".cur", encodeCursor({&c.image, c.bitsPerPixel}, 0, 0)});
        files.push_back({"cursors/" + c.race + ".png", encodePng(c.image)});
    }

    // Each depth gets the painting that suits it; the PNG files are the true-colour ones.
    std::deque<Canvas> icons;  // keeps every image in place while the .ico refers to it
    std::vector<IconImage> images;
    for (int size : kIconSizes) {
        for (int depth : kIconDepths) {
            const IconStyle style = depth == 4 ? IconStyle::Crisp : (depth == 8 ? IconStyle::Flat : IconStyle::Lit);
            icons.push_back(makeIcon(size, style));
            images.push_back({&icons.back(), depth});
        }
        files.push_back({"icon/orbicle_" + std::to_string(size) + ".png", encodePng(icons.back())});
    }
    files.push_back({"icon/orbicle.ico", encodeIcon(images)});
    for (int size : kPngOnlyIconSizes)
        files.push_back({"icon/orbicle_" + std::to_string(size) + ".png", encodePng(makeIcon(size))});
    const std::string svg = makeIconSvg(kSvgIconSize);
    files.push_back({"icon/orbicle.svg", Bytes(svg.begin(), svg.end())});

    for (const Sound& s : makeSounds())
        files.push_back({s.fileName, encodeWav(s.samples, kSampleRate)});

    for (const HotkeySet& set : makeHotkeySets()) {
        const std::string text = set.text();
        files.push_back({"keys_" + set.race + ".txt", Bytes(text.begin(), text.end())});
    }
    return files;
}

}  // namespace assetgen
