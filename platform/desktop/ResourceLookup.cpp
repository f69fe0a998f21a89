// The search folders for res/.
#include "platform/desktop/ResourceLookup.h"

#include <algorithm>

#ifndef ORBICLE_RELATIVE_DATADIR
#define ORBICLE_RELATIVE_DATADIR "../share/orbicle"
#endif
#ifndef ORBICLE_INSTALLED_DATADIR
#define ORBICLE_INSTALLED_DATADIR "/usr/local/share/orbicle"
#endif

namespace fs = std::filesystem;

std::vector<fs::path> ResourceBases(const fs::path& executable, const fs::path& relativeDataDir,
                                    const fs::path& installedDataDir)
{
    // The empty path, the current folder, comes first; an empty folder given later repeats it.
    std::vector<fs::path> bases{fs::path()};
    auto add = [&bases](const fs::path& folder) {
        const fs::path normal = folder.lexically_normal();
        if (std::find(bases.begin(), bases.end(), normal) == bases.end())
            bases.push_back(normal);
    };
    if (!executable.empty()) {
        const fs::path programDir = executable.parent_path();
        add(programDir);
        if (!relativeDataDir.empty())
            add(programDir / relativeDataDir);
    }
    add(installedDataDir);
    return bases;
}

std::vector<fs::path> ProgramResourceBases(const fs::path& executable)
{
    return ResourceBases(executable, ORBICLE_RELATIVE_DATADIR, ORBICLE_INSTALLED_DATADIR);
}
