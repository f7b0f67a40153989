// Stands in for the system's diagnostics program "winmsd" in the WinMSD tests: it shows a small
// window, records that it ran (its command line and process id, under the HKEY_CURRENT_USER key
// named by the environment variable HVNTEST_WINMSD_MARKER), and ends when its window is closed
// or, should no test close it, on its own after a while.
#include <windows.h>
#include <cwchar>

namespace {

constexpr UINT_PTR kLifetimeTimer = 1;
constexpr UINT kLifetimeMs = 20000;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_TIMER:
        DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void RecordRun() {
    wchar_t path[512];
    const DWORD length = GetEnvironmentVariableW(L"HVNTEST_WINMSD_MARKER", path, 512);
    if (length == 0 || length >= 512) return;
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return;
    const wchar_t* commandLine = GetCommandLineW();
    RegSetValueExW(key, L"CommandLine", 0, REG_SZ, reinterpret_cast<const BYTE*>(commandLine),
                   static_cast<DWORD>((wcslen(commandLine) + 1) * sizeof(wchar_t)));
    // Last, as the test waits for it: the window exists by then.
    const DWORD processId = GetCurrentProcessId();
    RegSetValueExW(key, L"ProcessId", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&processId),
                   sizeof processId);
    RegCloseKey(key);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = L"HvnTestWinMSD";
    if (!RegisterClassW(&windowClass)) return 1;
    HWND window = CreateWindowW(L"HvnTestWinMSD", L"WinMSD stand-in", WS_OVERLAPPEDWINDOW, 600, 500,
                                240, 120, nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
    ShowWindow(window, show);
    UpdateWindow(window);
    SetTimer(window, kLifetimeTimer, kLifetimeMs, nullptr);
    RecordRun();

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
