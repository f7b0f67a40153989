// CWinApp: the application object, the program's entry point and message loop;
// CCommandLineInfo: receives the command-line arguments one at a time.
#pragma once
#include <windows.h>
#include "wnd.h"

class CCommandLineInfo {
public:
    virtual ~CCommandLineInfo() = default;

    // Called once per argument after the program name, in order. pszParam has a leading
    // '-' or '/' removed, in which case bFlag is TRUE; bLast is TRUE for the last argument.
    // The base takes no argument.
    virtual void ParseParam(const char*, BOOL, BOOL) {}
};

class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // The program's main window; when it is destroyed, the message loop ends.
    CWnd* m_pMainWnd = nullptr;

    // Called once at start-up; FALSE ends the program at once.
    virtual BOOL InitInstance();
    // The message loop; returns the program's exit code from ExitInstance.
    virtual int Run();
    // Called when the message loop ends; returns the exit code (the quit message's, by default).
    virtual int ExitInstance();

    // Passes each argument of the command line to rCmdInfo.ParseParam.
    void ParseCommandLine(CCommandLineInfo& rCmdInfo);
    // Asks for three-dimensional controls; every system the program runs on draws them
    // itself, so there is nothing left to do.
    BOOL Enable3dControlsStatic() { return TRUE; }

    // The application title, the program file's base name: the caption of its message boxes.
    const char* GetTitle() const { return m_szTitle; }

private:
    friend int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int);
    void InitTitle();

    char m_szTitle[MAX_PATH] = "";
    MSG m_msgCur = {};
};

// The one application object.
CWinApp* AfxGetApp();

// Shows string resource nIDPrompt in a message box owned by the main window's active pop-up,
// captioned with the application title; MB_OK alone gets the exclamation icon.
int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK);
