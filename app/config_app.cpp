// Start-up: the adapter number from the command line, then the configuration run inside
// the host dialog.
#include "config_app.h"

#include "app/setup_dialog.h"
#include "store/adapter_params.h"

int g_nAdapterIndex = 0;

CConfigApp theApp;

void CConfigCommandLineInfo::ParseParam(const char* pszParam, BOOL, BOOL)
{
    if (m_nCaptured)
        return;
    m_nCaptured = 1;
    lstrcpynA(m_szCaptured, pszParam, sizeof(m_szCaptured));
}

BOOL CConfigApp::InitInstance()
{
    Enable3dControlsStatic();

    CConfigCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);

    CSetupDialog dlg;  // resets the adapter index, so the command line's number comes after
    m_pMainWnd = &dlg;
    if (cmdInfo.m_szCaptured[0])
        g_nAdapterIndex = DecimalToInt(cmdInfo.m_szCaptured);

    INT_PTR result = dlg.DoModal();
    if (result == -1) {
        // The host never existed, so no window will end the message loop: end here.
        m_pMainWnd = nullptr;
        return FALSE;
    }
    m_bSaveFailed = result == IDABORT;
    return TRUE;
}

int CConfigApp::ExitInstance()
{
    int exitCode = CWinApp::ExitInstance();
    return m_bSaveFailed ? 1 : exitCode;
}
