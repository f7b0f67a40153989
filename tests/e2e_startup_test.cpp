// Start-up and the configuration run, driven from outside as a user would: the adapter taken
// from the command line (seen in the sheet's title and in the key created for it), the sheet's
// buttons, the hidden host window, and what each way of closing the sheet leaves behind.
#include <windows.h>
#include <commctrl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "support/program.h"
#include "support/registry.h"

using namespace hvntest;
using testing::UnorderedElementsAre;

namespace {

constexpr int kApplyId = 12321;
constexpr wchar_t kHostTitle[] = L"Halvorn BRI ISDN Setup";

// The four values the Adapter Resources page stands for, and the six of the ISDN page, as a
// fresh key gets them from the pages' defaults.
const std::map<std::string, RegValue> kResourceDefaults = {
    {"IOBaseAddress", Dword(800)}, {"InterruptNumber", Dword(10)},
    {"VoiceEnabled", Dword(1)},    {"RingPattern", Dword(0)}};
const std::map<std::string, RegValue> kIsdnDefaults = {
    {"SwitchType", Dword(1)},     {"NumPhoneNumbers", Dword(1)}, {"PhoneNumber1", Sz("")},
    {"PhoneNumber2", Sz("")},     {"SPID1", Sz("")},             {"SPID2", Sz("")}};

// After a run that wrote nothing to an absent key: the program made it, and it holds nothing.
testing::AssertionResult CreatedAndEmpty(const AdapterKey& key) {
    const std::string path = ParametersKeyPath(key.adapter());
    if (!key.ParametersExist()) return testing::AssertionFailure() << path << " does not exist";
    if (key.ParametersClass() != "driver")
        return testing::AssertionFailure()
               << path << " has class \"" << key.ParametersClass() << "\", not \"driver\"";
    if (!key.ValueNames().empty() || key.SubkeyCount() != 0)
        return testing::AssertionFailure()
               << path << " holds values " << testing::PrintToString(key.ValueNames()) << " and "
               << key.SubkeyCount() << " keys";
    return testing::AssertionSuccess();
}

struct CommandLineCase {
    const char* name;
    std::wstring arguments;
    int adapter;
};

std::vector<CommandLineCase> CommandLineCases() {
    // A quoted argument of 255 characters whose number is at its very end: only a text
    // kept whole still ends in 123.
    const std::wstring blanksThen123 = L"\"" + std::wstring(252, L' ') + L"123\"";
    return {
        {"no argument", L"", 0},
        {"3", L"3", 3},
        {"/3", L"/3", 3},
        {"-3", L"-3", 3},
        {"--3", L"--3", -3},
        {"12abc", L"12abc", 12},
        {"abc", L"abc", 0},
        {"+7", L"+7", 7},
        {"2 then 5", L"2 5", 2},
        {"quoted blank and 4", L"\" 4\"", 4},
        {"255 characters ending in 123", blanksThen123, 123},
        {"300 characters starting with 42", L"42" + std::wstring(298, L'x'), 42},
    };
}

void CheckCommandLine(const CommandLineCase& row) {
    AdapterKey key(row.adapter);
    ASSERT_FALSE(key.ServiceExists());
    Program program;
    ASSERT_TRUE(program.Start(row.arguments));
    HWND sheet = nullptr;
    ASSERT_TRUE(program.WaitForSheet(row.adapter, &sheet));
    // The key is made when the run starts, before anything is pressed.
    EXPECT_TRUE(key.ParametersExist()) << ParametersKeyPath(row.adapter);
    PressSheetButton(sheet, PSBTN_CANCEL);
    ASSERT_TRUE(program.ExitsWith(0));
    EXPECT_TRUE(CreatedAndEmpty(key));
}

TEST(CommandLine, FirstArgumentChoosesTheAdapterSeenInTitleAndKey) {
    for (const CommandLineCase& row : CommandLineCases()) {
        SCOPED_TRACE(row.name);
        CheckCommandLine(row);
    }
}

TEST(CommandLine, NumberBeyond32BitsGivesAnAdapterAndACleanRun) {
    Program program;
    ASSERT_TRUE(program.Start(L"99999999999"));
    HWND sheet = nullptr;
    std::wstring title;
    ASSERT_TRUE(program.WaitForAnySheet(&sheet, &title));
    long long adapter = 0;
    ASSERT_TRUE(AdapterFromTitle(title, &adapter)) << Narrow(title);
    EXPECT_GE(adapter, INT_MIN);
    EXPECT_LE(adapter, INT_MAX);
    EXPECT_TRUE(KeyExists(ParametersKeyPath(adapter))) << ParametersKeyPath(adapter);
    PressSheetButton(sheet, PSBTN_CANCEL);
    ASSERT_TRUE(program.ExitsWith(0));
    EXPECT_TRUE(KeyExists(ParametersKeyPath(adapter))) << ParametersKeyPath(adapter);
    AdapterKey cleanup(adapter);
}

// Every way of leaving the sheet other than OK keeps the values the key had, whatever was
// changed on the pages.
enum class CloseWay { CancelButton, Escape, CloseBox };

struct CloseCase {
    const char* name;
    CloseWay way;
};

void Close(const Program& program, HWND sheet, CloseWay way) {
    switch (way) {
    case CloseWay::CancelButton: ClickButton(GetDlgItem(sheet, IDCANCEL)); break;
    case CloseWay::Escape: PressEscape(program, sheet); break;
    case CloseWay::CloseBox: PressCloseBox(sheet); break;
    }
}

const std::map<std::string, RegValue> kStoredBefore = {
    {"IOBaseAddress", Dword(768)},     {"InterruptNumber", Dword(15)},
    {"VoiceEnabled", Dword(0)},        {"RingPattern", Dword(9)},
    {"SwitchType", Dword(2)},          {"NumPhoneNumbers", Dword(2)},
    {"PhoneNumber1", Sz("555-1234")},  {"PhoneNumber2", Sz("555-9876")},
    {"SPID1", Sz("01555123400")},      {"SPID2", Sz("01555987600")}};

TEST(CloseWithoutOk, WritesNothing) {
    const CloseCase cases[] = {{"Cancel button", CloseWay::CancelButton},
                               {"Escape", CloseWay::Escape},
                               {"close box", CloseWay::CloseBox}};
    for (const CloseCase& row : cases) {
        SCOPED_TRACE(row.name);
        AdapterKey key(UniqueAdapter());
        for (const auto& value : kStoredBefore) ASSERT_TRUE(key.Set(value.first, value.second));
        Program program;
        ASSERT_TRUE(program.Start(std::to_wstring(key.adapter())));
        HWND sheet = nullptr;
        ASSERT_TRUE(program.WaitForSheet(key.adapter(), &sheet));
        HWND page = nullptr;
        ASSERT_TRUE(SwitchToPage(sheet, 0, &page));
        // Change both pages, so that a commit would show in the registry.
        ASSERT_TRUE(SelectComboItem(page, 1006, 2));
        ASSERT_TRUE(SwitchToPage(sheet, 1, &page));
        ASSERT_TRUE(SetEditText(GetDlgItem(page, 1018), L"555-0000"));
        // A key goes to the control with the focus, which is on the sheet.
        EXPECT_TRUE(IsChild(sheet, program.FocusedControl())) << Describe(program.FocusedControl());
        Close(program, sheet, row.way);
        ASSERT_TRUE(program.ExitsWith(0));
        EXPECT_TRUE(HoldsExactly(key, kStoredBefore));
    }
}

// OK writes the resource values always, and the ISDN values only once their page was opened.
TEST(CloseWithOk, ExitsZeroAndWritesThePagesOpened) {
    const struct {
        const char* name;
        bool openIsdnPage;
    } cases[] = {{"ISDN page never opened", false}, {"ISDN page opened", true}};
    for (const auto& row : cases) {
        SCOPED_TRACE(row.name);
        AdapterKey key(UniqueAdapter());
        Program program;
        ASSERT_TRUE(program.Start(std::to_wstring(key.adapter())));
        HWND sheet = nullptr;
        ASSERT_TRUE(program.WaitForSheet(key.adapter(), &sheet));
        std::map<std::string, RegValue> expected = kResourceDefaults;
        if (row.openIsdnPage) {
            HWND page = nullptr;
            ASSERT_TRUE(SwitchToPage(sheet, 1, &page));
            expected.insert(kIsdnDefaults.begin(), kIsdnDefaults.end());
        }
        ClickButton(GetDlgItem(sheet, IDOK));
        ASSERT_TRUE(program.ExitsWith(0));
        EXPECT_EQ("driver", key.ParametersClass());
        EXPECT_TRUE(HoldsExactly(key, expected));
    }
}

TEST(Sheet, OkAndCancelSitAtTheRightEndWithoutApply) {
    AdapterKey key(UniqueAdapter());
    Program program;
    ASSERT_TRUE(program.Start(std::to_wstring(key.adapter())));
    HWND sheet = nullptr;
    ASSERT_TRUE(program.WaitForSheet(key.adapter(), &sheet));

    HWND ok = GetDlgItem(sheet, IDOK), cancel = GetDlgItem(sheet, IDCANCEL);
    HWND apply = GetDlgItem(sheet, kApplyId);
    ASSERT_TRUE(ok && cancel) << program.DescribeWindows();
    EXPECT_TRUE(!apply || !IsWindowVisible(apply)) << Describe(apply);
    EXPECT_EQ(L"OK", WindowText(ok));
    EXPECT_EQ(L"Cancel", WindowText(cancel));
    std::vector<HWND> shown;
    for (HWND button : ChildWindows(sheet, L"Button"))
        if (IsWindowVisible(button)) shown.push_back(button);
    EXPECT_THAT(shown, UnorderedElementsAre(ok, cancel))
        << "the sheet's visible buttons";

    // In the sheet's client coordinates.
    RECT okRect = ScreenRect(ok), cancelRect = ScreenRect(cancel), client{};
    MapWindowPoints(nullptr, sheet, reinterpret_cast<POINT*>(&okRect), 2);
    MapWindowPoints(nullptr, sheet, reinterpret_cast<POINT*>(&cancelRect), 2);
    GetClientRect(sheet, &client);
    SCOPED_TRACE("OK " + Describe(ok) + ", Cancel " + Describe(cancel) + ", client width " +
                 std::to_string(client.right));
    EXPECT_EQ(okRect.top, cancelRect.top);
    EXPECT_EQ(okRect.bottom, cancelRect.bottom);
    EXPECT_EQ(okRect.right - okRect.left, cancelRect.right - cancelRect.left);
    EXPECT_LE(okRect.right, cancelRect.left);
    EXPECT_LT(cancelRect.left - okRect.right, 16) << "OK right next to Cancel";
    EXPECT_LE(cancelRect.right, client.right);
    EXPECT_LT(client.right - cancelRect.right, 16) << "Cancel at the right edge";
    EXPECT_GT(okRect.top, client.bottom / 2) << "the buttons stay in the bottom row";

    PressSheetButton(sheet, PSBTN_CANCEL);
    ASSERT_TRUE(program.ExitsWith(0));
}

// The sheet's owner is never shown, so the sheet places itself in the middle of the screen's
// work area rather than in its corner.
TEST(Sheet, OpensInTheMiddleOfTheScreen) {
    AdapterKey key(UniqueAdapter());
    Program program;
    ASSERT_TRUE(program.Start(std::to_wstring(key.adapter())));
    HWND sheet = nullptr;
    ASSERT_TRUE(program.WaitForSheet(key.adapter(), &sheet));

    RECT work{};
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0));
    const RECT window = ScreenRect(sheet);
    SCOPED_TRACE("sheet " + Describe(sheet));
    EXPECT_LE(std::abs((window.left + window.right) - (work.left + work.right)), 2);
    EXPECT_LE(std::abs((window.top + window.bottom) - (work.top + work.bottom)), 2);

    PressSheetButton(sheet, PSBTN_CANCEL);
    ASSERT_TRUE(program.ExitsWith(0));
}

// The host dialog owns the sheet but is never seen: watched from the start of the run, across
// page switches and the sheet's closing, until the program has ended.
TEST(Sheet, HostWindowNeverShows) {
    AdapterKey key(UniqueAdapter());
    Program program;
    const std::wstring sheetTitle = SheetTitle(key.adapter());
    HWND sheet = nullptr;
    int polls = 0;
    std::vector<std::string> sightings;
    auto watch = [&]() {
        ++polls;
        for (HWND host : program.TopLevelWindows(L"#32770", kHostTitle))
            if (IsWindowVisible(host))
                sightings.push_back(program.DescribeWindows());
        for (HWND window : program.TopLevelWindows(L"#32770", sheetTitle.c_str()))
            if (IsWindowVisible(window))
                sheet = window;
    };
    ASSERT_TRUE(program.Start(std::to_wstring(key.adapter())));
    ASSERT_TRUE(WaitUntil(kTimeoutMs, 1, "the sheet", [&](std::string* seen) {
        watch();
        *seen = program.DescribeWindows();
        return sheet != nullptr;
    }));

    HWND host = nullptr;
    ASSERT_TRUE(program.FindExactlyOne(L"#32770", kHostTitle, &host));
    EXPECT_EQ(host, GetWindow(sheet, GW_OWNER)) << "the sheet's owner";
    EXPECT_FALSE(IsWindowEnabled(host)) << "the host is disabled while the sheet runs";
    for (int index : {1, 0, 1}) {
        SelectPage(sheet, index);
        ASSERT_TRUE(WaitUntil(kTimeoutMs, 1, "page " + std::to_string(index), [&](std::string* seen) {
            watch();
            const int current = CurrentPageIndex(sheet);
            *seen = "page " + std::to_string(current);
            return current == index;
        }));
    }
    PressSheetButton(sheet, PSBTN_CANCEL);
    ASSERT_TRUE(WaitUntil(kTimeoutMs, 1, "the program's end", [&](std::string* seen) {
        watch();
        *seen = program.DescribeWindows();
        return !program.Running();
    }));
    EXPECT_TRUE(program.ExitsWith(0));
    EXPECT_THAT(sightings, testing::IsEmpty())
        << "the host was seen visible in " << sightings.size() << " of " << polls
        << " looks";
}

}  // namespace
