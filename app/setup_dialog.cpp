// The configuration run.
#include "setup_dialog.h"

#include <shlwapi.h>

#include "app/config_app.h"
#include "app/config_dialog.h"
#include "app/product.h"
#include "help_about/help_file.h"
#include "pages/adapter_resources_page.h"
#include "pages/isdn_config_page.h"
#include "resource.h"
#include "store/adapter_params.h"
#include "store/settings.h"

namespace {

void OpenAdapterKey()
{
    FormatAdapterKeyPath(g_nAdapterIndex);
    if (RegOpenKeyA(HKEY_LOCAL_MACHINE, g_szAdapterKeyPath, &g_hAdapterKey) == ERROR_SUCCESS)
        return;
    char szClass[] = "driver";
    DWORD disposition = 0;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, g_szAdapterKeyPath, 0, szClass,
                        REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &g_hAdapterKey,
                        &disposition) != ERROR_SUCCESS)
        g_hAdapterKey = nullptr;  // the run goes on with the read defaults
}

}  // namespace

CSetupDialog::CSetupDialog(CWnd* pParent) : CDialog(IDD_SETUP, pParent)
{
    g_nAdapterIndex = 0;
}

CSetupDialog::~CSetupDialog()
{
    QuitHelp(m_hWnd);
    RegCloseKey(g_hAdapterKey);
    g_hAdapterKey = nullptr;
}

BOOL CSetupDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    OpenAdapterKey();

    char szTitle[80];
    wnsprintfA(szTitle, sizeof(szTitle), "%s Adapter [%d] Configuration", kProductName,
               g_nAdapterIndex);

    CConfigDialog sheet(szTitle, this, 0);
    CAdapterResourcesDialog adapterResourcesPage;
    CISDNConfigDialog isdnPage;
    sheet.AddPage(&adapterResourcesPage);
    sheet.AddPage(&isdnPage);

    if (sheet.DoModal() != IDOK) {
        EndDialog(IDCANCEL);
    } else if (CommitSettings()) {
        EndDialog(IDOK);
    } else {
        MessageBoxA(nullptr, "The adapter settings could not be saved.", kMessageCaption,
                    MB_OK | MB_ICONSTOP);
        EndDialog(IDABORT);
    }
    return TRUE;
}
