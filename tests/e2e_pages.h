// Shared by the page tests: a run of the program on one adapter key, the pages' items, and
// checks of what the pages show and what the key holds afterwards.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "support/program.h"
#include "support/registry.h"

namespace pagetest {

using namespace hvntest;
constexpr int kAdapterPage = 0;
constexpr int kIsdnPage = 1;

// Items of both pages.
constexpr int kWinMSDButton = 1009;
constexpr int kDefaultsButton = 1021;
// Adapter Resources page.
constexpr int kAdapterPicture = 1000;
constexpr int kIOBase = 1006;
constexpr int kInterrupt = 1007;
constexpr int kVoice = 1016;
constexpr int kRingPattern = 1017;
// ISDN Parameters page.
constexpr int kIsdnPicture = 1001;
constexpr int kNumNumbers = 1010;
constexpr int kSwitchType = 1013;
constexpr int kPhone1Label = 1014;
constexpr int kPhone1 = 1018;
constexpr int kSPID1Label = 1019;
constexpr int kSPID1 = 1020;
constexpr int kPhone2 = 1022;
constexpr int kSPID2 = 1023;
constexpr int kPhone2Label = 1024;
constexpr int kSPID2Label = 1025;
// The second number's fields and their labels, enabled only while "2" numbers are chosen.
constexpr int kSecondNumberItems[] = {kPhone2, kSPID2, kPhone2Label, kSPID2Label};

constexpr wchar_t kIsdnCaption[] = L"Halvorn BRI ISDN";
constexpr wchar_t kInvalidPhone[] = L"Invalid phone number! (Use 0-9)";
constexpr wchar_t kInvalidSPID[] = L"Invalid SPID! (Use 0-9)";

inline std::wstring Wide(const std::string& text) { return std::wstring(text.begin(), text.end()); }

inline HWND Item(HWND page, int id) { return GetDlgItem(page, id); }

// The run of the program on one adapter key: started, its sheet visible.
struct SheetRun {
    Program program;
    HWND sheet = nullptr;

    testing::AssertionResult Start(const AdapterKey& key, const wchar_t* currentDirectory = nullptr) {
        testing::AssertionResult started =
            program.Start(std::to_wstring(key.adapter()), currentDirectory);
        if (!started) return started;
        return program.WaitForSheet(static_cast<int>(key.adapter()), &sheet);
    }
    // Presses OK and waits for the clean end of the run.
    testing::AssertionResult Ok() {
        PressSheetButton(sheet, PSBTN_OK);
        return program.ExitsWith(0);
    }
    testing::AssertionResult Cancel() {
        PressSheetButton(sheet, PSBTN_CANCEL);
        return program.ExitsWith(0);
    }
};

inline testing::AssertionResult Store(const AdapterKey& key, const Values& values) {
    for (const auto& value : values) {
        testing::AssertionResult set = key.Set(value.first, value.second);
        if (!set) return set << " (setting " << value.first << ")";
    }
    return testing::AssertionSuccess();
}

// The list shows this entry at this position (-1 and "" for no selection).
inline testing::AssertionResult Shows(HWND page, int comboId, int position, const std::wstring& text) {
    HWND combo = Item(page, comboId);
    if (!combo) return testing::AssertionFailure() << "no combo box " << comboId << " on " << Describe(page);
    const int selected = ComboSelection(combo);
    const std::wstring shown = ComboText(combo);
    if (selected == position && shown == text) return testing::AssertionSuccess();
    return testing::AssertionFailure() << "combo box " << comboId << " shows \"" << Narrow(shown)
                                       << "\" at position " << selected << ", expected \""
                                       << Narrow(text) << "\" at position " << position;
}

// Whether the second number's four items are all enabled (or all disabled), and the first
// number's always enabled.
inline testing::AssertionResult SecondNumberEnabled(HWND page, bool enabled) {
    testing::AssertionResult result = testing::AssertionSuccess();
    for (int id : kSecondNumberItems)
        if (!IsWindowEnabled(Item(page, id)) == enabled) {
            if (result) result = testing::AssertionFailure();
            result << " item " << id << (enabled ? " disabled;" : " enabled;");
        }
    for (int id : {kPhone1, kSPID1, kPhone1Label, kSPID1Label})
        if (!IsWindowEnabled(Item(page, id))) {
            if (result) result = testing::AssertionFailure();
            result << " first-number item " << id << " disabled;";
        }
    return result;
}

// Waits until the probe holds for the page's controls (after a posted click).
inline testing::AssertionResult WaitForPage(const std::string& what,
                                            const std::function<bool(std::string*)>& probe) {
    return WaitUntil(kTimeoutMs, kPollMs, what, probe);
}

}  // namespace pagetest
