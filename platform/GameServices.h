// Everything the game window asks of the platform besides its own window.
#pragma once

#include "platform/Clock.h"
#include "platform/CrtRand.h"
#include "platform/Files.h"
#include "platform/History.h"
#include "platform/MessageBox.h"
#include "platform/Profile.h"
#include "platform/RaceDialog.h"
#include "platform/Sound.h"

struct GameServices {
    IClock& clock;
    CrtRand& random;
    ISound& sound;
    IFiles& files;
    IMessageBox& messages;
    IProfile& profile;
    IRaceDialog& raceDialog;
    IHistory& history;  // where each game whose results are shown is kept
};
