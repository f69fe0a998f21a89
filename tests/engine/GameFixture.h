// A game window on the headless platform, as a fresh program would have it.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "game/GameView.h"
#include "platform/headless/Headless.h"

// A temporary folder holding res/ files for one test.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    void Write(const std::string& relative, const std::string& bytes) const;

private:
    std::filesystem::path m_path;
};

class GameTest : public ::testing::Test {
public:
    // One paint of the whole field, as when the window is uncovered.
    void Paint();

protected:
    GameTest();

    // Constructs the game window (reading the profile) with a field for this screen width.
    CGameView& Make(int cxScreen = 1024);
    CGameView& View() { return *m_view; }

    // One timer period: the clock moves 50 ms, the tick runs if the timer is set, and the
    // window is painted if the tick asked for it.
    void Tick(int count = 1);
    // A running game with the hotkey set of race "df" and no welcome sound in the log.
    void StartGame(const std::string& keys = "QWERp");
    // Adds a circle at the tail of the list.
    CCircle& AddCircle(int x, int y, double radius, BOOL left, const std::string& label = "");
    // The log lines since the last call.
    std::vector<std::string> Events() { return m_platform.log.Take(); }
    std::vector<std::string> EventsMatching(const std::string& prefix);

    TempFolder m_folder;
    HeadlessPlatform m_platform;
    std::unique_ptr<CGameView> m_view;
};

// The menu state of command nID as its update handler leaves it.
struct UiState {
    bool enabled;
    bool checked;
    std::string text;
};
UiState Update(CGameView& view, UINT nID);
