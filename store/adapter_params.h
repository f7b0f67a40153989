// The adapter parameter key and its ten values: names, encodings, read defaults, the
// choice tables that relate stored numbers to list positions, and one reader and one
// writer per value. Every access goes through the one key handle opened for the run.
#pragma once
#include <windows.h>
#include "cstring.h"

// HKLM\SYSTEM\CurrentControlSet\Services\HVNBRI<adapter>\Parameters; null until opened.
extern HKEY g_hAdapterKey;
// The key's path for the adapter of this run (the longest has 62 characters).
extern char g_szAdapterKeyPath[64];
void FormatAdapterKeyPath(int nAdapter);

// Texts stored in the registry hold at most this many characters (a 40-byte buffer).
const int kMaxValueText = 39;

// The decimal conversion: leading white space, an optional sign, digits up to the first
// non-digit; 0 without digits. Numbers beyond 32 bits stop at INT_MAX / INT_MIN.
int DecimalToInt(const char* pszText);

// A list whose positions stand for stored numbers: entry i is the decimal text stored
// for position i.
struct ChoiceTable {
    const char* const* entries;
    int count;
};
extern const ChoiceTable g_ioBaseTable;      // "300" "320" "340" shown; 768 800 832 stored
extern const ChoiceTable g_interruptTable;   // 5 9 10 11 12 15
extern const ChoiceTable g_phoneCountTable;  // 1 2

// The position whose entry converts to value; position 0 when none does.
int ChoicePosition(const ChoiceTable& table, DWORD value);
// The number stored for a position; FALSE (and *pValue untouched) outside the table.
BOOL ChoiceValue(const ChoiceTable& table, int position, int* pValue);

// Number readers: a list position (or the stored number, or the check state), or the
// value's read default when it cannot be read.
int ReadIOBaseAddress();     // position 0-2; default 1 ("320")
int ReadInterruptNumber();   // position 0-5; default 2 ("10")
int ReadNumPhoneNumbers();   // position 0-1; default 0 ("1")
int ReadRingPattern();       // stored number, unchecked; default 0
int ReadSwitchType();        // stored number, unchecked; default 1 ("National ISDN")
int ReadVoiceEnabled();      // 0 or 1; default 1

// Text readers for number 0 or 1: the stored text (at most 39 characters), or the empty
// text when it cannot be read. The text lives in a slot that the next read of the same
// value overwrites.
const char* ReadPhoneNumber(int nIndex);
const char* ReadSPID(int nIndex);

// Writers: the registry's result code (ERROR_SUCCESS when the value was stored).
LONG WriteIOBaseAddress(int value);
LONG WriteInterruptNumber(int value);
LONG WriteVoiceEnabled(int value);
LONG WriteRingPattern(int value);
LONG WriteSwitchType(int value);
LONG WriteNumPhoneNumbers(int value);
// Texts are stored as REG_SZ with their NUL; a longer text is cut to 39 characters.
LONG WritePhoneNumber(int nIndex, CString text);
LONG WriteSPID(int nIndex, CString text);
