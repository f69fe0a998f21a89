// The committed art, sounds and hotkey sets are exactly what orbicle-assetgen makes, and the
// generator answers bad arguments with a message instead of writing somewhere unexpected.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include <sys/wait.h>

#include "tests/TempDir.h"
#include "tests/assets/AssetFiles.h"

namespace fs = std::filesystem;
using namespace assettest;

namespace {

// Every file the generator owns, relative to res/.
const std::set<std::string> ExpectedFiles = {
    "background.bmp",
    "cursors/df.cur",
    "cursors/df.png",
    "cursors/hu.cur",
    "cursors/hu.png",
    "cursors/ne.cur",
    "cursors/ne.png",
    "cursors/or.cur",
    "cursors/or.png",
    "cursors/ud.cur",
    "cursors/ud.png",
    "icon/orbicle.ico",
    "icon/orbicle.svg",
    "icon/orbicle_16.png",
    "icon/orbicle_24.png",
    "icon/orbicle_32.png",
    "icon/orbicle_48.png",
    "icon/orbicle_64.png",
    "icon/orbicle_128.png",
    "icon/orbicle_256.png",
    "welcome.wav",
    "applause.wav",
    "hit1.wav",
    "hit2.wav",
    "hit3.wav",
    "miss.wav",
    "goaway.wav",
    "keys_df.txt",
    "keys_hu.txt",
    "keys_ne.txt",
    "keys_or.txt",
    "keys_ud.txt",
};

struct RunResult {
    int exitCode = -1;
    std::string errors;  // what the generator wrote to its error stream
};

RunResult RunGenerator(const std::string& args, const fs::path& scratch)
{
    const fs::path errFile = scratch / "stderr.txt";
    const std::string command =
        "\"" + std::string(ORBICLE_ASSETGEN) + "\" " + args + " 2> \"" + errFile.string() + "\"";
    const int status = std::system(command.c_str());
    RunResult result;
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    const Bytes err = ReadFile(errFile);
    result.errors.assign(err.begin(), err.end());
    return result;
}

std::set<std::string> FilesUnder(const fs::path& root)
{
    std::set<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (entry.is_regular_file())
            names.insert(fs::relative(entry.path(), root).generic_string());
    return names;
}

}  // namespace

TEST(Generator, RebuildsEveryCommittedFileBitForBit)
{
    TempDir scratch;
    const fs::path out = scratch.Path() / "res";
    const RunResult run = RunGenerator("\"" + out.string() + "\"", scratch.Path());
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_EQ(run.errors, "");

    EXPECT_EQ(FilesUnder(out), ExpectedFiles);
    for (const std::string& name : ExpectedFiles) {
        const Bytes made = ReadFile(out / name);
        const Bytes committed = ReadFile(ResDir() / name);
        ASSERT_FALSE(committed.empty()) << "res/" << name << " is missing; run the 'assets' target";
        EXPECT_EQ(made.size(), committed.size()) << name;
        EXPECT_TRUE(made == committed) << "res/" << name << " differs from what the generator makes";
    }
}

TEST(Generator, RejectsBadArgumentsWithAMessage)
{
    TempDir scratch;
    const RunResult noArgs = RunGenerator("", scratch.Path());
    EXPECT_EQ(noArgs.exitCode, 2);
    EXPECT_NE(noArgs.errors.find("usage: orbicle-assetgen OUTPUT_DIR"), std::string::npos) << noArgs.errors;

    const RunResult badFlag = RunGenerator("\"" + (scratch.Path() / "x").string() + "\" --fast y", scratch.Path());
    EXPECT_EQ(badFlag.exitCode, 2);
    EXPECT_FALSE(fs::exists(scratch.Path() / "x")) << "nothing is written after a bad flag";

    // An output "directory" that is an existing file cannot be written into.
    const fs::path blocker = scratch.Path() / "plain-file";
    std::ofstream(blocker) << "not a folder";
    const RunResult blocked = RunGenerator("\"" + blocker.string() + "\"", scratch.Path());
    EXPECT_EQ(blocked.exitCode, 1);
    EXPECT_NE(blocked.errors.find("orbicle-assetgen: "), std::string::npos) << blocked.errors;
}
