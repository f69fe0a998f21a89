// The main frame: holds the game window, sizes the play field from the screen, remembers
// its position in the profile, and routes commands, focus and activation to the game window.
#pragma once

#include <string>

#include "game/GameView.h"
#include "platform/CmdUI.h"
#include "platform/FrameHost.h"

class CMainFrame : public ICmdTarget {
public:
    static constexpr const char* TitleText = "Orbicle";  // string 128

    // pNext receives the commands that neither the game window nor the frame handles.
    CMainFrame(GameServices& services, ICmdTarget* pNext);
    ~CMainFrame() override = default;

    // Play field from the screen width: width = cx * 22 / 32, height = width * 3 / 4.
    static CSize FieldSizeFor(int cxFullScreen);
    // The largest field of the shape every field has (height = width * 3 / 4), no wider than
    // field, that fits the room: field itself when it fits.
    static CSize FitField(CSize field, CSize room);

    // Creates the game window as the frame's only child, sizes the field from the screen and
    // places the frame at its stored corner. Returns 0: nothing in it can fail.
    int OnCreate(IFrameHost& frame, IWindowHost& viewHost);
    // Stores the restored rectangle's corner as "Left" and "Top".
    void OnDestroy();
    BOOL OnCmdMsg(UINT nID, CCmdUI* pCmdUI) override;
    // The frame's activation changed: nState WA_INACTIVE or WA_ACTIVE. The frame counts as
    // active when it is the active window and not minimised; the game window is told that
    // state, and holds or resumes its game when it really changed.
    void OnActivate(UINT nState, BOOL bMinimized);
    // The frame's title: the program's name, marked while the game is paused.
    std::string Title() const;

    CGameView m_wndView;

private:
    void PlaceFrame();

    GameServices& m_sys;
    ICmdTarget* m_pNext;
    IFrameHost* m_pFrame = nullptr;
};
