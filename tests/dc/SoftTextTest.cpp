// The software context's text on Linux: antialiased ink blended with exact rounding, and font
// files that are not as fontconfig listed them or lack the Windows metrics.
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>

#include "platform/dc/soft/Text.h"
#include "tests/TempDir.h"
#include "tests/dc/Canvas.h"

namespace {
const char* const DejaVu = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

// Runs body in a process of its own, whose fontconfig knows only the font files body puts into
// the folder it is given; the test passes when body returns 0. The child runs the test again
// with a folder of its own, which it removes itself: its quick exit runs no destructor.
void InFontProcess(const std::function<int(const std::filesystem::path&)>& body)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const TempDir folder;
    auto child = [&] {
        const std::filesystem::path config = folder.Path() / "fonts.conf";
        std::ofstream(config) << "<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"fonts.dtd\">\n"
                              << "<fontconfig><dir>" << folder.Path().string() << "</dir><cachedir>"
                              << (folder.Path() / "cache").string() << "</cachedir></fontconfig>\n";
        setenv("FONTCONFIG_FILE", config.c_str(), 1);
        const int status = body(folder.Path());
        std::filesystem::remove_all(folder.Path());
        std::_Exit(status);
    };
    EXPECT_EXIT(child(), ::testing::ExitedWithCode(0), "");
}

std::string FileBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}
}  // namespace

class SoftTextTest : public DcTest {};

// Ink over a background that shares its blue: every blended pixel keeps that blue exactly, and
// its red and green, one rising as the other falls with the coverage, still add up to 255.
TEST_F(SoftTextTest, GlyphEdgesBlendTheInkOverTheBackgroundRoundedToTheNearest)
{
    Reset(120, 60);
    m_dc.FillSolidRect(Whole(), Rgb(0, 255, 100));
    CFont font;
    ASSERT_TRUE(font.CreateFontA(30, 0, 0, 0, FW_DONTCARE, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                                 CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "Arial"));
    m_dc.SelectObject(&font);
    m_dc.SetTextColor(Rgb(255, 0, 100));
    m_dc.SetBkMode(TRANSPARENT);
    ASSERT_TRUE(m_dc.TextOut(5, 5, "Ow@"));
    int edges = 0;
    for (int y = 0; y < 60; ++y) {
        for (int x = 0; x < 120; ++x) {
            const COLORREF c = At(x, y);
            EXPECT_EQ(GetBlue(c), 100) << x << ", " << y;
            EXPECT_EQ(GetRed(c) + GetGreen(c), 255) << x << ", " << y;
            edges += GetRed(c) > 0 && GetRed(c) < 255;
        }
    }
    EXPECT_GT(edges, 20);
}

// A file damaged after fontconfig listed it: the face asked for is not there, and no crash.
TEST(SoftFontFileTest, AFaceWhoseFileCannotBeOpenedIsNoFont)
{
    InFontProcess([](const std::filesystem::path& folder) {
        const std::filesystem::path face = folder / "face.ttf";
        std::filesystem::copy_file(DejaVu, face);
        if (!dc_detail::FindFont({16, "Whole"}))
            return 2;
        std::ofstream(face, std::ios::binary | std::ios::trunc) << std::string(4096, 'x');
        return dc_detail::FindFont({16, "Damaged"}) ? 3 : 0;
    });
}

// A face without the OS/2 table's Windows metrics sizes its cell by its own ascender and
// descender; DejaVu Sans has the same in both, so the cell is the same.
TEST(SoftFontFileTest, AFaceWithoutWindowsMetricsSizesItsCellByItsOwn)
{
    InFontProcess([](const std::filesystem::path& folder) {
        std::string bytes = FileBytes(DejaVu);
        const auto tag = bytes.find("OS/2");
        if (tag == std::string::npos || tag > 12 + 16 * 64)  // in the table directory
            return 2;
        bytes.replace(tag, 4, "os/x");
        std::ofstream(folder / "face.ttf", std::ios::binary) << bytes;
        const auto font = dc_detail::FindFont({-16, "DejaVu Sans"});
        return font && font->CellHeight() == 19 ? 0 : 3;  // (1901 + 483) * 16 / 2048, rounded
    });
}
