// Breaking a message into lines that fit a width, also where it has no spaces to break at.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The lines of text, each no wider than maxWidth as width() measures it: a new line at every
// '\n', breaks at spaces where they fit, and a word too wide for a line of its own broken
// between characters. A line holds at least one character, however narrow maxWidth is.
std::vector<std::string> WrapText(std::string_view text, int maxWidth,
                                  const std::function<int(std::string_view)>& width);
