// The help viewer's calls as the viewer receives them: a stand-in viewer in this process
// records what each Help press on the pages sends, and what every run sends when it ends.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/help_viewer.h"
#include "support/program.h"
#include "support/registry.h"

using namespace hvntest;

namespace {

constexpr int kHelpButton = 3;

// The program's own directory and "\RIZUV", worked out here from the path the program is
// started with.
std::string HelpFileBeside(const std::wstring& programPath) {
    const std::string program = Narrow(programPath);
    return program.substr(0, program.rfind('\\')) + "\\RIZUV";
}

void ExpectWellFormed(const HelpCall& call) {
    EXPECT_EQ(kWinHelpCopyDataId, call.copyDataId) << Describe(call);
    EXPECT_EQ("", call.problem) << Describe(call);
}

// What one Help press sends, starting at calls[first]: the placement, then the contents,
// both for the page's window and the file beside the program.
void ExpectHelpPress(const std::vector<HelpCall>& calls, size_t first, HWND page,
                     const std::string& file) {
    ASSERT_GE(calls.size(), first + 2) << Describe(calls);
    const HelpCall& placement = calls[first];
    SCOPED_TRACE("placement " + Describe(placement));
    ExpectWellFormed(placement);
    EXPECT_EQ(HELP_SETWINPOS, placement.command);
    EXPECT_EQ(page, placement.caller);
    EXPECT_EQ(file, placement.file);
    HELPWININFOA info{};
    std::string problem;
    if (ReadWindowPlacement(placement, &info, &problem)) {
        EXPECT_EQ((int)sizeof(HELPWININFOA), info.wStructSize);
        EXPECT_EQ(50, info.x);
        EXPECT_EQ(30, info.y);
        EXPECT_EQ(950, info.dx);
        EXPECT_EQ(950, info.dy);
        EXPECT_EQ(SW_SHOW, info.wMax);
        EXPECT_EQ(0, info.rgchMember[0]);
        EXPECT_EQ(0, info.rgchMember[1]);
    } else {
        ADD_FAILURE() << problem;
    }

    const HelpCall& contents = calls[first + 1];
    SCOPED_TRACE("contents " + Describe(contents));
    ExpectWellFormed(contents);
    EXPECT_EQ(HELP_CONTENTS, contents.command);
    EXPECT_EQ(0, contents.data);
    EXPECT_EQ(page, contents.caller);
    EXPECT_EQ(file, contents.file);
}

// The end of a run: quit, for no window (the host's is gone by then), the same file.
void ExpectQuit(const HelpCall& call, const std::string& file) {
    SCOPED_TRACE("quit " + Describe(call));
    ExpectWellFormed(call);
    EXPECT_EQ(HELP_QUIT, call.command);
    EXPECT_EQ(0, call.data);
    EXPECT_EQ(nullptr, call.caller);
    EXPECT_EQ(file, call.file);
}

void ExitAndExpectZero(Program& program) {
    DWORD code = 1;
    ASSERT_TRUE(program.WaitForExit(&code));
    EXPECT_EQ(0u, code);
}

// A copy of the program at another place, removed again with the directories made for it.
class ProgramCopy {
public:
    // `directory` is made (with its parents) unless it exists; the copy is directory\name.
    ProgramCopy(const std::wstring& directory, const std::wstring& name)
        : path_(directory + L"\\" + name) {
        for (size_t at = directory.find(L'\\', 3); ; at = directory.find(L'\\', at + 1)) {
            const std::wstring part = directory.substr(0, at);
            if (CreateDirectoryW(Long(part).c_str(), nullptr)) made_.push_back(part);
            if (at == std::wstring::npos) break;
        }
        if (!CopyFileW(Long(ProgramPath()).c_str(), Long(path_).c_str(), FALSE))
            error_ = GetLastError();
    }
    ~ProgramCopy() {
        DeleteFileW(Long(path_).c_str());
        for (auto part = made_.rbegin(); part != made_.rend(); ++part)
            RemoveDirectoryW(Long(*part).c_str());
    }
    ProgramCopy(const ProgramCopy&) = delete;
    ProgramCopy& operator=(const ProgramCopy&) = delete;

    const std::wstring& path() const { return path_; }
    testing::AssertionResult Made() const {
        if (!error_) return testing::AssertionSuccess();
        return testing::AssertionFailure() << "cannot copy the program to " << Narrow(path_)
                                           << ": error " << error_;
    }

private:
    // Paths beyond MAX_PATH need the prefix that turns off its limit.
    static std::wstring Long(const std::wstring& path) { return L"\\\\?\\" + path; }
    std::wstring path_;
    std::vector<std::wstring> made_;
    DWORD error_ = 0;
};

// One run of a copy of the program; killed if it is still running at the end.
class CopyRun {
public:
    ~CopyRun() {
        if (!info_.hProcess) return;
        if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(info_.hProcess, 999);
            WaitForSingleObject(info_.hProcess, 5000);
        }
        CloseHandle(info_.hThread);
        CloseHandle(info_.hProcess);
    }
    testing::AssertionResult Start(const std::wstring& path, long long adapter) {
        std::wstring commandLine = L"\"" + path + L"\" " + std::to_wstring(adapter);
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        if (!CreateProcessW(path.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                            nullptr, &startup, &info_))
            return testing::AssertionFailure() << "cannot start " << Narrow(path) << ": error "
                                               << GetLastError();
        return testing::AssertionSuccess();
    }
    testing::AssertionResult WaitForSheet(long long adapter, HWND* sheet) const {
        const std::wstring title = SheetTitle((int)adapter);
        return WaitUntil(kTimeoutMs, kPollMs, "the copy's sheet", [&](std::string* seen) {
            *sheet = FindWindowW(L"#32770", title.c_str());
            *seen = Describe(*sheet);
            return *sheet && IsWindowVisible(*sheet);
        });
    }
    testing::AssertionResult WaitForExit(DWORD* code) const {
        if (WaitForSingleObject(info_.hProcess, kTimeoutMs) != WAIT_OBJECT_0)
            return testing::AssertionFailure() << "the copy did not end in time";
        GetExitCodeProcess(info_.hProcess, code);
        return testing::AssertionSuccess();
    }

private:
    PROCESS_INFORMATION info_{};
};

// The build's directory for this test's copies: "Z:\...\tests" as Windows sees it.
std::wstring TestDirectory() {
    const std::wstring program = ProgramPath();
    return program.substr(0, program.rfind(L'\\')) + L"\\help_copies";
}

// A directory under base whose path is exactly `length` characters long.
std::wstring DirectoryOfLength(const std::wstring& base, size_t length) {
    std::wstring directory = base;
    while (directory.size() + 1 < length) {
        const size_t name = std::min<size_t>(100, length - directory.size() - 1);
        directory += L"\\" + std::wstring(name, L'D');
    }
    directory.resize(length, L'D');
    return directory;
}

TEST(HelpButton, EachPageSendsThePlacementThenTheContentsOfTheFileBesideTheProgram) {
    StandInHelpViewer viewer;
    ASSERT_TRUE(viewer.Ready());
    AdapterKey key(UniqueAdapter());
    Program program;
    ASSERT_TRUE(program.Start(std::to_wstring(key.adapter())));
    HWND sheet = nullptr;
    ASSERT_TRUE(program.WaitForSheet(key.adapter(), &sheet));
    const std::string file = HelpFileBeside(ProgramPath());

    HWND pages[2] = {};
    for (int index = 0; index < 2; ++index) {
        SCOPED_TRACE("page " + std::to_string(index));
        ASSERT_TRUE(SwitchToPage(sheet, index, &pages[index]));
        ClickButton(GetDlgItem(pages[index], kHelpButton));
        ASSERT_TRUE(viewer.WaitForCalls(2 * (index + 1)));
        ExpectHelpPress(viewer.Calls(), 2 * index, pages[index], file);
    }
    EXPECT_NE(pages[0], pages[1]);

    PressSheetButton(sheet, PSBTN_CANCEL);
    ASSERT_NO_FATAL_FAILURE(ExitAndExpectZero(program));
    const std::vector<HelpCall> calls = viewer.Calls();
    ASSERT_EQ(5u, calls.size()) << Describe(calls);
    ExpectQuit(calls[4], file);
}

TEST(HelpButton, PressedTwiceSendsBothCommandsTwice) {
    StandInHelpViewer viewer;
    ASSERT_TRUE(viewer.Ready());
    AdapterKey key(UniqueAdapter());
    Program program;
    ASSERT_TRUE(program.Start(std::to_wstring(key.adapter())));
    HWND sheet = nullptr;
    ASSERT_TRUE(program.WaitForSheet(key.adapter(), &sheet));
    const std::string file = HelpFileBeside(ProgramPath());

    for (int index = 0; index < 2; ++index) {
        SCOPED_TRACE("page " + std::to_string(index));
        HWND page = nullptr;
        ASSERT_TRUE(SwitchToPage(sheet, index, &page));
        HWND help = GetDlgItem(page, kHelpButton);
        ClickButton(help);
        ClickButton(help);
        const size_t first = 4 * index;
        ASSERT_TRUE(viewer.WaitForCalls(first + 4));
        const std::vector<HelpCall> calls = viewer.Calls();
        ExpectHelpPress(calls, first, page, file);
        ExpectHelpPress(calls, first + 2, page, file);
    }

    PressSheetButton(sheet, PSBTN_OK);
    ASSERT_NO_FATAL_FAILURE(ExitAndExpectZero(program));
    const std::vector<HelpCall> calls = viewer.Calls();
    ASSERT_EQ(9u, calls.size()) << Describe(calls);
    ExpectQuit(calls[8], file);
}

TEST(HelpQuit, ARunWithoutHelpStillEndsWithQuit) {
    struct Case {
        const char* name;
        int button;
    };
    const Case cases[] = {{"OK", PSBTN_OK}, {"Cancel", PSBTN_CANCEL}};
    int slot = 0;
    for (const Case& row : cases) {
        SCOPED_TRACE(row.name);
        StandInHelpViewer viewer;
        ASSERT_TRUE(viewer.Ready());
        AdapterKey key(UniqueAdapter(slot++));
        Program program;
        ASSERT_TRUE(program.Start(std::to_wstring(key.adapter())));
        HWND sheet = nullptr;
        ASSERT_TRUE(program.WaitForSheet(key.adapter(), &sheet));
        EXPECT_EQ(0u, viewer.Calls().size()) << Describe(viewer.Calls());
        PressSheetButton(sheet, row.button);
        ASSERT_NO_FATAL_FAILURE(ExitAndExpectZero(program));
        const std::vector<HelpCall> calls = viewer.Calls();
        ASSERT_EQ(1u, calls.size()) << Describe(calls);
        ExpectQuit(calls[0], HelpFileBeside(ProgramPath()));
    }
}

// The help file follows the program wherever it lies: beside it in the root of a drive, and
// in a directory of 253 characters, whose help path fills the 260-byte buffer exactly. From a
// directory one character longer there is no help path, and the viewer is never called.
TEST(HelpButton, FollowsTheProgramAndIsSkippedWhereItsPathWouldNotFit) {
    struct Case {
        const char* name;
        std::wstring directory;
        std::wstring fileName;
        bool helpCalled;
    };
    const std::wstring base = TestDirectory();
    const Case cases[] = {
        {"root of drive C:", L"C:", L"hvnhlp.exe", true},
        {"directory of 253 characters", DirectoryOfLength(base, 253), L"h.exe", true},
        // The program's own path must stay below MAX_PATH to be started at all: hence a file
        // name without extension.
        {"directory of 254 characters", DirectoryOfLength(base, 254), L"h", false},
    };
    int slot = 0;
    for (const Case& row : cases) {
        SCOPED_TRACE(row.name);
        ProgramCopy copy(row.directory, row.fileName);
        ASSERT_TRUE(copy.Made());
        StandInHelpViewer viewer;
        ASSERT_TRUE(viewer.Ready());
        AdapterKey key(UniqueAdapter(slot++));
        CopyRun program;
        ASSERT_TRUE(program.Start(copy.path(), key.adapter()));
        HWND sheet = nullptr;
        ASSERT_TRUE(program.WaitForSheet(key.adapter(), &sheet));

        // Help on each page; the next page switch, posted behind the click, shows it was handled.
        HWND pages[2] = {};
        ASSERT_TRUE(SwitchToPage(sheet, 0, &pages[0]));
        ClickButton(GetDlgItem(pages[0], kHelpButton));
        ASSERT_TRUE(SwitchToPage(sheet, 1, &pages[1]));
        ClickButton(GetDlgItem(pages[1], kHelpButton));
        HWND page = nullptr;
        ASSERT_TRUE(SwitchToPage(sheet, 0, &page));
        PressSheetButton(sheet, PSBTN_OK);
        DWORD code = 1;
        ASSERT_TRUE(program.WaitForExit(&code));
        EXPECT_EQ(0u, code);

        const std::vector<HelpCall> calls = viewer.Calls();
        if (!row.helpCalled) {
            EXPECT_TRUE(calls.empty()) << Describe(calls);
            continue;
        }
        const std::string file = HelpFileBeside(copy.path());
        ASSERT_EQ(5u, calls.size()) << Describe(calls);
        ExpectHelpPress(calls, 0, pages[0], file);
        ExpectHelpPress(calls, 2, pages[1], file);
        ExpectQuit(calls[4], file);
    }
}

}  // namespace
