// CPropertySheet and CPropertyPage: a tabbed dialog over comctl32's property sheet.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>
#include "cstring.h"
#include "dialog.h"

class CPropertyPage : public CDialog {
public:
    explicit CPropertyPage(UINT nIDTemplate);

    static const CRuntimeClass classCPropertyPage;
    const CRuntimeClass* GetRuntimeClass() const override { return &classCPropertyPage; }

    // PSN_SETACTIVE: the page becomes the current one. Loads the controls through the data
    // exchange; TRUE accepts the activation.
    virtual BOOL OnSetActive();
    // PSN_KILLACTIVE: the page is being left for another tab, or OK was pressed on it.
    // Saves the controls through the data exchange; FALSE keeps the page current and
    // cancels OK.
    virtual BOOL OnKillActive();

protected:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

private:
    friend class CPropertySheet;
    PROPSHEETPAGEA MakePageHeader();
    BOOL OnSheetNotify(const NMHDR* pHeader, LRESULT* pResult);
    static UINT CALLBACK PageCallback(HWND hWnd, UINT message, PROPSHEETPAGEA* pPage);
};

class CPropertySheet : public CWnd {
public:
    // pszCaption is the sheet's title; iSelectPage the index of the page shown first.
    CPropertySheet(const char* pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);

    static const CRuntimeClass classCPropertySheet;
    const CRuntimeClass* GetRuntimeClass() const override { return &classCPropertySheet; }

    // Adds a page as the next tab; the page object must outlive DoModal. FALSE when the
    // sheet already holds as many pages as comctl32 takes.
    BOOL AddPage(CPropertyPage* pPage);
    // Runs the sheet modally; IDOK when it was closed with OK, IDCANCEL otherwise
    // (Cancel, Escape, the close box, or a sheet that could not be created).
    INT_PTR DoModal();

    // Called once comctl32 has built the sheet: its tabs, its first page and its buttons.
    virtual BOOL OnInitDialog();

private:
    friend class CPropertyPage;
    static int CALLBACK SheetCallback(HWND hWnd, UINT message, LPARAM lParam);

    CString m_strCaption;
    CWnd* m_pParentWnd;
    UINT m_nStartPage;
    CPropertyPage* m_pages[MAXPROPPAGES] = {};
    UINT m_nPages = 0;
    BOOL m_bClosedWithOK = FALSE;  // set when the pages are told that OK closes the sheet
    static CPropertySheet* s_pSheetRunning;
};
