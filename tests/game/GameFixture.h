// A game window on the headless platform, as a fresh program would have it.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "app/MainFrame.h"
#include "game/GameView.h"
#include "platform/headless/Headless.h"
#include "tests/TempDir.h"

class GameTest : public ::testing::Test {
public:
    // One paint of the whole field, as when the window is uncovered.
    void Paint()
    {
        m_platform.window.Expose(m_view->FieldRect());
        m_view->OnPaint();
    }

protected:
    GameTest() { m_platform.files = DiskFiles({m_folder.Path()}); }

    // Constructs the game window (reading the profile) with a field for this screen width.
    CGameView& Make(int cxScreen = 1024)
    {
        m_view = std::make_unique<CGameView>(m_platform.services);
        m_view->Create(m_platform.window);
        m_view->SetFieldSize(CMainFrame::FieldSizeFor(cxScreen));
        m_platform.window.SetClientSize(m_view->m_nWidth, m_view->m_nHeight);
        return *m_view;
    }
    CGameView& View() { return *m_view; }

    // One timer period: the clock moves 50 ms, the tick runs if the timer is set, and the
    // window is painted if the tick asked for it.
    void Tick(int count = 1)
    {
        for (int i = 0; i < count; ++i) {
            m_platform.clock.Advance(CGameView::TimerMs);
            if (m_platform.window.TimerSet())
                m_view->OnTimer(CGameView::GameTimerId);
            if (m_platform.window.Invalid())
                m_view->OnPaint();
        }
    }

    // Timer periods without the paints: the game's numbers run on, its circles stand still.
    void Timer(int count = 1)
    {
        for (int i = 0; i < count; ++i) {
            m_platform.clock.Advance(CGameView::TimerMs);
            if (m_platform.window.TimerSet())
                m_view->OnTimer(CGameView::GameTimerId);
        }
    }

    // A running game (on a new 1024-screen window if there is none) with the hotkey set of
    // race "df", and no welcome sound in the log.
    void StartGame(const std::string& keys = "QWERp")
    {
        if (!m_view)
            Make();
        m_folder.Write("res/keys_df.txt", keys);
        m_view->m_strRace = "df";
        m_view->NewGame();
        Events();
    }

    // Sets the clock to this many whole seconds after the game's start.
    void At(time64 seconds) { m_platform.clock.Set((m_view->m_tStart + seconds) * 1000); }

    // Presses the button the circle wants at its centre.
    void Hit(const CCircle& c)
    {
        c.m_bLeftButton ? m_view->OnLButtonDown(0, {c.m_nX, c.m_nY}) : m_view->OnRButtonDown(0, {c.m_nX, c.m_nY});
    }

    // Adds a growing circle at the tail of the list.
    CCircle& AddCircle(int x, int y, double radius, BOOL left, const std::string& label = "")
    {
        return m_view->m_listCircles.emplace_back(CCircle{x, y, radius, left, label, 1});
    }

    // The log lines since the last call, all of them or those starting with prefix.
    std::vector<std::string> Events() { return m_platform.log.Take(); }
    std::vector<std::string> EventsMatching(const std::string& prefix)
    {
        std::vector<std::string> lines = Events();
        std::erase_if(lines, [&](const std::string& line) { return line.rfind(prefix, 0) != 0; });
        return lines;
    }

    TempDir m_folder;
    HeadlessPlatform m_platform;
    std::unique_ptr<CGameView> m_view;
};

// The menu state of command nID as its update handler leaves it.
struct UiState {
    bool enabled;
    bool checked;
    std::string text;
};
inline UiState Update(CGameView& view, UINT nID)
{
    CCmdUI ui(nID);
    EXPECT_TRUE(view.OnCmdMsg(nID, &ui));
    return UiState{ui.m_enabled.value_or(true), ui.m_checked.value_or(false), ui.m_text.value_or("")};
}
