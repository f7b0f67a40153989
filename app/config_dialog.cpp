// The configuration sheet's button row.
#include "config_dialog.h"

namespace {

// comctl32's Apply button.
const int kApplyButtonId = 0x3021;

void MoveTo(HWND hWnd, const RECT& rect)
{
    MoveWindow(hWnd, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
}

// The sheet's owner is never shown, so the sheet would open in the screen's corner: it goes to
// the middle of the work area of the screen it is on instead.
void CenterOnScreen(HWND hWnd)
{
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof(monitor);
    if (!GetMonitorInfoA(MonitorFromWindow(hWnd, MONITOR_DEFAULTTOPRIMARY), &monitor))
        return;
    const RECT& work = monitor.rcWork;
    RECT window;
    GetWindowRect(hWnd, &window);
    int x = work.left + ((work.right - work.left) - (window.right - window.left)) / 2;
    int y = work.top + ((work.bottom - work.top) - (window.bottom - window.top)) / 2;
    SetWindowPos(hWnd, nullptr, x > work.left ? x : work.left, y > work.top ? y : work.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

const CRuntimeClass CConfigDialog::classCConfigDialog = {
    "CConfigDialog", nullptr, &CPropertySheet::classCPropertySheet };

CConfigDialog::CConfigDialog(const char* pszCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet(pszCaption, pParentWnd, iSelectPage)
{
}

// The settings are applied only when the sheet closes, so Apply has no use: it goes, Cancel
// takes its place and OK takes Cancel's.
BOOL CConfigDialog::OnInitDialog()
{
    CPropertySheet::OnInitDialog();

    HWND hApply = GetDlgItem(m_hWnd, kApplyButtonId);
    HWND hCancel = GetDlgItem(m_hWnd, IDCANCEL);
    HWND hOK = GetDlgItem(m_hWnd, IDOK);
    RECT applyRect, cancelRect;
    ::GetWindowRect(hApply, &applyRect);
    ::GetWindowRect(hCancel, &cancelRect);
    ScreenToClient(&applyRect);
    ScreenToClient(&cancelRect);

    ShowWindow(hApply, SW_HIDE);
    MoveTo(hCancel, applyRect);
    MoveTo(hOK, cancelRect);

    CenterOnScreen(m_hWnd);
    return TRUE;
}
