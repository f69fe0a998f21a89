// The replay player and the comparison of its result with the recorded one.
#include "app/ReplayPlayer.h"

#include <algorithm>
#include <cstring>

#include "app/GameInput.h"

std::string FirstDifference(const KeptGame& kept, const KeptGame& replayed)
{
    static constexpr const char* Order[] = {
        "score",        "average",     "best",         "last",    "accuracy", "useful", "misses",
        "samples",      "actions",     "play_seconds", "started", "ended",    "race",   "statistics",
        "no_intersect", "custom_keys", "darkening",    "sounds",  "width",    "height",
    };
    for (const char* name : Order) {
        if (std::strcmp(name, "samples") == 0) {
            if (kept.samples != replayed.samples)
                return name;
            continue;
        }
        // A game's actions are compared when they are known: the history keeps them, a
        // replay file does not.
        if (std::strcmp(name, "actions") == 0) {
            if (!kept.actions.empty() && kept.actions != replayed.actions)
                return name;
            continue;
        }
        if (std::strcmp(name, "race") == 0) {
            if (kept.race != replayed.race)
                return name;
            continue;
        }
        const auto number = std::find_if(std::begin(KeptNumbers), std::end(KeptNumbers),
                                         [&](const KeptNumber& n) { return std::strcmp(n.name, name) == 0; });
        if (kept.*(number->field) != replayed.*(number->field))
            return name;
    }
    return {};
}

ReplayPlayer::ReplayPlayer(const Replay& replay, IPlaybackScreen& screen) : m_summary(replay.summary)
{
    std::vector<ReplayEvent> events;
    if (!DecodeEvents(replay.events, events, m_problem)) {
        // Nothing of it is played: the game finds no answer to anything it asks.
        m_problem = "the recording is damaged: " + m_problem;
        events.clear();
    }
    m_playback = std::make_unique<Playback>(std::move(events));
    const CRect field{0, 0, replay.start.width, replay.start.height};
    m_services =
        std::make_unique<PlaybackServices>(*m_playback, screen, field, replay.summary.started, replay.format >= 2);
    // A frame with nothing behind it: the program's own commands (About, History, Exit) find no
    // handler and do nothing.
    m_frame = std::make_unique<CMainFrame>(m_services->Services(), nullptr);
    View().Create(m_services->Host());
    ApplyStart(View(), replay.start);
    m_playback->SetDispatch([this](const ReplayEvent& input) { DispatchInput(*m_frame, input); });
}

ReplayPlayer::~ReplayPlayer()
{
    // The game window goes before the services it uses.
    m_frame.reset();
}

bool ReplayPlayer::Step()
{
    return m_problem.empty() && m_playback->PlayNext();
}

const ReplayEvent* ReplayPlayer::NextInput() const
{
    return m_problem.empty() ? m_playback->NextInput() : nullptr;
}

ReplayOutcome ReplayPlayer::Finish()
{
    while (Step()) {
    }
    ReplayOutcome outcome;
    if (!m_problem.empty()) {
        outcome.field = "events";
        outcome.reason = m_problem;
        return outcome;
    }
    if (m_playback->KeptResult()) {
        outcome.result = *m_playback->KeptResult();
    } else {
        m_playback->Diverge("the recording ended before the replayed game did");
        outcome.result = View().KeptResult();
    }
    outcome.field = FirstDifference(m_summary, outcome.result);
    outcome.verified = outcome.field.empty() && !m_playback->Diverged();
    if (!outcome.verified && outcome.field.empty())
        outcome.field = "events";
    outcome.reason = m_playback->Divergence();
    return outcome;
}

void ReplayPlayer::PaintLastFrame()
{
    m_playback->Close();
    View().OnPaint();
}

std::string VerdictText(const ReplayOutcome& outcome)
{
    if (outcome.verified)
        return "Verified: the replay gives the same score, rates and graph";
    std::string text = outcome.field == "events" ? "Not verified: the replay went otherwise than the recording"
                                                 : "Not verified: the replay gives another " + outcome.field;
    return outcome.reason.empty() ? text : text + " (" + outcome.reason + ")";
}

ReplayOutcome VerifyReplay(const Replay& replay)
{
    MemoryScreen pixel(1, 1);
    ReplayPlayer player(replay, pixel);
    return player.Finish();
}
