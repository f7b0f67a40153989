// Binding windows to objects, the window procedures and message-map dispatch.
#include "wnd.h"

#include <assert.h>
#include <stdlib.h>

#include "app.h"
#include "ddx.h"

namespace {

// The handle-to-object map: the object each bound window routes its messages to. The program
// binds a few dozen windows on its one user interface thread, so a short array searched in
// place serves; a window property would cost a round trip to the window server per lookup
// under Wine.
struct Binding {
    HWND hWnd;
    CWnd* pWnd;
};
Binding* g_pBindings = nullptr;
int g_nBindings = 0;
int g_nBindingCapacity = 0;

bool AddBinding(HWND hWnd, CWnd* pWnd)
{
    if (g_nBindings == g_nBindingCapacity) {
        int capacity = g_nBindingCapacity ? 2 * g_nBindingCapacity : 32;
        Binding* pGrown = static_cast<Binding*>(realloc(g_pBindings, capacity * sizeof(Binding)));
        if (!pGrown)
            return false;
        g_pBindings = pGrown;
        g_nBindingCapacity = capacity;
    }
    g_pBindings[g_nBindings++] = { hWnd, pWnd };
    return true;
}

void RemoveBinding(HWND hWnd)
{
    for (int i = 0; i < g_nBindings; ++i) {
        if (g_pBindings[i].hWnd == hWnd) {
            g_pBindings[i] = g_pBindings[--g_nBindings];
            break;
        }
    }
    if (g_nBindings == 0) {
        free(g_pBindings);
        g_pBindings = nullptr;
        g_nBindingCapacity = 0;
    }
}

CWnd* LookUpBinding(HWND hWnd)
{
    for (int i = 0; i < g_nBindings; ++i)
        if (g_pBindings[i].hWnd == hWnd)
            return g_pBindings[i].pWnd;
    return nullptr;
}

bool Matches(const AFX_MSGMAP_ENTRY& entry, UINT message, WPARAM wParam)
{
    if (entry.nMessage != message)
        return false;
    return message != WM_COMMAND || (entry.nID == LOWORD(wParam) && entry.nCode == HIWORD(wParam));
}

}  // namespace

const CRuntimeClass CWnd::classCWnd = { "CWnd", nullptr, &CObject::classCObject };

// The program has a single user interface thread, so one slot serves every dialog creation.
CWnd* CWnd::s_pWndParked = nullptr;

CWnd::~CWnd()
{
    // A window must never outlive the object it routes its messages to.
    if (m_hWnd)
        Detach();
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    return hWnd ? LookUpBinding(hWnd) : nullptr;
}

BOOL CWnd::Attach(HWND hWnd)
{
    if (!AddBinding(hWnd, this))
        return FALSE;
    m_hWnd = hWnd;
    return TRUE;
}

// Ends the binding: the window gets its own procedure back and no longer names this object.
void CWnd::Detach()
{
    if (m_pfnSuper) {
        SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
        m_pfnSuper = nullptr;
    }
    RemoveBinding(m_hWnd);
    m_hWnd = nullptr;
}

void CWnd::ParkForCreation(CWnd* pWnd)
{
    s_pWndParked = pWnd;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!hWnd || m_hWnd || !Attach(hWnd))
        return FALSE;
    m_pfnSuper = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(StdWndProc)));
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    assert(::IsWindow(pParent->m_hWnd));
    return SubclassWindow(GetDlgItem(pParent->m_hWnd, nID));
}

// WM_NCDESTROY is the last message a window receives: the binding ends here, and with the
// main window the program's message loop.
void CWnd::OnFinalMessage()
{
    Detach();

    CWinApp* pApp = AfxGetApp();
    if (pApp && pApp->m_pMainWnd == this) {
        pApp->m_pMainWnd = nullptr;
        PostQuitMessage(0);
    }
}

LRESULT CALLBACK CWnd::StdWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = FromHandle(hWnd);
    if (!pWnd)
        return DefWindowProcA(hWnd, message, wParam, lParam);

    LRESULT result = 0;
    if (!pWnd->OnWndMsg(message, wParam, lParam, &result))
        result = CallWindowProcA(pWnd->m_pfnSuper, hWnd, message, wParam, lParam);
    if (message == WM_NCDESTROY)
        pWnd->OnFinalMessage();
    return result;
}

INT_PTR CALLBACK CWnd::StdDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = FromHandle(hWnd);
    if (!pWnd && s_pWndParked && s_pWndParked->Attach(hWnd)) {
        pWnd = s_pWndParked;
        s_pWndParked = nullptr;
    }
    if (!pWnd)
        return FALSE;

    LRESULT result = 0;
    BOOL handled = pWnd->OnWndMsg(message, wParam, lParam, &result);
    if (message == WM_NCDESTROY)
        pWnd->OnFinalMessage();
    if (!handled)
        return FALSE;  // the dialog manager's default processing
    // WM_INITDIALOG answers directly; every other handled message answers through
    // DWLP_MSGRESULT, and this is the one place that writes it.
    if (message == WM_INITDIALOG)
        return result;
    SetWindowLongPtrA(hWnd, DWLP_MSGRESULT, result);
    return TRUE;
}

const AFX_MSGMAP* CWnd::GetMessageMap() const
{
    return GetThisMessageMap();
}

const AFX_MSGMAP* CWnd::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {
        { 0, 0, 0, AfxSig::Command, nullptr, nullptr, nullptr },
    };
    static const AFX_MSGMAP map = { nullptr, entries };
    return &map;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap;
         pMap = pMap->pfnGetBaseMap ? pMap->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* pEntry = pMap->lpEntries; pEntry->nMessage; ++pEntry) {
            if (Matches(*pEntry, message, wParam)) {
                *pResult = 0;
                return Dispatch(*pEntry, wParam, lParam);
            }
        }
    }
    return FALSE;
}

// Calls an entry's handler with the message's arguments unpacked. FALSE lets the default
// processing run as well: a show-window handler only listens.
BOOL CWnd::Dispatch(const AFX_MSGMAP_ENTRY& entry, WPARAM wParam, LPARAM lParam)
{
    switch (entry.nSig) {
    case AfxSig::Command:
    case AfxSig::Paint:
        (this->*entry.pfn)();
        return TRUE;
    case AfxSig::SharedCommand:
        entry.pfnShared();
        return TRUE;
    case AfxSig::ShowWindow:
        (this->*entry.pfnShowWindow)(static_cast<BOOL>(wParam), static_cast<UINT>(lParam));
        return FALSE;
    }
    return FALSE;
}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return TRUE;
}

void CWnd::DoDataExchange(CDataExchange*)
{
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    assert(::IsWindow(m_hWnd));
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

void CWnd::SetWindowText(const char* pszText)
{
    assert(::IsWindow(m_hWnd));
    ::SetWindowTextA(m_hWnd, pszText);
}

void CWnd::GetWindowText(CString& rText) const
{
    assert(::IsWindow(m_hWnd));
    int size = ::GetWindowTextLengthA(m_hWnd) + 1;
    char* pszBuffer = static_cast<char*>(malloc(size));
    if (!pszBuffer)
        return;
    ::GetWindowTextA(m_hWnd, pszBuffer, size);
    rText = pszBuffer;
    free(pszBuffer);
}

void CWnd::GetWindowRect(LPRECT lpRect) const
{
    assert(::IsWindow(m_hWnd));
    ::GetWindowRect(m_hWnd, lpRect);
}

void CWnd::ScreenToClient(LPRECT lpRect) const
{
    assert(::IsWindow(m_hWnd));
    ::ScreenToClient(m_hWnd, reinterpret_cast<POINT*>(&lpRect->left));
    ::ScreenToClient(m_hWnd, reinterpret_cast<POINT*>(&lpRect->right));
}
