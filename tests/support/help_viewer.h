// A stand-in for the system's help viewer, inside the test process. WinHelp finds the viewer
// by its window class and hands it each command as WM_COPYDATA; this viewer owns a hidden
// top-level window of that class and records every call it receives, decoded.
//
// The window lives on a thread of its own that does nothing but pump messages, so the program
// never waits on the test: WinHelp's send returns at once whatever the test thread is doing
// (waiting, sleeping or asserting), and the rig's non-pumping waits can be used freely.
//
// Create the viewer before starting the program: with no viewer window, every command but
// HELP_QUIT makes WinHelp start the real viewer, which blocks the program.
#pragma once
#include <windows.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "support/wait.h"

namespace hvntest {

// The identifier WinHelp puts into COPYDATASTRUCT::dwData.
constexpr ULONG_PTR kWinHelpCopyDataId = 0xA1DE505;

// One call as the viewer received it.
struct HelpCall {
    HWND caller = nullptr;        // WM_COPYDATA's wParam: the window WinHelp was called for
    ULONG_PTR copyDataId = 0;     // dwData
    DWORD payloadBytes = 0;       // cbData
    // The payload's 16-byte header: WORD size; WORD command; LONG data; LONG reserved;
    // WORD offset of the file name; WORD offset of the data.
    WORD size = 0;
    WORD command = 0;
    LONG data = 0;
    LONG reserved = 0;
    WORD fileOffset = 0;
    WORD dataOffset = 0;
    std::string file;             // the NUL-terminated name at fileOffset
    std::vector<BYTE> block;      // from dataOffset to the payload's end (none when 0)
    std::string problem;          // why the payload could not be read as described, if so
};

// A HELPWININFOA read from the start of a call's data block; false (and a reason) when the
// block is shorter than the structure it announces or than HELPWININFOA.
bool ReadWindowPlacement(const HelpCall& call, HELPWININFOA* placement, std::string* problem);

std::string CommandName(WORD command);
std::string Describe(const HelpCall& call);
std::string Describe(const std::vector<HelpCall>& calls);

class StandInHelpViewer {
public:
    StandInHelpViewer();     // returns once the window exists (or failed: see Ready)
    ~StandInHelpViewer();    // closes the window and ends its thread
    StandInHelpViewer(const StandInHelpViewer&) = delete;
    StandInHelpViewer& operator=(const StandInHelpViewer&) = delete;

    testing::AssertionResult Ready() const;
    HWND window() const { return window_; }
    std::vector<HelpCall> Calls() const;
    // Waits until at least `count` calls have come; fails naming what came.
    testing::AssertionResult WaitForCalls(size_t count, DWORD timeoutMs = kTimeoutMs) const;

private:
    void Run(HANDLE ready);
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Record(HWND caller, const COPYDATASTRUCT& copyData);

    std::thread thread_;
    HWND window_ = nullptr;
    std::string failure_;
    mutable std::mutex mutex_;
    std::vector<HelpCall> calls_;
};

}  // namespace hvntest
