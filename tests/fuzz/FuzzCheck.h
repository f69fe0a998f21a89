// What the fuzz targets share: stopping the run with the reason when a rule fails.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

// Aborts, and libFuzzer keeps the input as a crash.
[[noreturn]] inline void FuzzFail(const std::string& rule)
{
    std::fprintf(stderr, "broken: %s\n", rule.c_str());
    std::abort();
}

inline void FuzzCheck(bool holds, std::string_view rule)
{
    if (!holds)
        FuzzFail(std::string(rule));
}
