// The game window's construction, destruction and field size.
#include "game/GameView.h"

#include <algorithm>
#include <iterator>

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

CarriedState CGameView::Carried() const
{
    auto last = m_anApmHistory.end();
    while (last != m_anApmHistory.begin() && *std::prev(last) == 0)
        --last;
    return CarriedState{FieldSize(),    {m_bShowStatistics, m_bNoIntersect, m_bCustomKeys, m_bDarkening, m_bSounds},
                        m_strRace,      m_program,
                        m_bFrameActive, std::vector<int>(m_anApmHistory.begin(), last)};
}

void CGameView::Restore(const CarriedState& state)
{
    SetFieldSize(state.field);
    m_bShowStatistics = state.options[0];
    m_bNoIntersect = state.options[1];
    m_bCustomKeys = state.options[2];
    m_bDarkening = state.options[3];
    m_bSounds = state.options[4];
    m_strRace = state.race;
    m_program = state.program;
    m_bFrameActive = state.frameActive;
    m_anApmHistory.fill(0);
    std::copy_n(state.rateHistory.begin(), std::min<std::size_t>(state.rateHistory.size(), HistorySize),
                m_anApmHistory.begin());
}

void CGameView::PlaySound(const char* file, SoundMode mode)
{
    if (m_bSounds)
        m_sys.sound.Play(file, mode);
}
