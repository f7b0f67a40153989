// The application object, the entry point and the message loop.
#include "app.h"

#include <stdlib.h>
#include <string.h>

namespace {
CWinApp* g_pApp = nullptr;
}

CWinApp::CWinApp()
{
    g_pApp = this;
}

CWinApp::~CWinApp()
{
    g_pApp = nullptr;
}

CWinApp* AfxGetApp()
{
    return g_pApp;
}

void CWinApp::InitTitle()
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    const char* name = path;
    for (const char* p = path; *p; ++p)
        if (*p == '\\' || *p == '/' || *p == ':')
            name = p + 1;
    lstrcpynA(m_szTitle, name, MAX_PATH);
    if (char* extension = strrchr(m_szTitle, '.'))
        *extension = '\0';
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::Run()
{
    while (GetMessageA(&m_msgCur, nullptr, 0, 0) > 0) {
        TranslateMessage(&m_msgCur);
        DispatchMessageA(&m_msgCur);
    }
    return ExitInstance();
}

int CWinApp::ExitInstance()
{
    return m_msgCur.message == WM_QUIT ? static_cast<int>(m_msgCur.wParam) : 0;
}

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo)
{
    for (int i = 1; i < __argc; ++i) {
        const char* pszParam = __argv[i];
        BOOL bFlag = pszParam[0] == '-' || pszParam[0] == '/';
        if (bFlag)
            ++pszParam;
        rCmdInfo.ParseParam(pszParam, bFlag, i + 1 == __argc);
    }
}

int AfxMessageBox(UINT nIDPrompt, UINT nType)
{
    char text[512] = "";
    LoadStringA(GetModuleHandleA(nullptr), nIDPrompt, text, sizeof(text));
    if ((nType & MB_ICONMASK) == 0 && (nType & MB_TYPEMASK) == MB_OK)
        nType |= MB_ICONEXCLAMATION;

    CWinApp* pApp = AfxGetApp();
    HWND hOwner = nullptr;
    if (pApp && pApp->m_pMainWnd && pApp->m_pMainWnd->m_hWnd)
        hOwner = GetLastActivePopup(pApp->m_pMainWnd->m_hWnd);
    return MessageBoxA(hOwner, text, pApp ? pApp->GetTitle() : "", nType);
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    CWinApp* pApp = AfxGetApp();
    if (!pApp)
        return 1;
    pApp->InitTitle();
    if (!pApp->InitInstance())
        return pApp->ExitInstance();
    return pApp->Run();
}
