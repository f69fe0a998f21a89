// Reading the hotkey set of the current race: every byte of its file is one key label.
#include "game/GameView.h"
#include "res/Races.h"

void CGameView::ReadHotkeySet()
{
    const std::string name = HotkeySetFile(m_strRace);
    std::unique_ptr<IFileReader> file = m_sys.files.OpenRead(name);
    if (!file) {
        m_sys.messages.Show("Cannot open the file " + name);
        return;
    }
    // The table holds MaxKeys labels; bytes beyond them are ignored.
    unsigned char byte = 0;
    while (m_nKeys < MaxKeys && file->Read(&byte, 1) == 1)
        m_astrKeys[m_nKeys++] = CharString(byte);
}
