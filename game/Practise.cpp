// Practise Slow Keys: with Custom Keys, a labelled circle draws its key weighted toward the
// keys whose median reaction was slowest over the last kept games; every key keeps a floor
// weight. Off, the label is the game's own draw.
#include <algorithm>

#include "game/GameView.h"
#include "render/KeyStats.h"

void CGameView::PreparePractise()
{
    m_practiseWeights.clear();
    if (!m_practiseSlowKeys || !m_bCustomKeys || m_nKeys == 0)
        return;
    const std::vector<KeptGame> games = m_sys.history.Games();
    std::vector<KeptAction> actions;
    const std::size_t first = games.size() - std::min<std::size_t>(games.size(), PractiseGames);
    for (std::size_t i = first; i < games.size(); ++i) {
        const std::vector<KeptAction> own = m_sys.history.Actions(games[i].id);
        actions.insert(actions.end(), own.begin(), own.end());
    }
    std::vector<unsigned char> labels;
    for (int i = 0; i < m_nKeys; ++i)
        labels.push_back(m_astrKeys[i].empty() ? 0 : static_cast<unsigned char>(m_astrKeys[i][0]));
    m_practiseWeights = PractiseWeights(CollectKeyStats(actions), labels);
}

const std::string& CGameView::DrawLabel()
{
    if (m_practiseWeights.empty())
        return m_astrKeys[m_sys.random.rand() % m_nKeys];
    int total = 0;
    for (const int weight : m_practiseWeights)
        total += weight;
    // One draw of the game's 15-bit rand, as the plain draw takes.
    return m_astrKeys[WeightedIndex(m_practiseWeights, m_sys.random.rand() % total)];
}
