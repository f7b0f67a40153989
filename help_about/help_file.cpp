// Locating the help file and driving the help viewer.
#include "help_file.h"

#include <string.h>

namespace {

char g_szModulePath[MAX_PATH];
char g_szHelpPath[MAX_PATH];

// Built anew before every call to the viewer, from wherever the program runs now. A module
// path cut short by the buffer would name the wrong directory: then there is no help path.
BOOL BuildHelpPath()
{
    DWORD length = GetModuleFileNameA(nullptr, g_szModulePath, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return FALSE;
    return MakeHelpPath(g_szModulePath, g_szHelpPath, MAX_PATH);
}

}  // namespace

void StripFileName(const char* pszSource, char* pszDest, int nDestSize)
{
    int length = static_cast<int>(strlen(pszSource));
    if (length >= nDestSize)
        return;
    memcpy(pszDest, pszSource, length + 1);

    for (int i = length - 1; i >= 0; --i) {
        if (pszDest[i] == '\\') {
            pszDest[i] = '\0';
            return;
        }
        if (pszDest[i] == ':') {
            pszDest[i + 1] = '\0';
            return;
        }
    }
    lstrcpynA(pszDest, ".", nDestSize);  // a bare file name lies in the current directory
}

BOOL MakeHelpPath(const char* pszModulePath, char* pszHelpPath, int nSize)
{
    static const char kHelpFileName[] = "\\RIZUV";
    // A module path the directory buffer cannot take would leave the directory empty and give
    // "\RIZUV", a wrong place: then there is no help path.
    if (strlen(pszModulePath) >= MAX_PATH)
        return FALSE;
    char szDirectory[MAX_PATH] = "";
    StripFileName(pszModulePath, szDirectory, MAX_PATH);
    size_t directoryLength = strlen(szDirectory);
    if (directoryLength + sizeof(kHelpFileName) > static_cast<size_t>(nSize))
        return FALSE;
    memcpy(pszHelpPath, szDirectory, directoryLength);
    memcpy(pszHelpPath + directoryLength, kHelpFileName, sizeof(kHelpFileName));
    return TRUE;
}

void ShowHelp(HWND hWnd)
{
    if (!BuildHelpPath())
        return;  // no path the viewer could be given

    HELPWININFOA placement = {};
    placement.wStructSize = sizeof(placement);
    placement.x = 50;
    placement.y = 30;
    placement.dx = 950;
    placement.dy = 950;
    placement.wMax = SW_SHOW;
    // rgchMember stays empty: the main help window.

    WinHelpA(hWnd, g_szHelpPath, HELP_SETWINPOS, reinterpret_cast<ULONG_PTR>(&placement));
    WinHelpA(hWnd, g_szHelpPath, HELP_CONTENTS, 0);
}

void QuitHelp(HWND hWnd)
{
    if (BuildHelpPath())
        WinHelpA(hWnd, g_szHelpPath, HELP_QUIT, 0);
}
