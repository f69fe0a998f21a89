// Inputs to the game, recorded when a recording is on.
#include "app/GameInput.h"

void GameInput::Timer(UINT_PTR nIDEvent)
{
    Run(MakeEvent(EventKind::Timer, static_cast<std::int64_t>(nIDEvent)));
}

void GameInput::Paint()
{
    Run(MakeEvent(EventKind::Paint));
}

void GameInput::Press(MouseButton button, bool dbl, CPoint point)
{
    ReplayEvent e = MakeEvent(EventKind::Press, button == MouseButton::Right ? 1 : 0);
    e.extra = dbl ? 1 : 0;
    e.point = point;
    Run(e);
}

void GameInput::Key(UINT nChar)
{
    Run(MakeEvent(EventKind::Key, nChar));
}

CommandResult GameInput::Command(UINT nID)
{
    return Run(MakeEvent(EventKind::Command, nID));
}

void GameInput::Activate(bool active)
{
    Run(MakeEvent(EventKind::Activate, active ? 1 : 0));
}

CommandResult GameInput::Run(const ReplayEvent& input)
{
    if (!m_recorder || !m_recorder->Enabled())
        return DispatchInput(m_frame, input);
    // A game that starts within this input starts from the state before it.
    const CGameView& view = m_frame.m_wndView;
    std::optional<ReplayStart> before;
    if (m_recorder->Outermost() && !view.m_bRunning)
        before = StartOf(view);
    m_recorder->BeginInput(input);
    const CommandResult result = DispatchInput(m_frame, input);
    const bool started = before && view.m_bRunning;
    // The weights Practise Slow Keys took from the history as the game started.
    if (started)
        before->practiseWeights = view.LabelWeights();
    m_recorder->EndInput(started ? before : std::nullopt, view.m_bRunning != 0);
    return result;
}

CommandResult DispatchInput(CMainFrame& frame, const ReplayEvent& input)
{
    CGameView& view = frame.m_wndView;
    switch (input.kind) {
    case EventKind::Timer: view.OnTimer(static_cast<UINT_PTR>(input.value)); break;
    case EventKind::Paint: view.OnPaint(); break;
    case EventKind::Press:
        if (input.value == 0)
            input.extra ? view.OnLButtonDblClk(0, input.point) : view.OnLButtonDown(0, input.point);
        else
            input.extra ? view.OnRButtonDblClk(0, input.point) : view.OnRButtonDown(0, input.point);
        break;
    case EventKind::Key: view.OnKeyDown(static_cast<UINT>(input.value), 1, 0); break;
    case EventKind::Command: return RunCommand(frame, static_cast<UINT>(input.value));
    case EventKind::Activate: frame.OnActivate(input.value ? WA_ACTIVE : WA_INACTIVE, 0); break;
    default: break;
    }
    return CommandResult::Done;
}

ReplayStart StartOf(const CGameView& view)
{
    const CarriedState carried = view.Carried();
    ReplayStart start;
    start.width = carried.field.cx;
    start.height = carried.field.cy;
    for (std::size_t i = 0; i < start.options.size(); ++i)
        start.options[i] = carried.options[i];
    start.race = carried.race;
    start.slotTicks = carried.program.s_nSlotTicks;
    start.endTicks = carried.program.s_nEndTicks;
    start.wasHeld = carried.program.s_bWasHeld;
    start.holdStart = carried.program.s_tHoldStart;
    start.frameActive = carried.frameActive;
    start.rateHistory = carried.rateHistory;
    return start;
}

void ApplyStart(CGameView& view, const ReplayStart& start)
{
    CarriedState carried;
    carried.field = CSize{start.width, start.height};
    for (std::size_t i = 0; i < start.options.size(); ++i)
        carried.options[i] = start.options[i];
    carried.race = start.race;
    carried.program = ProgramState{start.slotTicks, start.endTicks, start.wasHeld, start.holdStart};
    carried.frameActive = start.frameActive;
    carried.rateHistory = start.rateHistory;
    view.Restore(carried);
    view.GivePractiseWeights(start.practiseWeights);
}
