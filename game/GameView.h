// The game window: every piece of game state, and the handlers that change it. Its methods
// live in this folder, a file per subsystem:
//   GameView.cpp   construction (the settings read), destruction (written), field size, sounds
//   LifeCycle.cpp  new game, stop, pause, activation and the time accounting of holds
//   Tick.cpp       the timer tick: spawning, the end rule, statistics slots, repaint requests
//   Hotkeys.cpp    reading the race's hotkey set
//   Input.cpp      keys arm a label; clicks are judged as hits, wrong clicks or empty clicks
//   Paint.cpp      the paint: back buffer, picture, DrawScene's steps, darkening, result panel
//   Circles.cpp    drawing a circle with its label, and ageing it (growing, shrinking, escaping)
//   Hud.cpp        the heads-up display
//   Options.cpp    menu commands and their update handlers, Select Race, the settings
//   Actions.*      the judged actions of a game, timed (kept with the game, not game state)
//   Practise.cpp   Practise Slow Keys: labels drawn toward the keys the player is slow at
//   DlgSelect.*    the race dialog's logic (the platform shows it)
// Drawing over plain data that needs no game window (the result graph, the history chart, the
// game's font) lives in render/.
#pragma once

#include <array>
#include <list>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "game/Actions.h"
#include "platform/CmdUI.h"
#include "platform/GameServices.h"
#include "platform/Win.h"
#include "platform/Window.h"
#include "res/Races.h"

class CBitmap;
class CDC;

// One target circle.
struct CCircle {
    int m_nX = 0;  // centre, field pixels
    int m_nY = 0;
    double m_dRadius = 0.0;  // 3.0 at the spawn, grows to m_dUnit, then shrinks away
    BOOL m_bLeftButton = 0;  // 1: wants the left button, 0: the right one
    std::string m_strLabel;  // key label, empty for a mouse-only circle
    BOOL m_bGrowing = 0;
};

// Circles in order of creation: oldest at the head. The list owns them.
using CCircleList = std::list<CCircle>;

// Tick and hold bookkeeping that outlives games: it lives as long as the game window, which is
// as long as the program, and a new window starts from zero.
struct ProgramState {
    int s_nSlotTicks = 0;  // running ticks since the last slot closed, 0 to 5
    int s_nEndTicks = 0;   // running ticks since the end counter last rose, 0 to 20
    BOOL s_bWasHeld = 0;   // a tick found the game held: the next running tick sleeps first
    time64 s_tHoldStart = 0;
};

// What a game takes over from the time before it began that the platform does not give it
// again: the field, the options and the race as the fields hold them, the tick and hold
// bookkeeping, the frame's activation, and the rate samples earlier games left beyond this
// game's own (never shown, but part of the window's state). A replay sets it on a fresh window
// so that the game starts where it started.
struct CarriedState {
    CSize field;
    std::array<BOOL, 5> options{};  // statistics, no-intersect, custom keys, darkening, sounds
    std::string race;
    ProgramState program;
    BOOL frameActive = 1;
    std::vector<int> rateHistory;  // m_anApmHistory without its trailing zeros
};

// One entry of the statistics ring; a slot lasts six running ticks.
struct SLOT {
    time64 tStart = 0;
    int nUseful = 0;       // useful actions of the hits made while the slot was current
    double dPaused = 0.0;  // minutes of holds that ended while the slot was current
};

class CGameView : public CWnd, public ICmdTarget {
public:
    static constexpr int MaxKeys = MaxHotkeyLabels;
    static constexpr int SlotCount = 128;
    static constexpr int HistorySize = 1024;
    static constexpr UINT_PTR GameTimerId = 1;
    static constexpr UINT TimerMs = 50;
    static constexpr double MinutesPerSecond = 0.016666666666666666;
    static constexpr const char* SettingsSection = "Settings";  // of the profile

    explicit CGameView(GameServices& services);
    ~CGameView() override;
    CGameView(const CGameView&) = delete;
    CGameView& operator=(const CGameView&) = delete;

    // The frame creates the window once and sets the field size at its first activation.
    BOOL Create(IWindowHost& host);
    void SetFieldSize(const CSize& size);
    // The state the next game takes over, and setting it on a window that has not run a game.
    CarriedState Carried() const;
    void Restore(const CarriedState& state);

    // Game life cycle (LifeCycle.cpp).
    void NewGame();
    // Ends the game; with bShowResult its results are shown and the game is kept in the history.
    void StopGame(const BOOL& bShowResult);
    // The finished game as the history keeps it, from the fields as they are now.
    KeptGame KeptResult() const;
    void OnNewStopGame();
    void OnPauseGame();
    // The frame's activation as a state: active, or not (inactive or minimised).
    void OnActivateChange(BOOL bActive);
    // The time accounting after m_bPaused or m_bActive changed; bWasHeld: held before.
    void OnHoldChange(const BOOL& bWasHeld);
    static double SecondsBetween(const time64& a, const time64& b);

    // Tick and spawning (Tick.cpp).
    void OnTimer(UINT_PTR nIDEvent);
    void SpawnCircle(BOOL bLeftButton, BOOL bWantLabel);

    // Key presses and click judging (Input.cpp).
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnRButtonDown(UINT nFlags, CPoint point);
    void OnRButtonDblClk(UINT nFlags, CPoint point);
    void JudgeClick(CPoint point, BOOL bLeftButton);

    // Painting (Paint.cpp, Circles.cpp, Hud.cpp).
    void OnPaint();
    virtual void DrawScene(CDC* pDC);
    static std::string GetKeyName(char ch, const std::string& label);
    // n points on a circular arc, angles in degrees, clockwise on the screen.
    static void GetArcPoints(int cx, int cy, int r, double start, double sweep, int n, CPoint* points);

    // Menu commands and their update handlers (Options.cpp).
    BOOL OnCmdMsg(UINT nID, CCmdUI* pCmdUI) override;
    void OnShowStatistics();
    void OnNoIntersect();
    void OnCustomKeys();
    void OnDarkening();
    void OnSounds();
    void OnSelectRace();
    void OnUpdateNewStopGame(CCmdUI* pCmdUI);
    void OnUpdatePauseGame(CCmdUI* pCmdUI);
    void OnUpdateSelectRace(CCmdUI* pCmdUI);
    void OnUpdateShowStatistics(CCmdUI* pCmdUI);
    void OnUpdateNoIntersect(CCmdUI* pCmdUI);
    void OnUpdateCustomKeys(CCmdUI* pCmdUI);
    void OnUpdateDarkening(CCmdUI* pCmdUI);
    void OnUpdateSounds(CCmdUI* pCmdUI);
    void OnPractiseSlowKeys();
    void OnUpdatePractiseSlowKeys(CCmdUI* pCmdUI);

    // Game state, in declaration order.
    int m_nWidth = 0;
    int m_nHeight = 0;
    double m_dUnit = 0.0;
    BOOL m_bShowStatistics = 1;
    BOOL m_bNoIntersect = 1;
    BOOL m_bCustomKeys = 0;
    BOOL m_bDarkening = 1;
    BOOL m_bSounds = 1;
    std::string m_strRace;
    CCircleList m_listCircles;
    std::unique_ptr<CDC> m_pMemDC;           // the back buffer's context, made at the first paint
    std::unique_ptr<CBitmap> m_pBackBitmap;  // the back buffer, field-sized
    std::array<int, HistorySize> m_anApmHistory{};
    int m_nApmSamples = 0;
    BOOL m_bPaused = 0;
    BOOL m_bActive = 1;
    double m_dPausedMinutes = 0.0;
    std::array<std::string, MaxKeys> m_astrKeys;
    int m_nKeys = 0;
    std::array<SLOT, SlotCount> m_aSlots{};
    int m_nSlot = 0;
    int m_nApm = 0;
    int m_nApmAverage = 0;
    int m_nAccuracy = 0;
    int m_nApmMax = 0;
    int m_nEndCounter = 0;
    int m_nUsefulTotal = 0;
    int m_nUsefulWindow = 0;
    int m_nMisses = 0;
    BOOL m_bRunning = 0;
    BOOL m_bShowResult = 0;
    BOOL m_bHistoryStarted = 0;
    int m_nScore = 0;
    time64 m_tStart = 0;
    time64 m_tEnd = 0;
    UINT_PTR m_nTimerId = 0;
    std::string m_strLastKey;

    BOOL IsHeld() const { return m_bPaused || !m_bActive ? 1 : 0; }
    CRect FieldRect() const { return CRect{0, 0, m_nWidth, m_nHeight}; }

    // What the front ends read of the game window.
    CSize FieldSize() const { return CSize{m_nWidth, m_nHeight}; }
    const std::string& Race() const { return m_strRace; }
    bool IsGamePaused() const { return m_bRunning && m_bPaused; }
    const ProgramState& Program() const { return m_program; }
    // The judged actions of the running or last game.
    const std::vector<KeptAction>& Actions() const { return m_actions.List(); }
    // The option Practise Slow Keys (Options menu), kept in its own settings entry.
    bool PractiseSlowKeys() const { return m_practiseSlowKeys; }
    static constexpr const char* PractiseEntry = "PractiseSlowKeys";
    // How many kept games the practise weights are taken from.
    static constexpr int PractiseGames = 10;
    // The practise weights of the running or last game, per label of its set; empty when the
    // game draws its labels as without the option.
    const std::vector<int>& LabelWeights() const { return m_practiseWeights; }
    // Every later game draws with these weights instead of reading the history (a replay gives
    // its game the weights the recorded game had). Weights that do not fit the game's hotkey
    // set, one for each label and none below 1, count as none.
    void GivePractiseWeights(std::vector<int> weights);

private:
    void DrawDarkening(CDC* pDC) const;
    void DrawCircle(CDC* pDC, const CCircle& circle) const;
    bool AgeCircle(CCircle& circle);        // one frame of a circle's life; true when it escapes
    void EndGame(const BOOL& bShowResult);  // StopGame without keeping the game
    void DrawResult(CDC* pDC) const;
    void DrawHud(CDC* pDC) const;
    void ReadHotkeySet();
    void CloseSlot();
    void PlaySound(const char* file, SoundMode mode);
    void LoadSettings();
    void SaveSettings();
    // The label of a new labelled circle: the game's own draw, or the practise's weighted one.
    const std::string& DrawLabel();
    // At a new game: the weights of the hotkey set's labels, while Practise Slow Keys applies.
    void PreparePractise();

    GameServices& m_sys;
    ProgramState m_program;
    // The frame's activation as last reported; a new game takes it over as m_bActive.
    BOOL m_bFrameActive = 1;
    CActions m_actions;
    bool m_practiseSlowKeys = false;
    bool m_practiseStored = false;                    // the profile held the entry: it is written back
    std::vector<int> m_practiseWeights;               // per label of the set; empty: the game's own draw
    std::optional<std::vector<int>> m_givenPractise;  // set by GivePractiseWeights
};

// A one-character string of the byte c, as assigning a character to a string gives it:
// the zero byte makes an empty string.
std::string CharString(unsigned char c);
