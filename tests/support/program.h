// Drives hvnbricfg.exe from the test process as a user would: starts it, finds its windows,
// works its controls with messages that are safe across processes, and waits for its exit.
//
// Helpers that wait or find return testing::AssertionResult, so a failure is reported at the
// test's own line:  ASSERT_TRUE(program.WaitForSheet(3, &sheet));
#pragma once
#include <windows.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "support/wait.h"

namespace hvntest {

// The program under test as a Windows path (Wine shows the Linux root as Z:).
std::wstring ProgramPath();

// "Kestrin 128K BRI Adapter [<adapter>] Configuration"
std::wstring SheetTitle(int adapter);
// Reads the adapter index out of a sheet title; false when the title has another form.
bool AdapterFromTitle(const std::wstring& title, long long* adapter);

// One run of the program. The destructor kills it if it is still running.
class Program {
public:
    Program() = default;
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Starts `"<program path>" <arguments>` (just the quoted path when arguments is empty);
    // the current directory is the test's unless one is given.
    testing::AssertionResult Start(const std::wstring& arguments,
                                   const wchar_t* currentDirectory = nullptr);
    // Waits for the exit and gives its code; on time-out kills the program and fails.
    testing::AssertionResult WaitForExit(DWORD* exitCode, DWORD timeoutMs = kTimeoutMs);
    // Waits for the exit and checks its code.
    testing::AssertionResult ExitsWith(DWORD expectedCode, DWORD timeoutMs = kTimeoutMs);
    bool Running() const;
    void Kill();
    DWORD ProcessId() const { return info_.dwProcessId; }
    DWORD ThreadId() const { return info_.dwThreadId; }

    // Top-level windows of this process of the class (and caption, unless null), hidden or not.
    std::vector<HWND> TopLevelWindows(const wchar_t* className, const wchar_t* title) const;
    // Exactly one such window, or a failure that lists the criteria and what there was.
    testing::AssertionResult FindExactlyOne(const wchar_t* className, const wchar_t* title,
                                            HWND* window) const;
    // Waits until exactly one such window exists and is visible. Fails early if the program ends.
    testing::AssertionResult WaitForVisibleWindow(const wchar_t* className, const wchar_t* title,
                                                  HWND* window, DWORD timeoutMs = kTimeoutMs) const;
    // The property sheet titled for this adapter, once visible.
    testing::AssertionResult WaitForSheet(int adapter, HWND* sheet) const;
    // Any visible sheet of this program whose title has the sheet's form; gives the title.
    testing::AssertionResult WaitForAnySheet(HWND* sheet, std::wstring* title) const;
    // A message box (a top-level dialog of this process) with this caption, once visible.
    testing::AssertionResult WaitForMessageBox(const wchar_t* caption, HWND* box) const;
    // The control that has the keyboard focus in the program's interface thread, or null.
    HWND FocusedControl() const;
    // Every top-level window of the process with class, caption and visibility: for messages.
    std::string DescribeWindows() const;

private:
    PROCESS_INFORMATION info_{};
};

// The window's text through WM_GETTEXT (GetWindowText does not cross processes for controls).
std::wstring WindowText(HWND window);
std::wstring ClassName(HWND window);
RECT ScreenRect(HWND window);
std::string Describe(HWND window);
// Direct children of parent of a class (any class when null).
std::vector<HWND> ChildWindows(HWND parent, const wchar_t* className);

// Property sheet. Page switches and OK are posted: their handlers may block in a message box.
HWND CurrentPage(HWND sheet);
int CurrentPageIndex(HWND sheet);
void SelectPage(HWND sheet, int index);
// Posts the switch and waits until the page at index is current; its window in *page.
testing::AssertionResult SwitchToPage(HWND sheet, int index, HWND* page);
void PressSheetButton(HWND sheet, int psbtn);   // PSBTN_OK, PSBTN_CANCEL ...
// The close box: what the frame sends when it is clicked.
void PressCloseBox(HWND window);
// Escape as a key press reaching the focused control (the dialog manager turns it into
// IDCANCEL); to the sheet when nothing has the focus.
void PressEscape(const Program& program, HWND sheet);

// Controls.
void ClickButton(HWND button);                 // posted BM_CLICK
bool IsChecked(HWND button);
// Selects as a user would: the selection, then the CBN_SELCHANGE that the page gets. Fails
// when there is no such combo box or entry.
testing::AssertionResult SelectComboItem(HWND page, int comboId, int index);
int ComboSelection(HWND combo);
int ComboCount(HWND combo);
std::wstring ComboItemText(HWND combo, int index);
std::wstring ComboText(HWND combo);            // what the closed combo shows
// Types into an edit field (WM_SETTEXT, which also sends the page EN_CHANGE).
testing::AssertionResult SetEditText(HWND edit, const std::wstring& text);

// Message boxes: the text is the static with id 0xFFFF; OK is button 1.
std::wstring MessageBoxText(HWND box);
void DismissMessageBox(HWND box);

}  // namespace hvntest
