// The commit, in this process, against the real registry: which values it writes (the four
// adapter resource values, then the six ISDN values only once the ISDN page was shown), in
// which order, what the key holds afterwards, and that a refused write makes it report
// failure without keeping the later writes from being made.
#include <windows.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "store_fixture.h"

using namespace hvntest;
using testing::ElementsAreArray;
using testing::UnorderedElementsAreArray;

namespace {


const std::vector<std::string> kResourceOrder = {"IOBaseAddress", "RingPattern",
                                                 "InterruptNumber", "VoiceEnabled"};
const std::vector<std::string> kAllTenOrder = {
    "IOBaseAddress", "RingPattern",  "InterruptNumber", "VoiceEnabled", "SwitchType",
    "NumPhoneNumbers", "PhoneNumber1", "PhoneNumber2",  "SPID1",        "SPID2"};

// ---------------------------------------------------------------------------------------
// Seeing each registry write of the commit.
//
// The store calls RegSetValueExA through this executable's import table. While a
// WriteRecorder exists, that import points at Record, which notes the value's name and
// passes the call on to the registry unchanged, except for the names it was told to refuse:
// those go to a read-only handle of the same key, where the registry itself refuses them.

using SetValueFunction = LONG(WINAPI*)(HKEY, LPCSTR, DWORD, DWORD, const BYTE*, DWORD);

// Points every import of `function` by this executable at `replacement`; the number of
// import slots changed, and the address they held in *previous.
int PatchImport(const char* function, void* replacement, void** previous) {
    BYTE* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!imports.VirtualAddress) return 0;
    int patched = 0;
    for (auto* dll = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
         dll->Name; ++dll) {
        if (!dll->OriginalFirstThunk) continue;  // no names to match
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
            const auto* byName =
                reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<const char*>(byName->Name), function) != 0) continue;
            DWORD protection = 0;
            if (!VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, PAGE_READWRITE,
                                &protection))
                continue;
            *previous = reinterpret_cast<void*>(slots->u1.Function);
            slots->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
            VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, protection, &protection);
            ++patched;
        }
    }
    return patched;
}

class WriteRecorder {
public:
    // readOnly: a handle to the same key that cannot be written through.
    WriteRecorder(HKEY readOnly, std::set<std::string> refuse)
        : readOnly_(readOnly), refuse_(std::move(refuse)) {
        active_ = this;
        void* previous = nullptr;
        patched_ = PatchImport("RegSetValueExA", reinterpret_cast<void*>(&Record), &previous);
        real_ = reinterpret_cast<SetValueFunction>(previous);
    }
    ~WriteRecorder() {
        void* ours = nullptr;
        if (patched_) PatchImport("RegSetValueExA", reinterpret_cast<void*>(real_), &ours);
        active_ = nullptr;
    }
    WriteRecorder(const WriteRecorder&) = delete;
    WriteRecorder& operator=(const WriteRecorder&) = delete;

    bool Installed() const { return patched_ > 0 && real_ != nullptr; }
    // Names of the values written, in the order of the calls.
    const std::vector<std::string>& Names() const { return names_; }
    // The registry's result for each call.
    const std::vector<LONG>& Results() const { return results_; }

private:
    static LONG WINAPI Record(HKEY key, LPCSTR name, DWORD reserved, DWORD type, const BYTE* data,
                              DWORD size) {
        WriteRecorder* self = active_;
        const std::string valueName = name ? name : "(null)";
        if (self->refuse_.count(valueName)) key = self->readOnly_;
        const LONG result = self->real_(key, name, reserved, type, data, size);
        self->names_.push_back(valueName);
        self->results_.push_back(result);
        return result;
    }

    static WriteRecorder* active_;
    HKEY readOnly_;
    std::set<std::string> refuse_;
    int patched_ = 0;
    SetValueFunction real_ = nullptr;
    std::vector<std::string> names_;
    std::vector<LONG> results_;
};

WriteRecorder* WriteRecorder::active_ = nullptr;

// ---------------------------------------------------------------------------------------

// What the key holds before each commit: resource values in other encodings than the commit
// writes (so a value left alone shows), three ISDN values present, three absent.
const Values kBefore = {
    {"IOBaseAddress", Sz("768")},
    {"RingPattern", Raw(REG_BINARY, {0x03})},
    {"VoiceEnabled", Dword(5)},
    {"SwitchType", Raw(REG_BINARY, {0x02, 0x00})},
    {"PhoneNumber1", Sz("555-1234")},
    {"SPID2", Sz("0155512340001555123400015551234000155512340")},
};

// The record the commit writes, and what each field becomes in the key.
void FillRecord() {
    g_settings.IOBaseAddress = 832;
    g_settings.RingPattern = 7;
    g_settings.InterruptNumber = 11;
    g_settings.VoiceEnabled = 0;
    g_settings.SwitchType = 0;
    g_settings.NumPhoneNumbers = 2;
    g_settings.PhoneNumber1 = "555-9876";
    g_settings.PhoneNumber2 = "555-4321 %s";
    g_settings.SPID1 = "01555987600";
    g_settings.SPID2 = "";
}

const Values kRecordWritten = {
    {"IOBaseAddress", Dword(832)},    {"RingPattern", Dword(7)},
    {"InterruptNumber", Dword(11)},   {"VoiceEnabled", Dword(0)},
    {"SwitchType", Dword(0)},         {"NumPhoneNumbers", Dword(2)},
    {"PhoneNumber1", Sz("555-9876")}, {"PhoneNumber2", Sz("555-4321 %s")},
    {"SPID1", Sz("01555987600")},     {"SPID2", Sz("")},
};

std::vector<std::string> Written(int isdnPageShown) {
    return isdnPageShown ? kAllTenOrder : kResourceOrder;
}

// kBefore with the named values of the record written over it.
Values After(const std::vector<std::string>& written) {
    Values values = kBefore;
    for (const std::string& name : written) values[name] = kRecordWritten.at(name);
    return values;
}

std::vector<std::string> Names(const Values& values) {
    std::vector<std::string> names;
    for (const auto& value : values) names.push_back(value.first);
    return names;
}

class CommitTest : public StoreTest {
protected:
    void SetUp() override {
        StoreTest::SetUp();
        if (HasFatalFailure()) return;
        for (const auto& value : kBefore) ASSERT_TRUE(key_.Set(value.first, value.second));
        FillRecord();
    }
    void ExpectKeyHolds(const Values& expected) const {
        EXPECT_THAT(key_.ValueNames(), UnorderedElementsAreArray(Names(expected)));
        for (const auto& value : expected)
            EXPECT_EQ(value.second, key_.Read(value.first)) << value.first;
    }
};

// The four resource values always; the six ISDN values, the second number's included, only
// once the ISDN page was shown. Values not written stay byte for byte, absent ones absent.
TEST_F(CommitTest, WritesTheResourceValuesThenTheIsdnValuesOnceTheirPageWasShown) {
    for (int shown : {0, 1}) {
        SCOPED_TRACE(shown ? "ISDN page shown" : "ISDN page never shown");
        for (const auto& value : kBefore) ASSERT_TRUE(Store(value.first, value.second));
        for (const std::string& name : kAllTenOrder) {
            if (!kBefore.count(name)) {
                ASSERT_TRUE(Remove(name));
            }
        }
        g_nISDNPageShown = shown;
        EXPECT_TRUE(CommitSettings());
        ExpectKeyHolds(After(Written(shown)));
    }
}

TEST_F(CommitTest, WritesInItsFixedOrder) {
    HKEY readOnly = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, OpenParameters(KEY_READ, &readOnly));
    for (int shown : {0, 1}) {
        SCOPED_TRACE(shown ? "ISDN page shown" : "ISDN page never shown");
        g_nISDNPageShown = shown;
        BOOL committed = FALSE;
        std::vector<std::string> order;
        std::vector<LONG> results;
        {
            WriteRecorder recorder(readOnly, {});
            ASSERT_TRUE(recorder.Installed()) << "RegSetValueExA is not imported by name";
            committed = CommitSettings();
            order = recorder.Names();
            results = recorder.Results();
        }
        EXPECT_TRUE(committed);
        EXPECT_THAT(order, ElementsAreArray(Written(shown)));
        EXPECT_THAT(results, testing::Each(ERROR_SUCCESS));
    }
    RegCloseKey(readOnly);
}

// No key open, or a key that cannot be written: every write is still attempted, in order,
// nothing changes, and the commit reports the failure.
TEST_F(CommitTest, ReportsFailureWhenNoWriteCanBeMade) {
    HKEY readOnly = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, OpenParameters(KEY_READ, &readOnly));
    RegCloseKey(g_hAdapterKey);
    g_hAdapterKey = nullptr;
    for (const RefusingHandle& handle : RefusingHandles(readOnly)) {
        for (int shown : {0, 1}) {
            SCOPED_TRACE(std::string(handle.why) + (shown ? ", ISDN page shown" : ", never shown"));
            g_hAdapterKey = handle.handle;
            g_nISDNPageShown = shown;
            BOOL committed = TRUE;
            std::vector<std::string> order;
            std::vector<LONG> results;
            {
                WriteRecorder recorder(readOnly, {});
                ASSERT_TRUE(recorder.Installed());
                committed = CommitSettings();
                order = recorder.Names();
                results = recorder.Results();
            }
            EXPECT_FALSE(committed);
            EXPECT_THAT(order, ElementsAreArray(Written(shown)));
            EXPECT_THAT(results, testing::Each(handle.status));
            ExpectKeyHolds(kBefore);
        }
    }
    g_hAdapterKey = nullptr;
    RegCloseKey(readOnly);
}

// Some writes refused by the registry: the commit reports failure, and every other write
// is made all the same; the refused values keep what they held.
TEST_F(CommitTest, ReportsFailureAndGoesOnWhenSomeWritesAreRefused) {
    HKEY readOnly = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, OpenParameters(KEY_READ, &readOnly));
    const struct {
        const char* why;
        int shown;
        std::set<std::string> refused;
    } cases[] = {
        {"first of four refused", 0, {"IOBaseAddress"}},
        {"last of four refused", 0, {"VoiceEnabled"}},
        {"first of ten refused", 1, {"IOBaseAddress"}},
        {"two in the middle refused", 1, {"RingPattern", "PhoneNumber2"}},
        {"last of ten refused", 1, {"SPID2"}},
        {"an absent value refused", 1, {"NumPhoneNumbers"}},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.why);
        for (const auto& value : kBefore) ASSERT_TRUE(Store(value.first, value.second));
        for (const std::string& name : kAllTenOrder) {
            if (!kBefore.count(name)) {
                ASSERT_TRUE(Remove(name));
            }
        }
        g_nISDNPageShown = row.shown;
        BOOL committed = TRUE;
        std::vector<std::string> order;
        std::vector<LONG> results;
        {
            WriteRecorder recorder(readOnly, row.refused);
            ASSERT_TRUE(recorder.Installed());
            committed = CommitSettings();
            order = recorder.Names();
            results = recorder.Results();
        }
        EXPECT_FALSE(committed);
        EXPECT_THAT(order, ElementsAreArray(Written(row.shown)));
        ASSERT_EQ(order.size(), results.size());
        for (size_t i = 0; i < order.size(); ++i)
            EXPECT_EQ(row.refused.count(order[i]) ? ERROR_ACCESS_DENIED : ERROR_SUCCESS,
                      results[i])
                << order[i];
        std::vector<std::string> written;
        for (const std::string& name : Written(row.shown))
            if (!row.refused.count(name)) written.push_back(name);
        ExpectKeyHolds(After(written));
    }
    RegCloseKey(readOnly);
}

// The record is read, never changed, by the commit.
TEST_F(CommitTest, LeavesTheRecordAsItWas) {
    g_nISDNPageShown = 1;
    ASSERT_TRUE(CommitSettings());
    EXPECT_EQ(832, g_settings.IOBaseAddress);
    EXPECT_EQ(7, g_settings.RingPattern);
    EXPECT_EQ(11, g_settings.InterruptNumber);
    EXPECT_EQ(0, g_settings.VoiceEnabled);
    EXPECT_EQ(0, g_settings.SwitchType);
    EXPECT_EQ(2, g_settings.NumPhoneNumbers);
    EXPECT_STREQ("555-9876", g_settings.PhoneNumber1);
    EXPECT_STREQ("555-4321 %s", g_settings.PhoneNumber2);
    EXPECT_STREQ("01555987600", g_settings.SPID1);
    EXPECT_STREQ("", g_settings.SPID2);
    EXPECT_EQ(1, g_nISDNPageShown);
}

}  // namespace
