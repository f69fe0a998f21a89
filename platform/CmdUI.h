// Command routing: command targets and the command-update object that sets a menu
// item's text, check mark and enabled state.
#pragma once

#include <optional>
#include <string>

#include "platform/Win.h"

// What an update handler asked for; anything it did not set stays as the item had it.
class CCmdUI {
public:
    explicit CCmdUI(UINT nID) : m_nID(nID) {}

    void Enable(BOOL bOn = 1) { m_enabled = bOn != 0; }
    void SetCheck(int nCheck = 1) { m_checked = nCheck != 0; }
    void SetText(const char* text) { m_text = text; }

    UINT m_nID;
    std::optional<bool> m_enabled;
    std::optional<bool> m_checked;
    std::optional<std::string> m_text;
};

// Anything that handles commands: pCmdUI null runs command nID, otherwise asks for its
// menu state. Returns nonzero when this target handled the call.
class ICmdTarget {
public:
    virtual ~ICmdTarget() = default;
    virtual BOOL OnCmdMsg(UINT nID, CCmdUI* pCmdUI) = 0;
};

enum class CommandResult { Done, Disabled, Unhandled };

// Runs a command the way the framework does: the update handler first, and the command
// only if that left it enabled.
inline CommandResult RunCommand(ICmdTarget& target, UINT nID)
{
    CCmdUI state(nID);
    if (!target.OnCmdMsg(nID, &state))
        return CommandResult::Unhandled;
    if (state.m_enabled.has_value() && !*state.m_enabled)
        return CommandResult::Disabled;
    target.OnCmdMsg(nID, nullptr);
    return CommandResult::Done;
}
