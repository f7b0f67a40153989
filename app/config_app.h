// The application object and the capture of the adapter number from the command line.
#pragma once
#include "app.h"

// The adapter this run configures: the first command-line argument's number, 0 without one.
extern int g_nAdapterIndex;

// Keeps the first command-line argument (flag or not, without its leading '-' or '/').
class CConfigCommandLineInfo : public CCommandLineInfo {
public:
    void ParseParam(const char* pszParam, BOOL bFlag, BOOL bLast) override;

    int m_nCaptured = 0;         // 1 once the first argument has been kept
    char m_szCaptured[256] = ""; // that argument, cut to 255 characters
};

class CConfigApp : public CWinApp {
public:
    BOOL InitInstance() override;
    // 1 when the user's settings could not be saved, otherwise the framework's exit code.
    int ExitInstance() override;

private:
    BOOL m_bSaveFailed = FALSE;
};
