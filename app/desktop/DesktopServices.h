// Everything the game asks of the platform, in its desktop form.
#pragma once

#include <filesystem>
#include <memory>
#include <vector>

#include "app/App.h"
#include "platform/DiskFiles.h"
#include "platform/GameServices.h"
#include "platform/History.h"
#include "platform/desktop/ConfigProfile.h"
#include "platform/desktop/MessageBoxes.h"
#include "platform/desktop/RaceDialogWindow.h"
#include "platform/desktop/SdlSound.h"
#include "platform/desktop/WallClock.h"
#include "platform/history/SqliteHistory.h"

struct DesktopServices {
    // resourceBases: where res/... is looked up, in order.
    explicit DesktopServices(std::vector<std::filesystem::path> resourceBases) : files(std::move(resourceBases)) {}

    WallClock clock;
    CrtRand random;
    DiskFiles files;
    SdlSound sound{files};
    WxMessageBox messages;
    ConfigProfile profile{COrbicleApp::AppName};
    RaceDialogWindow raceDialog;
    std::unique_ptr<IHistory> history = OpenDefaultHistory();
    GameServices game{clock, random, sound, files, messages, profile, raceDialog, *history};
};
