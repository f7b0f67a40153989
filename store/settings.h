// The settings record: what the pages captured from their controls, written to the adapter
// parameter key in one pass when the sheet closes with OK.
#pragma once
#include <windows.h>
#include "cstring.h"

struct AdapterSettings {
    // Adapter Resources page
    int IOBaseAddress = 0;    // 768, 800 or 832
    int RingPattern = 0;      // ring pattern list position
    int InterruptNumber = 0;  // 5, 9, 10, 11, 12 or 15
    int VoiceEnabled = 0;     // 1 when voice is enabled
    // ISDN Parameters page
    int SwitchType = 0;       // telco switch list position
    int NumPhoneNumbers = 0;  // 1 or 2
    CString PhoneNumber1;
    CString PhoneNumber2;
    CString SPID1;
    CString SPID2;
};

extern AdapterSettings g_settings;

// 1 once the ISDN Parameters page has been shown: only then does the record hold its values.
extern int g_nISDNPageShown;

// Writes the adapter resource values, then (once the ISDN page has been shown) the six ISDN
// values. Every write is attempted; FALSE when any of them failed.
BOOL CommitSettings();
