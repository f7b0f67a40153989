// Property sheets and pages over comctl32: building the headers, binding the windows and
// turning the sheet's notifications into page calls.
#include "propsheet.h"

const CRuntimeClass CPropertyPage::classCPropertyPage = { "CPropertyPage", nullptr,
                                                          &CDialog::classCDialog };
const CRuntimeClass CPropertySheet::classCPropertySheet = { "CPropertySheet", nullptr,
                                                            &CWnd::classCWnd };

// The program has a single user interface thread and runs one sheet at a time.
CPropertySheet* CPropertySheet::s_pSheetRunning = nullptr;

CPropertyPage::CPropertyPage(UINT nIDTemplate) : CDialog(nIDTemplate)
{
}

BOOL CPropertyPage::OnSetActive()
{
    UpdateData(FALSE);
    return TRUE;
}

BOOL CPropertyPage::OnKillActive()
{
    return UpdateData(TRUE);
}

PROPSHEETPAGEA CPropertyPage::MakePageHeader()
{
    PROPSHEETPAGEA page = {};
    page.dwSize = sizeof(page);
    page.dwFlags = PSP_USECALLBACK;
    page.hInstance = GetModuleHandleA(nullptr);
    page.pszTemplate = MAKEINTRESOURCEA(m_nIDTemplate);
    page.pfnDlgProc = StdDlgProc;
    page.lParam = reinterpret_cast<LPARAM>(this);
    page.pfnCallback = PageCallback;
    return page;
}

// comctl32 creates a page's window only when its tab is first selected: the page object is
// parked just before, and its first message binds it.
UINT CALLBACK CPropertyPage::PageCallback(HWND, UINT message, PROPSHEETPAGEA* pPage)
{
    if (message == PSPCB_CREATE)
        ParkForCreation(reinterpret_cast<CPropertyPage*>(pPage->lParam));
    return TRUE;
}

BOOL CPropertyPage::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_NOTIFY) {
        const NMHDR* pHeader = reinterpret_cast<const NMHDR*>(lParam);
        if (pHeader->hwndFrom == GetParent(m_hWnd) && OnSheetNotify(pHeader, pResult))
            return TRUE;
    }
    return CDialog::OnWndMsg(message, wParam, lParam, pResult);
}

BOOL CPropertyPage::OnSheetNotify(const NMHDR* pHeader, LRESULT* pResult)
{
    switch (pHeader->code) {
    case PSN_SETACTIVE:
        *pResult = OnSetActive() ? 0 : -1;  // 0 accepts the activation, -1 refuses it
        return TRUE;
    case PSN_KILLACTIVE:
        *pResult = OnKillActive() ? FALSE : TRUE;  // TRUE keeps the page current
        return TRUE;
    case PSN_APPLY: {
        // Sent to every created page once all of them have agreed to be left; lParam is
        // TRUE when OK (not Apply) closes the sheet.
        CWnd* pSheet = FromHandle(pHeader->hwndFrom);
        if (reinterpret_cast<const PSHNOTIFY*>(pHeader)->lParam && pSheet &&
            pSheet->IsKindOf(&CPropertySheet::classCPropertySheet))
            static_cast<CPropertySheet*>(pSheet)->m_bClosedWithOK = TRUE;
        *pResult = PSNRET_NOERROR;
        return TRUE;
    }
    }
    return FALSE;
}

CPropertySheet::CPropertySheet(const char* pszCaption, CWnd* pParentWnd, UINT iSelectPage)
    : m_strCaption(pszCaption), m_pParentWnd(pParentWnd), m_nStartPage(iSelectPage)
{
}

BOOL CPropertySheet::AddPage(CPropertyPage* pPage)
{
    if (m_nPages == MAXPROPPAGES)
        return FALSE;
    m_pages[m_nPages++] = pPage;
    return TRUE;
}

INT_PTR CPropertySheet::DoModal()
{
    INITCOMMONCONTROLSEX controls = { sizeof(controls), ICC_TAB_CLASSES };
    InitCommonControlsEx(&controls);

    PROPSHEETPAGEA pages[MAXPROPPAGES];
    for (UINT i = 0; i < m_nPages; ++i)
        pages[i] = m_pages[i]->MakePageHeader();

    PROPSHEETHEADERA header = {};
    header.dwSize = sizeof(header);
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_USECALLBACK;
    header.hwndParent = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    header.hInstance = GetModuleHandleA(nullptr);
    header.pszCaption = m_strCaption;
    header.nPages = m_nPages;
    header.nStartPage = m_nStartPage;
    header.ppsp = pages;
    header.pfnCallback = SheetCallback;

    m_bClosedWithOK = FALSE;
    s_pSheetRunning = this;
    PropertySheetA(&header);
    s_pSheetRunning = nullptr;
    return m_bClosedWithOK ? IDOK : IDCANCEL;
}

BOOL CPropertySheet::OnInitDialog()
{
    return TRUE;  // comctl32 has already built the sheet
}

int CALLBACK CPropertySheet::SheetCallback(HWND hWnd, UINT message, LPARAM)
{
    if (message == PSCB_INITIALIZED && s_pSheetRunning) {
        s_pSheetRunning->SubclassWindow(hWnd);
        s_pSheetRunning->OnInitDialog();
    }
    return 0;
}
