// Data exchange for bound controls and check boxes.
#include "ddx.h"

#include "wnd.h"

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (!rControl.m_hWnd)
        rControl.SubclassDlgItem(nIDC, pDX->m_pDlgWnd);
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hDlg = pDX->m_pDlgWnd->m_hWnd;
    if (pDX->m_bSaveAndValidate)
        value = static_cast<int>(SendDlgItemMessageA(hDlg, nIDC, BM_GETCHECK, 0, 0));
    else
        SendDlgItemMessageA(hDlg, nIDC, BM_SETCHECK, value, 0);
}
