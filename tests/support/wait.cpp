#include "support/wait.h"

#include <cstdio>

namespace hvntest {

testing::AssertionResult WaitUntil(DWORD timeoutMs, DWORD intervalMs, const std::string& what,
                                   const std::function<bool(std::string* seen)>& probe) {
    const ULONGLONG start = GetTickCount64();
    std::string seen;
    for (;;) {
        seen.clear();
        if (probe(&seen)) return testing::AssertionSuccess();
        const ULONGLONG waited = GetTickCount64() - start;
        if (waited >= timeoutMs)
            return testing::AssertionFailure()
                   << "timed out after " << waited << " ms waiting for " << what
                   << "; last seen: " << (seen.empty() ? "(nothing)" : seen);
        Sleep(intervalMs);
    }
}

std::string Narrow(const std::wstring& text) {
    if (text.empty()) return std::string();
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), (int)text.size(), nullptr, 0,
                                         nullptr, nullptr);
    std::string out(size, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), (int)text.size(), &out[0], size, nullptr, nullptr);
    return out;
}

std::string Hex(UINT_PTR value) {
    char text[32];
    std::snprintf(text, sizeof text, "0x%llx", (unsigned long long)value);
    return text;
}

}  // namespace hvntest
