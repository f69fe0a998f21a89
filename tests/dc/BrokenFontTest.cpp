// A font file that fontconfig has listed but FreeType cannot open (it was damaged after the
// listing): the face asked for is not there, and the program goes on without it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "platform/dc/soft/Text.h"
#include "tests/TempDir.h"

namespace {
// In a process of its own, whose fontconfig knows only one font file: 0 when the face is found
// while the file is whole and none once it is damaged.
int FindAFaceBeforeAndAfterItsFileIsDamaged(const std::filesystem::path& folder)
{
    const std::filesystem::path face = folder / "face.ttf", config = folder / "fonts.conf";
    std::filesystem::copy_file("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", face);
    std::ofstream(config) << "<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"fonts.dtd\">\n<fontconfig><dir>"
                          << folder.string() << "</dir><cachedir>" << (folder / "cache").string()
                          << "</cachedir></fontconfig>\n";
    setenv("FONTCONFIG_FILE", config.c_str(), 1);
    if (!dc_detail::FindFont({16, "Whole"}))
        return 2;
    std::ofstream(face, std::ios::binary | std::ios::trunc) << std::string(4096, 'x');
    return dc_detail::FindFont({16, "Damaged"}) ? 3 : 0;
}
}  // namespace

TEST(BrokenFontTest, AFaceWhoseFileCannotBeOpenedIsNoFontAndNoCrash)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const TempDir folder;
    // The child runs this test again with a folder of its own, which it removes itself: its
    // quick exit runs no destructor.
    auto child = [&] {
        const int status = FindAFaceBeforeAndAfterItsFileIsDamaged(folder.Path());
        std::filesystem::remove_all(folder.Path());
        std::_Exit(status);
    };
    EXPECT_EXIT(child(), ::testing::ExitedWithCode(0), "");
}
