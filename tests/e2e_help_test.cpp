// The help viewer's calls as the viewer receives them: a stand-in viewer in this process
// records what each Help press on the pages sends, and what every run sends when it ends.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

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

}  // namespace
