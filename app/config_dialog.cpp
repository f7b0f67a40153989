// The configuration sheet's button row.
#include "config_dialog.h"

namespace {

// comctl32's Apply button.
const int kApplyButtonId = 0x3021;

RECT ChildRectInClient(HWND hParent, HWND hChild)
{
    RECT rect;
    GetWindowRect(hChild, &rect);
    MapWindowPoints(nullptr, hParent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void MoveTo(HWND hWnd, const RECT& rect)
{
    MoveWindow(hWnd, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
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
    RECT applyRect = ChildRectInClient(m_hWnd, hApply);
    RECT cancelRect = ChildRectInClient(m_hWnd, hCancel);

    ShowWindow(hApply, SW_HIDE);
    MoveTo(hCancel, applyRect);
    MoveTo(hOK, cancelRect);
    return TRUE;
}
