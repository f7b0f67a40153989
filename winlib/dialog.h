// CDialog: a dialog box made from a dialog template resource.
#pragma once
#include <windows.h>
#include "wnd.h"

class CDialog : public CWnd {
public:
    // nIDTemplate names the dialog template; a dialog without a parent is owned by the
    // main window's active pop-up when it runs.
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);

    static const CRuntimeClass classCDialog;
    const CRuntimeClass* GetRuntimeClass() const override { return &classCDialog; }

    // Runs the dialog modally; returns the code given to EndDialog, or -1 when the
    // dialog could not be created.
    virtual INT_PTR DoModal();
    // Ends a modal dialog with nResult; its window is destroyed when DoModal returns.
    void EndDialog(int nResult);

    // WM_INITDIALOG: fills the lists from the template's initialisation data, then loads
    // the controls through the data exchange. TRUE lets the dialog manager set the focus.
    virtual BOOL OnInitDialog();

protected:
    // The dialog's OK and Cancel commands (also Enter, Escape and the close box).
    virtual void OnOK();
    virtual void OnCancel();

    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    UINT m_nIDTemplate;

private:
    void ExecuteDlgInit();

    CWnd* m_pParentWnd;
    BOOL m_bEnded = FALSE;  // EndDialog was called: the dialog must not be shown any more
};
