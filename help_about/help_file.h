// The program's help: the help file RIZUV beside the program's executable, opened in the
// system's help viewer at a fixed placement.
#pragma once
#include <windows.h>

// Writes the directory part of pszSource (without the trailing backslash; a drive's colon
// stays) into pszDest. A source too long for the destination leaves it untouched; a name
// without any directory gives ".".
void StripFileName(const char* pszSource, char* pszDest, int nDestSize);

// Builds "<directory>\RIZUV" into pszHelpPath from pszModulePath, the program's full path.
// FALSE (and no path) when it would not fit nSize bytes, or when the module path itself does
// not fit MAX_PATH bytes.
BOOL MakeHelpPath(const char* pszModulePath, char* pszHelpPath, int nSize);

// Help button: opens the help file's contents at the fixed placement, for the page hWnd.
void ShowHelp(HWND hWnd);
// End of the run: tells the help viewer it is no longer needed.
void QuitHelp(HWND hWnd);
