#include "support/program.h"

#include <commctrl.h>
#include <cstdio>
#include <cwchar>
#include <sstream>

namespace hvntest {
namespace {

// Cross-process sends give up after this, so a program stuck in a handler fails the test
// instead of hanging it.
constexpr UINT kSendTimeoutMs = 5000;
constexpr wchar_t kDialogClass[] = L"#32770";
constexpr wchar_t kSheetTitlePrefix[] = L"Kestrin 128K BRI Adapter [";
constexpr wchar_t kSheetTitleSuffix[] = L"] Configuration";

LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                             &result))
        ADD_FAILURE() << "message " << Hex(message) << " to " << Describe(window)
                      << " got no answer within " << kSendTimeoutMs << " ms";
    return (LRESULT)result;
}

std::wstring Widen(const char* text) {
    const int size = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
    std::wstring out(size, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text, -1, &out[0], size);
    out.resize(size - 1);
    return out;
}

struct EnumState {
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectProcessWindow(HWND window, LPARAM param) {
    EnumState* state = reinterpret_cast<EnumState*>(param);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId == state->processId) state->found.push_back(window);
    return TRUE;
}

std::wstring TopLevelCaption(HWND window) {
    // For another process's top-level window this reads the stored caption, sending nothing.
    wchar_t text[512] = L"";
    GetWindowTextW(window, text, 512);
    return text;
}

}  // namespace

std::wstring ProgramPath() {
    std::wstring path = L"Z:" + Widen(HVNBRICFG_EXE);
    for (wchar_t& c : path)
        if (c == L'/') c = L'\\';
    return path;
}

std::wstring SheetTitle(int adapter) {
    return kSheetTitlePrefix + std::to_wstring(adapter) + kSheetTitleSuffix;
}

bool AdapterFromTitle(const std::wstring& title, long long* adapter) {
    const std::wstring prefix = kSheetTitlePrefix, suffix = kSheetTitleSuffix;
    if (title.size() <= prefix.size() + suffix.size() || title.compare(0, prefix.size(), prefix) ||
        title.compare(title.size() - suffix.size(), suffix.size(), suffix))
        return false;
    const std::wstring number =
        title.substr(prefix.size(), title.size() - prefix.size() - suffix.size());
    size_t used = 0;
    try {
        *adapter = std::stoll(number, &used);
    } catch (...) {
        return false;
    }
    return used == number.size();
}

Program::~Program() { Kill(); }

testing::AssertionResult Program::Start(const std::wstring& arguments,
                                        const wchar_t* currentDirectory) {
    if (info_.hProcess) return testing::AssertionFailure() << "the program was already started";
    std::wstring commandLine = L"\"" + ProgramPath() + L"\"";
    if (!arguments.empty()) commandLine += L" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        currentDirectory, &startup, &info_)) {
        const DWORD error = GetLastError();
        info_ = PROCESS_INFORMATION{};
        return testing::AssertionFailure()
               << "CreateProcess(" << Narrow(commandLine) << ") failed with error " << error;
    }
    return testing::AssertionSuccess();
}

bool Program::Running() const {
    return info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

void Program::Kill() {
    if (!info_.hProcess) return;
    if (Running()) {
        TerminateProcess(info_.hProcess, 999);
        WaitForSingleObject(info_.hProcess, 5000);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
    info_ = PROCESS_INFORMATION{};
}

testing::AssertionResult Program::WaitForExit(DWORD* exitCode, DWORD timeoutMs) {
    if (!info_.hProcess) return testing::AssertionFailure() << "the program was not started";
    if (WaitForSingleObject(info_.hProcess, timeoutMs) != WAIT_OBJECT_0) {
        const std::string windows = DescribeWindows();
        Kill();
        return testing::AssertionFailure() << "the program did not exit within " << timeoutMs
                                           << " ms (killed); its windows: " << windows;
    }
    GetExitCodeProcess(info_.hProcess, exitCode);
    return testing::AssertionSuccess();
}

testing::AssertionResult Program::ExitsWith(DWORD expectedCode, DWORD timeoutMs) {
    DWORD code = 0;
    testing::AssertionResult exited = WaitForExit(&code, timeoutMs);
    if (!exited) return exited;
    if (code != expectedCode)
        return testing::AssertionFailure()
               << "the program exited with code " << code << ", not " << expectedCode;
    return testing::AssertionSuccess() << "exit code " << code;
}

std::vector<HWND> Program::TopLevelWindows(const wchar_t* className, const wchar_t* title) const {
    EnumState state{info_.dwProcessId, {}};
    if (info_.hProcess) EnumWindows(CollectProcessWindow, reinterpret_cast<LPARAM>(&state));
    std::vector<HWND> matching;
    for (HWND window : state.found)
        if ((!className || ClassName(window) == className) &&
            (!title || TopLevelCaption(window) == title))
            matching.push_back(window);
    return matching;
}

std::string Program::DescribeWindows() const {
    std::vector<HWND> windows = TopLevelWindows(nullptr, nullptr);
    if (windows.empty()) return "(no top-level windows)";
    std::string text;
    for (HWND window : windows) text += (text.empty() ? "" : ", ") + Describe(window);
    return text;
}

testing::AssertionResult Program::FindExactlyOne(const wchar_t* className, const wchar_t* title,
                                                 HWND* window) const {
    std::vector<HWND> found = TopLevelWindows(className, title);
    if (found.size() == 1) {
        *window = found[0];
        return testing::AssertionSuccess();
    }
    *window = nullptr;
    return testing::AssertionFailure()
           << "expected exactly one top-level window of class "
           << (className ? Narrow(className) : "(any)") << " titled \""
           << (title ? Narrow(title) : "(any)") << "\", found " << found.size()
           << "; the program's windows: " << DescribeWindows();
}

testing::AssertionResult Program::WaitForVisibleWindow(const wchar_t* className,
                                                       const wchar_t* title, HWND* window,
                                                       DWORD timeoutMs) const {
    *window = nullptr;
    std::string what = "a visible window of class " + (className ? Narrow(className) : "(any)") +
                       " titled \"" + (title ? Narrow(title) : "(any)") + "\"";
    bool exited = false;
    testing::AssertionResult waited =
        WaitUntil(timeoutMs, kPollMs, what, [&](std::string* seen) {
            if (!Running()) {
                exited = true;
                *seen = "the program ended";
                return true;
            }
            std::vector<HWND> found = TopLevelWindows(className, title);
            *seen = std::to_string(found.size()) + " matching; windows: " + DescribeWindows();
            if (found.size() != 1 || !IsWindowVisible(found[0])) return false;
            *window = found[0];
            return true;
        });
    if (waited && exited) {
        DWORD code = 0;
        GetExitCodeProcess(info_.hProcess, &code);
        return testing::AssertionFailure()
               << "the program ended (exit code " << code << ") while waiting for " << what;
    }
    return waited;
}

testing::AssertionResult Program::WaitForSheet(int adapter, HWND* sheet) const {
    return WaitForVisibleWindow(kDialogClass, SheetTitle(adapter).c_str(), sheet);
}

testing::AssertionResult Program::WaitForAnySheet(HWND* sheet, std::wstring* title) const {
    *sheet = nullptr;
    testing::AssertionResult waited = WaitUntil(
        kTimeoutMs, kPollMs, "a visible sheet titled \"Kestrin 128K BRI Adapter [...] Configuration\"",
        [&](std::string* seen) {
            *seen = Running() ? DescribeWindows() : "the program ended";
            for (HWND window : TopLevelWindows(kDialogClass, nullptr)) {
                long long adapter = 0;
                if (IsWindowVisible(window) && AdapterFromTitle(TopLevelCaption(window), &adapter)) {
                    *sheet = window;
                    *title = TopLevelCaption(window);
                    return true;
                }
            }
            return !Running();
        });
    if (waited && !*sheet) return testing::AssertionFailure() << "the program ended without a sheet";
    return waited;
}

testing::AssertionResult Program::WaitForMessageBox(const wchar_t* caption, HWND* box) const {
    return WaitForVisibleWindow(kDialogClass, caption, box);
}

HWND Program::FocusedControl() const {
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    if (!info_.hProcess || !GetGUIThreadInfo(info_.dwThreadId, &gui)) return nullptr;
    return gui.hwndFocus;
}

std::wstring WindowText(HWND window) {
    const LRESULT length = Send(window, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(length + 1, L'\0');
    const LRESULT copied = Send(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(copied >= 0 && (size_t)copied < text.size() ? copied : 0);
    return text;
}

std::wstring ClassName(HWND window) {
    wchar_t name[256] = L"";
    GetClassNameW(window, name, 256);
    return name;
}

RECT ScreenRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

std::string Describe(HWND window) {
    if (!window) return "(null window)";
    if (!IsWindow(window)) return Hex((UINT_PTR)window) + " (gone)";
    const RECT r = ScreenRect(window);
    std::ostringstream out;
    out << "{" << Narrow(ClassName(window));
    if (GetParent(window) && (GetWindowLongW(window, GWL_STYLE) & WS_CHILD))
        out << " id " << GetDlgCtrlID(window);
    else
        out << " \"" << Narrow(TopLevelCaption(window)) << "\"";
    out << (IsWindowVisible(window) ? " visible" : " hidden")
        << (IsWindowEnabled(window) ? "" : " disabled") << " at (" << r.left << "," << r.top
        << ")-(" << r.right << "," << r.bottom << ")}";
    return out.str();
}

std::vector<HWND> ChildWindows(HWND parent, const wchar_t* className) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (!className || ClassName(child) == className) children.push_back(child);
    return children;
}

HWND CurrentPage(HWND sheet) {
    return reinterpret_cast<HWND>(Send(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

int CurrentPageIndex(HWND sheet) {
    HWND page = CurrentPage(sheet);
    return page ? (int)Send(sheet, PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(page), 0) : -1;
}

void SelectPage(HWND sheet, int index) { PostMessageW(sheet, PSM_SETCURSEL, index, 0); }

testing::AssertionResult SwitchToPage(HWND sheet, int index, HWND* page) {
    SelectPage(sheet, index);
    return WaitUntil(kTimeoutMs, kPollMs, "page " + std::to_string(index) + " to be current",
                     [&](std::string* seen) {
                         *page = CurrentPage(sheet);
                         const int current = *page ? CurrentPageIndex(sheet) : -1;
                         *seen = "current page " + std::to_string(current) + " " + Describe(*page);
                         return current == index && IsWindowVisible(*page);
                     });
}

void PressSheetButton(HWND sheet, int psbtn) { PostMessageW(sheet, PSM_PRESSBUTTON, psbtn, 0); }

void PressCloseBox(HWND window) { PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0); }

void PressEscape(const Program& program, HWND sheet) {
    HWND focus = program.FocusedControl();
    HWND target = focus ? focus : sheet;
    const LPARAM scanCode = MapVirtualKeyW(VK_ESCAPE, MAPVK_VK_TO_VSC) << 16;
    PostMessageW(target, WM_KEYDOWN, VK_ESCAPE, scanCode | 1);
    PostMessageW(target, WM_KEYUP, VK_ESCAPE, scanCode | 1 | 0xC0000000);
}

void ClickButton(HWND button) { PostMessageW(button, BM_CLICK, 0, 0); }

bool IsChecked(HWND button) { return Send(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }

testing::AssertionResult SelectComboItem(HWND page, int comboId, int index) {
    HWND combo = GetDlgItem(page, comboId);
    if (!combo)
        return testing::AssertionFailure() << "no combo box " << comboId << " on " << Describe(page);
    if (Send(combo, CB_SETCURSEL, index, 0) != index)
        return testing::AssertionFailure() << "combo box " << comboId << " has no entry " << index
                                           << " (it has " << ComboCount(combo) << ")";
    Send(page, WM_COMMAND, MAKEWPARAM(comboId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    return testing::AssertionSuccess();
}

int ComboSelection(HWND combo) { return (int)Send(combo, CB_GETCURSEL, 0, 0); }

int ComboCount(HWND combo) { return (int)Send(combo, CB_GETCOUNT, 0, 0); }

std::wstring ComboItemText(HWND combo, int index) {
    const LRESULT length = Send(combo, CB_GETLBTEXTLEN, index, 0);
    if (length == CB_ERR) return std::wstring();
    std::wstring text(length + 1, L'\0');
    const LRESULT copied = Send(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(&text[0]));
    text.resize(copied >= 0 && copied <= length ? copied : 0);
    return text;
}

std::wstring ComboText(HWND combo) { return WindowText(combo); }

testing::AssertionResult SetEditText(HWND edit, const std::wstring& text) {
    if (!edit) return testing::AssertionFailure() << "no edit field to type into";
    if (!Send(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str())))
        return testing::AssertionFailure() << Describe(edit) << " refused the text";
    return testing::AssertionSuccess();
}

std::wstring MessageBoxText(HWND box) { return WindowText(GetDlgItem(box, 0xFFFF)); }

void DismissMessageBox(HWND box) { ClickButton(GetDlgItem(box, IDOK)); }

}  // namespace hvntest
