// The shared page commands.
#include "page_commands.h"

#include "app.h"
#include "help_about/about_dialog.h"
#include "pages/page_globals.h"
#include "resource.h"

void OnDefaults()
{
    if (g_nActivePage == kAdapterResourcesPage) {
        g_cboRingPattern.SendMessage(CB_SETCURSEL, 0);  // "Pattern 1"
        g_cboInterrupt.SendMessage(CB_SETCURSEL, 2);    // "10"
        g_cboIOBase.SendMessage(CB_SETCURSEL, 1);       // "320"
    } else {
        g_cboSwitchType.SendMessage(CB_SETCURSEL, 1);       // "National ISDN"
        g_cboNumPhoneNumbers.SendMessage(CB_SETCURSEL, 0);  // "1"
    }
    // Selecting by message raises no CBN_SELCHANGE, so the enabling follows here.
    UpdateSecondNumberControls();
}

void OnWinMSD()
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOW;
    PROCESS_INFORMATION process = {};
    char szCommandLine[] = "winmsd";  // CreateProcessA may write to its command line

    if (!CreateProcessA(nullptr, szCommandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        AfxMessageBox(IDS_WINMSD_FAILED, MB_OK);
        return;
    }
    WaitForInputIdle(process.hProcess, 10000);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
}

void OnAbout()
{
    CAboutDialog about;
    about.DoModal();
}

void UpdateSecondNumberControls()
{
    if (g_nActivePage != kISDNParametersPage)
        return;
    BOOL enable = CurSel(g_cboNumPhoneNumbers) > 0;  // CB_ERR counts as "1"
    EnableWindow(g_lblSPID2.m_hWnd, enable);
    EnableWindow(g_edtSPID2.m_hWnd, enable);
    EnableWindow(g_edtPhone2.m_hWnd, enable);
    EnableWindow(g_lblPhone2.m_hWnd, enable);
}
