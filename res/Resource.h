// Resource and command identifiers of the program.
#pragma once

#include "platform/Win.h"

constexpr UINT IDR_MAINFRAME = 128;  // menu, icon and title
constexpr UINT IDD_ABOUTBOX = 100;
constexpr UINT IDD_SELECT = 159;
constexpr UINT IDC_CURSOR_HU = 164;
constexpr UINT IDC_CURSOR_NE = 165;
constexpr UINT IDC_CURSOR_OR = 166;
constexpr UINT IDC_CURSOR_UD = 167;
constexpr UINT IDC_CURSOR_DF = 169;
constexpr UINT IDB_BACKGROUND = 176;

// Menu commands.
constexpr UINT ID_OPTIONS_SOUNDS = 32776;
constexpr UINT ID_OPTIONS_CUSTOMKEYS = 32777;
constexpr UINT ID_OPTIONS_SHOWSTATISTICS = 32779;
constexpr UINT ID_FILE_SELECTRACE = 32780;
constexpr UINT ID_OPTIONS_NOINTERSECT = 32783;
constexpr UINT ID_FILE_NEWSTOPGAME = 32784;
constexpr UINT ID_FILE_PAUSEGAME = 32788;
constexpr UINT ID_OPTIONS_DARKENING = 32793;
constexpr UINT ID_APP_ABOUT = 57664;
constexpr UINT ID_APP_EXIT = 57665;
