// Polling with a time-out: every wait in the tests goes through WaitUntil, so none can hang
// and every failure says what was seen last.
#pragma once
#include <windows.h>
#include <gtest/gtest.h>
#include <functional>
#include <string>

namespace hvntest {

// Long enough for a cold first start under Wine; a working program needs well under a second.
constexpr DWORD kTimeoutMs = 10000;
constexpr DWORD kPollMs = 10;

// Calls probe every intervalMs until it returns true or timeoutMs has passed. The probe
// describes what it saw in *seen; on time-out the result names `what` and the last thing seen.
testing::AssertionResult WaitUntil(DWORD timeoutMs, DWORD intervalMs, const std::string& what,
                                   const std::function<bool(std::string* seen)>& probe);

// Texts for failure messages.
std::string Narrow(const std::wstring& text);
std::string Hex(UINT_PTR value);

}  // namespace hvntest
