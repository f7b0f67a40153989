// CWnd: a C++ object bound to a window. Binding, the window procedures and the three-stage
// dispatch (object -> message map chain -> default processing) all live here.
#pragma once
#include <windows.h>
#include "cstring.h"
#include "msgmap.h"
#include "runtime_class.h"

class CDataExchange;

class CWnd : public CObject {
public:
    HWND m_hWnd = nullptr;

    CWnd() = default;
    ~CWnd() override;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    static const CRuntimeClass classCWnd;
    const CRuntimeClass* GetRuntimeClass() const override { return &classCWnd; }

    // The object bound to hWnd, or null when the window has none.
    static CWnd* FromHandle(HWND hWnd);

    // Binds this object to dialog item nID of pParent and routes its messages through the
    // object's message map; the binding ends when the window is destroyed.
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    // As SubclassDlgItem, for a window already known by handle.
    BOOL SubclassWindow(HWND hWnd);

    // Runs DoDataExchange: bSaveAndValidate TRUE copies controls to variables, FALSE the reverse.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    virtual void DoDataExchange(CDataExchange* pDX);

    // Thin wrappers over the Win32 calls of the same name; the object must be bound.
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    void SetWindowText(const char* pszText);
    void GetWindowText(CString& rText) const;
    void GetWindowRect(LPRECT lpRect) const;
    void ScreenToClient(LPRECT lpRect) const;

protected:
    // Message-map stage: TRUE when the message was handled, with its result in *pResult.
    // Derived classes add built-in handling (dialog initialisation, sheet notifications)
    // and fall back to this.
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual const AFX_MSGMAP* GetMessageMap() const;
    static const AFX_MSGMAP* GetThisMessageMap();

    // A dialog's window procedure: claims the window for the object parked by the creator,
    // dispatches, and reports the result the way the dialog manager expects it.
    static INT_PTR CALLBACK StdDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    // Parks the object whose dialog is about to be created; its first message binds it.
    static void ParkForCreation(CWnd* pWnd);

private:
    static LRESULT CALLBACK StdWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    BOOL Attach(HWND hWnd);
    void Detach();
    void OnFinalMessage();
    BOOL Dispatch(const AFX_MSGMAP_ENTRY& entry, WPARAM wParam, LPARAM lParam);

    WNDPROC m_pfnSuper = nullptr;  // procedure of a subclassed window, for default processing
    static CWnd* s_pWndParked;
};
