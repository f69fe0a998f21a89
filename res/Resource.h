// Resource and command identifiers of the program.
#pragma once

constexpr unsigned IDD_ABOUTBOX = 100;
constexpr unsigned IDD_SELECT = 159;  // the race dialog
constexpr unsigned IDB_BACKGROUND = 176;

// Menu commands.
constexpr unsigned ID_OPTIONS_SOUNDS = 32776;
constexpr unsigned ID_OPTIONS_CUSTOMKEYS = 32777;
constexpr unsigned ID_OPTIONS_SHOWSTATISTICS = 32779;
constexpr unsigned ID_FILE_SELECTRACE = 32780;
constexpr unsigned ID_OPTIONS_NOINTERSECT = 32783;
constexpr unsigned ID_FILE_NEWSTOPGAME = 32784;
constexpr unsigned ID_FILE_PAUSEGAME = 32788;
constexpr unsigned ID_OPTIONS_DARKENING = 32793;
constexpr unsigned ID_FILE_HISTORY = 32794;              // the History window, the program's own command
constexpr unsigned ID_OPTIONS_PRACTISESLOWKEYS = 32795;  // the program's own option
constexpr unsigned ID_APP_ABOUT = 57664;
constexpr unsigned ID_APP_EXIT = 57665;
