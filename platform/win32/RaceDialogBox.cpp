// The race dialog's procedure: Cancel's state on opening, and what each button does.
#include "platform/win32/RaceDialogBox.h"

#include <algorithm>

namespace {
struct Run {
    const RaceDialogDescription& dialog;
    std::optional<std::string> chosen;
};

const DialogControl* ControlOf(const RaceDialogDescription& dialog, int nID)
{
    for (const DialogControl& control : dialog.controls) {
        if (control.nID == nID && control.kind != DialogControl::Kind::GroupBox)
            return &control;
    }
    return nullptr;
}

INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(window, DWLP_USER, lParam);
        const Run& run = *reinterpret_cast<Run*>(lParam);
        for (const DialogControl& control : run.dialog.controls) {
            if (control.kind == DialogControl::Kind::CancelButton)
                EnableWindow(GetDlgItem(window, control.nID), run.dialog.cancelEnabled);
        }
        CentreOverOwner(window);
        return TRUE;
    }
    if (message != WM_COMMAND)
        return FALSE;
    auto* run = reinterpret_cast<Run*>(GetWindowLongPtrA(window, DWLP_USER));
    int nID = LOWORD(wParam);
    // Enter comes as IDOK when the dialog has no default button (Wine sends it so even while
    // a race button has the focus): it presses the button that has the focus.
    HWND focus = GetFocus();
    if (nID == IDOK && IsChild(window, focus))
        nID = GetDlgCtrlID(focus);
    const DialogControl* control = run ? ControlOf(run->dialog, nID) : nullptr;
    if (control && control->kind == DialogControl::Kind::RaceButton) {
        run->chosen = control->race;
        EndDialog(window, IDOK);
    } else if (nID == IDCANCEL && run && run->dialog.cancelEnabled) {
        // Escape and the close box arrive as IDCANCEL too.
        EndDialog(window, IDCANCEL);
    }
    return TRUE;
}
}  // namespace

std::optional<std::string> RaceDialogBox::Choose(const RaceDialogDescription& dialog)
{
    Run run{dialog, std::nullopt};
    DialogBoxParamA(m_instance, MAKEINTRESOURCEA(dialog.nIDTemplate), m_owner, Procedure,
                    reinterpret_cast<LPARAM>(&run));
    return run.chosen;
}

void CentreOverOwner(HWND dialog)
{
    RECT box{}, over{};
    GetWindowRect(dialog, &box);
    HWND owner = GetWindow(dialog, GW_OWNER);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromWindow(owner ? owner : dialog, MONITOR_DEFAULTTOPRIMARY), &monitor);
    if (!owner || !GetWindowRect(owner, &over))
        over = monitor.rcWork;
    const LONG width = box.right - box.left, height = box.bottom - box.top;
    const RECT& work = monitor.rcWork;
    const LONG left =
        std::clamp((over.left + over.right - width) / 2, work.left, std::max(work.left, work.right - width));
    const LONG top =
        std::clamp((over.top + over.bottom - height) / 2, work.top, std::max(work.top, work.bottom - height));
    SetWindowPos(dialog, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
