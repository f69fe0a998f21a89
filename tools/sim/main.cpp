// orbicle-sim: plays Orbicle from a script on standard input, without a window system.
#include <iostream>
#include <string>

#include "tools/sim/Sim.h"

int main()
{
    SimSession session;
    bool ok = true;
    for (std::string line; std::getline(std::cin, line);) {
        if (!session.Execute(line, std::cout))
            ok = false;
        std::cout.flush();
    }
    return ok ? 0 : 1;
}
