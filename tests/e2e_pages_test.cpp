// The two property pages driven from outside as a user would: what they show for the values
// stored, what OK saves from them, the ISDN page's field checks, Defaults on each page, and
// lists left without a selection. Every run ends by reading the adapter key back.
#include "e2e_pages.h"

namespace {

using namespace pagetest;

const Values kResourceDefaults = {{"IOBaseAddress", Dword(800)},
                                  {"InterruptNumber", Dword(10)},
                                  {"VoiceEnabled", Dword(1)},
                                  {"RingPattern", Dword(0)}};
const Values kIsdnDefaults = {{"SwitchType", Dword(1)},  {"NumPhoneNumbers", Dword(1)},
                              {"PhoneNumber1", Sz("")},  {"PhoneNumber2", Sz("")},
                              {"SPID1", Sz("")},         {"SPID2", Sz("")}};

Values Merged(Values values, const Values& more) {
    for (const auto& value : more) values[value.first] = value.second;
    return values;
}

// Types a (non-empty) text into an emptied edit field as a user would, key by key, and waits
// until the field has taken every key: a selection posted behind the keys comes through last.
testing::AssertionResult TypeOver(HWND edit, const std::wstring& text) {
    testing::AssertionResult emptied = SetEditText(edit, L"");
    if (!emptied) return emptied;
    for (wchar_t c : text) PostMessageW(edit, WM_CHAR, c, 1);
    PostMessageW(edit, EM_SETSEL, 0, 1);
    return WaitUntil(kTimeoutMs, kPollMs, "the keys typed into " + Describe(edit),
                     [&](std::string* seen) {
                         DWORD_PTR selection = 0;
                         SendMessageTimeoutW(edit, EM_GETSEL, 0, 0, SMTO_ABORTIFHUNG, 1000, &selection);
                         *seen = "selection " + std::to_string(LOWORD(selection)) + "-" +
                                 std::to_string(HIWORD(selection));
                         return LOWORD(selection) == 0 && HIWORD(selection) == 1;
                     });
}

// Leaving the ISDN page was refused: exactly one box without owner, with the caption and this
// text; once it is dismissed the focus is in focusId, the ISDN page is still current and the
// sheet still open.
testing::AssertionResult Refused(const Program& program, HWND sheet, HWND page,
                                 const std::wstring& text, int focusId) {
    HWND box = nullptr;
    testing::AssertionResult shown = program.WaitForMessageBox(kIsdnCaption, &box);
    if (!shown) return shown;
    const std::wstring boxText = MessageBoxText(box);
    HWND owner = GetWindow(box, GW_OWNER);
    DismissMessageBox(box);
    if (boxText != text)
        return testing::AssertionFailure() << "the box says \"" << Narrow(boxText) << "\", expected \""
                                           << Narrow(text) << "\"";
    if (owner) return testing::AssertionFailure() << "the box is owned by " << Describe(owner);
    HWND field = Item(page, focusId);
    testing::AssertionResult settled =
        WaitUntil(kTimeoutMs, kPollMs, "the box to close and the focus in item " + std::to_string(focusId),
                  [&](std::string* seen) {
                      HWND focus = program.FocusedControl();
                      *seen = "box " + Describe(box) + ", focus " + Describe(focus);
                      return !IsWindow(box) && focus == field;
                  });
    if (!settled) return settled;
    if (!IsWindowVisible(sheet)) return testing::AssertionFailure() << "the sheet closed";
    if (CurrentPageIndex(sheet) != kIsdnPage)
        return testing::AssertionFailure() << "page " << CurrentPageIndex(sheet) << " is current";
    if (!program.TopLevelWindows(L"#32770", kIsdnCaption).empty())
        return testing::AssertionFailure() << "another box: " << program.DescribeWindows();
    return testing::AssertionSuccess();
}

// ---------------------------------------------------------------------------------------------
// An adapter key without values.

TEST(EmptyKey, AdapterPageShowsDefaultsAndOkAtOnceWritesOnlyItsFourValues) {
    AdapterKey key(UniqueAdapter());
    SheetRun run;
    ASSERT_TRUE(run.Start(key));
    HWND page = CurrentPage(run.sheet);
    EXPECT_EQ(kAdapterPage, CurrentPageIndex(run.sheet));
    EXPECT_TRUE(Shows(page, kIOBase, 1, L"320"));
    EXPECT_TRUE(Shows(page, kInterrupt, 2, L"10"));
    EXPECT_TRUE(Shows(page, kRingPattern, 0, L"Pattern 1"));
    EXPECT_TRUE(IsChecked(Item(page, kVoice)));
    ASSERT_TRUE(run.Ok());
    EXPECT_TRUE(HoldsExactly(key, kResourceDefaults));
}

TEST(EmptyKey, IsdnPageShowsDefaultsAndOpeningItWritesAllTen) {
    AdapterKey key(UniqueAdapter());
    SheetRun run;
    ASSERT_TRUE(run.Start(key));
    HWND page = nullptr;
    ASSERT_TRUE(SwitchToPage(run.sheet, kIsdnPage, &page));
    EXPECT_TRUE(Shows(page, kSwitchType, 1, L"National ISDN"));
    EXPECT_TRUE(Shows(page, kNumNumbers, 0, L"1"));
    for (int id : {kPhone1, kSPID1, kPhone2, kSPID2}) {
        EXPECT_EQ(L"", WindowText(Item(page, id))) << id;
        // At most what the registry value holds.
        EXPECT_EQ(39, SendMessageW(Item(page, id), EM_GETLIMITTEXT, 0, 0)) << id;
    }
    EXPECT_TRUE(SecondNumberEnabled(page, false));
    ASSERT_TRUE(run.Ok());
    EXPECT_TRUE(HoldsExactly(key, Merged(kResourceDefaults, kIsdnDefaults)));
}

// ---------------------------------------------------------------------------------------------
// Stored values: the entry each list shows and what OK saves from it.

struct ListCase {
    DWORD stored;
    const wchar_t* shown;
    int position;  // -1: no selection
    DWORD saved;
};

struct ListTable {
    const char* value;
    int page;
    int combo;
    std::vector<ListCase> cases;
};

const std::vector<ListTable>& ListTables() {
    static const std::vector<ListTable> tables = {
        {"IOBaseAddress", kAdapterPage, kIOBase,
         {{768, L"300", 0, 768}, {800, L"320", 1, 800}, {832, L"340", 2, 832},
          {300, L"300", 0, 768}}},
        {"InterruptNumber", kAdapterPage, kInterrupt,
         {{5, L"5", 0, 5}, {9, L"9", 1, 9}, {10, L"10", 2, 10}, {11, L"11", 3, 11},
          {12, L"12", 4, 12}, {15, L"15", 5, 15}, {7, L"5", 0, 5}}},
        {"RingPattern", kAdapterPage, kRingPattern,
         {{0, L"Pattern 1", 0, 0}, {1, L"Pattern 2", 1, 1}, {2, L"Pattern 3", 2, 2},
          {3, L"Pattern 4", 3, 3}, {4, L"Pattern 5", 4, 4}, {5, L"Pattern 6", 5, 5},
          {6, L"Pattern 7", 6, 6}, {7, L"Pattern 8", 7, 7}, {8, L"OFF", 8, 8},
          {9, L"EXT", 9, 9}, {12, L"", -1, 12}}},
        {"SwitchType", kIsdnPage, kSwitchType,
         {{0, L"AT&T 5ESS Custom", 0, 0}, {1, L"National ISDN", 1, 1},
          {2, L"Northern Telecom DMS-100", 2, 2}, {5, L"", -1, 5}}},
        {"NumPhoneNumbers", kIsdnPage, kNumNumbers,
         {{1, L"1", 0, 1}, {2, L"2", 1, 2}, {3, L"1", 0, 1}}},
    };
    return tables;
}

struct StoredTexts {
    std::string phone1, phone2, spid1, spid2;
};

const StoredTexts kStoredTexts[] = {
    {"555-1234", "", "0155512340", ""},
    {"555 1234", "555-9876", "01 555 1234", "0155598760"},
    {std::string(39, '7'), std::string(39, '8'), std::string(39, '1'), std::string(39, '2')},
};

// Round k stores case k of every list (each list's cases over again once it runs out), so every
// case is seen in as few runs as the longest list has cases.
TEST(StoredValues, EachListShowsItsEntryAndOkSavesItsValue) {
    const std::vector<ListTable>& tables = ListTables();
    size_t rounds = 0;
    for (const ListTable& table : tables) rounds = std::max(rounds, table.cases.size());
    for (size_t round = 0; round < rounds; ++round) {
        Values stored, saved;
        std::string name = "round " + std::to_string(round) + ":";
        std::vector<std::pair<const ListTable*, ListCase>> cases;
        for (const ListTable& table : tables) {
            const ListCase& row = table.cases[round % table.cases.size()];
            cases.push_back({&table, row});
            stored[table.value] = Dword(row.stored);
            saved[table.value] = Dword(row.saved);
            name += std::string(" ") + table.value + " " + std::to_string(row.stored);
        }
        const DWORD voice = round % 2;
        stored["VoiceEnabled"] = saved["VoiceEnabled"] = Dword(voice);
        const StoredTexts& texts = kStoredTexts[round % (sizeof kStoredTexts / sizeof *kStoredTexts)];
        const std::pair<const char*, std::string> textValues[] = {
            {"PhoneNumber1", texts.phone1}, {"PhoneNumber2", texts.phone2},
            {"SPID1", texts.spid1}, {"SPID2", texts.spid2}};
        for (const auto& text : textValues) stored[text.first] = saved[text.first] = Sz(text.second);
        SCOPED_TRACE(name + " VoiceEnabled " + std::to_string(voice));

        AdapterKey key(UniqueAdapter());
        ASSERT_TRUE(Store(key, stored));
        SheetRun run;
        ASSERT_TRUE(run.Start(key));
        HWND pages[2] = {CurrentPage(run.sheet), nullptr};
        EXPECT_EQ(voice == 1, IsChecked(Item(pages[kAdapterPage], kVoice)));
        ASSERT_TRUE(SwitchToPage(run.sheet, kIsdnPage, &pages[kIsdnPage]));
        bool twoNumbers = false;
        for (const auto& item : cases) {
            EXPECT_TRUE(Shows(pages[item.first->page], item.first->combo, item.second.position,
                              item.second.shown))
                << item.first->value << " " << item.second.stored;
            if (item.first->combo == kNumNumbers) twoNumbers = item.second.position == 1;
        }
        EXPECT_EQ(Wide(texts.phone1), WindowText(Item(pages[kIsdnPage], kPhone1)));
        EXPECT_EQ(Wide(texts.phone2), WindowText(Item(pages[kIsdnPage], kPhone2)));
        EXPECT_EQ(Wide(texts.spid1), WindowText(Item(pages[kIsdnPage], kSPID1)));
        EXPECT_EQ(Wide(texts.spid2), WindowText(Item(pages[kIsdnPage], kSPID2)));
        EXPECT_TRUE(SecondNumberEnabled(pages[kIsdnPage], twoNumbers));
        ASSERT_TRUE(run.Ok());
        EXPECT_TRUE(HoldsExactly(key, saved));
    }
}

// ---------------------------------------------------------------------------------------------
// Choices made as a user makes them.

struct Choice {
    int combo;
    int position;
    const wchar_t* shown;
};

TEST(UserChoices, EachListChosenIsSavedAsItsValue) {
    const Values kStored = {{"IOBaseAddress", Dword(832)}, {"InterruptNumber", Dword(15)},
                            {"VoiceEnabled", Dword(1)},    {"RingPattern", Dword(9)},
                            {"SwitchType", Dword(2)},      {"NumPhoneNumbers", Dword(2)},
                            {"PhoneNumber1", Sz("555-1234")}, {"PhoneNumber2", Sz("555-9876")},
                            {"SPID1", Sz("0155512340")},   {"SPID2", Sz("0155598760")}};
    const struct {
        const char* name;
        Values stored;
        std::vector<Choice> adapterChoices, isdnChoices;
        Values saved;
    } cases[] = {
        {"from an empty key",
         {},
         {{kIOBase, 2, L"340"}, {kInterrupt, 5, L"15"}, {kRingPattern, 9, L"EXT"}},
         {{kSwitchType, 0, L"AT&T 5ESS Custom"}, {kNumNumbers, 1, L"2"}},
         Merged(kIsdnDefaults, {{"IOBaseAddress", Dword(832)}, {"InterruptNumber", Dword(15)},
                                {"VoiceEnabled", Dword(1)}, {"RingPattern", Dword(9)},
                                {"SwitchType", Dword(0)}, {"NumPhoneNumbers", Dword(2)}})},
        {"from stored values",
         kStored,
         {{kIOBase, 0, L"300"}, {kInterrupt, 1, L"9"}, {kRingPattern, 8, L"OFF"}},
         {{kSwitchType, 1, L"National ISDN"}, {kNumNumbers, 0, L"1"}},
         Merged(kStored, {{"IOBaseAddress", Dword(768)}, {"InterruptNumber", Dword(9)},
                          {"RingPattern", Dword(8)}, {"SwitchType", Dword(1)},
                          {"NumPhoneNumbers", Dword(1)}})},
        {"other entries",
         kStored,
         {{kIOBase, 1, L"320"}, {kInterrupt, 3, L"11"}, {kRingPattern, 4, L"Pattern 5"}},
         {{kSwitchType, 2, L"Northern Telecom DMS-100"}, {kNumNumbers, 1, L"2"}},
         Merged(kStored, {{"IOBaseAddress", Dword(800)}, {"InterruptNumber", Dword(11)},
                          {"RingPattern", Dword(4)}})},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.name);
        AdapterKey key(UniqueAdapter());
        ASSERT_TRUE(Store(key, row.stored));
        SheetRun run;
        ASSERT_TRUE(run.Start(key));
        HWND page = CurrentPage(run.sheet);
        for (const Choice& choice : row.adapterChoices) {
            ASSERT_TRUE(SelectComboItem(page, choice.combo, choice.position));
            EXPECT_TRUE(Shows(page, choice.combo, choice.position, choice.shown));
        }
        ASSERT_TRUE(SwitchToPage(run.sheet, kIsdnPage, &page));
        for (const Choice& choice : row.isdnChoices) {
            ASSERT_TRUE(SelectComboItem(page, choice.combo, choice.position));
            EXPECT_TRUE(Shows(page, choice.combo, choice.position, choice.shown));
            if (choice.combo == kNumNumbers) {
                EXPECT_TRUE(SecondNumberEnabled(page, choice.position == 1));
            }
        }
        ASSERT_TRUE(run.Ok());
        EXPECT_TRUE(HoldsExactly(key, row.saved));
    }
}

// The voice box as the user left it survives switching to the ISDN page and back, and OK
// saves it whichever page is current.
TEST(UserChoices, VoiceBoxKeptAcrossPageSwitches) {
    const struct {
        const char* name;
        DWORD stored;
        int okOnPage;
    } cases[] = {{"cleared, OK on the Adapter page", 1, kAdapterPage},
                 {"marked, OK on the ISDN page", 0, kIsdnPage}};
    for (const auto& row : cases) {
        SCOPED_TRACE(row.name);
        AdapterKey key(UniqueAdapter());
        ASSERT_TRUE(Store(key, {{"VoiceEnabled", Dword(row.stored)}}));
        SheetRun run;
        ASSERT_TRUE(run.Start(key));
        HWND page = CurrentPage(run.sheet);
        HWND voice = Item(page, kVoice);
        ASSERT_EQ(row.stored == 1, IsChecked(voice));
        const bool wanted = row.stored == 0;
        ClickButton(voice);
        ASSERT_TRUE(WaitForPage("the voice box to change", [&](std::string* seen) {
            *seen = IsChecked(voice) ? "checked" : "clear";
            return IsChecked(voice) == wanted;
        }));
        for (int visit = 0; visit < 2; ++visit) {
            ASSERT_TRUE(SwitchToPage(run.sheet, kIsdnPage, &page));
            ASSERT_TRUE(SwitchToPage(run.sheet, kAdapterPage, &page));
            EXPECT_EQ(wanted, IsChecked(voice)) << "after visit " << visit;
        }
        if (row.okOnPage == kIsdnPage) {
            ASSERT_TRUE(SwitchToPage(run.sheet, kIsdnPage, &page));
        }
        ASSERT_TRUE(run.Ok());
        Values saved = Merged(kResourceDefaults, kIsdnDefaults);
        saved["VoiceEnabled"] = Dword(wanted ? 1 : 0);
        EXPECT_TRUE(HoldsExactly(key, saved));
    }
}

// ---------------------------------------------------------------------------------------------
// The ISDN page's field checks.

struct FieldCase {
    const char* name;
    int field;
    std::wstring text;
    bool valid;
};

std::vector<FieldCase> FieldCases() {
    return {
        {"phone: digits with a hyphen", kPhone1, L"555-1234", true},
        {"phone: digits with spaces", kPhone1, L"555 1234", true},
        {"phone: empty", kPhone1, L"", true},
        {"phone: letters", kPhone1, L"555-CALL", false},
        {"phone: parentheses", kPhone1, L"(555)1234", false},
        {"phone: full stop", kPhone1, L"555.1234", false},
        {"phone: plus", kPhone1, L"+15551234", false},
        {"phone: 15 digits then letters", kPhone1, L"123456789012345ABC", true},
        {"phone: 14 digits then a letter", kPhone1, L"12345678901234A", false},
        {"phone: a letter first", kPhone1, L"A5551234", false},
        {"SPID: digits", kSPID1, L"0155512340000", true},
        {"SPID: digits with spaces", kSPID1, L"01 555 1234 00", true},
        {"SPID: hyphen", kSPID1, L"0155-512340", false},
        {"SPID: letters", kSPID1, L"0155ABC", false},
        {"SPID: parentheses", kSPID1, L"(01)5551234", false},
        {"SPID: full stop", kSPID1, L"01.5551234", false},
        {"SPID: plus", kSPID1, L"+015551234", false},
        {"SPID: 15 digits then hyphens", kSPID1, L"123456789012345---", true},
        {"SPID: 14 digits then a hyphen", kSPID1, L"12345678901234-", false},
        {"phone #2 (disabled): digits with a hyphen", kPhone2, L"555-9876", true},
        {"phone #2 (disabled): letters", kPhone2, L"555-WXYZ", false},
        {"SPID 2 (disabled): digits with spaces", kSPID2, L"01 555 9876", true},
        {"SPID 2 (disabled): hyphen", kSPID2, L"0155-59876", false},
    };
}

// Each text is tried in its field while the user switches to the Adapter tab: a valid one lets
// the switch through, an invalid one shows its message and keeps the ISDN page current. The
// run ends with texts that use the whole 15-character window, all saved in full.
TEST(FieldChecks, CharacterSetsAndTheFifteenCharacterWindowOnATabSwitch) {
    AdapterKey key(UniqueAdapter());
    SheetRun run;
    ASSERT_TRUE(run.Start(key));
    HWND page = nullptr;
    ASSERT_TRUE(SwitchToPage(run.sheet, kIsdnPage, &page));
    ASSERT_TRUE(SecondNumberEnabled(page, false));
    for (const FieldCase& row : FieldCases()) {
        SCOPED_TRACE(row.name);
        HWND field = Item(page, row.field);
        ASSERT_TRUE(SetEditText(field, row.text));
        ASSERT_EQ(row.text, WindowText(field));
        if (row.valid) {
            HWND adapterPage = nullptr;
            ASSERT_TRUE(SwitchToPage(run.sheet, kAdapterPage, &adapterPage));
            ASSERT_TRUE(SwitchToPage(run.sheet, kIsdnPage, &page));
        } else {
            const bool phone = row.field == kPhone1 || row.field == kPhone2;
            SelectPage(run.sheet, kAdapterPage);
            ASSERT_TRUE(Refused(run.program, run.sheet, page, phone ? kInvalidPhone : kInvalidSPID,
                                phone ? kPhone1 : kSPID1));
        }
        ASSERT_TRUE(SetEditText(field, L""));
    }
    ASSERT_TRUE(SetEditText(Item(page, kPhone1), L"123456789012345ABC"));
    ASSERT_TRUE(SetEditText(Item(page, kPhone2), L"555 9876"));
    ASSERT_TRUE(SetEditText(Item(page, kSPID1), L"123456789012345---"));
    ASSERT_TRUE(SetEditText(Item(page, kSPID2), L"01 555 9876"));
    ASSERT_TRUE(run.Ok());
    EXPECT_TRUE(HoldsExactly(key, Merged(kResourceDefaults, {{"SwitchType", Dword(1)},
                                                             {"NumPhoneNumbers", Dword(1)},
                                                             {"PhoneNumber1", Sz("123456789012345ABC")},
                                                             {"PhoneNumber2", Sz("555 9876")},
                                                             {"SPID1", Sz("123456789012345---")},
                                                             {"SPID2", Sz("01 555 9876")}})));
}

// OK with invalid fields: the phone numbers are checked before the SPIDs, the focus goes to
// the first field of the failing kind, and the sheet stays open. The rows alternate the field
// that should get the focus, so each one moves it.
TEST(FieldChecks, OrderOfChecksAndFocusOnOk) {
    const struct {
        const char* name;
        const wchar_t *phone1, *phone2, *spid1, *spid2;
        const wchar_t* message;
        int focus;
    } cases[] = {
        {"Phone #1 and SPID 1 invalid", L"555-CALL", L"", L"01-555", L"", kInvalidPhone, kPhone1},
        {"only SPID 2 invalid", L"555-1234", L"555-9876", L"0155", L"01-555", kInvalidSPID, kSPID1},
        {"only Phone #2 invalid", L"555-1234", L"555.9876", L"0155", L"0155", kInvalidPhone, kPhone1},
        {"only SPID 1 invalid", L"", L"", L"01+555", L"", kInvalidSPID, kSPID1},
        {"Phone #2 and SPID 1 invalid", L"", L"(555)", L"x", L"", kInvalidPhone, kPhone1},
    };
    AdapterKey key(UniqueAdapter());
    SheetRun run;
    ASSERT_TRUE(run.Start(key));
    HWND page = nullptr;
    ASSERT_TRUE(SwitchToPage(run.sheet, kIsdnPage, &page));
    for (const auto& row : cases) {
        SCOPED_TRACE(row.name);
        ASSERT_TRUE(SetEditText(Item(page, kPhone1), row.phone1));
        ASSERT_TRUE(SetEditText(Item(page, kPhone2), row.phone2));
        ASSERT_TRUE(SetEditText(Item(page, kSPID1), row.spid1));
        ASSERT_TRUE(SetEditText(Item(page, kSPID2), row.spid2));
        PressSheetButton(run.sheet, PSBTN_OK);
        ASSERT_TRUE(Refused(run.program, run.sheet, page, row.message, row.focus));
    }
    ASSERT_TRUE(SetEditText(Item(page, kPhone2), L"555-9876"));
    ASSERT_TRUE(SetEditText(Item(page, kSPID1), L"0155 5"));
    ASSERT_TRUE(run.Ok());
    EXPECT_TRUE(HoldsExactly(key, Merged(kResourceDefaults, {{"SwitchType", Dword(1)},
                                                             {"NumPhoneNumbers", Dword(1)},
                                                             {"PhoneNumber1", Sz("")},
                                                             {"PhoneNumber2", Sz("555-9876")},
                                                             {"SPID1", Sz("0155 5")},
                                                             {"SPID2", Sz("")}})));
}

// An invalid text stored for the second number while one number is chosen: the disabled field
// still keeps the page from being left, until "2" is chosen and the text fixed; with "1" chosen
// again the fixed text is saved from the disabled field.
TEST(FieldChecks, DisabledSecondNumberFieldsAreCheckedAndSaved) {
    const struct {
        const char* name;
        int field;
        const char* stored;
        const wchar_t* message;
        int focus;
        const char* fixed;
    } cases[] = {
        {"Phone #2", kPhone2, "555-CALL", kInvalidPhone, kPhone1, "555-2255"},
        {"SPID 2", kSPID2, "0155-9876", kInvalidSPID, kSPID1, "0155 9876"},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.name);
        const char* valueName = row.field == kPhone2 ? "PhoneNumber2" : "SPID2";
        const Values stored = {{"NumPhoneNumbers", Dword(1)}, {valueName, Sz(row.stored)}};
        AdapterKey key(UniqueAdapter());
        ASSERT_TRUE(Store(key, stored));
        SheetRun run;
        ASSERT_TRUE(run.Start(key));
        HWND page = nullptr;
        ASSERT_TRUE(SwitchToPage(run.sheet, kIsdnPage, &page));
        HWND field = Item(page, row.field);
        EXPECT_TRUE(SecondNumberEnabled(page, false));
        EXPECT_EQ(Wide(row.stored), WindowText(field));

        SelectPage(run.sheet, kAdapterPage);
        ASSERT_TRUE(Refused(run.program, run.sheet, page, row.message, row.focus)) << "tab switch";
        PressSheetButton(run.sheet, PSBTN_OK);
        ASSERT_TRUE(Refused(run.program, run.sheet, page, row.message, row.focus)) << "OK";

        ASSERT_TRUE(SelectComboItem(page, kNumNumbers, 1));
        EXPECT_TRUE(SecondNumberEnabled(page, true));
        ASSERT_TRUE(SetEditText(field, Wide(row.fixed)));
        ASSERT_TRUE(SelectComboItem(page, kNumNumbers, 0));
        EXPECT_TRUE(SecondNumberEnabled(page, false));
        EXPECT_EQ(Wide(row.fixed), WindowText(field));
        HWND adapterPage = nullptr;
        ASSERT_TRUE(SwitchToPage(run.sheet, kAdapterPage, &adapterPage));
        ASSERT_TRUE(run.Ok());
        Values saved = Merged(kResourceDefaults, kIsdnDefaults);
        saved[valueName] = Sz(row.fixed);
        EXPECT_TRUE(HoldsExactly(key, saved));
    }
}

// ---------------------------------------------------------------------------------------------
// Defaults.

const Values kStoredAll = {{"IOBaseAddress", Dword(832)},      {"InterruptNumber", Dword(15)},
                           {"VoiceEnabled", Dword(0)},         {"RingPattern", Dword(9)},
                           {"SwitchType", Dword(2)},           {"NumPhoneNumbers", Dword(2)},
                           {"PhoneNumber1", Sz("555-1111")},   {"PhoneNumber2", Sz("555-2222")},
                           {"SPID1", Sz("0111")},              {"SPID2", Sz("0222")}};

testing::AssertionResult PressDefaults(HWND page, int comboId, int position) {
    ClickButton(Item(page, kDefaultsButton));
    HWND combo = Item(page, comboId);
    return WaitForPage("Defaults to select position " + std::to_string(position) + " in " +
                           std::to_string(comboId),
                       [&](std::string* seen) {
                           const int selected = ComboSelection(combo);
                           *seen = "position " + std::to_string(selected);
                           return selected == position;
                       });
}

TEST(Defaults, AdapterPageSetsItsListsAndLeavesTheVoiceBox) {
    AdapterKey key(UniqueAdapter());
    ASSERT_TRUE(Store(key, kStoredAll));
    SheetRun run;
    ASSERT_TRUE(run.Start(key));
    HWND page = CurrentPage(run.sheet);
    ASSERT_FALSE(IsChecked(Item(page, kVoice)));
    ASSERT_TRUE(PressDefaults(page, kIOBase, 1));
    EXPECT_TRUE(Shows(page, kRingPattern, 0, L"Pattern 1"));
    EXPECT_TRUE(Shows(page, kInterrupt, 2, L"10"));
    EXPECT_TRUE(Shows(page, kIOBase, 1, L"320"));
    EXPECT_FALSE(IsChecked(Item(page, kVoice)));
    ASSERT_TRUE(run.Ok());
    EXPECT_TRUE(HoldsExactly(key, Merged(kStoredAll, {{"IOBaseAddress", Dword(800)},
                                                      {"InterruptNumber", Dword(10)},
                                                      {"RingPattern", Dword(0)}})));
}

TEST(Defaults, IsdnPageSetsItsListsAndDisablesTheSecondNumberKeepingItsTexts) {
    AdapterKey key(UniqueAdapter());
    ASSERT_TRUE(Store(key, {{"SwitchType", Dword(2)}, {"NumPhoneNumbers", Dword(1)},
                            {"PhoneNumber1", Sz("555-1111")}, {"SPID1", Sz("0111")}}));
    SheetRun run;
    ASSERT_TRUE(run.Start(key));
    HWND page = nullptr;
    ASSERT_TRUE(SwitchToPage(run.sheet, kIsdnPage, &page));
    ASSERT_TRUE(SelectComboItem(page, kNumNumbers, 1));
    ASSERT_TRUE(SecondNumberEnabled(page, true));
    ASSERT_TRUE(SetEditText(Item(page, kPhone2), L"555-2222"));
    ASSERT_TRUE(SetEditText(Item(page, kSPID2), L"0222"));

    ASSERT_TRUE(PressDefaults(page, kSwitchType, 1));
    EXPECT_TRUE(Shows(page, kSwitchType, 1, L"National ISDN"));
    EXPECT_TRUE(Shows(page, kNumNumbers, 0, L"1"));
    EXPECT_TRUE(SecondNumberEnabled(page, false));
    const std::pair<int, const wchar_t*> texts[] = {
        {kPhone1, L"555-1111"}, {kSPID1, L"0111"}, {kPhone2, L"555-2222"}, {kSPID2, L"0222"}};
    for (const auto& text : texts) EXPECT_EQ(text.second, WindowText(Item(page, text.first))) << text.first;

    ASSERT_TRUE(SelectComboItem(page, kNumNumbers, 1));
    EXPECT_TRUE(SecondNumberEnabled(page, true));
    for (const auto& text : texts) EXPECT_EQ(text.second, WindowText(Item(page, text.first))) << text.first;

    ASSERT_TRUE(PressDefaults(page, kNumNumbers, 0));
    EXPECT_TRUE(SecondNumberEnabled(page, false));
    ASSERT_TRUE(run.Ok());
    EXPECT_TRUE(HoldsExactly(key, Merged(kResourceDefaults, {{"SwitchType", Dword(1)},
                                                             {"NumPhoneNumbers", Dword(1)},
                                                             {"PhoneNumber1", Sz("555-1111")},
                                                             {"PhoneNumber2", Sz("555-2222")},
                                                             {"SPID1", Sz("0111")},
                                                             {"SPID2", Sz("0222")}})));
}

// Each page's Defaults touches only its own lists (the ISDN page's second number stays
// enabled after Defaults on the Adapter page), and Cancel afterwards writes nothing.
TEST(Defaults, ThenCancelWritesNothing) {
    AdapterKey key(UniqueAdapter());
    ASSERT_TRUE(Store(key, kStoredAll));
    SheetRun run;
    ASSERT_TRUE(run.Start(key));
    HWND adapterPage = CurrentPage(run.sheet), isdnPage = nullptr;
    ASSERT_TRUE(SwitchToPage(run.sheet, kIsdnPage, &isdnPage));
    ASSERT_TRUE(SecondNumberEnabled(isdnPage, true));
    ASSERT_TRUE(SwitchToPage(run.sheet, kAdapterPage, &adapterPage));
    ASSERT_TRUE(PressDefaults(adapterPage, kIOBase, 1));
    EXPECT_TRUE(Shows(isdnPage, kSwitchType, 2, L"Northern Telecom DMS-100"));
    EXPECT_TRUE(Shows(isdnPage, kNumNumbers, 1, L"2"));
    EXPECT_TRUE(SecondNumberEnabled(isdnPage, true));
    ASSERT_TRUE(SwitchToPage(run.sheet, kIsdnPage, &isdnPage));
    ASSERT_TRUE(PressDefaults(isdnPage, kSwitchType, 1));
    EXPECT_TRUE(Shows(adapterPage, kRingPattern, 0, L"Pattern 1"));
    ASSERT_TRUE(run.Cancel());
    EXPECT_TRUE(HoldsExactly(key, kStoredAll));
}

// ---------------------------------------------------------------------------------------------
// A list left without a selection (text typed into its edit field) keeps the value its page
// loaded: the table value for the I/O base, interrupt and number of numbers, the stored number
// for the ring pattern and the switch.

struct TypedText {
    int page;
    int combo;
    const wchar_t* text;
};

const TypedText kTypedTexts[] = {
    {kAdapterPage, kIOBase, L"3A0"},         {kAdapterPage, kInterrupt, L"7"},
    {kAdapterPage, kRingPattern, L"Pattern 12"}, {kIsdnPage, kSwitchType, L"Custom"},
    {kIsdnPage, kNumNumbers, L"3"},
};

// Types the text over the combo box's edit field as a user would: everything selected, then
// the characters as keyboard input (a WM_SETTEXT would leave the list's selection alone).
testing::AssertionResult TypeIntoCombo(HWND page, int comboId, const std::wstring& text) {
    HWND combo = Item(page, comboId);
    HWND edit = GetWindow(combo, GW_CHILD);
    if (!edit || ClassName(edit) != L"Edit" || GetDlgCtrlID(edit) != 1001)
        return testing::AssertionFailure() << "combo box " << comboId << " has no edit field: "
                                           << Describe(edit);
    testing::AssertionResult typed = TypeOver(edit, text);
    if (!typed) return typed;
    const int selected = ComboSelection(combo);
    const std::wstring shown = ComboText(combo);
    if (shown != text || selected != -1)
        return testing::AssertionFailure() << "combo box " << comboId << " shows \"" << Narrow(shown)
                                           << "\" at position " << selected << " after typing";
    return testing::AssertionSuccess();
}

TEST(NoSelection, EachListKeepsTheValueItsPageLoaded) {
    const Values kInTables = {{"IOBaseAddress", Dword(832)}, {"InterruptNumber", Dword(15)},
                              {"RingPattern", Dword(7)},     {"SwitchType", Dword(2)},
                              {"NumPhoneNumbers", Dword(2)}};
    const Values kInTablesSaved = Merged(kIsdnDefaults, Merged(kInTables, {{"VoiceEnabled", Dword(1)}}));
    const struct {
        const char* name;
        Values stored;
        bool chooseAndLeaveFirst;  // first entries chosen and both pages left before the typing
        int okOnPage;
        Values saved;
    } cases[] = {
        {"values in the tables", kInTables, false, kAdapterPage, kInTablesSaved},
        {"values outside the tables",
         {{"IOBaseAddress", Dword(300)}, {"InterruptNumber", Dword(7)}, {"RingPattern", Dword(12)},
          {"SwitchType", Dword(5)}, {"NumPhoneNumbers", Dword(3)}},
         false,
         kIsdnPage,
         Merged(kIsdnDefaults, {{"IOBaseAddress", Dword(768)}, {"InterruptNumber", Dword(5)},
                                {"VoiceEnabled", Dword(1)}, {"RingPattern", Dword(12)},
                                {"SwitchType", Dword(5)}, {"NumPhoneNumbers", Dword(1)}})},
        {"an empty key", {}, false, kIsdnPage, Merged(kResourceDefaults, kIsdnDefaults)},
        {"other entries chosen and left before", kInTables, true, kIsdnPage, kInTablesSaved},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.name);
        AdapterKey key(UniqueAdapter());
        ASSERT_TRUE(Store(key, row.stored));
        SheetRun run;
        ASSERT_TRUE(run.Start(key));
        HWND pages[2] = {CurrentPage(run.sheet), nullptr};
        if (row.chooseAndLeaveFirst) {
            for (const TypedText& typed : kTypedTexts) {
                if (typed.page == kIsdnPage && CurrentPageIndex(run.sheet) != kIsdnPage) {
                    ASSERT_TRUE(SwitchToPage(run.sheet, kIsdnPage, &pages[kIsdnPage]));
                }
                ASSERT_TRUE(SelectComboItem(pages[typed.page], typed.combo, 0));
            }
            ASSERT_TRUE(SwitchToPage(run.sheet, kAdapterPage, &pages[kAdapterPage]));
        }
        // The Adapter page's lists are left by the switch to the ISDN page, the ISDN page's by
        // OK or by the switch back.
        for (const TypedText& typed : kTypedTexts) {
            if (typed.page == kIsdnPage && CurrentPageIndex(run.sheet) != kIsdnPage) {
                ASSERT_TRUE(SwitchToPage(run.sheet, kIsdnPage, &pages[kIsdnPage]));
            }
            EXPECT_TRUE(TypeIntoCombo(pages[typed.page], typed.combo, typed.text));
        }
        if (row.okOnPage == kAdapterPage) {
            ASSERT_TRUE(SwitchToPage(run.sheet, kAdapterPage, &pages[kAdapterPage]));
        }
        for (const TypedText& typed : kTypedTexts)
            EXPECT_EQ(-1, ComboSelection(Item(pages[typed.page], typed.combo))) << typed.combo;
        ASSERT_TRUE(run.Ok());
        EXPECT_TRUE(HoldsExactly(key, row.saved));
    }
}

}  // namespace
