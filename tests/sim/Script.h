// Runs orbicle-sim's command lines in a session, as a script on its standard input would.
#pragma once

#include <sstream>
#include <string>

#include "tools/sim/Sim.h"

// Runs each line of the script; returns what they printed. A line refused turns *ok false.
inline std::string RunScript(SimSession& session, const std::string& script, bool* ok = nullptr)
{
    std::istringstream lines(script);
    std::ostringstream out;
    for (std::string line; std::getline(lines, line);) {
        const bool accepted = session.Execute(line, out);
        if (ok)
            *ok = accepted && *ok;
    }
    return out.str();
}
