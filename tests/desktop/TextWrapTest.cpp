// Wrapping message text: breaks at spaces, long words cut, line breaks kept, never wider.
#include <gtest/gtest.h>

#include <string>

#include "platform/desktop/TextWrap.h"

namespace {
using Lines = std::vector<std::string>;

// Ten pixels a character, and the width limit each line must keep.
int Monospace(std::string_view s)
{
    return static_cast<int>(s.size()) * 10;
}
}  // namespace

TEST(TextWrap, BreaksAtSpacesCutsLongWordsKeepsLineBreaksAndNeverExceedsTheWidth)
{
    EXPECT_EQ(WrapText("Cannot open the file res\\keys_ne.txt", 400, Monospace),
              (Lines{"Cannot open the file res\\keys_ne.txt"}));
    EXPECT_EQ(WrapText("one two three four", 90, Monospace), (Lines{"one two", "three", "four"}));
    EXPECT_EQ(WrapText("first\n\nthird line", 200, Monospace), (Lines{"first", "", "third line"}));
    EXPECT_EQ(WrapText("", 100, Monospace), (Lines{""}));
    // Runs of spaces break like one; a word alone too wide is cut between characters and
    // what remains of it starts the next line.
    EXPECT_EQ(WrapText("a  abcdefghijkl xy", 50, Monospace), (Lines{"a", "abcde", "fghij", "kl xy"}));
    // Narrower than one character: one character a line, and an end.
    EXPECT_EQ(WrapText("abc", 5, Monospace), (Lines{"a", "b", "c"}));
    EXPECT_EQ(WrapText("abc", -1, Monospace), (Lines{"a", "b", "c"}));
}

TEST(TextWrap, AFiveThousandCharacterNameFillsLinesOfTheWidthAndLosesNothing)
{
    const std::string name = "Cannot open the file res\\keys_" + std::string(5000, 'x') + ".txt";
    // A proportional measure: wide letters count more.
    auto proportional = [](std::string_view s) {
        int w = 0;
        for (char c : s)
            w += c == 'x' ? 7 : (c == ' ' ? 3 : 9);
        return w;
    };
    const Lines lines = WrapText(name, 420, proportional);
    ASSERT_GT(lines.size(), 2u);
    std::string joined;
    for (const std::string& line : lines) {
        EXPECT_LE(proportional(line), 420) << line;
        joined += line;
    }
    for (std::size_t i = 1; i + 1 < lines.size(); ++i)
        EXPECT_GT(proportional(lines[i]), 420 - 7) << "a line of the name is filled: " << lines[i];
    EXPECT_EQ(lines.front(), "Cannot open the file");
    EXPECT_TRUE(joined == "Cannot open the file" + name.substr(21)) << "only the space at the break is gone";
    EXPECT_EQ(lines.size(), 1u + (5000 * 7 + 9 * 9 + 419) / 420) << "the first line, then the name";
}
