// windows.h for the Windows platform and program, without the macros that would rename the
// program's own names (min and max, CGameView::PlaySound, the activation states of Win.h, the
// dialog results of CDlgSelect).
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#undef PlaySound  // the system's is PlaySoundA
// platform/Win.h declares these with the same values.
#undef WA_INACTIVE
#undef WA_ACTIVE
#undef IDOK
#undef IDCANCEL
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
