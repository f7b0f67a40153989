// The floor the configuration program is measured against: the least a two-page comctl32
// property sheet costs on this platform. It is built with the program's own resources and
// title, opens (or creates) the same adapter parameter key, and reads and writes nothing.
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>
#include <stdlib.h>

namespace {

const UINT kPageTemplates[] = { 136, 137 };  // Adapter Resources, ISDN Parameters

// Pages without code: the dialog manager does everything, including the focus.
INT_PTR CALLBACK BarePageProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

}  // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int)
{
    const char* pszArg = __argc > 1 ? __argv[1] : "0";
    if (*pszArg == '-' || *pszArg == '/')
        ++pszArg;
    int nAdapter = atoi(pszArg);

    // The key is held open for the run, as the program holds it.
    char szKeyPath[80];
    wsprintfA(szKeyPath, "SYSTEM\\CurrentControlSet\\Services\\HVNBRI%d\\Parameters", nAdapter);
    HKEY hKey = nullptr;
    if (RegOpenKeyA(HKEY_LOCAL_MACHINE, szKeyPath, &hKey) != ERROR_SUCCESS) {
        char szClass[] = "driver";
        if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, szKeyPath, 0, szClass, REG_OPTION_NON_VOLATILE,
                            KEY_ALL_ACCESS, nullptr, &hKey, nullptr) != ERROR_SUCCESS)
            hKey = nullptr;
    }

    char szTitle[80];
    wsprintfA(szTitle, "Kestrin 128K BRI Adapter [%d] Configuration", nAdapter);

    INITCOMMONCONTROLSEX controls = { sizeof(controls), ICC_TAB_CLASSES };
    InitCommonControlsEx(&controls);

    PROPSHEETPAGEA pages[2] = {};
    for (int i = 0; i < 2; ++i) {
        pages[i].dwSize = sizeof(pages[i]);
        pages[i].hInstance = hInstance;
        pages[i].pszTemplate = MAKEINTRESOURCEA(kPageTemplates[i]);
        pages[i].pfnDlgProc = BarePageProc;
    }

    PROPSHEETHEADERA header = {};
    header.dwSize = sizeof(header);
    header.dwFlags = PSH_PROPSHEETPAGE;
    header.hInstance = hInstance;
    header.pszCaption = szTitle;
    header.nPages = 2;
    header.ppsp = pages;
    PropertySheetA(&header);

    if (hKey)
        RegCloseKey(hKey);
    return 0;
}
