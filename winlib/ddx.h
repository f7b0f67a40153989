// Dialog data exchange: binding dialog items to control objects and moving values between
// controls and variables, in the direction the exchange context names.
#pragma once
#include <windows.h>

class CWnd;

class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
        : m_pDlgWnd(pDlgWnd), m_bSaveAndValidate(bSaveAndValidate) {}

    CWnd* m_pDlgWnd;          // the dialog whose items are exchanged
    BOOL m_bSaveAndValidate;  // TRUE: controls to variables; FALSE: variables to controls
};

// Binds rControl to dialog item nIDC unless it is bound already; the binding ends when the
// item's window is destroyed.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
// Exchanges a check box's state (0 or 1) with value.
void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
