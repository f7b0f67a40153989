// The About box, opened from each page's About button: its title and texts, the sheet it
// keeps disabled while it shows, every way of closing it, the emblem it paints, and the
// settings it leaves alone.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <cwchar>
#include <map>
#include <string>
#include <vector>

#include "support/program.h"
#include "support/registry.h"
#include "support/dialog_template.h"
#include "support/screen.h"

using namespace hvntest;

namespace {

constexpr wchar_t kDialogClass[] = L"#32770";
constexpr wchar_t kAboutTitle[] = L"About the Halvorn BRI ISDN Adapter";
constexpr int kAboutButton = 4;
constexpr int kAboutTemplate = 100;
constexpr int kEmblem = 134;
constexpr int kPlaceholder = 1020;
constexpr int kProductName = 1021;
constexpr int kVersion = 1022;
constexpr int kCopyright = 1024;
constexpr int kTrademark = 1025;

// All ten values, none at its read default, each loaded and saved unchanged by the pages.
const std::map<std::string, RegValue> kStoredValues = {
    {"IOBaseAddress", Dword(832)},  {"InterruptNumber", Dword(15)},
    {"VoiceEnabled", Dword(0)},     {"RingPattern", Dword(3)},
    {"SwitchType", Dword(2)},       {"NumPhoneNumbers", Dword(2)},
    {"PhoneNumber1", Sz("555-1234")}, {"PhoneNumber2", Sz("555 9876")},
    {"SPID1", Sz("01555123400")},   {"SPID2", Sz("0155 5987600")}};

std::map<std::string, RegValue> Snapshot(const AdapterKey& key) {
    std::map<std::string, RegValue> values;
    for (const std::string& name : key.ValueNames()) values[name] = key.Read(name);
    return values;
}

void StoreValues(const AdapterKey& key) {
    for (const auto& value : kStoredValues) ASSERT_TRUE(key.Set(value.first, value.second));
    ASSERT_EQ(kStoredValues, Snapshot(key));
}

// Width in pixels of text drawn in the dialog's font, as the dialog creates it.
int TextWidth(const DialogTemplate& dialog, const std::wstring& text) {
    HDC dc = GetDC(nullptr);
    LOGFONTW font{};
    font.lfHeight = -MulDiv(dialog.pointSize, GetDeviceCaps(dc, LOGPIXELSY), 72);
    font.lfWeight = dialog.weight;
    font.lfCharSet = DEFAULT_CHARSET;
    wcsncpy(font.lfFaceName, dialog.typeface.c_str(), LF_FACESIZE - 1);
    HFONT handle = CreateFontIndirectW(&font);
    HGDIOBJ previous = SelectObject(dc, handle);
    SIZE extent{};
    GetTextExtentPoint32W(dc, text.c_str(), (int)text.size(), &extent);
    SelectObject(dc, previous);
    DeleteObject(handle);
    ReleaseDC(nullptr, dc);
    return extent.cx;
}

// Clicks the page's About button and waits for the box.
testing::AssertionResult OpenAbout(const Program& program, HWND page, HWND* about) {
    ClickButton(GetDlgItem(page, kAboutButton));
    return program.WaitForVisibleWindow(kDialogClass, kAboutTitle, about);
}

// What every opening shows: the box owned by the sheet, which it disables, the OK button
// focused, and the four texts, the two notices of our own each on one line of its item.
void ExpectAboutBox(const Program& program, HWND about, HWND sheet,
                    const DialogTemplate& aboutTemplate) {
    EXPECT_EQ(sheet, GetWindow(about, GW_OWNER)) << Describe(GetWindow(about, GW_OWNER));
    EXPECT_FALSE(IsWindowEnabled(sheet)) << "the sheet takes input while the About box shows";
    HWND ok = GetDlgItem(about, IDOK);
    EXPECT_TRUE(WaitUntil(kTimeoutMs, kPollMs, "the focus on the About box's OK button",
                          [&](std::string* seen) {
                              *seen = Describe(program.FocusedControl());
                              return ok && program.FocusedControl() == ok;
                          }));

    EXPECT_EQ(L"Kestrin 128K BRI", WindowText(GetDlgItem(about, kProductName)));
    EXPECT_EQ(L"Version: 5.1.11", WindowText(GetDlgItem(about, kVersion)));
    for (int id : {kCopyright, kTrademark}) {
        SCOPED_TRACE("item " + std::to_string(id));
        HWND item = GetDlgItem(about, id);
        ASSERT_TRUE(item);
        const std::wstring text = WindowText(item);
        EXPECT_FALSE(text.empty());
        const DialogItemTemplate* placeholder = aboutTemplate.Item(id);
        ASSERT_TRUE(placeholder) << "the template has no item " << id;
        EXPECT_NE(placeholder->text, text) << "the template's placeholder is shown";
        RECT client{};
        GetClientRect(item, &client);
        EXPECT_LE(TextWidth(aboutTemplate, text), client.right)
            << "\"" << Narrow(text) << "\" is wider than its item: it wraps onto a hidden line";
    }
}

enum class CloseBy { kOk, kEscape, kCloseBox };

const char* Name(CloseBy how) {
    switch (how) {
    case CloseBy::kOk: return "OK";
    case CloseBy::kEscape: return "Escape";
    case CloseBy::kCloseBox: return "close box";
    }
    return "?";
}

// Closes the box and waits until it is gone and the sheet takes input again.
testing::AssertionResult CloseAbout(const Program& program, HWND about, HWND sheet, CloseBy how) {
    switch (how) {
    case CloseBy::kOk: ClickButton(GetDlgItem(about, IDOK)); break;
    case CloseBy::kEscape: PressEscape(program, about); break;
    case CloseBy::kCloseBox: PressCloseBox(about); break;
    }
    return WaitUntil(kTimeoutMs, kPollMs, "the About box to close and the sheet to be enabled",
                     [&](std::string* seen) {
                         *seen = Describe(about) + ", sheet " + Describe(sheet);
                         return !IsWindow(about) && IsWindowEnabled(sheet);
                     });
}

TEST(AboutBox, OpensFromEitherPageWithItsTextsClosesEveryWayAndChangesNothing) {
    DialogTemplate aboutTemplate;
    ASSERT_TRUE(LoadDialogTemplate(ProgramPath(), kAboutTemplate, &aboutTemplate));
    AdapterKey key(UniqueAdapter());
    ASSERT_NO_FATAL_FAILURE(StoreValues(key));
    const std::map<std::string, RegValue> before = Snapshot(key);

    Program program;
    ASSERT_TRUE(program.Start(std::to_wstring(key.adapter())));
    HWND sheet = nullptr;
    ASSERT_TRUE(program.WaitForSheet(key.adapter(), &sheet));
    for (int index = 0; index < 2; ++index) {
        HWND page = nullptr;
        ASSERT_TRUE(SwitchToPage(sheet, index, &page));
        for (CloseBy how : {CloseBy::kOk, CloseBy::kEscape, CloseBy::kCloseBox}) {
            SCOPED_TRACE("page " + std::to_string(index) + ", closed by " + Name(how));
            HWND about = nullptr;
            ASSERT_TRUE(OpenAbout(program, page, &about));
            ExpectAboutBox(program, about, sheet, aboutTemplate);
            ASSERT_TRUE(CloseAbout(program, about, sheet, how));
            EXPECT_TRUE(program.TopLevelWindows(kDialogClass, kAboutTitle).empty())
                << program.DescribeWindows();
            EXPECT_EQ(index, CurrentPageIndex(sheet));
        }
    }
    // OK writes back every value the pages hold: all as they were loaded.
    PressSheetButton(sheet, PSBTN_OK);
    DWORD code = 1;
    ASSERT_TRUE(program.WaitForExit(&code));
    EXPECT_EQ(0u, code);
    EXPECT_EQ(before, Snapshot(key));
}

// Painting follows showing: waits for the picture on the screen rather than for a moment.
testing::AssertionResult WaitForPicture(const Pixels& picture, int left, int top) {
    const std::string where = std::to_string(left) + "," + std::to_string(top);
    return WaitUntil(kTimeoutMs, 50, "the picture on the screen at " + where,
                     [&](std::string* seen) {
                         *seen = Difference(
                             picture, CaptureScreen(left, top, picture.width, picture.height));
                         return seen->empty();
                     });
}

TEST(AboutBox, PaintsTheWholeEmblemAtThePlaceholdersCornerEveryTimeItOpens) {
    const Pixels emblem = BitmapResource(ProgramPath(), kEmblem);
    ASSERT_EQ(40, emblem.width);
    ASSERT_EQ(40, emblem.height);
    AdapterKey key(UniqueAdapter());
    Program program;
    ASSERT_TRUE(program.Start(std::to_wstring(key.adapter())));
    HWND sheet = nullptr;
    ASSERT_TRUE(program.WaitForSheet(key.adapter(), &sheet));
    const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};

    for (int index : {0, 1, 0}) {
        SCOPED_TRACE("About from page " + std::to_string(index));
        HWND page = nullptr;
        ASSERT_TRUE(SwitchToPage(sheet, index, &page));
        HWND about = nullptr;
        ASSERT_TRUE(OpenAbout(program, page, &about));
        HWND placeholder = GetDlgItem(about, kPlaceholder);
        ASSERT_TRUE(placeholder);
        EXPECT_FALSE(IsWindowVisible(placeholder));
        const RECT corner = ScreenRect(placeholder);
        const RECT area{corner.left, corner.top, corner.left + emblem.width,
                        corner.top + emblem.height};
        RECT onScreen{};
        IntersectRect(&onScreen, &area, &screen);
        ASSERT_TRUE(EqualRect(&onScreen, &area)) << "the emblem's place is off the screen: "
                                                 << Describe(about);
        EXPECT_TRUE(WaitForPicture(emblem, corner.left, corner.top));
        ASSERT_TRUE(CloseAbout(program, about, sheet, CloseBy::kOk));
    }
    PressSheetButton(sheet, PSBTN_CANCEL);
    DWORD code = 1;
    ASSERT_TRUE(program.WaitForExit(&code));
    EXPECT_EQ(0u, code);
}

}  // namespace
