// The game window's construction, destruction and field size.
#include "game/GameView.h"

#include "platform/dc/Dc.h"

std::string CharString(unsigned char c)
{
    return c == 0 ? std::string() : std::string(1, static_cast<char>(c));
}

CGameView::CGameView(GameServices& services)
    : m_pMemDC(std::make_unique<CDC>()), m_pBackBitmap(std::make_unique<CBitmap>()), m_sys(services)
{
    LoadSettings();
}

CGameView::~CGameView()
{
    // Closing the program during a game ends it without results: nothing but the settings
    // is written, and the circles go with the list.
    SaveSettings();
}

BOOL CGameView::Create(IWindowHost& host)
{
    AttachHost(&host);
    return 1;
}

void CGameView::SetFieldSize(const CSize& size)
{
    m_nWidth = size.cx;
    m_nHeight = size.cy;
    m_dUnit = m_nWidth * 0.05;
}

void CGameView::PlaySound(const char* file, SoundMode mode)
{
    if (m_bSounds)
        m_sys.sound.Play(file, mode);
}
