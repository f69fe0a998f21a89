// Playing a replay through the real game code on a platform that answers from the recording,
// and verifying it: the replayed game must keep the numbers the recorded one kept.
#pragma once

#include <memory>
#include <string>

#include "app/MainFrame.h"
#include "platform/replay/Playback.h"
#include "platform/replay/Replay.h"

struct ReplayOutcome {
    bool verified = false;
    // The first kept field that differs ("score", "average", ... "samples", "actions" ...);
    // "events" when the numbers agree but the replay went its own way; empty when verified.
    std::string field;
    // Why it is not verified, for the player: the first call or input that went differently.
    std::string reason;
    // What the replayed game kept, or its numbers when the recording ended before it did.
    KeptGame result;
};

class ReplayPlayer {
public:
    // The replay is played on a new frame and game window; the frames are painted on screen.
    ReplayPlayer(const Replay& replay, IPlaybackScreen& screen);
    ~ReplayPlayer();
    ReplayPlayer(const ReplayPlayer&) = delete;
    ReplayPlayer& operator=(const ReplayPlayer&) = delete;

    // Plays the next input and everything the game asks while handling it; false once the
    // replay is over (its game kept, or the recording played to its end).
    bool Step();
    // The input Step plays next (its time says when it came), or null.
    const ReplayEvent* NextInput() const;
    // Plays the rest and compares the result with the recorded one.
    ReplayOutcome Finish();
    // After Finish: paints the whole field once more, as the game window shows it once its game
    // is over (the result panel, as the player saw it). Nothing is compared any more.
    void PaintLastFrame();

    CGameView& View() { return m_frame->m_wndView; }

private:
    KeptGame m_summary;
    std::string m_problem;  // a recording that cannot be played
    std::unique_ptr<Playback> m_playback;
    std::unique_ptr<PlaybackServices> m_services;
    std::unique_ptr<CMainFrame> m_frame;
};

// What a player is told of the outcome: "Verified: the replay gives the same score, rates and
// graph", or "Not verified: " with the first field that differs and why.
std::string VerdictText(const ReplayOutcome& outcome);

// Plays the replay to its end without showing it (paints clipped to one pixel: they still age
// the circles) and verifies it.
ReplayOutcome VerifyReplay(const Replay& replay);

// The first field in which two kept games differ, in the order a difference is reported:
// score, average, best, last, accuracy, useful, misses, samples, actions (only when the kept
// game has them), play_seconds, started, ended, race, the options and the field; empty when
// they agree (their ids are not compared).
std::string FirstDifference(const KeptGame& kept, const KeptGame& replayed);
