// The desktop program's options: a short usage, the version, and a clear refusal of the rest.
#include "app/desktop/CommandLine.h"

#ifndef ORBICLE_VERSION
#error "ORBICLE_VERSION comes from the project's version in CMakeLists.txt"
#endif

namespace {
constexpr const char* Usage =
    "Usage: orbicle [--help | --version]\n"
    "Trains the speed and accuracy of your mouse clicks and hotkeys.\n"
    "\n"
    "  -h, --help     show this help and exit\n"
    "      --version  show the version and exit\n"
    "\n"
    "Without options the game starts. Its settings are kept in\n"
    "$XDG_CONFIG_HOME/Orbicle/Orbicle.conf (normally ~/.config/Orbicle/Orbicle.conf).\n";
}  // namespace

std::string VersionLine()
{
    return std::string("Orbicle ") + ORBICLE_VERSION;
}

CommandLineAction ParseCommandLine(const std::vector<std::string>& args)
{
    bool help = false, version = false;
    for (const std::string& arg : args) {
        if (arg == "--help" || arg == "-h") {
            help = true;
        } else if (arg == "--version") {
            version = true;
        } else {
            const std::string what = arg.starts_with('-') ? "unknown option" : "unexpected argument";
            return {false, 2, "", "orbicle: " + what + " '" + arg + "'\n" + Usage};
        }
    }
    if (help)
        return {false, 0, Usage, ""};
    if (version)
        return {false, 0, VersionLine() + "\n", ""};
    return {};
}
