// The ten adapter values read and written through the store's own readers and writers, in
// this process, against the real registry: read defaults, list positions, the low-byte rule
// for short data, the 40-byte text slots, the exact bytes each writer stores, and the choice
// tables and decimal conversion behind them.
#include <windows.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "store_fixture.h"

using namespace hvntest;
using testing::ElementsAre;

namespace {

// ---------------------------------------------------------------------------------------
// Number readers

struct NumberReader {
    const char* name;
    int (*read)();
    int readDefault;
};

const NumberReader kNumberReaders[] = {
    {"IOBaseAddress", ReadIOBaseAddress, 1},   {"InterruptNumber", ReadInterruptNumber, 2},
    {"NumPhoneNumbers", ReadNumPhoneNumbers, 0}, {"RingPattern", ReadRingPattern, 0},
    {"SwitchType", ReadSwitchType, 1},         {"VoiceEnabled", ReadVoiceEnabled, 1},
};

const NumberReader& Reader(const std::string& name) {
    for (const NumberReader& reader : kNumberReaders)
        if (name == reader.name) return reader;
    ADD_FAILURE() << "no reader for " << name;
    return kNumberReaders[0];
}

struct NumberReadCase {
    const char* value;
    RegValue stored;
    int expected;
    const char* why;
};

std::vector<NumberReadCase> NumberReadCases() {
    return {
        {"IOBaseAddress", Missing(), 1, "missing: 320"},
        {"IOBaseAddress", Dword(768), 0, "768"},
        {"IOBaseAddress", Dword(800), 1, "800"},
        {"IOBaseAddress", Dword(832), 2, "832"},
        {"IOBaseAddress", Dword(300), 0, "300 decimal is not in the table"},
        {"IOBaseAddress", Dword(0), 0, "0 is not in the table"},
        {"IOBaseAddress", Sz("768"), 0, "REG_SZ 768 fits 4 bytes; its bytes match nothing"},
        {"IOBaseAddress", Sz("0800"), 1, "REG_SZ of four characters needs 5 bytes"},
        {"IOBaseAddress", Raw(REG_BINARY, {0x40, 0x03}), 2, "2 bytes 40 03 over the preset 0: 832"},
        {"IOBaseAddress", Raw(REG_BINARY, {}), 0, "no bytes leave the preset 0: not in the table"},
        {"InterruptNumber", Missing(), 2, "missing: 10"},
        {"InterruptNumber", Dword(5), 0, "5"},
        {"InterruptNumber", Dword(9), 1, "9"},
        {"InterruptNumber", Dword(10), 2, "10"},
        {"InterruptNumber", Dword(11), 3, "11"},
        {"InterruptNumber", Dword(12), 4, "12"},
        {"InterruptNumber", Dword(15), 5, "15"},
        {"InterruptNumber", Dword(7), 0, "7 is not in the table"},
        {"InterruptNumber", Raw(REG_BINARY, {0x0F}), 5, "1 byte 0F over the preset 0: 15"},
        {"InterruptNumber", Raw(REG_QWORD, {15, 0, 0, 0, 0, 0, 0, 0}), 2,
         "8 bytes do not fit: read default"},
        {"NumPhoneNumbers", Missing(), 0, "missing: 1"},
        {"NumPhoneNumbers", Dword(1), 0, "1"},
        {"NumPhoneNumbers", Dword(2), 1, "2"},
        {"NumPhoneNumbers", Dword(0), 0, "0 is not in the table"},
        {"NumPhoneNumbers", Dword(3), 0, "3 is not in the table"},
        {"NumPhoneNumbers", Raw(REG_BINARY, {0x02, 0x00}), 1, "2 bytes 02 00: 2"},
        {"RingPattern", Missing(), 0, "missing: Pattern 1"},
        {"RingPattern", Dword(0), 0, "0"},
        {"RingPattern", Dword(9), 9, "9 (EXT)"},
        {"RingPattern", Dword(12), 12, "12 unchanged, no range test"},
        {"RingPattern", Dword(0xFFFFFFFF), -1, "all bits set unchanged"},
        {"RingPattern", Raw(REG_BINARY, {0x05, 0x00}), 5, "2 bytes 05 00 over the preset 0: 5"},
        {"RingPattern", Raw(REG_BINARY, {}), 0, "no bytes leave the preset 0"},
        {"SwitchType", Missing(), 1, "missing: National ISDN"},
        {"SwitchType", Dword(0), 0, "0"},
        {"SwitchType", Dword(2), 2, "2"},
        {"SwitchType", Dword(7), 7, "7 unchanged, no range test"},
        {"SwitchType", Raw(REG_BINARY, {0x00}), 0, "1 byte 00 over the preset 0: 0"},
        {"SwitchType", Raw(REG_BINARY, {}), 0, "no bytes leave the preset 0"},
        {"VoiceEnabled", Missing(), 1, "missing: enabled"},
        {"VoiceEnabled", Dword(0), 0, "0"},
        {"VoiceEnabled", Dword(1), 1, "1"},
        {"VoiceEnabled", Dword(5), 1, "5"},
        {"VoiceEnabled", Dword(0xFFFFFFFF), 1, "all bits set"},
        {"VoiceEnabled", Raw(REG_BINARY, {0x00, 0x00}), 0,
         "2 bytes 00 00 replace the preset 1's low bytes: 0"},
        {"VoiceEnabled", Raw(REG_BINARY, {0x00, 0x01}), 1, "2 bytes 00 01: 256 counts as set"},
        {"VoiceEnabled", Raw(REG_BINARY, {}), 1, "no bytes leave the preset 1"},
    };
}

TEST_F(StoreTest, NumberReadersGiveListPositionsOrTheReadDefault) {
    for (const NumberReadCase& row : NumberReadCases()) {
        SCOPED_TRACE(std::string(row.value) + ": " + row.why);
        ASSERT_TRUE(Store(row.value, row.stored));
        EXPECT_EQ(row.stored, key_.Read(row.value)) << "what the key holds before the read";
        EXPECT_EQ(row.expected, Reader(row.value).read());
    }
}

// With no key open every reader gives its read default, whatever the key holds.
TEST_F(StoreTest, NumberReadersGiveTheReadDefaultWithoutAnOpenKey) {
    const struct {
        const char* value;
        RegValue stored;
    } stored[] = {{"IOBaseAddress", Dword(768)}, {"InterruptNumber", Dword(15)},
                  {"NumPhoneNumbers", Dword(2)}, {"RingPattern", Dword(7)},
                  {"SwitchType", Dword(2)},      {"VoiceEnabled", Dword(0)}};
    for (const auto& row : stored) ASSERT_TRUE(Store(row.value, row.stored));
    RegCloseKey(g_hAdapterKey);
    g_hAdapterKey = nullptr;
    for (const NumberReader& reader : kNumberReaders) {
        SCOPED_TRACE(reader.name);
        EXPECT_EQ(reader.readDefault, reader.read());
    }
}

// ---------------------------------------------------------------------------------------
// Text readers

struct TextValue {
    const char* name;
    const char* (*read)(int);
    LONG (*write)(int, CString);
    int index;
};

const TextValue kTextValues[] = {
    {"PhoneNumber1", ReadPhoneNumber, WritePhoneNumber, 0},
    {"PhoneNumber2", ReadPhoneNumber, WritePhoneNumber, 1},
    {"SPID1", ReadSPID, WriteSPID, 0},
    {"SPID2", ReadSPID, WriteSPID, 1},
};

// "0123456789abcdef..." cut to length: every position distinct enough to see a shift.
std::string Text(size_t length) {
    const char digits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    std::string text;
    for (size_t i = 0; i < length; ++i) text += digits[i % (sizeof digits - 1)];
    return text;
}

struct TextReadCase {
    const char* why;
    RegValue stored;
    std::string expected;
};

std::vector<TextReadCase> TextReadCases() {
    return {
        {"missing", Missing(), ""},
        {"0 characters", Sz(""), ""},
        {"8 characters", Sz("555-1234"), "555-1234"},
        {"39 characters", Sz(Text(39)), Text(39)},
        {"40 characters do not fit the slot", Sz(Text(40)), ""},
        {"60 characters", Sz(Text(60)), ""},
        {"percent signs", Sz("5%d%s%%-1234"), "5%d%s%%-1234"},
    };
}

TEST_F(StoreTest, TextReadersGiveTheTextOrEmpty) {
    for (const TextValue& value : kTextValues) {
        for (const TextReadCase& row : TextReadCases()) {
            SCOPED_TRACE(std::string(value.name) + ": " + row.why);
            const std::string other = "previous 555-0000";
            ASSERT_TRUE(key_.Set(value.name, Sz(other)));
            ASSERT_STREQ(other.c_str(), value.read(value.index)) << "the text before the case";
            ASSERT_TRUE(Store(value.name, row.stored));
            EXPECT_EQ(row.stored, key_.Read(value.name)) << "what the key holds before the read";
            const char* text = value.read(value.index);
            ASSERT_NE(nullptr, text);
            EXPECT_EQ(row.expected, text);
        }
    }
}

// Data that fills the 40-byte slot without a NUL: what is handed on still ends inside the
// slot, is the stored text or a beginning of it, and the other values' slots keep their texts.
TEST_F(StoreTest, TextFillingTheSlotWithoutNulEndsInsideTheSlot) {
    // The byte after the 40 is not a NUL, so nothing can mistake it for the text's end.
    const std::string filled = Text(40) + "#";
    for (const TextValue& value : kTextValues) {
        for (DWORD type : {REG_SZ, REG_BINARY}) {
            SCOPED_TRACE(std::string(value.name) + (type == REG_SZ ? ", REG_SZ" : ", REG_BINARY"));
            std::vector<const char*> others;
            for (const TextValue& other : kTextValues) {
                ASSERT_TRUE(key_.Set(other.name, Sz(std::string("text of ") + other.name)));
                others.push_back(other.read(other.index));
            }
            ASSERT_TRUE(key_.Set(value.name, type, filled.data(), 40));
            // (A query into a larger buffer would add a NUL of its own: ask for the size.)
            HKEY key = nullptr;
            ASSERT_EQ(ERROR_SUCCESS, OpenParameters(KEY_QUERY_VALUE, &key));
            DWORD storedType = 0, storedSize = 0;
            const LONG status =
                RegQueryValueExA(key, value.name, nullptr, &storedType, nullptr, &storedSize);
            RegCloseKey(key);
            ASSERT_EQ(ERROR_SUCCESS, status);
            ASSERT_EQ(type, storedType);
            ASSERT_EQ(40u, storedSize) << "40 bytes, no NUL";

            const char* text = value.read(value.index);
            ASSERT_NE(nullptr, text);
            const void* nul = std::memchr(text, '\0', 40);
            ASSERT_NE(nullptr, nul) << "no NUL within the 40 bytes handed on";
            const size_t length = static_cast<const char*>(nul) - text;
            EXPECT_LE(length, 39u);
            EXPECT_EQ(filled.substr(0, length), std::string(text, length))
                << "the text handed on is a beginning of the stored one";
            for (size_t i = 0; i < others.size(); ++i) {
                if (kTextValues[i].name == value.name) continue;
                EXPECT_EQ(std::string("text of ") + kTextValues[i].name, others[i])
                    << "the slot of " << kTextValues[i].name;
            }
        }
    }
}

TEST_F(StoreTest, TextReadersGiveEmptyWithoutAnOpenKey) {
    for (const TextValue& value : kTextValues) {
        SCOPED_TRACE(value.name);
        ASSERT_TRUE(key_.Set(value.name, Sz("555-1234")));
        ASSERT_STREQ("555-1234", value.read(value.index));
    }
    RegCloseKey(g_hAdapterKey);
    g_hAdapterKey = nullptr;
    for (const TextValue& value : kTextValues) {
        SCOPED_TRACE(value.name);
        EXPECT_STREQ("", value.read(value.index));
    }
}

// Each text value has its own slot: a read of one leaves the others' texts in place.
TEST_F(StoreTest, EachTextValueKeepsItsOwnSlot) {
    std::vector<const char*> read;
    for (const TextValue& value : kTextValues) {
        ASSERT_TRUE(key_.Set(value.name, Sz(std::string("text of ") + value.name)));
        read.push_back(value.read(value.index));
    }
    for (size_t i = 0; i < read.size(); ++i) {
        SCOPED_TRACE(kTextValues[i].name);
        EXPECT_EQ(std::string("text of ") + kTextValues[i].name, read[i]);
    }
}

// ---------------------------------------------------------------------------------------
// Writers

struct NumberWriter {
    const char* name;
    LONG (*write)(int);
};

const NumberWriter kNumberWriters[] = {
    {"IOBaseAddress", WriteIOBaseAddress},   {"InterruptNumber", WriteInterruptNumber},
    {"VoiceEnabled", WriteVoiceEnabled},     {"RingPattern", WriteRingPattern},
    {"SwitchType", WriteSwitchType},         {"NumPhoneNumbers", WriteNumPhoneNumbers},
};

// Every writer stores under its own name only, into a key that held nothing before.
TEST_F(StoreTest, NumberWritersStoreFourLittleEndianBytesOfRegDword) {
    const struct {
        int number;
        RegValue stored;
    } cases[] = {
        {0, Raw(REG_DWORD, {0x00, 0x00, 0x00, 0x00})},
        {1, Raw(REG_DWORD, {0x01, 0x00, 0x00, 0x00})},
        {832, Raw(REG_DWORD, {0x40, 0x03, 0x00, 0x00})},
        {0x12345678, Raw(REG_DWORD, {0x78, 0x56, 0x34, 0x12})},
        {-1, Raw(REG_DWORD, {0xFF, 0xFF, 0xFF, 0xFF})},
        {INT_MIN, Raw(REG_DWORD, {0x00, 0x00, 0x00, 0x80})},
    };
    for (const NumberWriter& writer : kNumberWriters) {
        for (const auto& row : cases) {
            SCOPED_TRACE(std::string(writer.name) + " " + std::to_string(row.number));
            ASSERT_TRUE(RemoveAll());
            EXPECT_EQ(ERROR_SUCCESS, writer.write(row.number));
            EXPECT_EQ(row.stored, key_.Read(writer.name));
            EXPECT_THAT(key_.ValueNames(), ElementsAre(writer.name));
        }
    }
}

TEST_F(StoreTest, TextWritersStoreTheTextWithItsNulAndAtMost39Characters) {
    const struct {
        const char* why;
        std::string text;
        RegValue stored;
    } cases[] = {
        {"empty: the NUL alone", "", Sz("")},
        {"8 characters: 9 bytes", "555-1234", Sz("555-1234")},
        {"39 characters: 40 bytes", Text(39), Sz(Text(39))},
        {"40 characters: the first 39", Text(40), Sz(Text(39))},
        {"60 characters: the first 39", Text(60), Sz(Text(39))},
        {"percent signs unchanged", "5%d%s%%-1234", Sz("5%d%s%%-1234")},
    };
    ASSERT_EQ(1u, Sz("").bytes.size());
    ASSERT_EQ(9u, Sz("555-1234").bytes.size());
    ASSERT_EQ(40u, Sz(Text(39)).bytes.size());
    for (const TextValue& value : kTextValues) {
        for (const auto& row : cases) {
            SCOPED_TRACE(std::string(value.name) + ": " + row.why);
            ASSERT_TRUE(RemoveAll());
            EXPECT_EQ(ERROR_SUCCESS, value.write(value.index, CString(row.text.c_str())));
            EXPECT_EQ(row.stored, key_.Read(value.name));
            EXPECT_THAT(key_.ValueNames(), ElementsAre(value.name));
        }
    }
}

// What a text writer stores, its reader gives back unchanged.
TEST_F(StoreTest, TextsRoundTripThroughWriterAndReader) {
    for (const TextValue& value : kTextValues) {
        for (const std::string& text : {std::string(""), std::string("555-1234"),
                                        std::string("100% 5%s%d%n"), Text(39)}) {
            SCOPED_TRACE(std::string(value.name) + ": \"" + text + "\"");
            ASSERT_EQ(ERROR_SUCCESS, value.write(value.index, CString(text.c_str())));
            EXPECT_EQ(text, value.read(value.index));
        }
    }
}

// Writes that the registry refuses report it and change nothing: no key open, or a key
// opened for reading only.
TEST_F(StoreTest, WritersReportRefusedWrites) {
    ASSERT_TRUE(key_.Set("IOBaseAddress", Dword(768)));
    ASSERT_TRUE(key_.Set("PhoneNumber1", Sz("555-1234")));
    HKEY readOnly = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, OpenParameters(KEY_READ, &readOnly));
    RegCloseKey(g_hAdapterKey);
    for (const RefusingHandle& handle : RefusingHandles(readOnly)) {
        g_hAdapterKey = handle.handle;
        for (const NumberWriter& writer : kNumberWriters) {
            SCOPED_TRACE(std::string(handle.why) + ", " + writer.name);
            EXPECT_EQ(handle.status, writer.write(1));
        }
        for (const TextValue& value : kTextValues) {
            SCOPED_TRACE(std::string(handle.why) + ", " + value.name);
            EXPECT_EQ(handle.status, value.write(value.index, CString("555-9876")));
        }
        SCOPED_TRACE(handle.why);
        EXPECT_THAT(key_.ValueNames(), testing::UnorderedElementsAre("IOBaseAddress", "PhoneNumber1"));
        EXPECT_EQ(Dword(768), key_.Read("IOBaseAddress"));
        EXPECT_EQ(Sz("555-1234"), key_.Read("PhoneNumber1"));
    }
    g_hAdapterKey = nullptr;
    RegCloseKey(readOnly);
}

// ---------------------------------------------------------------------------------------
// Decimal conversion and choice tables

TEST(DecimalToInt, ConvertsLeadingDecimalNumbers) {
    const struct {
        const char* text;
        int expected;
    } cases[] = {
        {"", 0},           {"0", 0},           {"768", 768},      {" 1", 1},
        {" \t 42", 42},    {"\t\n\v\f\r7", 7}, {"+7", 7},         {"-3", -3},
        {"--3", 0},        {"+-3", 0},         {"- 5", 0},        {"-", 0},
        {"12abc", 12},     {"abc", 0},         {"3 4", 3},        {"007", 7},
        {"1.5", 1},        {"0x300", 0},
        {"2147483647", INT_MAX},      {"-2147483648", INT_MIN},
        {"2147483648", INT_MAX},      {"-2147483649", INT_MIN},
        {"99999999999", INT_MAX},     {"-99999999999", INT_MIN},
        {"99999999999999999999999999", INT_MAX},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(std::string("\"") + row.text + "\"");
        EXPECT_EQ(row.expected, DecimalToInt(row.text));
    }
}

TEST(ChoiceTables, HoldTheStoredNumbersInListOrder) {
    const struct {
        const char* name;
        const ChoiceTable& table;
        std::vector<std::string> entries;
    } tables[] = {
        {"I/O base", g_ioBaseTable, {"768", "800", "832"}},
        {"interrupt", g_interruptTable, {"5", "9", "10", "11", "12", "15"}},
        {"phone count", g_phoneCountTable, {" 1", " 2"}},
    };
    for (const auto& row : tables) {
        SCOPED_TRACE(row.name);
        ASSERT_EQ(static_cast<int>(row.entries.size()), row.table.count);
        for (int i = 0; i < row.table.count; ++i) EXPECT_EQ(row.entries[i], row.table.entries[i]);
    }
}

TEST(ChoiceTables, PositionOfAStoredNumber) {
    const struct {
        const char* name;
        const ChoiceTable& table;
        DWORD value;
        int position;
    } cases[] = {
        {"I/O base", g_ioBaseTable, 768, 0},        {"I/O base", g_ioBaseTable, 800, 1},
        {"I/O base", g_ioBaseTable, 832, 2},        {"I/O base", g_ioBaseTable, 300, 0},
        {"I/O base", g_ioBaseTable, 0x320, 1},      {"I/O base", g_ioBaseTable, 0xFFFFFFFF, 0},
        {"interrupt", g_interruptTable, 5, 0},      {"interrupt", g_interruptTable, 9, 1},
        {"interrupt", g_interruptTable, 10, 2},     {"interrupt", g_interruptTable, 11, 3},
        {"interrupt", g_interruptTable, 12, 4},     {"interrupt", g_interruptTable, 15, 5},
        {"interrupt", g_interruptTable, 7, 0},      {"interrupt", g_interruptTable, 0, 0},
        {"phone count", g_phoneCountTable, 1, 0},   {"phone count", g_phoneCountTable, 2, 1},
        {"phone count", g_phoneCountTable, 0, 0},   {"phone count", g_phoneCountTable, 3, 0},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(std::string(row.name) + " " + std::to_string(row.value));
        EXPECT_EQ(row.position, ChoicePosition(row.table, row.value));
    }
}

TEST(ChoiceTables, NumberStoredForAPosition) {
    const int kUntouched = 12345;
    const struct {
        const char* name;
        const ChoiceTable& table;
        int position;
        BOOL found;
        int value;
    } cases[] = {
        {"I/O base", g_ioBaseTable, 0, TRUE, 768},   {"I/O base", g_ioBaseTable, 1, TRUE, 800},
        {"I/O base", g_ioBaseTable, 2, TRUE, 832},   {"I/O base", g_ioBaseTable, 3, FALSE, kUntouched},
        {"I/O base", g_ioBaseTable, -1, FALSE, kUntouched},
        {"interrupt", g_interruptTable, 0, TRUE, 5}, {"interrupt", g_interruptTable, 1, TRUE, 9},
        {"interrupt", g_interruptTable, 2, TRUE, 10}, {"interrupt", g_interruptTable, 3, TRUE, 11},
        {"interrupt", g_interruptTable, 4, TRUE, 12}, {"interrupt", g_interruptTable, 5, TRUE, 15},
        {"interrupt", g_interruptTable, 6, FALSE, kUntouched},
        {"interrupt", g_interruptTable, -1, FALSE, kUntouched},
        {"phone count", g_phoneCountTable, 0, TRUE, 1},
        {"phone count", g_phoneCountTable, 1, TRUE, 2},
        {"phone count", g_phoneCountTable, 2, FALSE, kUntouched},
        {"phone count", g_phoneCountTable, -1, FALSE, kUntouched},
        {"phone count", g_phoneCountTable, INT_MIN, FALSE, kUntouched},
        {"phone count", g_phoneCountTable, INT_MAX, FALSE, kUntouched},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(std::string(row.name) + " position " + std::to_string(row.position));
        int value = kUntouched;
        EXPECT_EQ(row.found, ChoiceValue(row.table, row.position, &value));
        EXPECT_EQ(row.value, value);
    }
}

TEST(AdapterKeyPath, NamesTheAdaptersServiceKey) {
    const struct {
        int adapter;
        const char* path;
    } cases[] = {
        {0, "SYSTEM\\CurrentControlSet\\Services\\HVNBRI0\\Parameters"},
        {2, "SYSTEM\\CurrentControlSet\\Services\\HVNBRI2\\Parameters"},
        {-3, "SYSTEM\\CurrentControlSet\\Services\\HVNBRI-3\\Parameters"},
        {INT_MAX, "SYSTEM\\CurrentControlSet\\Services\\HVNBRI2147483647\\Parameters"},
        {INT_MIN, "SYSTEM\\CurrentControlSet\\Services\\HVNBRI-2147483648\\Parameters"},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.adapter);
        FormatAdapterKeyPath(row.adapter);
        EXPECT_STREQ(row.path, g_szAdapterKeyPath);
        EXPECT_EQ(ParametersKeyPath(row.adapter), g_szAdapterKeyPath);
    }
}

}  // namespace
