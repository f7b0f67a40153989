// Saving, end to end: the real program run on an adapter key, closed as a user would, and the
// key read back afterwards. OK writes the four adapter resource values, and the six ISDN
// values only once their page was opened; Cancel writes nothing; a key that cannot be made
// gives one message and exit code 1.
#include <windows.h>
#include <commctrl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "support/program.h"
#include "support/registry.h"

using namespace hvntest;
using testing::IsEmpty;
using testing::UnorderedElementsAreArray;

namespace {


constexpr wchar_t kCaption[] = L"Halvorn BRI ISDN";
constexpr wchar_t kHostTitle[] = L"Halvorn BRI ISDN Setup";
constexpr wchar_t kNotSaved[] = L"The adapter settings could not be saved.";

RegValue Raw(DWORD type, std::initializer_list<BYTE> bytes) {
    RegValue value;
    value.status = ERROR_SUCCESS;
    value.type = type;
    value.bytes.assign(bytes);
    return value;
}

Values Merged(Values values, const Values& more) {
    for (const auto& value : more) values[value.first] = value.second;
    return values;
}

void ExpectHolds(const AdapterKey& key, const Values& expected) {
    std::vector<std::string> names;
    for (const auto& value : expected) names.push_back(value.first);
    EXPECT_THAT(key.ValueNames(), UnorderedElementsAreArray(names));
    for (const auto& value : expected) EXPECT_EQ(value.second, key.Read(value.first)) << value.first;
}

// What the pages save from a key without values.
const Values kResourceDefaults = {{"IOBaseAddress", Dword(800)}, {"RingPattern", Dword(0)},
                                  {"InterruptNumber", Dword(10)}, {"VoiceEnabled", Dword(1)}};
const Values kIsdnDefaults = {{"SwitchType", Dword(1)}, {"NumPhoneNumbers", Dword(1)},
                              {"PhoneNumber1", Sz("")}, {"PhoneNumber2", Sz("")},
                              {"SPID1", Sz("")},        {"SPID2", Sz("")}};

// A filled key whose values are stored in other encodings than the program writes (numbers
// as short binary data), so a value the program rewrote shows as REG_DWORD afterwards. One
// phone number only, yet the second number's texts are there. The SPID2 text has percent
// signs after its first fifteen characters, which are all the page's check looks at.
const Values kResourcesStored = {{"IOBaseAddress", Raw(REG_BINARY, {0x40, 0x03})},
                                 {"RingPattern", Dword(9)},
                                 {"InterruptNumber", Raw(REG_BINARY, {0x0F})},
                                 {"VoiceEnabled", Dword(0)}};
const Values kResourcesSaved = {{"IOBaseAddress", Dword(832)}, {"RingPattern", Dword(9)},
                                {"InterruptNumber", Dword(15)}, {"VoiceEnabled", Dword(0)}};
const Values kIsdnStored = {{"SwitchType", Raw(REG_BINARY, {0x02, 0x00})},
                            {"NumPhoneNumbers", Dword(1)},
                            {"PhoneNumber1", Sz("555-1234")},
                            {"PhoneNumber2", Sz("555 9876")},
                            {"SPID1", Sz("012345678901234567890123456789012345678")},
                            {"SPID2", Sz("015559876000000%s%d%%")}};
const Values kIsdnSaved = {{"SwitchType", Dword(2)},
                           {"NumPhoneNumbers", Dword(1)},
                           {"PhoneNumber1", Sz("555-1234")},
                           {"PhoneNumber2", Sz("555 9876")},
                           {"SPID1", Sz("012345678901234567890123456789012345678")},
                           {"SPID2", Sz("015559876000000%s%d%%")}};
// Three of the ISDN values present, three absent.
const Values kSomeIsdnStored = {{"SwitchType", Raw(REG_BINARY, {0x02, 0x00})},
                                {"PhoneNumber2", Sz("555 9876")},
                                {"SPID1", Raw(REG_BINARY, {'0', '1', '5'})}};

testing::AssertionResult StoreAll(const AdapterKey& key, const Values& values) {
    for (const auto& value : values) {
        testing::AssertionResult set = key.Set(value.first, value.second);
        if (!set) return set << " (" << value.first << ")";
    }
    return testing::AssertionSuccess();
}

// Opens the ISDN Parameters tab and goes back to Adapter Resources, so OK is pressed on the
// first page with both pages captured.
testing::AssertionResult OpenIsdnPageAndGoBack(HWND sheet) {
    HWND page = nullptr;
    testing::AssertionResult switched = SwitchToPage(sheet, 1, &page);
    if (!switched) return switched << " (to the ISDN page)";
    switched = SwitchToPage(sheet, 0, &page);
    if (!switched) return switched << " (back to the adapter page)";
    return testing::AssertionSuccess();
}

struct SaveCase {
    const char* name;
    Values before;
    bool openIsdnPage;
    int button;  // PSBTN_OK or PSBTN_CANCEL
    Values after;
};

std::vector<SaveCase> SaveCases() {
    return {
        {"empty key, OK at once: the four resource values", {}, false, PSBTN_OK,
         kResourceDefaults},
        {"filled key, OK at once: the six ISDN values untouched",
         Merged(kResourcesStored, kIsdnStored), false, PSBTN_OK,
         Merged(kResourcesSaved, kIsdnStored)},
        {"some ISDN values, OK at once: present ones untouched, absent ones absent",
         kSomeIsdnStored, false, PSBTN_OK, Merged(kResourceDefaults, kSomeIsdnStored)},
        {"empty key, ISDN page opened, OK: all ten, empty texts as the NUL alone", {}, true,
         PSBTN_OK, Merged(kResourceDefaults, kIsdnDefaults)},
        {"filled key, ISDN page opened, OK: all ten, the second number's texts included",
         Merged(kResourcesStored, kIsdnStored), true, PSBTN_OK,
         Merged(kResourcesSaved, kIsdnSaved)},
        {"empty key, ISDN page opened, Cancel: nothing", {}, true, PSBTN_CANCEL, {}},
        {"filled key, ISDN page opened, Cancel: nothing", Merged(kResourcesStored, kIsdnStored),
         true, PSBTN_CANCEL, Merged(kResourcesStored, kIsdnStored)},
    };
}

TEST(Save, OkWritesThePagesOpenedAndCancelNothing) {
    for (const SaveCase& row : SaveCases()) {
        SCOPED_TRACE(row.name);
        AdapterKey key(UniqueAdapter());
        ASSERT_TRUE(key.CreateParameters());
        ASSERT_TRUE(StoreAll(key, row.before));
        ExpectHolds(key, row.before);
        Program program;
        ASSERT_TRUE(program.Start(std::to_wstring(key.adapter())));
        HWND sheet = nullptr;
        ASSERT_TRUE(program.WaitForSheet(static_cast<int>(key.adapter()), &sheet));
        if (row.openIsdnPage) {
            ASSERT_TRUE(OpenIsdnPageAndGoBack(sheet));
        }
        PressSheetButton(sheet, row.button);
        // A message box would keep the program from ending: the wait then fails naming it.
        EXPECT_TRUE(program.ExitsWith(0));
        ExpectHolds(key, row.after);
    }
}

// The service key made volatile: the program can neither open nor create its non-volatile
// Parameters key below it, so nothing can be saved.
TEST(FailedSave, OkShowsOneMessageThenExitsWithOne) {
    for (bool openIsdnPage : {false, true}) {
        SCOPED_TRACE(openIsdnPage ? "ISDN page opened" : "ISDN page never opened");
        AdapterKey key(UniqueAdapter());
        ASSERT_TRUE(key.CreateVolatileService());
        Program program;
        ASSERT_TRUE(program.Start(std::to_wstring(key.adapter())));
        HWND sheet = nullptr;
        ASSERT_TRUE(program.WaitForSheet(static_cast<int>(key.adapter()), &sheet));
        EXPECT_FALSE(key.ParametersExist()) << "the program made the key after all";
        if (openIsdnPage) {
            ASSERT_TRUE(OpenIsdnPageAndGoBack(sheet));
        }
        EXPECT_THAT(program.TopLevelWindows(L"#32770", kCaption), IsEmpty())
            << "a message before OK: " << program.DescribeWindows();

        HWND host = nullptr;
        ASSERT_TRUE(program.FindExactlyOne(L"#32770", kHostTitle, &host));
        PressSheetButton(sheet, PSBTN_OK);
        HWND box = nullptr;
        ASSERT_TRUE(program.WaitForMessageBox(kCaption, &box));
        EXPECT_TRUE(program.FindExactlyOne(L"#32770", kCaption, &box));
        EXPECT_EQ(kNotSaved, MessageBoxText(box));
        std::vector<std::wstring> buttons;
        for (HWND button : ChildWindows(box, L"Button"))
            if (IsWindowVisible(button)) buttons.push_back(WindowText(button));
        EXPECT_THAT(buttons, testing::ElementsAre(L"OK"));
        EXPECT_FALSE(IsWindow(sheet) && IsWindowVisible(sheet)) << "the sheet is still shown";
        EXPECT_TRUE(program.Running()) << "the program ended while its message was up";

        DismissMessageBox(box);
        // No second message may follow: either the program ends, or a new box shows. (The
        // hidden host dialog is not a message; whether it ever shows is the start-up tests'.)
        std::string second;
        ASSERT_TRUE(WaitUntil(kTimeoutMs, kPollMs, "the end of the run", [&](std::string* seen) {
            *seen = program.DescribeWindows();
            for (HWND window : program.TopLevelWindows(L"#32770", nullptr))
                if (window != box && window != host && IsWindowVisible(window)) {
                    second = Describe(window) + " among " + program.DescribeWindows();
                    return true;
                }
            return !program.Running();
        }));
        EXPECT_EQ("", second) << "another window after the message";
        EXPECT_TRUE(program.ExitsWith(1));
        EXPECT_TRUE(key.ServiceExists());
        EXPECT_FALSE(key.ParametersExist());
    }
}

// Cancel saves nothing, so there is nothing to fail: no message, exit code 0.
TEST(FailedSave, CancelOnAKeyThatCannotBeMadeExitsZero) {
    AdapterKey key(UniqueAdapter());
    ASSERT_TRUE(key.CreateVolatileService());
    Program program;
    ASSERT_TRUE(program.Start(std::to_wstring(key.adapter())));
    HWND sheet = nullptr;
    ASSERT_TRUE(program.WaitForSheet(static_cast<int>(key.adapter()), &sheet));
    ASSERT_TRUE(OpenIsdnPageAndGoBack(sheet));
    PressSheetButton(sheet, PSBTN_CANCEL);
    EXPECT_TRUE(program.ExitsWith(0));
    EXPECT_FALSE(key.ParametersExist());
}

}  // namespace
