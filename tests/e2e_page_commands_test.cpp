// What both pages share, seen from outside: the WinMSD button with and without a diagnostics
// program to start, and each page's picture as it appears on the screen.
#include "e2e_pages.h"

#include "support/screen.h"

namespace {

using namespace pagetest;

constexpr wchar_t kProgramTitle[] = L"hvnbricfg";  // the program file's base name
constexpr wchar_t kMarkerVariable[] = L"HVNTEST_WINMSD_MARKER";

const Values kStored = {{"IOBaseAddress", Dword(832)},    {"InterruptNumber", Dword(15)},
                        {"VoiceEnabled", Dword(0)},       {"RingPattern", Dword(9)},
                        {"SwitchType", Dword(2)},         {"NumPhoneNumbers", Dword(2)},
                        {"PhoneNumber1", Sz("555-1234")}, {"PhoneNumber2", Sz("555-9876")},
                        {"SPID1", Sz("0155512340")},      {"SPID2", Sz("0155598760")}};

std::wstring WindowsPath(const char* linuxPath) {
    std::wstring path = L"Z:" + Wide(linuxPath);
    for (wchar_t& c : path)
        if (c == L'/') c = L'\\';
    return path;
}

// A directory of its own for the run, without any program in it; removed afterwards.
class EmptyDirectory {
public:
    EmptyDirectory() {
        wchar_t temp[MAX_PATH] = L"";
        GetTempPathW(MAX_PATH, temp);
        path_ = std::wstring(temp) + L"hvntest-no-winmsd-" + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(path_.c_str(), nullptr);
    }
    ~EmptyDirectory() { RemoveDirectoryW(path_.c_str()); }
    const wchar_t* path() const { return path_.c_str(); }

private:
    std::wstring path_;
};

// Nothing the program shows but its sheet (the host dialog stays hidden).
testing::AssertionResult OnlyTheSheetVisible(const Program& program, HWND sheet) {
    for (HWND window : program.TopLevelWindows(nullptr, nullptr))
        if (window != sheet && IsWindowVisible(window))
            return testing::AssertionFailure() << "also visible: " << Describe(window)
                                               << "; all: " << program.DescribeWindows();
    return testing::AssertionSuccess();
}

// ---------------------------------------------------------------------------------------------
// WinMSD

TEST(WinMSD, WithoutTheProgramOneMessageBoxThenTheSheetGoesOn) {
    EmptyDirectory directory;
    AdapterKey key(UniqueAdapter());
    ASSERT_TRUE(Store(key, kStored));
    SheetRun run;
    ASSERT_TRUE(run.Start(key, directory.path()));
    for (int index : {kAdapterPage, kIsdnPage}) {
        SCOPED_TRACE(index == kAdapterPage ? "Adapter page" : "ISDN page");
        HWND page = nullptr;
        ASSERT_TRUE(SwitchToPage(run.sheet, index, &page));
        ClickButton(Item(page, kWinMSDButton));
        HWND box = nullptr;
        ASSERT_TRUE(run.program.WaitForMessageBox(kProgramTitle, &box));
        EXPECT_EQ(L"Unable to execute WinMSD.", MessageBoxText(box));
        DismissMessageBox(box);
        ASSERT_TRUE(WaitForPage("the box to close", [&](std::string* seen) {
            *seen = Describe(box);
            return !IsWindow(box);
        }));
        // Answered only once the command has returned to the sheet's loop.
        EXPECT_EQ(index, CurrentPageIndex(run.sheet));
        EXPECT_TRUE(run.program.TopLevelWindows(L"#32770", kProgramTitle).empty())
            << run.program.DescribeWindows();
        EXPECT_TRUE(OnlyTheSheetVisible(run.program, run.sheet));
    }
    // The pages still show what was stored, and OK saves just that.
    HWND page = CurrentPage(run.sheet);
    EXPECT_TRUE(Shows(page, kSwitchType, 2, L"Northern Telecom DMS-100"));
    EXPECT_TRUE(SecondNumberEnabled(page, true));
    ASSERT_TRUE(SwitchToPage(run.sheet, kAdapterPage, &page));
    EXPECT_TRUE(Shows(page, kIOBase, 2, L"340"));
    EXPECT_FALSE(IsChecked(Item(page, kVoice)));
    ASSERT_TRUE(run.Ok());
    EXPECT_TRUE(HoldsExactly(key, kStored));
}

// The stand-in winmsd.exe: where it records that it ran, and its process once it has.
class StandIn {
public:
    explicit StandIn(long long adapter)
        : marker_(L"Software\\hvntest\\winmsd-" + std::to_wstring(adapter)) {
        RegDeleteKeyW(HKEY_CURRENT_USER, marker_.c_str());
        SetEnvironmentVariableW(kMarkerVariable, marker_.c_str());
    }
    ~StandIn() {
        if (process_) {
            if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) TerminateProcess(process_, 1);
            CloseHandle(process_);
        }
        SetEnvironmentVariableW(kMarkerVariable, nullptr);
        RegDeleteKeyW(HKEY_CURRENT_USER, marker_.c_str());
        RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\hvntest");  // only once no test uses it
    }
    StandIn(const StandIn&) = delete;
    StandIn& operator=(const StandIn&) = delete;

    // Waits until the stand-in has recorded its run; gives its command line.
    testing::AssertionResult WaitForRun(std::wstring* commandLine) {
        DWORD processId = 0;
        testing::AssertionResult ran =
            WaitUntil(kTimeoutMs, kPollMs, "the stand-in to record its run", [&](std::string* seen) {
                DWORD size = sizeof processId;
                const LONG status = RegGetValueW(HKEY_CURRENT_USER, marker_.c_str(), L"ProcessId",
                                                 RRF_RT_REG_DWORD, nullptr, &processId, &size);
                *seen = "status " + std::to_string(status);
                return status == ERROR_SUCCESS;
            });
        if (!ran) return ran;
        wchar_t text[512] = L"";
        DWORD size = sizeof text;
        RegGetValueW(HKEY_CURRENT_USER, marker_.c_str(), L"CommandLine", RRF_RT_REG_SZ, nullptr,
                     text, &size);
        *commandLine = text;
        processId_ = processId;
        process_ = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, processId);
        if (!process_) return testing::AssertionFailure() << "cannot open process " << processId;
        return testing::AssertionSuccess();
    }
    bool Running() const { return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }
    // Its visible top-level window.
    HWND Window() const {
        struct Search {
            DWORD processId;
            HWND found;
        } search{processId_, nullptr};
        EnumWindows(
            [](HWND window, LPARAM param) -> BOOL {
                Search* s = reinterpret_cast<Search*>(param);
                DWORD processId = 0;
                GetWindowThreadProcessId(window, &processId);
                if (processId == s->processId && IsWindowVisible(window)) s->found = window;
                return !s->found;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found;
    }
    // Closes its window and waits for its end.
    testing::AssertionResult Close() {
        HWND window = Window();
        if (!window) return testing::AssertionFailure() << "the stand-in has no window";
        PostMessageW(window, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(process_, kTimeoutMs) != WAIT_OBJECT_0)
            return testing::AssertionFailure() << "the stand-in did not end when closed";
        return testing::AssertionSuccess();
    }

private:
    std::wstring marker_;
    DWORD processId_ = 0;
    HANDLE process_ = nullptr;
};

// A winmsd.exe in the run's current directory is found by the search for "winmsd", started
// and left running; the sheet goes on at once, with no message.
TEST(WinMSD, StartsTheDiagnosticsProgramFoundByTheSearchAndTheSheetGoesOn) {
    AdapterKey key(UniqueAdapter());
    StandIn standIn(key.adapter());
    const std::wstring standInDirectory = WindowsPath(HVNTEST_WINMSD_DIR);
    SheetRun run;
    ASSERT_TRUE(run.Start(key, standInDirectory.c_str()));
    HWND page = CurrentPage(run.sheet);
    ClickButton(Item(page, kWinMSDButton));
    std::wstring commandLine;
    ASSERT_TRUE(standIn.WaitForRun(&commandLine));
    EXPECT_EQ(L"winmsd", commandLine);

    // Answered only once the command has returned to the sheet's loop.
    ASSERT_TRUE(SwitchToPage(run.sheet, kIsdnPage, &page));
    EXPECT_TRUE(OnlyTheSheetVisible(run.program, run.sheet));
    EXPECT_TRUE(standIn.Running()) << "the diagnostics program is left running";
    EXPECT_TRUE(standIn.Window()) << "the stand-in's window";

    ASSERT_TRUE(SelectComboItem(page, kNumNumbers, 1));
    EXPECT_TRUE(SecondNumberEnabled(page, true));
    ASSERT_TRUE(SetEditText(Item(page, kPhone2), L"555-9876"));
    ASSERT_TRUE(run.Ok());
    EXPECT_TRUE(standIn.Running()) << "the diagnostics program outlives the run";
    EXPECT_TRUE(standIn.Close());
    EXPECT_TRUE(HoldsExactly(key, {{"IOBaseAddress", Dword(800)}, {"InterruptNumber", Dword(10)},
                                   {"VoiceEnabled", Dword(1)}, {"RingPattern", Dword(0)},
                                   {"SwitchType", Dword(1)}, {"NumPhoneNumbers", Dword(2)},
                                   {"PhoneNumber1", Sz("")}, {"PhoneNumber2", Sz("555-9876")},
                                   {"SPID1", Sz("")}, {"SPID2", Sz("")}}));
}

// ---------------------------------------------------------------------------------------------
// Pictures: each page's bitmap, taken from the program's own resources, appears pixel for
// pixel at full size with its top-left corner at the hidden placeholder's top-left corner.

TEST(Pictures, EachPageShowsItsPictureAtThePlaceholderCornerAtFullSize) {
    const struct {
        const char* name;
        int page;
        int placeholder;
        int resource;
        int width, height;
    } cases[] = {{"Adapter Resources", kAdapterPage, kAdapterPicture, 131, 110, 70},
                 {"ISDN Parameters", kIsdnPage, kIsdnPicture, 132, 105, 150}};
    AdapterKey key(UniqueAdapter());
    SheetRun run;
    ASSERT_TRUE(run.Start(key));
    for (const auto& row : cases) {
        SCOPED_TRACE(row.name);
        const Pixels picture = BitmapResource(ProgramPath(), row.resource);
        ASSERT_EQ(row.width, picture.width);
        ASSERT_EQ(row.height, picture.height);
        // The black frame makes any shift or cut show.
        for (int x : {0, row.width - 1})
            for (int y : {0, row.height - 1}) ASSERT_EQ(0u, picture.At(x, y)) << x << "," << y;

        HWND page = nullptr;
        ASSERT_TRUE(SwitchToPage(run.sheet, row.page, &page));
        HWND placeholder = Item(page, row.placeholder);
        ASSERT_TRUE(placeholder) << "placeholder " << row.placeholder;
        EXPECT_FALSE(IsWindowVisible(placeholder));
        const RECT corner = ScreenRect(placeholder);
        EXPECT_TRUE(WaitUntil(kTimeoutMs, 50, "the picture on the screen", [&](std::string* seen) {
            const Pixels shot = CaptureScreen(corner.left, corner.top, row.width, row.height);
            *seen = Difference(picture, shot);
            if (!seen->empty()) {
                const POINT centre = {corner.left + row.width / 2, corner.top + row.height / 2};
                *seen += " at the picture's centre: " + Describe(WindowFromPoint(centre));
            }
            return seen->empty();
        })) << "placeholder at (" << corner.left << "," << corner.top << ")";
    }
    ASSERT_TRUE(run.Cancel());
}

}  // namespace
