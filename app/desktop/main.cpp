// Orbicle, the desktop program's entry point: the command line first, then the toolkit.
#include <iostream>
#include <string>
#include <vector>

#include <wx/app.h>

#include "app/desktop/CommandLine.h"
#include "app/desktop/DesktopApp.h"
#include "platform/desktop/Trace.h"

wxIMPLEMENT_APP_NO_MAIN(DesktopApp);

int main(int argc, char** argv)
{
    // --help and --version answer without a display; the toolkit sees no arguments it would
    // take for its own.
    const CommandLineAction action = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (!action.run) {
        std::cout << action.output << std::flush;
        std::cerr << action.errors << std::flush;
        return action.exitCode;
    }
    const int status = wxEntry(argc, argv);
    TraceMilestone("ended");
    return status;
}
