// orbicle-sim: plays Orbicle from a script on standard input, without a window system.
#include <iostream>
#include <string>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "tools/sim/Sim.h"

int main()
{
#ifdef _WIN32
    // Lines end in \n alone on every system, so that outputs compare byte for byte.
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    SimSession session;
    bool ok = true;
    for (std::string line; std::getline(std::cin, line);) {
        if (!session.Execute(line, std::cout))
            ok = false;
        std::cout.flush();
    }
    return ok ? 0 : 1;
}
