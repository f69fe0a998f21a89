// The main frame's start-up, position memory and routing.
#include "app/MainFrame.h"

#include <algorithm>

namespace {
const char* const Section = CGameView::SettingsSection;
// The frame's outer size is the field plus these, whatever the platform's borders are.
constexpr int ExtraWidth = 12;
constexpr int ExtraHeight = 60;
// A stored corner further out than this lies off every display anyway; held within it, the
// corner plus the frame's size always fits an int.
constexpr int CornerLimit = 1'000'000;

int StoredCoordinate(IProfile& profile, const char* entry, int def)
{
    return std::clamp(profile.GetInt(Section, entry, def), -CornerLimit, CornerLimit);
}
}  // namespace

CMainFrame::CMainFrame(GameServices& services, ICmdTarget* pNext) : m_wndView(services), m_sys(services), m_pNext(pNext)
{
}

CSize CMainFrame::FieldSizeFor(int cxFullScreen)
{
    const int width = cxFullScreen * 22 / 32;
    return CSize{width, width * 3 / 4};
}

CSize CMainFrame::FitField(CSize field, CSize room)
{
    // The widest width whose height, width * 3 / 4 truncated, is at most room.cy.
    const long long widest = (4LL * room.cy + 3) / 3;
    const int width = static_cast<int>(std::clamp<long long>(std::min<long long>(room.cx, widest), 0, field.cx));
    return CSize{width, width * 3 / 4};
}

int CMainFrame::OnCreate(IFrameHost& frame, IWindowHost& viewHost)
{
    m_pFrame = &frame;
    m_wndView.Create(viewHost);
    PlaceFrame();
    return 0;
}

void CMainFrame::PlaceFrame()
{
    const int left = StoredCoordinate(m_sys.profile, "Left", DefaultFrameCorner.x);
    const int top = StoredCoordinate(m_sys.profile, "Top", DefaultFrameCorner.y);
    const CSize field =
        FitField(FieldSizeFor(m_pFrame->GetFullScreenWidth()), m_pFrame->GetFieldRoom(CPoint{left, top}));
    m_wndView.SetFieldSize(field);
    m_pFrame->SetNormalRect(CRect{left, top, left + field.cx + ExtraWidth, top + field.cy + ExtraHeight});
}

void CMainFrame::OnDestroy()
{
    if (!m_pFrame)
        return;
    const CRect rect = m_pFrame->GetNormalRect();
    m_sys.profile.WriteInt(Section, "Left", rect.left);
    m_sys.profile.WriteInt(Section, "Top", rect.top);
}

BOOL CMainFrame::OnCmdMsg(UINT nID, CCmdUI* pCmdUI)
{
    if (m_wndView.OnCmdMsg(nID, pCmdUI))
        return 1;
    return m_pNext ? m_pNext->OnCmdMsg(nID, pCmdUI) : 0;
}

void CMainFrame::OnActivate(UINT nState, BOOL bMinimized)
{
    m_wndView.OnActivateChange(nState != WA_INACTIVE && !bMinimized);
}

std::string CMainFrame::Title() const
{
    const bool paused = m_wndView.IsGamePaused();
    return paused ? std::string(TitleText) + " (paused)" : TitleText;
}
