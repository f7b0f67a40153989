#include "support/help_viewer.h"

#include <cstring>
#include <sstream>

namespace hvntest {
namespace {

constexpr wchar_t kViewerClass[] = L"MS_WINHELP";
constexpr size_t kHeaderBytes = 16;

WORD WordAt(const BYTE* bytes) {
    WORD value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

LONG LongAt(const BYTE* bytes) {
    LONG value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

}  // namespace

bool ReadWindowPlacement(const HelpCall& call, HELPWININFOA* placement, std::string* problem) {
    if (call.block.size() < sizeof(HELPWININFOA)) {
        *problem = "data block of " + std::to_string(call.block.size()) + " bytes, shorter than " +
                   std::to_string(sizeof(HELPWININFOA)) + " bytes of a HELPWININFO";
        return false;
    }
    std::memcpy(placement, call.block.data(), sizeof *placement);
    if (placement->wStructSize < 0 || (size_t)placement->wStructSize > call.block.size()) {
        *problem = "wStructSize " + std::to_string(placement->wStructSize) +
                   " beyond the data block of " + std::to_string(call.block.size()) + " bytes";
        return false;
    }
    return true;
}

std::string CommandName(WORD command) {
    switch (command) {
    case HELP_CONTEXT: return "HELP_CONTEXT";
    case HELP_QUIT: return "HELP_QUIT";
    case HELP_CONTENTS: return "HELP_CONTENTS";
    case HELP_SETWINPOS: return "HELP_SETWINPOS";
    case HELP_FINDER: return "HELP_FINDER";
    default: return "command " + Hex(command);
    }
}

std::string Describe(const HelpCall& call) {
    std::ostringstream out;
    out << "{" << CommandName(call.command) << " data " << call.data << " file \"" << call.file
        << "\" caller " << Hex((UINT_PTR)call.caller) << ", " << call.block.size()
        << " data bytes";
    if (!call.problem.empty()) out << ", " << call.problem;
    out << "}";
    return out.str();
}

std::string Describe(const std::vector<HelpCall>& calls) {
    if (calls.empty()) return "(no calls)";
    std::string text;
    for (const HelpCall& call : calls) text += (text.empty() ? "" : ", ") + Describe(call);
    return text;
}

StandInHelpViewer::StandInHelpViewer() {
    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    thread_ = std::thread(&StandInHelpViewer::Run, this, ready);
    if (WaitForSingleObject(ready, kTimeoutMs) != WAIT_OBJECT_0 && failure_.empty())
        failure_ = "the viewer's thread did not make its window in time";
    CloseHandle(ready);
}

StandInHelpViewer::~StandInHelpViewer() {
    if (window_) PostMessageW(window_, WM_CLOSE, 0, 0);
    if (thread_.joinable()) thread_.join();
}

testing::AssertionResult StandInHelpViewer::Ready() const {
    if (window_ && failure_.empty()) return testing::AssertionSuccess();
    return testing::AssertionFailure() << "no stand-in help viewer: " << failure_;
}

void StandInHelpViewer::Run(HANDLE ready) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kViewerClass;
    if (!RegisterClassW(&windowClass)) {
        failure_ = "RegisterClass failed with error " + std::to_string(GetLastError());
        SetEvent(ready);
        return;
    }
    // A top-level window, never shown: a message-only window would not be found.
    HWND window = CreateWindowExW(0, kViewerClass, L"", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                                  nullptr, nullptr, windowClass.hInstance, this);
    if (!window) failure_ = "CreateWindow failed with error " + std::to_string(GetLastError());
    window_ = window;
    SetEvent(ready);
    if (window) {
        MSG message;
        while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    }
    UnregisterClassW(kViewerClass, windowClass.hInstance);
}

LRESULT CALLBACK StandInHelpViewer::WindowProc(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const CREATESTRUCTW* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, (LONG_PTR)create->lpCreateParams);
    }
    StandInHelpViewer* viewer =
        reinterpret_cast<StandInHelpViewer*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
    case WM_COPYDATA:
        if (viewer && lParam)
            viewer->Record(reinterpret_cast<HWND>(wParam),
                           *reinterpret_cast<const COPYDATASTRUCT*>(lParam));
        return TRUE;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

void StandInHelpViewer::Record(HWND caller, const COPYDATASTRUCT& copyData) {
    HelpCall call;
    call.caller = caller;
    call.copyDataId = copyData.dwData;
    call.payloadBytes = copyData.cbData;
    const BYTE* payload = static_cast<const BYTE*>(copyData.lpData);
    const size_t bytes = payload ? copyData.cbData : 0;
    if (bytes < kHeaderBytes) {
        call.problem = "payload of " + std::to_string(bytes) + " bytes, shorter than its header";
    } else {
        call.size = WordAt(payload);
        call.command = WordAt(payload + 2);
        call.data = LongAt(payload + 4);
        call.reserved = LongAt(payload + 8);
        call.fileOffset = WordAt(payload + 12);
        call.dataOffset = WordAt(payload + 14);
        if (call.fileOffset) {
            if (call.fileOffset >= bytes) {
                call.problem = "file name offset " + std::to_string(call.fileOffset) +
                               " beyond the payload";
            } else {
                const char* name = reinterpret_cast<const char*>(payload + call.fileOffset);
                const size_t room = bytes - call.fileOffset;
                const void* nul = std::memchr(name, 0, room);
                if (nul)
                    call.file.assign(name, static_cast<const char*>(nul) - name);
                else
                    call.problem = "file name without its NUL";
            }
        }
        if (call.dataOffset) {
            if (call.dataOffset > bytes)
                call.problem = "data offset " + std::to_string(call.dataOffset) +
                               " beyond the payload";
            else
                call.block.assign(payload + call.dataOffset, payload + bytes);
        }
    }
    std::lock_guard<std::mutex> lock(mutex_);
    calls_.push_back(call);
}

std::vector<HelpCall> StandInHelpViewer::Calls() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return calls_;
}

testing::AssertionResult StandInHelpViewer::WaitForCalls(size_t count, DWORD timeoutMs) const {
    return WaitUntil(timeoutMs, kPollMs, std::to_string(count) + " help viewer calls",
                     [&](std::string* seen) {
                         const std::vector<HelpCall> calls = Calls();
                         *seen = std::to_string(calls.size()) + " calls: " + Describe(calls);
                         return calls.size() >= count;
                     });
}

}  // namespace hvntest
