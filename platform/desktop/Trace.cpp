// The milestone trace.
#include "platform/desktop/Trace.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {
const bool Enabled = std::getenv("ORBICLE_TRACE") != nullptr;
}

void TraceMilestone(const char* what)
{
    if (!Enabled)
        return;
    using namespace std::chrono;
    const auto ms = duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
    std::fprintf(stderr, "orbicle-trace %lld %s\n", static_cast<long long>(ms), what);
}
