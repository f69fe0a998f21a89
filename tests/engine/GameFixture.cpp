// The headless game fixture shared by the engine tests.
#include "tests/engine/GameFixture.h"

#include <random>

#include "app/MainFrame.h"

TempFolder::TempFolder()
{
    std::random_device seed;
    m_path = std::filesystem::temp_directory_path() / ("orbicle-test-" + std::to_string(seed()));
    std::filesystem::create_directories(m_path / "res");
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

void TempFolder::Write(const std::string& relative, const std::string& bytes) const
{
    std::ofstream(m_path / relative, std::ios::binary) << bytes;
}

GameTest::GameTest()
{
    CGameView::ResetProgramState();
    m_platform.files = DiskFiles({m_folder.Path()});
}

CGameView& GameTest::Make(int cxScreen)
{
    m_view = std::make_unique<CGameView>(m_platform.services);
    m_view->Create(m_platform.window);
    m_view->SetFieldSize(CMainFrame::FieldSizeFor(cxScreen));
    m_platform.window.SetClientSize(m_view->m_nWidth, m_view->m_nHeight);
    return *m_view;
}

void GameTest::Tick(int count)
{
    for (int i = 0; i < count; ++i) {
        m_platform.clock.Advance(CGameView::TimerMs);
        if (m_platform.window.TimerSet())
            m_view->OnTimer(CGameView::GameTimerId);
        if (m_platform.window.Invalid())
            m_view->OnPaint();
    }
}

void GameTest::Paint()
{
    m_platform.window.Expose(m_view->FieldRect());
    m_view->OnPaint();
}

void GameTest::StartGame(const std::string& keys)
{
    if (!m_view)
        Make();
    m_folder.Write("res/keys_df.txt", keys);
    m_view->m_strRace = "df";
    m_view->NewGame();
    Events();
}

CCircle& GameTest::AddCircle(int x, int y, double radius, BOOL left, const std::string& label)
{
    CCircle circle;
    circle.m_nX = x;
    circle.m_nY = y;
    circle.m_dRadius = radius;
    circle.m_bLeftButton = left;
    circle.m_strLabel = label;
    circle.m_bGrowing = 1;
    return m_view->m_listCircles.emplace_back(std::move(circle));
}

std::vector<std::string> GameTest::EventsMatching(const std::string& prefix)
{
    std::vector<std::string> matching;
    for (const std::string& line : Events()) {
        if (line.rfind(prefix, 0) == 0)
            matching.push_back(line);
    }
    return matching;
}

UiState Update(CGameView& view, UINT nID)
{
    CCmdUI ui(nID);
    EXPECT_TRUE(view.OnCmdMsg(nID, &ui));
    return UiState{ui.m_enabled.value_or(true), ui.m_checked.value_or(false), ui.m_text.value_or("")};
}
