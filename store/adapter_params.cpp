// Reading and writing the adapter's ten registry values.
#include "adapter_params.h"

#include <limits.h>
#include <shlwapi.h>
#include <string.h>

HKEY g_hAdapterKey = nullptr;
char g_szAdapterKeyPath[64] = "";

void FormatAdapterKeyPath(int nAdapter)
{
    wnsprintfA(g_szAdapterKeyPath, sizeof(g_szAdapterKeyPath),
             "SYSTEM\\CurrentControlSet\\Services\\HVNBRI%d\\Parameters", nAdapter);
}

namespace {

const char* const kIOBaseEntries[] = { "768", "800", "832" };
const char* const kInterruptEntries[] = { "5", "9", "10", "11", "12", "15" };
const char* const kPhoneCountEntries[] = { " 1", " 2" };

// Value names of the two directory numbers' texts, by number.
const char kPhoneNumberNames[2][15] = { "PhoneNumber1", "PhoneNumber2" };
const char kSPIDNames[2][8] = { "SPID1", "SPID2" };

// What the text readers hand on, one slot per text value.
char g_phoneNumberSlots[2][kMaxValueText + 1];
char g_spidSlots[2][kMaxValueText + 1];

// Queries a number value into *pData (preset by the caller, so data shorter than four
// bytes replaces only its low-order bytes). The registry type is not looked at.
bool QueryNumber(const char* pszName, DWORD* pData)
{
    DWORD type = 0;
    DWORD size = sizeof(*pData);
    return RegQueryValueExA(g_hAdapterKey, pszName, nullptr, &type,
                            reinterpret_cast<BYTE*>(pData), &size) == ERROR_SUCCESS;
}

LONG WriteNumber(const char* pszName, int value)
{
    DWORD data = static_cast<DWORD>(value);
    return RegSetValueExA(g_hAdapterKey, pszName, 0, REG_DWORD,
                          reinterpret_cast<const BYTE*>(&data), sizeof(data));
}

// Reads a text value into its slot; anything that cannot be read gives the empty text.
const char* ReadText(const char* pszName, char (&slot)[kMaxValueText + 1])
{
    memset(slot, 0, sizeof(slot));
    DWORD type = 0;
    DWORD size = sizeof(slot);
    if (RegQueryValueExA(g_hAdapterKey, pszName, nullptr, &type, reinterpret_cast<BYTE*>(slot),
                         &size) != ERROR_SUCCESS)
        memset(slot, 0, sizeof(slot));
    slot[kMaxValueText] = '\0';  // data stored without a NUL still ends inside the slot
    return slot;
}

LONG WriteText(const char* pszName, const char* pszText)
{
    char buffer[kMaxValueText + 1];
    lstrcpynA(buffer, pszText, sizeof(buffer));
    return RegSetValueExA(g_hAdapterKey, pszName, 0, REG_SZ, reinterpret_cast<const BYTE*>(buffer),
                          static_cast<DWORD>(strlen(buffer) + 1));
}

}  // namespace

const ChoiceTable g_ioBaseTable = { kIOBaseEntries, 3 };
const ChoiceTable g_interruptTable = { kInterruptEntries, 6 };
const ChoiceTable g_phoneCountTable = { kPhoneCountEntries, 2 };

int DecimalToInt(const char* pszText)
{
    const char* p = pszText;
    while (*p == ' ' || (*p >= '\t' && *p <= '\r'))
        ++p;
    bool negative = *p == '-';
    if (*p == '-' || *p == '+')
        ++p;
    long long value = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        value = value * 10 + (*p - '0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            value = static_cast<long long>(INT_MAX) + 1;  // saturate: no overflow
    }
    if (negative)
        return static_cast<int>(-value);
    return value > INT_MAX ? INT_MAX : static_cast<int>(value);
}

int ChoicePosition(const ChoiceTable& table, DWORD value)
{
    for (int position = 0; position < table.count; ++position)
        if (static_cast<DWORD>(DecimalToInt(table.entries[position])) == value)
            return position;
    return 0;
}

BOOL ChoiceValue(const ChoiceTable& table, int position, int* pValue)
{
    if (position < 0 || position >= table.count)
        return FALSE;
    *pValue = DecimalToInt(table.entries[position]);
    return TRUE;
}

int ReadIOBaseAddress()
{
    DWORD data = 0;
    return QueryNumber("IOBaseAddress", &data) ? ChoicePosition(g_ioBaseTable, data) : 1;
}

int ReadInterruptNumber()
{
    DWORD data = 0;
    return QueryNumber("InterruptNumber", &data) ? ChoicePosition(g_interruptTable, data) : 2;
}

int ReadNumPhoneNumbers()
{
    DWORD data = 0;
    return QueryNumber("NumPhoneNumbers", &data) ? ChoicePosition(g_phoneCountTable, data) : 0;
}

int ReadRingPattern()
{
    DWORD data = 0;
    return QueryNumber("RingPattern", &data) ? static_cast<int>(data) : 0;
}

int ReadSwitchType()
{
    DWORD data = 0;
    return QueryNumber("SwitchType", &data) ? static_cast<int>(data) : 1;
}

int ReadVoiceEnabled()
{
    DWORD data = 1;
    return QueryNumber("VoiceEnabled", &data) ? (data != 0) : 1;
}

const char* ReadPhoneNumber(int nIndex)
{
    return ReadText(kPhoneNumberNames[nIndex], g_phoneNumberSlots[nIndex]);
}

const char* ReadSPID(int nIndex)
{
    return ReadText(kSPIDNames[nIndex], g_spidSlots[nIndex]);
}

LONG WriteIOBaseAddress(int value) { return WriteNumber("IOBaseAddress", value); }
LONG WriteInterruptNumber(int value) { return WriteNumber("InterruptNumber", value); }
LONG WriteVoiceEnabled(int value) { return WriteNumber("VoiceEnabled", value); }
LONG WriteRingPattern(int value) { return WriteNumber("RingPattern", value); }
LONG WriteSwitchType(int value) { return WriteNumber("SwitchType", value); }
LONG WriteNumPhoneNumbers(int value) { return WriteNumber("NumPhoneNumbers", value); }

LONG WritePhoneNumber(int nIndex, CString text)
{
    return WriteText(kPhoneNumberNames[nIndex], text);
}

LONG WriteSPID(int nIndex, CString text)
{
    return WriteText(kSPIDNames[nIndex], text);
}
