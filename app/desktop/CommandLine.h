// The desktop program's command line, read before the toolkit starts: --help, --version or
// nothing at all.
#pragma once

#include <string>
#include <vector>

struct CommandLineAction {
    bool run = true;     // start the game; otherwise print and end with exitCode
    int exitCode = 0;    // 0 after --help or --version, 2 after a bad argument
    std::string output;  // for standard output
    std::string errors;  // for standard error
};

// The action for the arguments after the program's name. An argument the program does not
// know is an error, whatever else is given; --help wins over --version.
CommandLineAction ParseCommandLine(const std::vector<std::string>& args);

// "Orbicle 1.0.0", the project's version.
std::string VersionLine();
