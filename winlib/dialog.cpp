// Modal dialogs, their initialisation data and their OK/Cancel commands.
#include "dialog.h"

#include "app.h"

namespace {

// Resource type of a dialog's list initialisation data.
const WORD kDlgInitResourceType = 240;
// The data names the 16-bit Windows number of a combo box's "add string" message.
const WORD kDlgInitComboAddString = 0x0403;

HWND DefaultOwner(const CWnd* pDialog)
{
    CWinApp* pApp = AfxGetApp();
    if (!pApp || !pApp->m_pMainWnd || pApp->m_pMainWnd == pDialog || !pApp->m_pMainWnd->m_hWnd)
        return nullptr;
    return GetLastActivePopup(pApp->m_pMainWnd->m_hWnd);
}

}  // namespace

const CRuntimeClass CDialog::classCDialog = { "CDialog", nullptr, &CWnd::classCWnd };

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd)
{
}

INT_PTR CDialog::DoModal()
{
    HWND hOwner = m_pParentWnd ? m_pParentWnd->m_hWnd : DefaultOwner(this);
    m_bEnded = FALSE;
    ParkForCreation(this);
    INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(m_nIDTemplate),
                                     hOwner, StdDlgProc, 0);
    ParkForCreation(nullptr);
    return result;
}

void CDialog::EndDialog(int nResult)
{
    m_bEnded = TRUE;
    ::EndDialog(m_hWnd, nResult);
}

BOOL CDialog::OnInitDialog()
{
    ExecuteDlgInit();
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    UpdateData(TRUE);
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

// The initialisation data is a run of records: WORD item id, WORD message, DWORD length,
// then that many bytes passed as lParam; a zero item id ends it.
void CDialog::ExecuteDlgInit()
{
    HINSTANCE hInstance = GetModuleHandleA(nullptr);
    HRSRC hResource = FindResourceA(hInstance, MAKEINTRESOURCEA(m_nIDTemplate),
                                    MAKEINTRESOURCEA(kDlgInitResourceType));
    if (!hResource)
        return;
    const BYTE* pData = static_cast<const BYTE*>(LockResource(LoadResource(hInstance, hResource)));
    const BYTE* pEnd = pData + SizeofResource(hInstance, hResource);
    while (pData && pData + 2 * sizeof(WORD) + sizeof(DWORD) <= pEnd) {
        WORD nID = *reinterpret_cast<const WORD*>(pData);
        WORD nMessage = *reinterpret_cast<const WORD*>(pData + sizeof(WORD));
        DWORD nLength = *reinterpret_cast<const DWORD*>(pData + 2 * sizeof(WORD));
        pData += 2 * sizeof(WORD) + sizeof(DWORD);
        if (nID == 0 || pData + nLength > pEnd)
            break;
        UINT message = nMessage == kDlgInitComboAddString ? CB_ADDSTRING : nMessage;
        SendDlgItemMessageA(m_hWnd, nID, message, 0, reinterpret_cast<LPARAM>(pData));
        pData += nLength;
    }
}

BOOL CDialog::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (CWnd::OnWndMsg(message, wParam, lParam, pResult))
        return TRUE;
    switch (message) {
    case WM_INITDIALOG:
        *pResult = OnInitDialog();
        return TRUE;
    case WM_WINDOWPOSCHANGING:
        // A dialog ended during its initialisation would still be shown by the dialog
        // manager on its way out (Wine does): it stays hidden.
        if (m_bEnded)
            reinterpret_cast<WINDOWPOS*>(lParam)->flags &= ~SWP_SHOWWINDOW;
        return FALSE;
    case WM_COMMAND:
        if (HIWORD(wParam) != BN_CLICKED)
            return FALSE;
        if (LOWORD(wParam) == IDOK) {
            OnOK();
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            OnCancel();
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}
