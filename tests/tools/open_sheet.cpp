// open_sheet [program arguments]: starts hvnbricfg.exe, waits until its sheet is on screen and
// prints "SHEET <left> <top> <width> <height>" (screen coordinates), then waits for a line or
// the end of its input, cancels the sheet and waits for the program to end. tools/run.sh uses
// it to take a picture of the sheet on a display nobody looks at.
#include <windows.h>
#include <commctrl.h>
#include <cstdio>
#include <string>

#include "support/program.h"

using namespace hvntest;

int wmain(int argc, wchar_t** argv) {
    std::wstring arguments;
    for (int i = 1; i < argc; ++i) arguments += (i > 1 ? L" " : L"") + std::wstring(argv[i]);
    Program program;
    HWND sheet = nullptr;
    std::wstring title;
    testing::AssertionResult opened = program.Start(arguments);
    if (opened) opened = program.WaitForAnySheet(&sheet, &title);
    if (!opened) {
        std::fprintf(stderr, "open_sheet: %s\n", opened.message());
        return 1;
    }
    const RECT r = ScreenRect(sheet);
    std::printf("SHEET %ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
    std::fflush(stdout);
    char line[64];
    std::fgets(line, sizeof line, stdin);
    PressSheetButton(sheet, PSBTN_CANCEL);
    testing::AssertionResult ended = program.ExitsWith(0);
    if (!ended) {
        std::fprintf(stderr, "open_sheet: %s\n", ended.message());
        return 1;
    }
    return 0;
}
