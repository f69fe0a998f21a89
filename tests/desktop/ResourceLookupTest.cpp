// Finding res/: the current folder first, then beside the program, then the data folder.
#include <gtest/gtest.h>

#include "platform/DiskFiles.h"
#include "platform/desktop/ResourceLookup.h"
#include "tests/TempDir.h"

namespace fs = std::filesystem;

TEST(ResourceLookup, BasesInOrderWithoutRepeats)
{
    EXPECT_EQ(ResourceBases("/opt/orbicle/bin/orbicle", "../share/orbicle", "/usr/share/orbicle"),
              (std::vector<fs::path>{"", "/opt/orbicle/bin", "/opt/orbicle/share/orbicle", "/usr/share/orbicle"}));
    // Installed where it was configured: the two data folders are one.
    EXPECT_EQ(ResourceBases("/usr/local/bin/orbicle", "../share/orbicle", "/usr/local/share/orbicle"),
              (std::vector<fs::path>{"", "/usr/local/bin", "/usr/local/share/orbicle"}));
    // A program that cannot tell where it lies still finds the current folder and the data folder.
    EXPECT_EQ(ResourceBases("", "../share/orbicle", "/usr/share/orbicle"),
              (std::vector<fs::path>{"", "/usr/share/orbicle"}));
    // Data installed beside the program; no data folder configured.
    EXPECT_EQ(ResourceBases("/opt/orbicle/orbicle", "", ""), (std::vector<fs::path>{"", "/opt/orbicle"}));
    // This program: also the data folder relative to it, whatever the installation's prefix.
    const std::vector<fs::path> bases = ProgramResourceBases("/moved/bin/orbicle");
    EXPECT_EQ(std::vector<fs::path>(bases.begin(), bases.begin() + 3),
              (std::vector<fs::path>{"", "/moved/bin", "/moved/share/orbicle"}));
}

TEST(ResourceLookup, EachFileComesFromTheFirstFolderThatHasIt)
{
    TempDir tmp;
    tmp.Write("work/res/keys_hu.txt", "cwd");
    tmp.Write("prefix/bin/res/keys_or.txt", "program");
    tmp.Write("prefix/share/orbicle/res/keys_hu.txt", "data");
    tmp.Write("prefix/share/orbicle/res/keys_or.txt", "data");
    tmp.Write("prefix/share/orbicle/res/welcome.wav", "data");
    const CurrentDir inWork(tmp.Path() / "work");

    DiskFiles files(ResourceBases(tmp.Path() / "prefix/bin/orbicle", "../share/orbicle", "/nonexistent"));
    EXPECT_EQ(files.Find("res\\keys_hu.txt"), fs::path("res/keys_hu.txt")) << "the current folder, as named";
    EXPECT_EQ(files.Find("res\\keys_or.txt"), tmp.Path() / "prefix/bin/res/keys_or.txt");
    EXPECT_EQ(files.Find("res/welcome.wav"), tmp.Path() / "prefix/share/orbicle/res/welcome.wav");
    EXPECT_EQ(files.Find("res\\keys_ud.txt"), fs::path()) << "nowhere";

    // What the game reads is the first one found.
    const std::unique_ptr<IFileReader> reader = files.OpenRead("res\\keys_hu.txt");
    ASSERT_TRUE(reader);
    char text[8] = {};
    EXPECT_EQ(reader->Read(text, sizeof text), 3u);
    EXPECT_STREQ(text, "cwd");
}
